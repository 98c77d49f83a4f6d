// The catch road as an angler walks it every day with mouse and keyboard: the preview follows
// the selection, Delete removes the catch shown, a new year appears at once, estimates never
// wipe what was typed, and nothing is entered without a database.
#include "support/UiFixtures.h"
#include "ui/entry/CatchCommands.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/main/PreviewPanel.h"

namespace {

TfrmAdd* entryDialog(TfrmMain& w) { return w.findChild<TfrmAdd*>(); }

// "Hinzufügen" with `fill` run while the dialog is open; then the save button.
void enterCatch(TfrmMain& w, const std::function<void(TfrmAdd&)>& fill)
{
    TfrmAdd* add = entryDialog(w);
    QTimer::singleShot(0, [add, fill] {
        fill(*add);
        QTest::mouseClick(add->BitBtn2, Qt::LeftButton);
        if (add->isVisible())
            add->reject();
    });
    w.aHinzufuegen->trigger();
}

} // namespace

class DailyUseTest : public QObject {
    Q_OBJECT
private slots:
    void previewFollowsTheKeyboardAndDeleteRemovesTheCatchShown()
    {
        MainEnv env({{"07.05.2006", "Tom", "Hecht"}, {"08.05.2006", "Tom", "Zander"}, {"09.05.2006", "Tom", "Aal"}});
        TfrmMain& w = env.open(true);
        auto species = [&] { return w.previewPanel->lb_leftfischart->text(); };
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, rowPoint(w, 0));
        const QString first = species();
        QVERIFY(!first.isEmpty());
        QTest::keyClick(w.ListView1, Qt::Key_Down);
        const QString shown = species();
        QVERIFY2(shown != first, qPrintable(shown));
        TTextTable& db = w.session().DB;
        db.GoToRow(w.selectedRow());
        QCOMPARE(QString::fromLatin1(db.GetData("Fischart")), shown);

        // Delete removes exactly the catch the preview showed; the preview then shows nothing.
        env.ui.confirmations.enqueue(true);
        QTest::keyClick(w.ListView1, Qt::Key_Delete);
        const QByteArray file = env.home.read("fang.fdb");
        QVERIFY(!file.contains(shown.toLatin1()));
        QCOMPARE(file.count("\r\n"), 3); // header and two catches
        QCOMPARE(species(), QString());

        // Enter opens the details of the selected catch.
        QTest::keyClick(w.ListView1, Qt::Key_Down);
        QVERIFY(w.selectedRow() > 0);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                opened = d->objectName() == QStringLiteral("frmDetails") || d->windowTitle() == "Details";
                d->close();
            }
        });
        QTest::keyClick(w.ListView1, Qt::Key_Return);
        QVERIFY(opened);
    }

    void aNewYearAppearsAtOnceAndEstimatesKeepTypedValues()
    {
        MainEnv env({{"07.05.2006", "Tom", "Hecht"}});
        env.home.write("DATs/Faenger.dat", "Tom\r\n");
        FixedClock clock;
        clock.at = QDateTime(QDate(2009, 6, 1), QTime(8, 0));
        setAppClock(&clock);
        TfrmMain& w = env.open();
        w.LoadSelectors();
        w.cb_gehezu->setCurrentIndex(w.cb_gehezu->findText(QStringLiteral("-Alle Fänge-")));
        QCOMPARE(columnTexts(w.cb_jahr->model()), (QStringList{"-Alle-", "2006"}));

        enterCatch(w, [](TfrmAdd& a) {
            a.cb_faenger->setCurrentIndex(0);
            a.cb_fischart->setCurrentIndex(a.cb_fischart->findText("Meerforelle"));
            a.ed_laenge->setText("55");
            a.ed_gewicht->setText("1800");
            // No condition factor for this species: both values stay as typed.
            QTest::mouseClick(a.BitBtn1, Qt::LeftButton);
            QTest::mouseClick(a.BitBtn4, Qt::LeftButton);
            QCOMPARE(a.ed_gewicht->text(), QStringLiteral("1800"));
            QCOMPARE(a.ed_laenge->text(), QStringLiteral("55"));
        });
        QCOMPARE(env.ui.texts("information").size(), 2);
        QVERIFY(env.ui.texts("information").first().contains("Meerforelle"));
        QVERIFY(columnTexts(w.cb_jahr->model()).contains("2009"));
        QCOMPARE(w.listModel->rowCount(), 2);
        setAppClock(nullptr);
    }

    void withoutADatabaseNothingIsTypedInVain()
    {
        TempHome home;
        ScriptedInteraction ui;
        home.write("DATs/Faenger.dat", "Tom\r\n");
        TfrmMain w;
        QVERIFY(w.session().dbPath.isEmpty());
        w.aHinzufuegen->trigger();
        QVERIFY(!entryDialog(w)->isVisible());
        QCOMPARE(ui.texts("information").size(), 1);
        QVERIFY(ui.texts("information").first().contains("keine Fischkladde Datenbank"));
        QCOMPARE(w.session().DB.RowCount(), 0);
    }
};

QTEST_MAIN(DailyUseTest)
#include "dailyuse.moc"
