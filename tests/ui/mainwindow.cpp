// The main window driven as a user would: start-up, views, selectors, sorting, menus,
// error box and step trace; its database dialog and list editor.
#include "support/UiFixtures.h"
#include "data/LookupLists.h"
#include "ui/lists/TfrmCBox.h"
#include "ui/main/PreviewPanel.h"
#include "ui/lists/TfrmDBSelect.h"
#include "ui/wizard/TfrmWizard.h"
#include "support/ModalDriver.h"

namespace {

void clickHeader(TfrmMain& w, int column)
{
    QHeaderView* header = w.ListView1->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// Trace lines without their time stamps.
QStringList traceSteps(const TempHome& home)
{
    QStringList out;
    for (const QString& line : traceText(home).split("\r\n", Qt::SkipEmptyParts))
        out.append(line.mid(QStringLiteral("05.12 - 13:20:07 -->").size()));
    return out;
}


const QStringList kCatchLists{"Faenger", "Fischarten", "Gewaesser", "Koeder", "Stelle", "Wetter", "Fangmethode"};
const QStringList kCostLists{"AK_Artikelbez", "AK_Geschaeft"};

void writeAllLists(const TempHome& home)
{
    for (const QString& name : kCatchLists + kCostLists)
        home.write("DATs/" + name + ".dat", "x\r\n");
}

QStringList existingLists(const TempHome& home)
{
    QStringList out;
    for (const QString& name : kCatchLists + kCostLists)
        if (QFileInfo::exists(home.file("DATs/" + name + ".dat")))
            out.append(name);
    return out;
}

// Opens the dialog for a kind's number as the menu does, without blocking.
TfrmDBSelect* showTagged(TfrmDBSelect* d, int kind)
{
    d->setKind(catchdb::Kind(kind));
    d->show();
    return d;
}
TfrmCBox* showTagged(TfrmCBox* d, int kind)
{
    d->setKind(lookup::ListKind(kind));
    d->show();
    return d;
}

// Adds the texts in the list editor, one by one, as typed.
void addItems(TfrmCBox* e, const QStringList& texts)
{
    for (const QString& t : texts) {
        e->Edit1->setText(t);
        QTest::mouseClick(e->SpeedButton1, Qt::LeftButton);
    }
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsSelectorsAndLastEntries()
    {
        std::vector<TestCatch> catches(25, TestCatch{"01.05.2006"});
        catches[2].date = "31.12.2020"; // newest date in an old row
        catches[24].water = "Rhein";
        MainEnv env(catches);
        // Angler list with a blank line and an umlaut in Windows-1252.
        env.home.write("DATs/Faenger.dat", "Tom\r\n\r\nJ\xFCrgen\r\n");
        env.home.write("DATs/Gewaesser.dat", "rhein\r\nMain\r\nRhein\r\n\r\nAltrhein\r\n");
        TfrmMain& w = env.open(true);
        QTRY_COMPARE(w.listModel->rowCount(), 10);
        QCOMPARE(w.windowTitle(), QStringLiteral("Norvak Fischkladde"));
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("25"));
        QCOMPARE(listIds(w), (QList<int>{25, 24, 23, 22, 21, 20, 19, 18, 17, 16}));
        QVERIFY(w.ListView1->isColumnHidden(0));
        QCOMPARE(columnTexts(w.cb_gehezu->model()), (QStringList{"--Übersicht--", "-Alle Fänge-", "Tom", "Jürgen"}));
        QCOMPARE(w.cb_gehezu->currentIndex(), 0);
        QVERIFY(w.cb_jahr->isHidden());
        QVERIFY(w.Image10->isHidden());
        QCOMPARE(columnTexts(w.cb_jahr->model()), (QStringList{"-Alle-", "2020", "2006"}));
        QCOMPARE(w.Label2->text(), QStringLiteral("Die letzten 10 Einträge:"));
        QCOMPARE(menuTexts(w.mnuStatistik),
                 (QStringList{"Wann angeln gehen?", "-", "Gesamt", "-", "Tom", "Jürgen", "-", "Auswerten"}));
        // Waters sorted, each once whatever its letter case.
        QCOMPARE(menuTexts(w.mnuKarte), (QStringList{"Altrhein", "Main", "rhein"}));
        QVERIFY(env.ui.messages.isEmpty());

        // Reloading without an angler file keeps the entries and adds only a separator.
        QFile::remove(env.home.file("DATs/Faenger.dat"));
        w.LoadSelectors();
        QCOMPARE(w.cb_gehezu->count(), 4);
        QCOMPARE(menuTexts(w.mnuStatistik).mid(6), (QStringList{"-", "-", "Auswerten"}));
    }

    void startUpWithoutDatabaseOpensTheAssistant()
    {
        TempHome home;
        ScriptedInteraction ui;
        TfrmMain w;
        QVERIFY(QFileInfo(home.file("DATs")).isDir());
        QVERIFY(QFileInfo(home.file("img")).isDir());

        // The assistant takes the place of the database dialog; cancelled, nothing is known.
        int shown = 0;
        onModal<TfrmWizard>([&](TfrmWizard* z) {
            ++shown;
            z->reject();
        });
        w.FormShow();
        QCOMPARE(shown, 1);
        QVERIFY(ui.messages.isEmpty());
        QVERIFY(w.session().dbPath.isEmpty());
        QCOMPARE(w.listModel->rowCount(), 0);
    }

    void startUpWithDamagedOrMissingDatabaseLosesNothing()
    {
        {
            MainEnv env({{"07.05.2006"}});
            const QByteArray bytes = env.home.read("fang.fdb") + "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s;t;u;v;w;x;y;z;1;2;3;4;5;6;7;8\r\n";
            env.home.write("fang.fdb", bytes);
            env.win = std::make_unique<TfrmMain>();
            onModal<TfrmWizard>([](TfrmWizard* z) { z->reject(); });
            env.win->FormShow();
            const QStringList warnings = env.ui.texts("warning");
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings[0].contains(QStringLiteral("beschädigt")), qPrintable(warnings[0]));
            QCOMPARE(env.home.read("fang.fdb"), bytes); // never saved over
            QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("fang.fdb"));
            QCOMPARE(env.win->listModel->rowCount(), 0);
        }
        {
            TempHome home;
            ScriptedInteraction ui;
            IniFile::settings().writeString("DB", "File", home.file("weg.fdb"));
            TfrmMain w;
            bool assistant = false;
            onModal<TfrmWizard>([&](TfrmWizard* z) {
                assistant = true;
                z->reject();
            });
            w.FormShow();
            // A database that is gone is simply not loaded: no error, the assistant instead.
            QVERIFY(ui.texts("warning").isEmpty());
            QVERIFY(ui.texts("error").isEmpty());
            QVERIFY(assistant);
            QVERIFY(!QFileInfo::exists(home.file("weg.fdb")));
        }
    }

    void startUpInUnwritableProgramFolderKeepsGoing()
    {
        TempHome home;
        ScriptedInteraction ui;
        // A program folder that cannot hold folders (a file in its place; works as root too).
        home.write("blocked", "x");
        const QByteArray previous = qgetenv("FISCHKLADDE_HOME");
        qputenv("FISCHKLADDE_HOME", home.file("blocked").toLocal8Bit());
        {
            TfrmMain w;
            onModal<TfrmWizard>([](TfrmWizard* z) { z->reject(); });
            w.FormShow();
            const QStringList warnings = ui.texts("warning");
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings[0].contains(QStringLiteral("konnte nicht angelegt werden")), qPrintable(warnings[0]));
        }
        qputenv("FISCHKLADDE_HOME", previous);
        QCOMPARE(home.read("blocked"), QByteArray("x"));
    }

    void viewsAndSelectors()
    {
        MainEnv env;
        env.home.write("DATs/Faenger.dat", "anna\r\nAnna\r\nTom\r\n");
        TfrmMain& w = env.open();
        const QStringList allYears{"-Alle-", "2007", "2006", "2005"};

        w.cb_gehezu->setCurrentIndex(1); // -Alle Fänge-
        QVERIFY(!w.cb_jahr->isHidden());
        QVERIFY(!w.Image10->isHidden());
        QCOMPARE(w.Label2->text(), QStringLiteral("Alle Fänge:"));
        QCOMPARE(columnTexts(w.cb_jahr->model()), allYears);
        QCOMPARE(listIds(w), (QList<int>{4, 2, 6, 1, 3, 5})); // newest day first
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("6"));

        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2006"));
        QCOMPARE(listIds(w), (QList<int>{6, 1, 3}));
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("3"));
        w.cb_jahr->setCurrentIndex(0);
        QCOMPARE(w.listModel->rowCount(), 6);

        // A name differing only in letter case shows nothing.
        w.lb_summefischlaenge->setText("alt");
        w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText("anna"));
        QCOMPARE(w.listModel->rowCount(), 0);
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("0"));
        QCOMPARE(w.lb_summefischlaenge->text(), QString());
        QCOMPARE(w.Label2->text(), QStringLiteral("Alle Fänge von anna"));
        QCOMPARE(columnTexts(w.cb_jahr->model()), QStringList{"-Alle-"});

        w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText("Anna"));
        QCOMPARE(listIds(w), (QList<int>{2, 6, 5}));
        QCOMPARE(columnTexts(w.cb_jahr->model()), allYears);
        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2005"));
        QCOMPARE(listIds(w), (QList<int>{5}));

        w.cb_gehezu->setCurrentIndex(0);
        QVERIFY(w.cb_jahr->isHidden());
        QCOMPARE(listIds(w), (QList<int>{6, 5, 4, 3, 2, 1}));
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("6"));
        QVERIFY(env.ui.messages.isEmpty());
    }

    void sortingByColumnClicks()
    {
        std::vector<TestCatch> catches = sampleCatches();
        catches[1].length = "45,5"; // the overview reports it; the list still sorts it
        MainEnv env(catches);
        TfrmMain& w = env.open(true);
        w.cb_gehezu->setCurrentIndex(1);

        clickHeader(w, 4); // Länge (cm): longest first; 45,5 reads as 45 beside whole numbers
        QCOMPARE(columnTexts(w.listModel, 4), (QStringList{"81", "72", "60", "45,5", "45", "30"}));
        clickHeader(w, 4);
        QCOMPARE(columnTexts(w.listModel, 4), (QStringList{"30", "45,5", "45", "60", "72", "81"}));

        // After a full view the first click on the date keeps newest first, the second turns it.
        w.cb_gehezu->setCurrentIndex(0);
        w.cb_gehezu->setCurrentIndex(1);
        const QStringList newestFirst = columnTexts(w.listModel, 1);
        clickHeader(w, 1);
        QCOMPARE(columnTexts(w.listModel, 1), newestFirst);
        clickHeader(w, 1);
        QCOMPARE(columnTexts(w.listModel, 1), (QStringList{"12.06.2005", "03.03.2006", "07.05.2006", "20.07.2006", "01.02.2007", "09.09.2007"}));

        clickHeader(w, 2); // Fischart: text ascending
        QCOMPARE(columnTexts(w.listModel, 2), (QStringList{"Aal", "Barsch", "Hecht", "Hecht", "Schleie", "Zander"}));

        // The selected catch stays selected across a sort.
        w.ListView1->selectRow(0);
        const int selected = w.selectedRow();
        clickHeader(w, 2);
        QCOMPARE(w.selectedRow(), selected);
    }

    void brokenDateShowsErrorAndProgramGoesOn()
    {
        std::vector<TestCatch> catches = sampleCatches();
        catches[2].date = "32.13.2006";
        MainEnv env(catches);
        const QByteArray before = env.home.read("fang.fdb");
        TfrmMain& w = env.open(); // the years and the overview figures fail, the last entries still show
        const QString broken = QStringLiteral("Zeile 3, Feld Fangdatum: '32.13.2006' is not a valid date");
        QCOMPARE(env.ui.texts("error"), (QStringList{broken, broken}));
        QCOMPARE(env.ui.messages.first().title, QStringLiteral("Fehler"));
        QCOMPARE(w.listModel->rowCount(), 6);

        w.cb_gehezu->setCurrentIndex(1);
        QCOMPARE(env.ui.texts("error"), (QStringList{broken, broken, broken}));
        w.cb_gehezu->setCurrentIndex(0);
        QCOMPARE(w.listModel->rowCount(), 6);
        QCOMPARE(env.home.read("fang.fdb"), before);
    }

    void tracingWritesStepsAndErrors()
    {
        MainEnv env({{"07.05.2006", "Tom", "Hecht", "60"}, {"1.2.2007", "Tom", "Aal", "40"}, {"08.05.2006"}});
        FixedClock clock;
        setAppClock(&clock);
        QVERIFY(!trace::enabled());
        TfrmMain& w = env.open();
        QVERIFY(!QFileInfo::exists(env.home.file("error.log")));

        w.aFehlerverfolgung->trigger();
        QVERIFY(trace::enabled());
        QCOMPARE(env.ui.texts("information").last(),
                 QStringLiteral("Die Fehlerverfolgung ist jetzt angeschaltet.\n"
                                "Das bedeutet jeder Schritt den sie mit dem Programm ausführen wird protokoliert.\n"
                                "Sie sollten diese Funktion nur aktivieren wenn ein Fehler aufgetreten ist.\n"
                                "Das hilft mir den Fehler leichter ausfindig zu machen"));
        w.cb_gehezu->setCurrentIndex(1);
        w.ListView1ColumnClick(4);
        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2006"));

        const QStringList steps = traceSteps(env.home);
        QVERIFY(traceText(env.home).startsWith(QStringLiteral("05.12 - 13:20:07 -->---- begin ----\r\n")));
        QCOMPARE(steps.mid(0, 5), (QStringList{"---- begin ----", "Main: Gehezu change", "Main: Jahr CB laden ()",
                                               "Main: Display (Alle;0)", "Main: Statistik (;0)"}));
        // One line per comparison of the sort.
        int sorts = 0;
        int i = 5;
        while (i < steps.size() && steps[i] == QStringLiteral("Main: LV Sort"))
            ++sorts, ++i;
        QVERIFY(sorts >= 2 && sorts <= 3);
        QCOMPARE(steps.mid(i, 2), (QStringList{"Main: Gewässer", "Main: LV ColumClick(4)"}));
        i += 2;
        while (i < steps.size() && steps[i] == QStringLiteral("Main: LV Sort"))
            ++i;
        QCOMPARE(steps.mid(i), (QStringList{"Main: Jahr ändern", "Main: Display (Alle;2006)", "Main: Statistik (;2006)",
                                            "Main: LV Sort", "Main: Gewässer"}));

        // An error with tracing on is written too.
        w.session().DB.GoToRow(3);
        w.session().DB.SetData("Fangdatum", QByteArray("kaputt"));
        w.cb_gehezu->setCurrentIndex(0);
        w.cb_gehezu->setCurrentIndex(1);
        QCOMPARE(traceSteps(env.home).last(), QStringLiteral("Zeile 3, Feld Fangdatum: 'kaputt' is not a valid date"));
        QCOMPARE(env.ui.texts("error").last(), QStringLiteral("Zeile 3, Feld Fangdatum: 'kaputt' is not a valid date"));

        w.aFehlerverfolgung->trigger();
        QVERIFY(!trace::enabled());
        QCOMPARE(env.ui.texts("information").last(), QStringLiteral("Die Fehlerverfolgung ist jetzt ausgeschaltet"));
        QCOMPARE(traceSteps(env.home).last(), QStringLiteral("---- end ----"));
        const int lines = traceSteps(env.home).size();
        w.cb_gehezu->setCurrentIndex(0);
        w.close();
        QCOMPARE(traceSteps(env.home).size(), lines); // off: nothing more, not even on closing

        w.aFehlerverfolgung->trigger();
        w.close();
        QCOMPARE(traceSteps(env.home).last(), QStringLiteral("----- end -----"));
        trace::setEnabled(false);
        setAppClock(nullptr);
    }

    void menusActionsAndSelection()
    {
        MainEnv env;
        env.home.write("DATs/Faenger.dat", "Tom\r\nTina\r\nM&S\r\n");
        env.home.write("DATs/Gewaesser.dat", "Rhein\r\nRuhr\r\n");
        TfrmMain& w = env.open(true);
        QTRY_COMPARE(w.listModel->rowCount(), 6);
        // Names in the menus keep their "&" and get a free letter each.
        QCOMPARE(menuTexts(w.mnuStatistik).mid(4, 3), (QStringList{"Tom", "Tina", "M&S"}));
        QCOMPARE(menuTexts(w.mnuKarte), (QStringList{"Rhein", "Ruhr"}));
        QCOMPARE(w.mnuKarte->actions().last()->text(), QStringLiteral("R&uhr"));
        // Every item, fixed or named, is reachable by keyboard, with a mnemonic unique within its menu.
        for (QMenu* menu : w.findChildren<QMenu*>()) {
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
        // Windows not built yet stay disabled; this window's own items work.
        for (QAction* a : {w.aLoeschen})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(w.mnuExportieren->menuAction()->isVisible()); // shown by the exchange commands
        // Backup, search, blank list and the HTML evaluation have their windows.
        for (QAction* a : {w.aSuchen, w.aBackupErstellen, w.aBackupLaden, w.aFanglisteErstellen, w.aAuswertenHTML,
                           w.aAuswertenPDF, w.aStatistikPDF, w.aAKAlsPDF, w.aAKJahrPDF})
            QVERIFY2(a->isEnabled() && a->isVisible(), qPrintable(a->objectName()));
        QVERIFY(w.mnuAuswerten->menuAction()->isEnabled());
        // The statistics window wires the Statistik items, the report family "Auswerten".
        for (QAction* a : w.mnuStatistik->actions())
            QVERIFY2(a->isSeparator() || a->isEnabled(), qPrintable(a->text()));
        for (QAction* a : {w.aHinzufuegen, w.aBissliste, w.aDBSelect, w.aAKDBSelect, w.aBeenden, w.aFaenger, w.aFehlerverfolgung, w.aHilfe, w.aAbout, w.aSpenden,
                           w.aAKHinzufuegen, w.aAKUebersicht})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        QCOMPARE(w.mnuAngelkosten->defaultAction(), w.aAKUebersicht);

        // A window family plugs in through the host: the Statistik items become usable.
        QList<int> tags, deleted;
        QString angler;
        w.setStatistikHandler([&](host::StatistikMode mode, const QString& name) {
            tags.append(int(mode));
            angler = name;
        });
        w.mnuStatistik->actions().first()->trigger();
        QCOMPARE(tags, QList<int>{int(host::StatistikMode::Empfehlung)});
        w.mnuStatistik->actions()[6]->trigger();
        QCOMPARE(angler, QStringLiteral("M&S"));

        // A click selects and previews; the Delete key reaches the wired action.
        w.wireAction(w.aLoeschen, [&] { deleted.append(w.selectedRow()); });
        w.previewPanel->lb_leftfischart->setText(QStringLiteral("vorher"));
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, rowPoint(w, 1));
        QCOMPARE(w.selectedRow(), 5);
        QVERIFY(w.previewPanel->lb_leftfischart->text() != QStringLiteral("vorher"));
        QVERIFY(w.aLoeschen->isEnabled());
        QVERIFY(w.aBearbeiten->isEnabled());
        QTest::keyClick(w.ListView1, Qt::Key_Delete);
        QCOMPARE(deleted, QList<int>{5});

        // Read-only list; emptying it disables the actions again.
        QVERIFY(!(w.listModel->flags(w.listModel->index(0, 1)) & Qt::ItemIsEditable));
        w.listModel->clear();
        QVERIFY(!w.aLoeschen->isEnabled());
        QVERIFY(!w.aDetails->isEnabled());
    }

    void helpAboutAndDonation()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        w.aHilfe->trigger();
        QCOMPARE(env.ui.texts("information"), QStringList{"Hilfe Datei nicht gefunden!"});
        env.home.write("Anleitung.pdf", "%PDF-1.4\n");
        w.aHilfe->trigger();
        QCOMPARE(env.ui.texts("document"), QStringList{env.home.file("Anleitung.pdf")});

        // The title of the window an action opens, closed again right away.
        const auto opened = [](QAction* action) {
            QString title;
            QTimer::singleShot(0, [&title] {
                if (QWidget* dialog = QApplication::activeModalWidget()) {
                    title = dialog->windowTitle();
                    dialog->close();
                }
            });
            action->trigger();
            return title;
        };
        QCOMPARE(opened(w.aAbout), QStringLiteral("Über Fischkladde"));
        QCOMPARE(opened(w.aSpenden), QStringLiteral("Den Autor unterstützen"));
    }

    void createCatchAndCostDatabases()
    {
        MainEnv env({{"07.05.2006"}, {"08.05.2006"}});
        TfrmMain& w = env.open();
        QCOMPARE(w.listModel->rowCount(), 2);

        // Each database: its fields, its key in the settings; only the other kind's lists stay.
        const struct {
            int tag;
            const char *old, *created, *suffix, *key;
            QByteArray header;
            QStringList listsLeft;
        } cases[] = {{0, "fang.fdb", "neu.fdb", "fdb", "DB", kCatchHeader, kCostLists},
                     {1, "kosten.akdb", "neu.akdb", "akdb", "AKDB",
                      "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n", kCatchLists}};
        for (const auto& c : cases) {
            writeAllLists(env.home);
            TfrmDBSelect* d = showTagged(w.frmDBSelect, c.tag);
            QCOMPARE(d->ed_dbname->text(), env.home.file(c.old));
            env.ui.saveFiles.enqueue(env.home.file(c.created));
            QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
            QCOMPARE(env.ui.lastDefaultSuffix, QString::fromLatin1(c.suffix));
            QVERIFY(!d->isVisible());
            QCOMPARE(env.home.read(c.created), c.header);
            QCOMPARE(IniFile::settings().readString(c.key, "File"), env.home.file(c.created));
            QCOMPARE(existingLists(env.home), c.listsLeft);
        }
        const QString fdb = env.home.file("neu.fdb");
        QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
        QCOMPARE(w.session().dbPath, fdb);
        QCOMPARE(w.session().akdbPath, env.home.file("neu.akdb"));
        QCOMPARE(w.session().DB.RowCount(), 0);
        QCOMPARE(w.listModel->rowCount(), 0); // no catches of the old database shown

        // Cancelling the save dialog changes nothing.
        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QTest::mouseClick(d->BitBtn3, Qt::LeftButton);
        QVERIFY(!d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), fdb);
        QCOMPARE(existingLists(env.home), kCatchLists);
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void openDatabasesRebuildsListsAndRefreshesTheList()
    {
        MainEnv env({{"07.05.2006"}});
        TfrmMain& w = env.open();
        w.cb_gehezu->setCurrentIndex(1);

        // An older database without the later fields is brought up to date on opening.
        const QString other = env.home.file("andere.fdb");
        QByteArray legacy;
        for (const QByteArray& line : catchTable({{"01.01.2001", "Tom"}, {"02.01.2001", "anna"}, {"03.01.2001", "Anna"}}).toBytes().split('\n'))
            if (!line.isEmpty())
                legacy += line.split(';').mid(0, 24).join(';') + "\r\n";
        env.home.write("andere.fdb", legacy);

        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        env.ui.openFiles.enqueue(other);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Fischkladde Datenbank|*.fdb"));
        QVERIFY(!d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), other);
        QCOMPARE(w.session().dbPath, other);
        QCOMPARE(w.session().DB.RowCount(), 3);
        QCOMPARE(w.session().DB.FieldCount(), 32);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("anna\r\nTom\r\n"));
        // Back on the last entries of the new database, selectors reloaded.
        QCOMPARE(w.cb_gehezu->currentIndex(), 0);
        QVERIFY(w.cb_jahr->isHidden());
        QCOMPARE(w.cb_gehezu->count(), 4);
        QCOMPARE(listIds(w), (QList<int>{3, 2, 1}));

        // The cost database: its lists are rebuilt from its rows.
        const QString costs = env.home.file("k.akdb");
        TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
        akdb.AddRow();
        akdb.SetData("Artikel", QByteArray("Haken"));
        akdb.SetData("Geschaeft", QByteArray("Angelladen M\xFCller"));
        akdb.SetData("GesamtpreisVersand", QByteArray("3,95"));
        akdb.saveOrThrow(costs);
        d = showTagged(w.frmDBSelect, 1);
        env.ui.openFiles.enqueue(costs);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Angelkosten Datenbank|*.akdb"));
        QCOMPARE(IniFile::settings().readString("AKDB", "File"), costs);
        QCOMPARE(w.session().akdbPath, costs);
        QCOMPARE(w.session().AKDB.RowCount(), 1);
        QCOMPARE(env.home.read("DATs/AK_Geschaeft.dat"), QByteArray("Angelladen M\xFCller\r\n"));
        QCOMPARE(env.home.read("DATs/AK_Artikelbez.dat"), QByteArray("Haken\r\n"));
        QCOMPARE(w.lb_angelkosten->text(), QStringLiteral("3,95 €"));
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void openMissingDamagedOrCancelledChangesNothing()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        const QString db = env.home.file("fang.fdb");
        TfrmMain& w = env.open();
        env.home.write("DATs/Faenger.dat", "Alt\r\n");

        // Cancelled: nothing at all.
        TfrmDBSelect* d = showTagged(w.frmDBSelect, 0);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Alt\r\n"));

        // A typed name that does not exist: table, settings and path stay; lists rebuilt.
        const QString missing = env.home.file("gibtsnicht.fdb");
        env.ui.openFiles.enqueue(missing);
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ed_dbname->text(), missing);
        QCOMPARE(IniFile::settings().readString("DB", "File"), db);
        QCOMPARE(w.session().dbPath, db);
        QCOMPARE(w.session().DB.RowCount(), 1);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Tom\r\n"));
        QVERIFY(!QFileInfo::exists(missing));

        // A damaged file: the error box, everything as it was, the dialog stays open.
        env.home.write("kaputt.fdb", "Fangdatum;Faenger\r\n1;2;3\r\n");
        d = showTagged(w.frmDBSelect, 0);
        env.ui.openFiles.enqueue(env.home.file("kaputt.fdb"));
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains(QStringLiteral("beschädigt")));
        QCOMPARE(env.ui.messages.last().title, QStringLiteral("Fehler"));
        QVERIFY(d->isVisible());
        QCOMPARE(IniFile::settings().readString("DB", "File"), db);
        QCOMPARE(w.session().DB.RowCount(), 1);
        QCOMPARE(w.session().DB.FieldCount(), 32);
        QCOMPARE(env.home.read("kaputt.fdb"), QByteArray("Fangdatum;Faenger\r\n1;2;3\r\n"));
        d->reject();
    }

    void listEditorEditsAndSavesSorted()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        env.home.write("DATs/Faenger.dat", "Tom\r\n\r\n \r\n  \r\nJ\xFCrgen\r\nanna\r\n");
        TfrmMain& w = env.open();
        QCOMPARE(w.cb_gehezu->count(), 5);

        TfrmCBox* e = showTagged(w.frmCBox, 2);
        // Sorted ignoring case; the file's blank lines name nothing and are left out.
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"anna", "Jürgen", "Tom"}));
        // An equal value may go in twice; empty adds nothing; "Ł" has no Windows-1252 form.
        addItems(e, {"Bernd", "Bernd"});
        QCOMPARE(e->Edit1->text(), QStringLiteral("Bernd"));
        addItems(e, {"", "Łukasz"});
        QCOMPARE(env.ui.texts("warning").size(), 1);
        QVERIFY(env.ui.texts("warning").first().contains(QStringLiteral("Ł")));
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"anna", "Bernd", "Bernd", "Jürgen", "Tom"}));

        e->ListBox1->setCurrentRow(columnTexts(e->ListBox1->model()).indexOf("Tom"));
        QTest::keyClick(e->ListBox1, Qt::Key_Delete);
        e->ListBox1->setCurrentRow(1);
        e->Lschen1->trigger();
        QCOMPARE(columnTexts(e->ListBox1->model()), (QStringList{"anna", "Bernd", "Jürgen"}));

        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QVERIFY(!e->isVisible());
        // No blank lines written back; Windows-1252 bytes.
        const QByteArray saved("anna\r\nBernd\r\nJ\xFCrgen\r\n");
        QCOMPARE(env.home.read("DATs/Faenger.dat"), saved);
        // The angler list reloads the selectors.
        QCOMPARE(w.cb_gehezu->count(), 5);
        QCOMPARE(w.cb_gehezu->itemText(3), QStringLiteral("Bernd"));

        // Abbrechen writes nothing.
        e = showTagged(w.frmCBox, 2);
        addItems(e, {"Zoe"});
        QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
        QCOMPARE(env.home.read("DATs/Faenger.dat"), saved);

        // Waters: the Karte submenu follows the saved list.
        e = showTagged(w.frmCBox, 1);
        QCOMPARE(e->ListBox1->count(), 0);
        addItems(e, {"Rhein"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(menuTexts(w.mnuKarte), QStringList{"Rhein"});
    }

    void listEditorSpeciesDefaultsAndFailedWrite()
    {
        MainEnv env({TestCatch{"07.05.2006", "Tom"}});
        TfrmMain& w = env.open();

        // Without a species file the 27 defaults, alphabetically.
        TfrmCBox* e = showTagged(w.frmCBox, 7);
        const QStringList shown = columnTexts(e->ListBox1->model());
        QCOMPARE(shown.size(), 27);
        QCOMPARE(shown.mid(0, 4), (QStringList{"Aal", "Äsche", "Bachforelle", "Bachsaibling"}));
        QCOMPARE(shown.last(), QStringLiteral("Zander"));
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(lookup::readNamedList("Fischarten"), shown);
        QVERIFY(env.home.read("DATs/Fischarten.dat").startsWith("Aal\r\n\xC4sche\r\n"));

        // Other lists without a file start empty; a missing DATs folder is created on saving.
        QDir(env.home.file("DATs")).removeRecursively();
        e = showTagged(w.frmCBox, 4);
        QCOMPARE(e->ListBox1->count(), 0);
        addItems(e, {"Wurm"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.home.read("DATs/Koeder.dat"), QByteArray("Wurm\r\n"));

        // A list that cannot be written: error box, the editor stays with its items.
        e = showTagged(w.frmCBox, 5);
        QDir().mkpath(env.home.file("DATs/Stelle.dat")); // a folder in the file's place
        addItems(e, {"Steg"});
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(e->isVisible());
        QCOMPARE(columnTexts(e->ListBox1->model()), QStringList{"Steg"});
        e->reject();
    }
};

FK_UI_TEST_MAIN(MainWindowTest)
#include "mainwindow.moc"
