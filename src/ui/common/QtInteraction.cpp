#include "ui/common/QtInteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {
QtInteraction g_qt;
UserInteraction* g_current = &g_qt;

QString caption(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
} // namespace

UserInteraction& userInteraction() { return *g_current; }
void setUserInteraction(UserInteraction* interaction) { g_current = interaction ? interaction : &g_qt; }

QString toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QString QtInteraction::getOpenFileName(QWidget* parent, const QString& filter, const QString& title)
{
    return QFileDialog::getOpenFileName(parent, title.isEmpty() ? QStringLiteral("Öffnen") : title, {}, toQtFilter(filter));
}

QStringList QtInteraction::getOpenFileNames(QWidget* parent, const QString& filter, const QString& title)
{
    return QFileDialog::getOpenFileNames(parent, title.isEmpty() ? QStringLiteral("Öffnen") : title, {}, toQtFilter(filter));
}

QString QtInteraction::getSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                       const QString& suggestedName, const QString& title)
{
    QFileDialog dialog(parent, title.isEmpty() ? QStringLiteral("Speichern unter") : title, {}, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!suggestedName.isEmpty())
        dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtInteraction::getExistingDirectory(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title.isEmpty() ? QStringLiteral("Ordner wählen") : title);
}

void QtInteraction::information(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::information(parent, caption(title), text);
}

void QtInteraction::warning(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::warning(parent, caption(title), text);
}

void QtInteraction::error(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::critical(parent, title, text);
}

bool QtInteraction::confirm(QWidget* parent, const QString& text, const QString& title)
{
    return QMessageBox::question(parent, caption(title), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QColor QtInteraction::chooseColor(QWidget* parent, const QColor& initial)
{
    return QColorDialog::getColor(initial, parent);
}

bool QtInteraction::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
