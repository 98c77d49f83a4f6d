// fischkladde-screens OUTDIR: starts the main window on the program folder (FISCHKLADDE_HOME),
// opens every window the menus offer, one after the other, and saves each as a PNG in OUTDIR.
// A menu item that is not wired or opens nothing is reported and skipped. Save dialogs are
// answered with a file in OUTDIR (so reports land there), every other question with "cancel".
// Run it under a real X server (Xvfb) so that fonts and style are those a user sees.
#include "data/Clock.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/main/TfrmMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QAbstractButton>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

QString outDir;
QTextStream err(stderr);

class ShotInteraction : public UserInteraction {
public:
    QString getOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList getOpenFileNames(QWidget*, const QString&, const QString&) override { return {}; }
    QString getSaveFileName(QWidget*, const QString&, const QString& suffix, const QString&, const QString&) override
    {
        const QString path = outDir + QStringLiteral("/bericht_%1.%2").arg(++m_saves).arg(suffix.isEmpty() ? QStringLiteral("pdf") : suffix);
        err << "  gespeichert: " << path << "\n";
        return path;
    }
    QString getExistingDirectory(QWidget*, const QString&) override { return {}; }
    void information(QWidget*, const QString& text, const QString&) override { err << "  Hinweis: " << text << "\n"; }
    void warning(QWidget*, const QString& text, const QString&) override { err << "  Warnung: " << text << "\n"; }
    void error(QWidget*, const QString& text, const QString&) override { err << "  Fehler: " << text << "\n"; }
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    QColor chooseColor(QWidget*, const QColor&) override { return {}; }
    bool openDocument(const QString&) override { return true; }

private:
    int m_saves = 0;
};

// A fixed moment, so that the pictures of a new entry do not change with every run.
class ShotClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2025, 10, 18), QTime(16, 45)); }
};

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* w, const QString& name)
{
    const bool ok = w->grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
    err << (ok ? "Bild: " : "NICHT gespeichert: ") << name << ".png\n";
    err.flush();
    return ok;
}

QSet<QWidget*> visibleWindows()
{
    QSet<QWidget*> set;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu*>(w))
            set.insert(w);
    return set;
}

// Runs `open`; the first window it shows is saved as `name`, then `inside` may do more with
// it, then it is closed. Works for modal windows (whose exec() blocks inside `open`) and for
// modeless ones.
void shoot(const std::function<void()>& open, const QString& name,
           const std::function<void(QWidget*)>& inside = {})
{
    const QSet<QWidget*> before = visibleWindows();
    bool done = false;
    auto* poll = new QTimer;
    int waited = 0;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        waited += 100;
        for (QWidget* w : visibleWindows()) {
            if (before.contains(w))
                continue;
            poll->stop();
            settle(400);
            save(w, name);
            if (inside)
                inside(w);
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            w->close();
            done = true;
            return;
        }
        if (waited > 4000)
            poll->stop();
    });
    poll->start(100);
    open();
    while (poll->isActive())
        settle(100);
    delete poll;
    if (!done)
        err << "übersprungen (kein Fenster): " << name << "\n";
}

QAction* action(QWidget* main, const char* name)
{
    auto* a = main->findChild<QAction*>(QLatin1String(name));
    if (!a || !a->isEnabled()) {
        err << "übersprungen (nicht vorhanden): " << name << "\n";
        return nullptr;
    }
    return a;
}

void shootAction(QWidget* main, const char* actionName, const QString& name,
                 const std::function<void(QWidget*)>& inside = {})
{
    if (QAction* a = action(main, actionName))
        shoot([a] { a->trigger(); }, name, inside);
}

QAction* menuEntry(QWidget* main, const char* menuName, const QString& text)
{
    auto* m = main->findChild<QMenu*>(QLatin1String(menuName));
    if (!m)
        return nullptr;
    for (QAction* a : m->actions())
        if (!a->isSeparator() && a->isEnabled() && (text.isEmpty() || a->text().remove(QLatin1Char('&')) == text))
            return a;
    return nullptr;
}

// A dialog that asks for settings before a report: press its button that makes the report.
void pressCreate(QWidget* dialog)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        const QString t = b->text().remove(QLatin1Char('&'));
        if (b->isEnabled() && b->isVisible() &&
            (b->isDefault() || t.contains(QStringLiteral("Erstellen")) || t.contains(QStringLiteral("PDF")) ||
             t.contains(QStringLiteral("Auswerten")) || t == QStringLiteral("OK"))) {
            b->click();
            settle(300);
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    FkApplication app(argc, argv);
    app.installGermanTranslations();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/fischkladde.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    if (argc < 2) {
        err << "Aufruf: fischkladde-screens AUSGABEORDNER  (FISCHKLADDE_HOME = Programmordner)\n";
        return 2;
    }
    outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(outDir);
    ShotInteraction interaction;
    setUserInteraction(&interaction);
    ShotClock clock;
    setAppClock(&clock);

    TfrmMain window;
    window.show();
    window.move(0, 0);
    settle(800);
    // The newest catch selected, so that the preview shows its picture.
    auto* list = window.findChild<QAbstractItemView*>(QStringLiteral("ListView1"));
    const bool hasCatches = list && list->model() && list->model()->rowCount() > 0;
    if (hasCatches) {
        list->setCurrentIndex(list->model()->index(0, 1));
        list->selectionModel()->select(list->model()->index(0, 1),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        emit list->clicked(list->model()->index(0, 1)); // as a mouse click does
        settle(300);
    }
    save(&window, QStringLiteral("hauptfenster"));

    // Every catch with the year selector.
    if (auto* view = window.findChild<QComboBox*>(QStringLiteral("cb_gehezu"))) {
        const int all = view->findText(QStringLiteral("-Alle Fänge-"));
        if (all >= 0) {
            view->setCurrentIndex(all);
            settle(400);
            save(&window, QStringLiteral("hauptfenster_alle"));
        }
    }

    // The entry dialog filled with a catch, and its weather dialog.
    if (hasCatches) {
        list->setCurrentIndex(list->model()->index(0, 1));
        list->selectionModel()->select(list->model()->index(0, 1),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        settle(200);
        shootAction(&window, "aBearbeiten", QStringLiteral("fang_bearbeiten"), [](QWidget* entry) {
            if (auto* weather = entry->findChild<QAbstractButton*>(QStringLiteral("SpeedButton2")))
                shoot([weather] { weather->click(); }, QStringLiteral("wetter"));
        });
        shootAction(&window, "aDetails", QStringLiteral("details"));
    }
    shootAction(&window, "aHinzufuegen", QStringLiteral("fang_eintragen"));

    const auto shootEntry = [&](const char* menu, const QString& text, const QString& name) {
        if (QAction* a = menuEntry(&window, menu, text))
            shoot([a] { a->trigger(); }, name);
        else
            err << "übersprungen (nicht vorhanden): " << menu << " " << text << "\n";
    };
    shootEntry("mnuStatistik", QStringLiteral("Gesamt"), QStringLiteral("statistik"));
    shootEntry("mnuStatistik", QStringLiteral("Wann angeln gehen?"), QStringLiteral("fangempfehlung"));
    shootEntry("mnuKarte", QString(), QStringLiteral("karte"));
    shootAction(&window, "aBissliste", QStringLiteral("bissliste"));
    shootAction(&window, "aAKUebersicht", QStringLiteral("angelkosten"));
    shootAction(&window, "aAKJahresuebersicht", QStringLiteral("angelkosten_jahr"));
    shootAction(&window, "aAKHinzufuegen", QStringLiteral("angelkosten_hinzufuegen"));
    shootAction(&window, "aSuchen", QStringLiteral("suchen"));
    shootAction(&window, "aFischarten", QStringLiteral("liste_fischarten"));
    shootAction(&window, "aAbout", QStringLiteral("info"));
    // Reports: a settings dialog, if any, is saved and its create button pressed; the PDF
    // lands in the output folder (the script turns its first page into a picture).
    shootAction(&window, "aAuswertenPDF", QStringLiteral("bericht_dialog"), pressCreate);
    shootAction(&window, "aStatistikPDF", QStringLiteral("statistik_bericht_dialog"), pressCreate);
    setUserInteraction(nullptr);
    setAppClock(nullptr);
    return 0;
}
