// The exchange commands of the "Fang" and "Angelkosten" menus driven with scripted file
// dialogs: the files they write, the rows they append, the refreshed window, refused files.
#include "support/UiFixtures.h"
#include "data/CatchRecord.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"

namespace {

struct Env : MainEnv {
    TfrmMain& w;
    Session& session;
    Env() : w(prepared()), session(w.session()) {}
    TfrmMain& prepared()
    {
        TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
        akdb.AddRow();
        akdb.SetData(costrec::Kaufdatum, "07.05.2006");
        akdb.SetData(costrec::Geschaeft, "B\xe4" "ckerstra\xdf" "e");
        akdb.SetData(costrec::Artikel, "Pose \"rot\"; klein");
        akdb.SetData(costrec::GesamtpreisVersand, "12,50");
        akdb.saveOrThrow(home.file("kosten.akdb"));
        return open();
    }
    QAction* action(const char* name) const { return w.findChild<QAction*>(QLatin1String(name)); }
    void trigger(const char* name)
    {
        QAction* a = action(name);
        QVERIFY2(a && a->isEnabled(), name);
        a->trigger();
    }
};

} // namespace

class ExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void menusOfferXmlAndCsvAndAreVisible()
    {
        Env env;
        for (const char* name : {"mnuExportieren", "mnuImportieren", "mnuAKExportieren", "mnuAKImportieren"}) {
            auto* menu = env.w.findChild<QMenu*>(QLatin1String(name));
            QVERIFY(menu);
            QVERIFY2(menu->menuAction()->isVisible(), name);
            QVERIFY2(menu->menuAction()->isEnabled(), name);
            for (QAction* a : menu->actions())
                QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        }
        QCOMPARE(menuTexts(env.w.findChild<QMenu*>("mnuExportieren")), (QStringList{"Als XML", "Als CSV"}));
        QCOMPARE(menuTexts(env.w.findChild<QMenu*>("mnuAKImportieren")), (QStringList{"aus XML", "aus CSV"}));
    }

    void exportsWriteTheChosenFileAndCancelWritesNothing()
    {
        Env env;
        const QString xml = env.home.file("fang.xml");
        env.ui.saveFiles.enqueue(xml);
        env.trigger("aExportXML");
        QCOMPARE(env.ui.messages.last().kind, QStringLiteral("save"));
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("XML|*.xml"));
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("xml"));
        QCOMPARE(env.home.read("fang.xml"), xmlexchange::exportTable(env.session.DB, catchdb::Kind::Catches));
        QVERIFY(env.home.read("fang.xml").count("<Fang>") == 6);

        env.ui.saveFiles.enqueue(env.home.file("kosten.csv"));
        env.trigger("aAKExportCSV");
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("CSV|*.csv"));
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("csv"));
        QCOMPARE(env.home.read("kosten.csv"),
                 QByteArray("\xef\xbb\xbfKaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                            "07.05.2006;B\xc3\xa4" "ckerstra\xc3\x9f" "e;\"Pose \"\"rot\"\"; klein\";;;;12,50\r\n"));

        // Cancelled dialogs: no file, no message.
        env.trigger("aExportCSV");
        env.trigger("aAKExportXML");
        QCOMPARE(QDir(env.home.path()).entryList({"*.xml", "*.csv"}, QDir::Files), (QStringList{"fang.xml", "kosten.csv"}));
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void importsAppendSaveAndRefreshTheWindow()
    {
        Env env;
        QCOMPARE(env.w.listModel->rowCount(), 6);
        QCOMPARE(env.w.lb_angelkosten->text(), QStringLiteral("12,50 €"));

        // The window's own export, imported back: six more catches, shown at once.
        env.home.write("zwei.xml", xmlexchange::exportTable(env.session.DB, catchdb::Kind::Catches));
        env.ui.openFiles.enqueue(env.home.file("zwei.xml"));
        env.trigger("aImportXML");
        QCOMPARE(env.ui.messages.last().kind, QStringLiteral("open"));
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("XML|*.xml"));
        QCOMPARE(env.session.DB.RowCount(), 12);
        QCOMPARE(env.home.read("fang.fdb"), env.session.DB.toBytes());
        QCOMPARE(env.w.listModel->rowCount(), 10); // the ten most recent catches

        // Costs through CSV: the figure follows.
        env.home.write("k.csv", "Geschaeft;GesamtpreisVersand\r\nAngel & Co;7,25\r\n");
        env.ui.openFiles.enqueue(env.home.file("k.csv"));
        env.trigger("aAKImportCSV");
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("CSV|*.csv"));
        QCOMPARE(env.session.AKDB.RowCount(), 2);
        QCOMPARE(env.home.read("kosten.akdb"), env.session.AKDB.toBytes());
        QCOMPARE(env.w.lb_angelkosten->text(), QStringLiteral("19,75 €"));
        QVERIFY(env.ui.texts("error").isEmpty());

        // A cancelled open dialog changes nothing.
        env.trigger("aAKImportXML");
        QCOMPARE(env.session.AKDB.RowCount(), 2);
    }

    void refusedFilesShowTheReasonAndChangeNothing()
    {
        Env env;
        const QByteArray db = env.home.read("fang.fdb");
        const QByteArray akdb = env.home.read("kosten.akdb");
        env.home.write("kaputt.xml", "<Fischkladde><Fang><Fischart>Aal</Fischart></Fang>");
        env.ui.openFiles.enqueue(env.home.file("kaputt.xml"));
        env.trigger("aImportXML");
        env.home.write("kaputt.csv", "Geschaeft\r\n\"offen\r\n");
        env.ui.openFiles.enqueue(env.home.file("kaputt.csv"));
        env.trigger("aAKImportCSV");
        const QStringList errors = env.ui.texts("error");
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors[0].startsWith("XML Fehler: ") && errors[0].size() > 20, qPrintable(errors[0]));
        QCOMPARE(errors[1], QStringLiteral("CSV Fehler: Zeile 2: Ein Wert in Anführungszeichen wird nicht geschlossen."));
        QCOMPARE(env.session.DB.RowCount(), 6);
        QCOMPARE(env.session.AKDB.RowCount(), 1);
        QCOMPARE(env.home.read("fang.fdb"), db);
        QCOMPARE(env.home.read("kosten.akdb"), akdb);
    }
};

FK_UI_TEST_MAIN(ExchangeTest)
#include "exchange.moc"
