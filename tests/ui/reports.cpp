// The report dialogs driven from the menus: the statistics PDF, the catch PDF with its
// catcher and year boxes, the two cost reports and the costs window's HTML export.
#include "support/UiFixtures.h"
#include "ui/costs/TfrmAngelkosten.h"
#include "ui/reports/TfrmPDF.h"
#include "ui/reports/TfrmPDFStatistik.h"

namespace {

const QByteArray kCosts = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                          "01.03.2004;Angelladen;Schnur;1;10,00;10,00;11,50\r\n"
                          "02.03.2004;Angelladen;Haken;1;5,00;5,00;5,75\r\n"
                          "05.05.2005;Fisch & Co;Rute;1;30,00;30,00;30,00\r\n";

struct Env : MainEnv {
    FixedClock clock;
    TfrmMain* w = nullptr;
    explicit Env(const QByteArray& costs = kCosts)
    {
        setAppClock(&clock);
        home.write("DATs/Faenger.dat", "Tom\r\nAnna\r\nOtto\r\n");
        home.write("kosten.akdb", costs);
        w = &open();
    }
    ~Env()
    {
        win.reset();
        setAppClock(nullptr);
    }
    // Triggers the menu item and runs `inside` while its dialog is open.
    void withDialog(const char* action, QDialog* dialog, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            QVERIFY(dialog->isVisible());
            inside();
            if (dialog->isVisible())
                dialog->reject();
        });
        QAction* a = w->menuAction(QString::fromLatin1(action));
        QVERIFY(a && a->isEnabled());
        a->trigger();
        QVERIFY(ran);
    }
    QByteArray file(const QString& name) const { return home.read(name); }
};

QStringList boxItems(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class ReportsTest : public QObject {
    Q_OBJECT
private slots:
    void statisticsDialogWritesTheChosenAnglersReport();
    void catchDialogBoxesAndCancelledSave();
    void costReportsAndEmptyTables();
    void costsWindowExportsTheYearList();
};

void ReportsTest::statisticsDialogWritesTheChosenAnglersReport()
{
    Env env;
    auto* dialog = env.w->findChild<TfrmPDFStatistik*>();
    QVERIFY(dialog);
    env.ui.saveFiles.enqueue(env.home.file("anna.pdf"));
    env.withDialog("aStatistikPDF", dialog, [&] {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Statistik auswerten"));
        QCOMPARE(boxItems(dialog->cb_faenger), QStringList({"-Alle-", "Tom", "Anna", "Otto"}));
        QCOMPARE(boxItems(dialog->cb_jahr), QStringList({"-Alle-", "2007", "2006", "2005"}));
        dialog->cb_faenger->setCurrentIndex(2);
        QCOMPARE(boxItems(dialog->cb_jahr), QStringList({"-Alle-", "2007", "2006", "2005"}));
        dialog->cb_faenger->setCurrentIndex(3);
        QCOMPARE(boxItems(dialog->cb_jahr), QStringList({"-Alle-"})); // Otto has no catches
        dialog->cb_faenger->setCurrentIndex(2);
        dialog->cb_jahr->setCurrentIndex(dialog->cb_jahr->findText("2006"));
        QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("pdf"));
    const QByteArray pdf = env.file("anna.pdf");
    QVERIFY(pdf.startsWith("%PDF-1.2"));
    QVERIFY(pdf.contains("(Hecht) Tj"));
    QVERIFY(pdf.contains("(2006) Tj"));
    QVERIFY2(!pdf.contains("(Zander) Tj"), "Anna's Zander is from 2007");
    QVERIFY2(!pdf.contains("(Barsch) Tj"), "Tom's catch");
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Otto has nothing to report: said, and no file asked for.
    env.withDialog("aStatistikPDF", dialog, [&] {
        dialog->cb_faenger->setCurrentIndex(3);
        QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
    });
    QCOMPARE(env.ui.texts("information").last(), QStringLiteral("Keine Daten zum Auswerten"));
    QCOMPARE(env.ui.texts("save").size(), 1);
}

void ReportsTest::catchDialogBoxesAndCancelledSave()
{
    Env env;
    auto* dialog = env.w->findChild<TfrmPDF*>();
    QVERIFY(dialog);
    env.withDialog("aAuswertenPDF", dialog, [&] {
        QCOMPARE(dialog->mode(), reports::PdfMode::Catches);
        QVERIFY(dialog->cb_faenger->isVisible());
        QCOMPARE(boxItems(dialog->cb_faenger), QStringList({"-Alle-", "Tom", "Anna", "Otto"}));
        dialog->cb_faenger->setCurrentIndex(1);
        QCOMPARE(boxItems(dialog->cb_jahr), QStringList({"-Alle-", "2007", "2006"}));
        env.ui.saveFiles.enqueue(QString()); // cancelled: nothing written, the dialog stays
        QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        env.ui.saveFiles.enqueue(env.home.file("tom.pdf"));
        QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    const QByteArray pdf = env.file("tom.pdf");
    QVERIFY(pdf.contains("/MediaBox [0 0 600 700]"));
    QVERIFY(pdf.contains("(Aal, 72 cm, 1000 g) Tj"));
    QVERIFY2(!pdf.contains("(Zander, "), "Anna's catch");
    QCOMPARE(QDir(env.home.path()).entryList({"*.pdf"}), QStringList({"tom.pdf"}));
}

void ReportsTest::costReportsAndEmptyTables()
{
    {
        Env env;
        auto* dialog = env.w->findChild<TfrmPDF*>();
        env.ui.saveFiles.enqueue(env.home.file("kosten.pdf"));
        env.withDialog("aAKAlsPDF", dialog, [&] {
            QCOMPARE(dialog->mode(), reports::PdfMode::CostList);
            QVERIFY(!dialog->cb_faenger->isVisible());
            QCOMPARE(boxItems(dialog->cb_jahr).mid(0, 2), QStringList({"-Alle-", "2026"}));
            QCOMPARE(boxItems(dialog->cb_jahr).last(), QStringLiteral("2004"));
            dialog->cb_jahr->setCurrentIndex(dialog->cb_jahr->findText("2004"));
            QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        });
        const QByteArray list = env.file("kosten.pdf");
        QVERIFY(list.contains("(Summe \\(inkl. 2,25 \x80 Versandkosten\\):) Tj"));
        QVERIFY(list.contains("(17,25 \x80) Tj"));
        QVERIFY(!list.contains("(Rute) Tj"));

        // The year overview is written without showing the dialog.
        env.ui.saveFiles.enqueue(env.home.file("jahre.pdf"));
        env.w->menuAction("aAKJahrPDF")->trigger();
        QVERIFY(!dialog->isVisible());
        const QByteArray years = env.file("jahre.pdf");
        QVERIFY(years.contains("(2005) Tj"));
        QVERIFY(years.contains("(2004) Tj"));
        QVERIFY(years.contains("0 0.5 0 rg") || years.contains("1 0 0 rg"));
    }
    {
        Env env("Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n");
        for (const char* action : {"aAKAlsPDF", "aAKJahrPDF"}) {
            env.w->menuAction(action)->trigger();
            QCOMPARE(env.ui.texts("information").last(), QStringLiteral("Keine Daten zum Auswerten"));
        }
        QVERIFY(env.ui.texts("save").isEmpty());
        QVERIFY(!env.w->findChild<TfrmPDF*>()->isVisible());
    }
}

void ReportsTest::costsWindowExportsTheYearList()
{
    Env env;
    auto* list = env.w->findChild<TfrmAngelkosten*>();
    QVERIFY(list);
    QVERIFY(list->Drucken1->isVisible());
    QVERIFY(list->Drucken1->isEnabled());
    env.ui.saveFiles.enqueue(env.home.file("kosten.html"));
    env.withDialog("aAKUebersicht", list, [&] {
        list->cb_geschaeft->setCurrentIndex(list->cb_geschaeft->findText("Angelladen"));
        list->Drucken1->trigger();
    });
    const QByteArray html = env.file("kosten.html");
    QVERIFY(html.contains("<b>Angelkosten 2026</b>"));
    QVERIFY(html.contains("<b>Angelkosten 2004</b>"));
    QVERIFY(html.contains("<center><b>17,25 \x80</b></center>"));
    QVERIFY2(!html.contains("Rute"), "only what the shop filter shows");
    QVERIFY(html.indexOf(">Haken<") < html.indexOf(">Schnur<"));
}

FK_UI_TEST_MAIN(ReportsTest)
#include "reports.moc"
