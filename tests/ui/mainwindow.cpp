// The main window driven as a user would: start-up, views, selectors, sorting, menus,
// error box and step trace.
#include "support/MainWindowFixture.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/data/TfrmDBSelect.h"
#include "ui/info/TfrmAbout.h"
#include "ui/main/CatchListModel.h"
#include "ui/main/TfrmMain.h"
#include "data/Trace.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>

namespace {

QStringList comboItems(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out.append(box->itemText(i));
    return out;
}

QList<int> listIds(const TfrmMain& w)
{
    QList<int> out;
    for (const auto& r : w.listModel->rows())
        out.append(r.id);
    return out;
}

QStringList listColumn(const TfrmMain& w, int column)
{
    QStringList out;
    for (int r = 0; r < w.listModel->rowCount(); ++r)
        out.append(w.listModel->index(r, column).data().toString());
    return out;
}

QStringList menuTexts(const QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

void clickHeader(TfrmMain& w, int column)
{
    QHeaderView* header = w.ListView1->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// Runs `action` once the database dialog is shown with the given tag.
void whenDialogShown(TfrmMain& w, int tag, const std::function<void()>& action)
{
    auto* timer = new QTimer(&w);
    QObject::connect(timer, &QTimer::timeout, &w, [&w, tag, action, timer] {
        if (w.frmDBSelect->isVisible() && w.frmDBSelect->tag() == tag) {
            timer->stop();
            timer->deleteLater();
            action();
        }
    });
    timer->start(5);
}

// Trace lines without their time stamps.
QStringList traceSteps(const TempHome& home)
{
    QStringList out;
    for (const QString& line : fileLines(home.file(QStringLiteral("error.log"))))
        out.append(line.mid(QStringLiteral("05.12 - 13:20:07 -->").size()));
    return out;
}

std::vector<TestCatch> sampleCatches()
{
    return {{"07.05.2006", "Tom", "Hecht", "60"},    {"01.02.2007", "Anna", "Zander", "45,5"},
            {"03.03.2006", "Tom", "Barsch", "30"},   {"09.09.2007", "Tom", "Aal", "72"},
            {"12.06.2005", "Anna", "Schleie", "45"}, {"20.07.2006", "Anna", "Hecht", "81"}};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsSelectorsAndLastEntries();
    void startUpWithoutDatabaseOffersTheDatabaseDialog();
    void startUpWithDamagedOrMissingDatabaseLosesNothing();
    void startUpInUnwritableProgramFolderKeepsGoing();
    void viewsAndSelectors();
    void sortingByColumnClicks();
    void brokenDateShowsErrorAndProgramGoesOn();
    void tracingWritesStepsAndErrors();
    void menusAndActions();
    void selectionEnablesWiredActions();
    void helpAboutAndDonation();
};

void MainWindowTest::startUpShowsSelectorsAndLastEntries()
{
    TempHome home;
    ScriptedInteraction ui;
    std::vector<TestCatch> catches(25, TestCatch{"01.05.2006"});
    catches[2].date = "31.12.2020"; // newest date in an old row
    catches[24].water = "Rhein";
    installDatabases(home, catches);
    // Angler list with a blank line and an umlaut in Windows-1252.
    home.write(QStringLiteral("DATs/Faenger.dat"), "Tom\r\n\r\nJ\xFCrgen\r\n");
    home.write(QStringLiteral("DATs/Gewaesser.dat"), "rhein\r\nMain\r\nRhein\r\n\r\nAltrhein\r\n");

    TfrmMain w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Norvak Fischkladde"));
    QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("25"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.listModel->rowCount(), 10);

    QCOMPARE(listIds(w), (QList<int>{25, 24, 23, 22, 21, 20, 19, 18, 17, 16}));
    QVERIFY(w.ListView1->isColumnHidden(0));
    QCOMPARE(w.listModel->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Fänger:"));
    QCOMPARE(comboItems(w.cb_gehezu),
             (QStringList{QStringLiteral("--Übersicht--"), QStringLiteral("-Alle Fänge-"), QStringLiteral("Tom"),
                          QStringLiteral("Jürgen")}));
    QCOMPARE(w.cb_gehezu->currentIndex(), 0);
    QVERIFY(w.cb_jahr->isHidden());
    QVERIFY(w.Image10->isHidden());
    QCOMPARE(comboItems(w.cb_jahr), (QStringList{QStringLiteral("-Alle-"), QStringLiteral("2020"), QStringLiteral("2006")}));
    QCOMPARE(w.Label2->text(), QStringLiteral("Die letzten 10 Einträge:"));
    QCOMPARE(menuTexts(w.mnuStatistik),
             (QStringList{QStringLiteral("Wann angeln gehen?"), QStringLiteral("-"), QStringLiteral("Gesamt"),
                          QStringLiteral("-"), QStringLiteral("Tom"), QStringLiteral("Jürgen"), QStringLiteral("-"),
                          QStringLiteral("&Auswerten")}));
    // Waters sorted, each once whatever its letter case.
    QCOMPARE(menuTexts(w.mnuKarte), (QStringList{QStringLiteral("Altrhein"), QStringLiteral("Main"), QStringLiteral("rhein")}));
    QVERIFY(ui.messages.isEmpty());

    // Reloading without an angler file keeps the entries and adds only a separator.
    QFile::remove(home.file(QStringLiteral("DATs/Faenger.dat")));
    w.LoadSelectors();
    QCOMPARE(w.cb_gehezu->count(), 4);
    QCOMPARE(menuTexts(w.mnuStatistik).mid(6), (QStringList{QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("&Auswerten")}));
}

void MainWindowTest::startUpWithoutDatabaseOffersTheDatabaseDialog()
{
    TempHome home;
    ScriptedInteraction ui;
    const QString db = home.file(QStringLiteral("neu.fdb"));
    TfrmMain w;
    QVERIFY(w.session().dbPath.isEmpty());
    QVERIFY(QFileInfo(home.file(QStringLiteral("DATs"))).isDir());
    QVERIFY(QFileInfo(home.file(QStringLiteral("img"))).isDir());

    // The user creates a catch database, then cancels the cost database.
    int dialogs = 0;
    ui.saveFiles.enqueue(db);
    whenDialogShown(w, 0, [&] {
        ++dialogs;
        QTest::mouseClick(w.frmDBSelect->BitBtn2, Qt::LeftButton);
        whenDialogShown(w, 1, [&] {
            ++dialogs;
            QTest::mouseClick(w.frmDBSelect->BitBtn3, Qt::LeftButton);
        });
    });
    w.FormShow();
    QCOMPARE(dialogs, 2);
    const QStringList infos = ui.texts(QStringLiteral("information"));
    QCOMPARE(infos.size(), 2);
    QVERIFY(infos[0].startsWith(QStringLiteral("Es wurde keine Fischkladde Datenbank gefunden.")));
    QVERIFY(infos[1].startsWith(QStringLiteral("Es wurde keine Angelkosten Datenbank gefunden.")));
    QCOMPARE(w.session().dbPath, db);
    QVERIFY(w.session().akdbPath.isEmpty());
    QCOMPARE(IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File")), db);
    QCOMPARE(w.listModel->rowCount(), 0);
    QVERIFY(ui.texts(QStringLiteral("error")).isEmpty());
}

void MainWindowTest::startUpWithDamagedOrMissingDatabaseLosesNothing()
{
    {
        TempHome home;
        ScriptedInteraction ui;
        installDatabases(home, {{"07.05.2006"}});
        const QString db = home.file(QStringLiteral("fang.fdb"));
        QByteArray bytes = home.read(QStringLiteral("fang.fdb")) + "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s;t;u;v;w;x;y;z;1;2;3;4;5;6;7;8\r\n";
        home.write(QStringLiteral("fang.fdb"), bytes);
        TfrmMain w;
        whenDialogShown(w, 0, [&] { w.frmDBSelect->reject(); });
        w.FormShow();
        const QStringList warnings = ui.texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("beschädigt")), qPrintable(warnings[0]));
        QCOMPARE(home.read(QStringLiteral("fang.fdb")), bytes); // never saved over
        QCOMPARE(IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File")), db);
        QCOMPARE(w.listModel->rowCount(), 0);
    }
    {
        TempHome home;
        ScriptedInteraction ui;
        IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), home.file(QStringLiteral("weg.fdb")));
        TfrmMain w;
        whenDialogShown(w, 0, [&] { w.frmDBSelect->reject(); });
        w.FormShow();
        // A database that is gone is simply not loaded: no error, the dialog instead.
        QVERIFY(ui.texts(QStringLiteral("warning")).isEmpty());
        QVERIFY(ui.texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(ui.texts(QStringLiteral("information")).size(), 1);
        QVERIFY(!QFileInfo::exists(home.file(QStringLiteral("weg.fdb"))));
    }
}

void MainWindowTest::startUpInUnwritableProgramFolderKeepsGoing()
{
    TempHome home;
    ScriptedInteraction ui;
    // A program folder that cannot hold folders (a file in its place; works as root too).
    home.write(QStringLiteral("blocked"), "x");
    const QByteArray previous = qgetenv("FISCHKLADDE_HOME");
    qputenv("FISCHKLADDE_HOME", home.file(QStringLiteral("blocked")).toLocal8Bit());
    {
        TfrmMain w;
        whenDialogShown(w, 0, [&] { w.frmDBSelect->reject(); });
        w.FormShow();
        const QStringList warnings = ui.texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("konnte nicht angelegt werden")), qPrintable(warnings[0]));
    }
    qputenv("FISCHKLADDE_HOME", previous);
    QCOMPARE(home.read(QStringLiteral("blocked")), QByteArray("x"));
}

void MainWindowTest::viewsAndSelectors()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, sampleCatches());
    home.write(QStringLiteral("DATs/Faenger.dat"), "anna\r\nAnna\r\nTom\r\n");
    TfrmMain w;
    w.FormShow();

    w.cb_gehezu->setCurrentIndex(1); // -Alle Fänge-
    QVERIFY(!w.cb_jahr->isHidden());
    QVERIFY(!w.Image10->isHidden());
    QCOMPARE(w.Label2->text(), QStringLiteral("Alle Fänge:"));
    QCOMPARE(comboItems(w.cb_jahr), (QStringList{QStringLiteral("-Alle-"), QStringLiteral("2007"),
                                                 QStringLiteral("2006"), QStringLiteral("2005")}));
    // Newest day first.
    QCOMPARE(listIds(w), (QList<int>{4, 2, 6, 1, 3, 5}));
    QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("6"));
    QCOMPARE(listColumn(w, 1).first(), QStringLiteral("09.09.2007"));

    w.cb_jahr->setCurrentIndex(w.cb_jahr->findText(QStringLiteral("2006")));
    QCOMPARE(listIds(w), (QList<int>{6, 1, 3}));
    QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("3"));
    w.cb_jahr->setCurrentIndex(0);
    QCOMPARE(w.listModel->rowCount(), 6);

    // A name differing only in letter case shows nothing.
    w.lb_summefischlaenge->setText(QStringLiteral("alt"));
    w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText(QStringLiteral("anna")));
    QCOMPARE(w.listModel->rowCount(), 0);
    QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("0"));
    QCOMPARE(w.lb_summefischlaenge->text(), QString());
    QCOMPARE(w.Label2->text(), QStringLiteral("Alle Fänge von anna"));
    QCOMPARE(comboItems(w.cb_jahr), QStringList{QStringLiteral("-Alle-")});

    w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText(QStringLiteral("Anna")));
    QCOMPARE(listIds(w), (QList<int>{2, 6, 5}));
    QCOMPARE(comboItems(w.cb_jahr), (QStringList{QStringLiteral("-Alle-"), QStringLiteral("2007"),
                                                 QStringLiteral("2006"), QStringLiteral("2005")}));
    w.cb_jahr->setCurrentIndex(w.cb_jahr->findText(QStringLiteral("2005")));
    QCOMPARE(listIds(w), (QList<int>{5}));

    w.cb_gehezu->setCurrentIndex(0);
    QVERIFY(w.cb_jahr->isHidden());
    QCOMPARE(w.Label2->text(), QStringLiteral("Die letzten 10 Einträge:"));
    QCOMPARE(listIds(w), (QList<int>{6, 5, 4, 3, 2, 1}));
    QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("6"));
    QVERIFY(ui.messages.isEmpty());
}

void MainWindowTest::sortingByColumnClicks()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, sampleCatches());
    TfrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.cb_gehezu->setCurrentIndex(1);

    clickHeader(w, 4); // Länge (cm): longest first; 45,5 reads as 45 beside whole numbers
    QCOMPARE(listColumn(w, 4), (QStringList{"81", "72", "60", "45,5", "45", "30"}));
    clickHeader(w, 4);
    QCOMPARE(listColumn(w, 4), (QStringList{"30", "45,5", "45", "60", "72", "81"}));

    // After a full view the first click on the date keeps newest first, the second turns it.
    w.cb_jahr->setCurrentIndex(0);
    w.cb_gehezu->setCurrentIndex(0);
    w.cb_gehezu->setCurrentIndex(1);
    const QStringList newestFirst = listColumn(w, 1);
    clickHeader(w, 1);
    QCOMPARE(listColumn(w, 1), newestFirst);
    clickHeader(w, 1);
    QCOMPARE(listColumn(w, 1), (QStringList{"12.06.2005", "03.03.2006", "07.05.2006", "20.07.2006", "01.02.2007", "09.09.2007"}));

    clickHeader(w, 2); // Fischart: text ascending
    QCOMPARE(listColumn(w, 2), (QStringList{"Aal", "Barsch", "Hecht", "Hecht", "Schleie", "Zander"}));

    // The selected catch stays selected across a sort.
    w.ListView1->selectRow(0);
    const int selected = w.selectedRow();
    clickHeader(w, 2);
    QCOMPARE(w.selectedRow(), selected);
    QCOMPARE(w.listModel->rowCount(), 6);
}

void MainWindowTest::brokenDateShowsErrorAndProgramGoesOn()
{
    TempHome home;
    ScriptedInteraction ui;
    std::vector<TestCatch> catches = sampleCatches();
    catches[2].date = "32.13.2006";
    installDatabases(home, catches);
    const QByteArray before = home.read(QStringLiteral("fang.fdb"));
    TfrmMain w;
    w.FormShow(); // the years fail, the last entries still show
    QCOMPARE(ui.texts(QStringLiteral("error")), QStringList{QStringLiteral("'32.13.2006' is not a valid date")});
    QCOMPARE(ui.messages.first().title, QStringLiteral("Fehler"));
    QCOMPARE(w.listModel->rowCount(), 6);

    w.cb_gehezu->setCurrentIndex(1);
    QCOMPARE(ui.texts(QStringLiteral("error")).size(), 2);
    QCOMPARE(ui.texts(QStringLiteral("error")).last(), QStringLiteral("'32.13.2006' is not a valid date"));
    w.cb_gehezu->setCurrentIndex(0);
    QCOMPARE(w.listModel->rowCount(), 6);
    QCOMPARE(home.read(QStringLiteral("fang.fdb")), before);
}

void MainWindowTest::tracingWritesStepsAndErrors()
{
    TempHome home;
    ScriptedInteraction ui;
    FixedClock clock;
    setAppClock(&clock);
    installDatabases(home, {{"07.05.2006", "Tom", "Hecht", "60"}, {"1.2.2007", "Tom", "Aal", "40"}, {"08.05.2006"}});
    TfrmMain w;
    QVERIFY(!trace::enabled());
    w.FormShow();
    QVERIFY(!QFileInfo::exists(home.file(QStringLiteral("error.log"))));

    w.aFehlerverfolgung->trigger();
    QVERIFY(trace::enabled());
    QCOMPARE(ui.texts(QStringLiteral("information")).last(),
             QStringLiteral("Die Fehlerverfolgung ist jetzt angeschaltet.\n"
                            "Das bedeutet jeder Schritt den sie mit dem Programm ausführen wird protokoliert.\n"
                            "Sie sollten diese Funktion nur aktivieren wenn ein Fehler aufgetreten ist.\n"
                            "Das hilft mir den Fehler leichter ausfindig zu machen"));
    w.cb_gehezu->setCurrentIndex(1);
    w.ListView1ColumnClick(4);
    w.cb_jahr->setCurrentIndex(w.cb_jahr->findText(QStringLiteral("2006")));

    QStringList steps = traceSteps(home);
    QCOMPARE(fileLines(home.file(QStringLiteral("error.log"))).first(), QStringLiteral("05.12 - 13:20:07 -->---- begin ----"));
    const QStringList head{QStringLiteral("---- begin ----"), QStringLiteral("Main: Gehezu change"),
                           QStringLiteral("Main: Jahr CB laden ()"), QStringLiteral("Main: Display (Alle;0)"),
                           QStringLiteral("Main: Statistik (;0)")};
    QCOMPARE(steps.mid(0, 5), head);
    // One line per comparison of the sort.
    int sorts = 0;
    int i = 5;
    while (i < steps.size() && steps[i] == QStringLiteral("Main: LV Sort"))
        ++sorts, ++i;
    QVERIFY(sorts >= 2 && sorts <= 3);
    QCOMPARE(steps.mid(i, 2), (QStringList{QStringLiteral("Main: Gewässer"), QStringLiteral("Main: LV ColumClick(4)")}));
    i += 2;
    while (i < steps.size() && steps[i] == QStringLiteral("Main: LV Sort"))
        ++i;
    QCOMPARE(steps.mid(i), (QStringList{QStringLiteral("Main: Jahr ändern"), QStringLiteral("Main: Display (Alle;2006)"),
                                        QStringLiteral("Main: Statistik (;2006)"), QStringLiteral("Main: LV Sort"),
                                        QStringLiteral("Main: Gewässer")}));

    // An error with tracing on is written too.
    TTextTable& db = w.session().DB;
    db.GoToRow(3);
    db.SetData("Fangdatum", QByteArray("kaputt"));
    w.cb_gehezu->setCurrentIndex(0);
    w.cb_gehezu->setCurrentIndex(1);
    QCOMPARE(traceSteps(home).last(), QStringLiteral("'kaputt' is not a valid date"));
    QCOMPARE(ui.texts(QStringLiteral("error")).last(), QStringLiteral("'kaputt' is not a valid date"));

    w.aFehlerverfolgung->trigger();
    QVERIFY(!trace::enabled());
    QCOMPARE(ui.texts(QStringLiteral("information")).last(), QStringLiteral("Die Fehlerverfolgung ist jetzt ausgeschaltet"));
    QCOMPARE(traceSteps(home).last(), QStringLiteral("---- end ----"));
    const int lines = traceSteps(home).size();
    w.cb_gehezu->setCurrentIndex(0);
    w.close();
    QCOMPARE(traceSteps(home).size(), lines); // off: nothing more, not even on closing

    w.aFehlerverfolgung->trigger();
    w.close();
    QCOMPARE(traceSteps(home).last(), QStringLiteral("----- end -----"));
    trace::setEnabled(false);
    setAppClock(nullptr);
}

void MainWindowTest::menusAndActions()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, sampleCatches());
    home.write(QStringLiteral("DATs/Faenger.dat"), "Tom\r\n");
    TfrmMain w;
    w.FormShow();

    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
        titles.append(a->text());
    QCOMPARE(titles, (QStringList{"&Datei", "&Fang", "&Angelkosten", "&Einstellungen", "&Statistik", "&Hilfe"}));
    // Every fixed item is reachable by keyboard, with a mnemonic unique within its menu.
    for (QMenu* menu : w.findChildren<QMenu*>()) {
        if (menu == w.mnuKarte || menu == w.mnuStatistik || menu == w.PopupMenu1)
            continue;
        QSet<QChar> keys;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0 && amp + 1 < a->text().size(), qPrintable(a->text()));
            const QChar key = a->text()[amp + 1].toLower();
            QVERIFY2(!keys.contains(key), qPrintable(menu->title() + QStringLiteral(": ") + a->text()));
            keys.insert(key);
        }
    }
    // Windows of later parts stay disabled; this window's own items work.
    for (QAction* a : {w.aHinzufuegen, w.aSuchen, w.aBissliste, w.aBackupErstellen, w.aBackupLaden,
                       w.aFanglisteErstellen, w.aAKHinzufuegen, w.aAKUebersicht, w.aAuswertenPDF, w.aStatistikPDF})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!w.mnuAuswerten->menuAction()->isEnabled());
    QVERIFY(!w.mnuExportieren->menuAction()->isVisible());
    QVERIFY(!w.aAuswertenHTML->isVisible());
    for (QAction* a : w.mnuStatistik->actions())
        if (!a->isSeparator())
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
    for (QAction* a : {w.aDBSelect, w.aAKDBSelect, w.aBeenden, w.aFaenger, w.aFehlerverfolgung, w.aHilfe, w.aAbout, w.aSpenden})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QCOMPARE(w.mnuAngelkosten->defaultAction(), w.aAKUebersicht);
    QCOMPARE(menuTexts(w.PopupMenu1), (QStringList{"Detail&s", "-", "&Bearbeiten", "&Löschen", "-", "D&uplizieren"}));

    // A later window plugs in by setting a hook: the Statistik items become usable.
    QList<int> tags;
    w.onStatistik = [&](QAction* item) { tags.append(item->data().toInt()); };
    w.updateActions();
    w.mnuStatistik->actions().first()->trigger();
    QCOMPARE(tags, QList<int>{2});
}

void MainWindowTest::selectionEnablesWiredActions()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, sampleCatches());
    TfrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.listModel->rowCount(), 6);

    QList<int> deleted, previews, details;
    w.wireAction(w.aLoeschen, [&] { deleted.append(w.selectedRow()); });
    w.onPreviewRow = [&](int row) { previews.append(row); };
    QVERIFY(!w.aLoeschen->isEnabled());

    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, w.ListView1->visualRect(w.listModel->index(1, 1)).center());
    QCOMPARE(w.selectedRow(), 5);
    QCOMPARE(previews, QList<int>{5});
    QVERIFY(w.aLoeschen->isEnabled());
    QVERIFY(!w.aBearbeiten->isEnabled()); // not there yet
    QVERIFY(!w.aDetails->isEnabled());

    QTest::keyClick(w.ListView1, Qt::Key_Delete);
    QCOMPARE(deleted, QList<int>{5});

    w.onOpenDetails = [&](int row) { details.append(row); };
    w.updateActions();
    QVERIFY(w.aDetails->isEnabled());
    const QPoint third = w.ListView1->visualRect(w.listModel->index(2, 1)).center();
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, third);
    QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, third);
    QCOMPARE(details, QList<int>{4});

    // Read-only list; emptying it disables the actions again.
    QVERIFY(!(w.listModel->flags(w.listModel->index(0, 1)) & Qt::ItemIsEditable));
    w.listModel->clear();
    QVERIFY(!w.aLoeschen->isEnabled());
    QVERIFY(!w.aDetails->isEnabled());
}

void MainWindowTest::helpAboutAndDonation()
{
    TempHome home;
    ScriptedInteraction ui;
    installDatabases(home, sampleCatches());
    TfrmMain w;
    w.FormShow();

    w.aHilfe->trigger();
    QCOMPARE(ui.texts(QStringLiteral("information")), QStringList{QStringLiteral("Hilfe Datei nicht gefunden!")});
    home.write(QStringLiteral("Anleitung.pdf"), "%PDF-1.4\n");
    w.aHilfe->trigger();
    QCOMPARE(ui.texts(QStringLiteral("document")), QStringList{home.file(QStringLiteral("Anleitung.pdf"))});

    QCOMPARE(TfrmAbout::fileVersion(), QStringLiteral("1.0.0.0"));
    QCOMPARE(w.frmAbout->lb_programm->text(), QStringLiteral("Fischkladde  v. 1.0.0.0"));
    bool aboutShown = false, donationShown = false;
    QTimer::singleShot(0, &w, [&] {
        aboutShown = w.frmAbout->isVisible();
        w.frmAbout->accept();
    });
    w.aAbout->trigger();
    QTimer::singleShot(0, &w, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        donationShown = dialog && dialog->windowTitle() == QStringLiteral("Den Autor unterstützen")
                        && dialog->findChild<QLabel*>(QStringLiteral("lb_konto"))->text().contains(QStringLiteral("IBAN"));
        if (dialog)
            dialog->close();
    });
    w.aSpenden->trigger();
    QVERIFY(aboutShown);
    QVERIFY(donationShown);
}

FK_UI_TEST_MAIN(MainWindowTest)
#include "mainwindow.moc"
