// The catch details and the picture dialog reached the way a user reaches them: a click and a
// double-click in the main list, and the entry dialog's picture button.
#include "data/Session.h"
#include "data/Trace.h"
#include "data/Win1252.h"
#include "support/MainWindowFixture.h"
#include "support/PictureFixtures.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/entry/TfrmBilderladen.h"
#include "ui/entry/TfrmWetter.h"
#include "ui/main/CatchListModel.h"
#include "ui/main/PictureView.h"
#include "ui/main/PreviewPanel.h"
#include "ui/main/TfrmDetails.h"
#include "ui/main/TfrmMain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

class CatchDetailsWiringTest : public QObject {
    Q_OBJECT
private slots:
    void listClickPreviewsAndDoubleClickOpensDetails()
    {
        TempHome home;
        ScriptedInteraction ui;
        installDatabases(home, {{"07.05.2006"}, {"08.05.2006", "Anna", "Zander", "61", "2250"}});
        const QString picture = fixtures::writeJpeg(home, QStringLiteral("img/z_0.jpg"), qRgb(0, 120, 0));
        TfrmMain w;
        w.session().DB.GoToRow(2);
        w.session().DB.SetData("Bild", QByteArray("z_0.jpg"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.listModel->rowCount(), 2);
        QVERIFY(w.Panel1->findChild<PreviewPanel*>());
        trace::setEnabled(true);

        // The newest entry is on top: row 2, the Zander.
        const QPoint first = w.ListView1->visualRect(w.listModel->index(0, 1)).center();
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(w.previewPanel->lb_leftfischart->text(), QStringLiteral("Zander"));
        QCOMPARE(w.previewPanel->lb_leftlaenge->text(), QStringLiteral("61 cm  2250 g"));
        QCOMPARE(w.previewPanel->lb_leftzeit->text(), QStringLiteral("gefangen am Montag, 08.05.2006 um 07:45"));
        QCOMPARE(w.previewPanel->im_left->shownFile(), picture);
        QVERIFY(w.aDetails->isEnabled());

        QString shownSpecies;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<TfrmDetails*>(QApplication::activeModalWidget())) {
                shownSpecies = d->lb_fischart->text();
                QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
            }
        });
        QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(shownSpecies, QStringLiteral("Zander"));
        QCOMPARE(w.frmDetails->lb_gewicht->text(), QStringLiteral("2250 g (4,50 Pfund)"));
        QCOMPARE(w.frmDetails->im_bild->shownFile(), picture);
        QVERIFY(!w.frmDetails->isVisible());

        w.openDetails(0); // nothing selected: nothing opens
        const QString log = win1252::decode(home.read(QStringLiteral("error.log")));
        QCOMPARE(log.count(QStringLiteral("-->Main: Details(2)")), 1);
        QVERIFY(!log.contains(QStringLiteral("Details(0)")));
        trace::setEnabled(false);
    }

    void pictureButtonOfTheEntryDialog()
    {
        TempHome home;
        ScriptedInteraction user;
        fixtures::FixedClock clock;
        clock.at = QDateTime(QDate(2006, 5, 7), QTime(18, 42, 17));
        fixtures::QueuedRandom random;
        random.values = {12};
        setAppClock(&clock);
        setAppRandom(&random);
        Session session;
        TfrmWetter wetter;
        TfrmAdd add(session, wetter);
        const QString photo = fixtures::writeJpeg(home, QStringLiteral("fotos/IMG 1.jpg"), qRgb(200, 0, 0), 900, 600);
        user.openFileLists.enqueue({photo});

        add.ed_bild->setText(QStringLiteral("alt_0.jpg"));
        QStringList listed;
        QTimer::singleShot(0, [&] {
            listed = add.frmBilderladen->items();
            QTest::mouseClick(add.frmBilderladen->BitBtn1, Qt::LeftButton);
            QTest::mouseClick(add.frmBilderladen->BitBtn2, Qt::LeftButton);
        });
        QVERIFY(add.Loadbild->isEnabled());
        QTest::mouseClick(add.Loadbild, Qt::LeftButton);
        QCOMPARE(listed, QStringList{"alt_0.jpg"});
        QCOMPARE(add.ed_bild->text(), QStringLiteral("alt_0.jpg,0705200618421712_1.jpg"));
        QVERIFY(QFile::exists(home.file(QStringLiteral("img/0705200618421712_1.jpg"))));

        // Cancel leaves the text as it was.
        QTimer::singleShot(0, [&] {
            listed = add.frmBilderladen->items();
            QTest::mouseClick(add.frmBilderladen->BitBtn3, Qt::LeftButton);
        });
        QTest::mouseClick(add.Loadbild, Qt::LeftButton);
        QCOMPARE(listed, (QStringList{"alt_0.jpg", "0705200618421712_1.jpg"}));
        QCOMPARE(add.ed_bild->text(), QStringLiteral("alt_0.jpg,0705200618421712_1.jpg"));
        setAppClock(nullptr);
        setAppRandom(nullptr);
    }
};

FK_UI_TEST_MAIN(CatchDetailsWiringTest)
#include "CatchDetailsWiringTest.moc"
