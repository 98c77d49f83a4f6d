// The entry dialog and the overview figures inside the main window: the figures match the
// overview command, the _2 labels follow their _1 labels, and new, edit, duplicate and
// delete reach the file and the list.
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/Win1252.h"
#include "support/TempHome.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/main/CatchListModel.h"
#include "ui/main/TfrmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimeEdit>
#include <QTimer>

namespace {

void installLog(const TempHome& home, const QByteArray& costTotal = "12,50")
{
    home.write("DATs/Faenger.dat", "Peter\r\nAnna\r\n");
    home.write("DATs/Fangmethode.dat", "Grund\r\nPose\r\n");
    home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\n");
    home.write("DATs/Fischarten.dat", "Hecht\r\nBarsch\r\n");
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    const QList<QByteArrayList> rows = {
        {"07.05.2006", "06:45", "Barsch", "25", "300", "Peter", "Pose", "Made", "03:00", "06:00", "Vollmond"},
        {"07.05.2006", "08:10", "Barsch", "28", "350", "Peter", "Pose", "Made", "03:00", "06:00", "Vollmond"},
        {"14.05.2006", "21:15", "Hecht", "80", "3886", "Anna", "Grund", "Wurm", "02:30", "20:00", "Neumond"},
        {"20.06.2007", "05:05", "Hecht", "62", "", "Peter", "Grund", "Wurm", "04:00", "02:00", ""}};
    for (const QByteArrayList& r : rows) {
        db.AddRow();
        const char* const f[] = {"Fangdatum", "Fangzeit", "Fischart", "Laenge", "Gewicht", "Faenger",
                                 "Fangmethode", "Koeder", "Angeldauer", "Angelbeginn", "Mondphase"};
        for (int i = 0; i < r.size(); ++i)
            db.SetData(f[i], r[i]);
    }
    db.saveOrThrow(home.file("fang.fdb"));
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    for (const QByteArray& total : {QByteArray("1000,50"), costTotal}) {
        akdb.AddRow();
        akdb.SetData("GesamtpreisVersand", total);
    }
    akdb.saveOrThrow(home.file("kosten.akdb"));
    IniFile::settings().writeString("DB", "File", home.file("fang.fdb"));
    IniFile::settings().writeString("AKDB", "File", home.file("kosten.akdb"));
}

// label name -> text, as the window shows them.
QStringList shownFigures(TfrmMain& w)
{
    QStringList lines;
    for (const char* name : {"lb_angelzeit", "lb_angelkosten", "lb_summefischgewicht", "lb_summefischlaenge",
                             "lb_anzahlfische", "besterfangtag_1", "besterfangtag_2", "bestefangzeit_1",
                             "bestefangzeit_2", "bestemondphase_1", "bestemondphase_2", "bestefangmethode_1",
                             "bestefangmethode_2", "bestesfangwetter_1", "bestesfangwetter_2", "besterkoeder_1",
                             "besterkoeder_2", "hafischart_1", "hafischart_2", "lafisch_1", "lafisch_2", "schfisch_1",
                             "schfisch_2", "besterfaenger_1", "besterfaenger_2"})
        lines << QString::fromLatin1(name) + '\t' + w.findChild<QLabel*>(name)->text();
    return lines;
}

QStringList commandFigures(const QStringList& extra = {})
{
    QStringList lines = QString::fromUtf8(runCli(QStringList{"overview"} + extra).out).split('\n');
    lines.removeLast();
    return lines;
}

} // namespace

class MainEntryTest : public QObject {
    Q_OBJECT
private slots:
    void figuresMatchTheOverviewCommand()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home);
        TfrmMain w;
        QVERIFY(!w.im_totangelzeit->isHidden());
        QVERIFY(w.im_angelzeit->isHidden());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.listModel->rowCount(), 4);
        QVERIFY(ui.messages.isEmpty());

        QCOMPARE(shownFigures(w), commandFigures());
        QCOMPARE(w.lb_angelzeit->text(), QStringLiteral("9 Std. 30 min"));
        QCOMPARE(w.lb_angelkosten->text(), QStringLiteral("1013,00 €"));
        QCOMPARE(w.hafischart_1->text(), QStringLiteral("Hecht")); // tie: file order
        QVERIFY(w.im_totangelzeit->isHidden());
        QVERIFY(!w.im_angelzeit->isHidden());

        // Each _2 label starts 4 pixels after its _1 label, which is as wide as its text.
        const auto checkPlacement = [&w] {
            w.centralWidget()->layout()->activate();
            for (QLabel* first : w.findChildren<QLabel*>(QRegularExpression("_1$"))) {
                auto* second = w.findChild<QLabel*>(first->objectName().replace("_1", "_2"));
                QVERIFY(second);
                QCOMPARE(first->width(), first->sizeHint().width());
                QCOMPARE(second->x(), first->x() + first->width() + 4);
            }
        };
        checkPlacement();

        // One angler: the same figures as the command for that angler.
        w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText("Peter"));
        QCOMPARE(w.listModel->rowCount(), 3);
        QCOMPARE(shownFigures(w), commandFigures({"--angler", "Peter"}));
        QCOMPARE(w.besterfaenger_2->text(), QStringLiteral("(3 Fische)"));
        checkPlacement();
        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2007"));
        QCOMPARE(shownFigures(w), commandFigures({"--angler", "Peter", "--year", "2007"}));
        QVERIFY(ui.messages.isEmpty());
    }

    void aBadCostStopsAfterTheCatchFigures()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home, "zw\xf6lf");
        TfrmMain w;
        w.FormShow();
        QCOMPARE(ui.texts("error"), QStringList{"'zwölf' is not a valid floating point value"});
        QCOMPARE(w.lb_summefischgewicht->text(), QStringLiteral("4,54 kg"));
        QCOMPARE(w.besterfaenger_1->text(), QStringLiteral("Peter"));
        QCOMPARE(w.lb_angelkosten->text(), QString());
        QCOMPARE(w.lb_angelzeit->text(), QString());
        QVERIFY(!w.im_totangelzeit->isHidden());
        QCOMPARE(runCli({"overview"}).err, QByteArray("'zwölf' is not a valid floating point value\n"));
    }

    void enterAndDeleteFromTheMenu()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home);
        TfrmMain w;
        w.FormShow();
        QVERIFY(w.aHinzufuegen->isEnabled());
        QVERIFY(!w.aBearbeiten->isEnabled());

        // A new catch in the full view of all catches: the list shows it at once.
        w.cb_gehezu->setCurrentIndex(1);
        QTimer::singleShot(0, [&w] {
            w.frmAdd->dt_fangdatum->setDate(QDate(2008, 8, 1));
            w.frmAdd->cb_faenger->setCurrentIndex(w.frmAdd->cb_faenger->findText("Anna"));
            w.frmAdd->cb_fischart->setCurrentIndex(w.frmAdd->cb_fischart->findText("Hecht"));
            w.frmAdd->ed_laenge->setText("90");
            w.frmAdd->ed_gewicht->setText("5200");
            QTest::mouseClick(w.frmAdd->BitBtn2, Qt::LeftButton);
        });
        w.aHinzufuegen->trigger();
        QCOMPARE(w.session().DB.RowCount(), 5);
        QCOMPARE(w.listModel->rowCount(), 5);
        QCOMPARE(w.listModel->rows().front().id, 5); // newest day first
        QCOMPARE(w.lb_anzahlfische->text(), QStringLiteral("5"));
        QCOMPARE(w.lafisch_2->text(), QStringLiteral("(90 cm)"));
        QVERIFY(home.read("fang.fdb").contains("01.08.2008;"));

        // Delete asks; Yes removes it from file and list.
        w.ListView1->selectRow(0);
        const int row = w.selectedRow();
        ui.confirmations.enqueue(true);
        w.aLoeschen->trigger();
        QCOMPARE(ui.texts("confirm"), QStringList{"Wollen Sie den Eintrag wirklich löschen?"});
        QCOMPARE(w.session().DB.RowCount(), 4);
        TTextTable file;
        file.LoadFromFile(home.file("fang.fdb"));
        QCOMPARE(file.RowCount(), 4);
        QCOMPARE(w.listModel->rowCount(), 4);
        QCOMPARE(row, 5);

        // Duplicate reaches the file at once and the list shows the copy.
        w.ListView1->selectRow(0);
        w.aDuplizieren->trigger();
        file.LoadFromFile(home.file("fang.fdb"));
        QCOMPARE(file.RowCount(), 5);
        QCOMPARE(w.listModel->rowCount(), 5);
        QVERIFY(ui.texts("error").isEmpty());
    }
};

FK_UI_TEST_MAIN(MainEntryTest)
#include "MainEntryTest.moc"
