// The weather dialog as the user meets it: its fixed lists, the key filter, the wind-force
// message and the readings that stay between uses.
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/entry/TfrmWetter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

class TfrmWetterTest : public QObject {
    Q_OBJECT
private slots:
    void fixedListsStartWithoutSelection()
    {
        TfrmWetter w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Wetter auswählen"));
        auto* richtung = w.findChild<QComboBox*>("cb_windrichtung");
        auto* staerke = w.findChild<QComboBox*>("cb_windstaerke");
        QVERIFY(richtung && staerke);
        QCOMPARE(richtung->count(), 9);
        QCOMPARE(richtung->itemText(1), QStringLiteral("N"));
        QCOMPARE(staerke->count(), 13);
        QCOMPARE(staerke->itemText(4), QStringLiteral("Mäßige Brise"));
        QCOMPARE(staerke->itemText(12), QStringLiteral("Orkan"));
        QCOMPARE(w.findChild<QComboBox*>("cb_wassertruebung")->count(), 4);
        QCOMPARE(w.findChild<QComboBox*>("cb_wasserstand")->itemText(2), QStringLiteral("niedrig"));
        for (QComboBox* box : {richtung, staerke, w.cb_wassertruebung, w.cb_wasserstand}) {
            QCOMPARE(box->currentIndex(), -1);
            QVERIFY(!box->isEditable());
        }
        QVERIFY(w.cb_wetter->isEditable());
    }

    void keyFilterDropsDecimalSeparators()
    {
        TfrmWetter w;
        w.show();
        for (const char* name : {"ed_wassertemp", "ed_lufttemp", "ed_luftdruck"}) {
            auto* e = w.findChild<QLineEdit*>(name);
            QVERIFY(e);
            e->setFocus();
            QTest::keyClicks(e, "12,5");
            QCOMPARE(e->text(), QStringLiteral("125"));
            QTest::keyClicks(e, ".-3");
            QCOMPARE(e->text(), QStringLiteral("125-3"));
        }
    }

    void cancelKeepsWhatWasChosen()
    {
        TfrmWetter w;
        w.show();
        w.cb_windrichtung->setCurrentIndex(1);
        w.ed_lufttemp->setText("18");
        QTest::mouseClick(w.BitBtn3, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.cb_windrichtung->currentText(), QStringLiteral("N"));
        QCOMPARE(w.ed_lufttemp->text(), QStringLiteral("18"));
        w.show();
        QTest::mouseClick(w.BitBtn2, Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.cb_windrichtung->currentText(), QStringLiteral("N"));

        w.cb_wetter->setEditText("Nebel");
        w.clearReadings();
        QCOMPARE(w.cb_windrichtung->currentIndex(), -1);
        QCOMPARE(w.cb_windrichtung->currentText(), QString());
        QCOMPARE(w.cb_wetter->currentText(), QString());
        QCOMPARE(w.ed_lufttemp->text(), QString());
    }

    void windForceTableAsWritten()
    {
        ScriptedInteraction user;
        TfrmWetter w;
        w.show();
        QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
        const QStringList shown = user.texts("information");
        QCOMPARE(shown.size(), 1);
        const QStringList lines = shown.first().split('\r');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines[0], QStringLiteral("Windstill                  : Windstärke 0  <1 km/h -> Kein Wind"));
        QCOMPARE(lines[7], QStringLiteral("Steifer Wind           : Windstärke 7  50-61 km/h -> Bäume schwanke, Widerstand beim gehen"));
        QCOMPARE(lines[12], QStringLiteral("Orkan                     : Windstärke 12  >117 km/h -> Verwüstungen"));
        QVERIFY(!shown.first().contains('\n'));
    }
};

FK_UI_TEST_MAIN(TfrmWetterTest)
#include "TfrmWetterTest.moc"
