#include "ui/common/ScriptedInteraction.h"

QString ScriptedInteraction::getOpenFileName(QWidget*, const QString& filter, const QString& title)
{
    messages.append({QStringLiteral("open"), filter, title});
    return openFiles.isEmpty() ? QString() : openFiles.dequeue();
}

QStringList ScriptedInteraction::getOpenFileNames(QWidget*, const QString& filter, const QString& title)
{
    messages.append({QStringLiteral("openMany"), filter, title});
    return openFileLists.isEmpty() ? QStringList() : openFileLists.dequeue();
}

QString ScriptedInteraction::getSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                                             const QString&, const QString& title)
{
    messages.append({QStringLiteral("save"), filter, title});
    lastDefaultSuffix = defaultSuffix;
    return saveFiles.isEmpty() ? QString() : saveFiles.dequeue();
}

QString ScriptedInteraction::getExistingDirectory(QWidget*, const QString& title)
{
    messages.append({QStringLiteral("dir"), QString(), title});
    return directories.isEmpty() ? QString() : directories.dequeue();
}

void ScriptedInteraction::information(QWidget*, const QString& text, const QString& title)
{
    messages.append({QStringLiteral("information"), text, title});
}

void ScriptedInteraction::warning(QWidget*, const QString& text, const QString& title)
{
    messages.append({QStringLiteral("warning"), text, title});
}

void ScriptedInteraction::error(QWidget*, const QString& text, const QString& title)
{
    messages.append({QStringLiteral("error"), text, title});
}

bool ScriptedInteraction::confirm(QWidget*, const QString& text, const QString& title)
{
    messages.append({QStringLiteral("confirm"), text, title});
    return confirmations.isEmpty() ? false : confirmations.dequeue();
}

QColor ScriptedInteraction::chooseColor(QWidget*, const QColor&)
{
    messages.append({QStringLiteral("color"), QString(), QString()});
    return colors.isEmpty() ? QColor() : colors.dequeue();
}

bool ScriptedInteraction::openDocument(const QString& path)
{
    messages.append({QStringLiteral("document"), path, QString()});
    return documentOpens;
}

QStringList ScriptedInteraction::texts(const QString& kind) const
{
    QStringList out;
    for (const Message& m : messages)
        if (m.kind == kind)
            out << m.text;
    return out;
}
