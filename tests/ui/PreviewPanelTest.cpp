#include "data/Session.h"
#include "data/Trace.h"
#include "data/Win1252.h"
#include "storage/FkError.h"
#include "support/PictureFixtures.h"
#include "support/UiTestMain.h"
#include "ui/main/PictureView.h"
#include "ui/main/PreviewPanel.h"

#include <QLayout>
#include <QScreen>
#include <QToolButton>
#include <memory>

using namespace fixtures;

class PreviewPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home;
    Session session;
    std::unique_ptr<PreviewPanel> panel;

private slots:
    void init()
    {
        home = std::make_unique<TempHome>();
        session = Session();
        panel = std::make_unique<PreviewPanel>(session);
        panel->resize(260, 330);
        panel->show();
    }
    void cleanup()
    {
        trace::setEnabled(false);
        panel.reset();
        home.reset();
    }

    void catchWithoutPictures()
    {
        addCatch(session.DB, {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "14:30"}, {"Fischart", "Hecht"},
                              {"Laenge", "78"}, {"Gewicht", "1250"}, {"Koeder", "Wobbler"}});
        panel->showPreview(1);
        QCOMPARE(session.DB.CurrentRow(), 1);
        QCOMPARE(panel->lb_leftfischart->text(), QStringLiteral("Hecht"));
        QCOMPARE(panel->lb_leftlaenge->text(), QStringLiteral("78 cm  1250 g"));
        QCOMPARE(panel->lb_leftzeit->text(), QStringLiteral("gefangen am Sonntag, 07.05.2006 um 14:30"));
        QCOMPARE(panel->lb_leftkoeder->text(), QStringLiteral("mit Wobbler"));
        QVERIFY(!panel->Bildzurueck->isVisible());
        QVERIFY(!panel->Bildvor->isVisible());
        QVERIFY(!panel->im_left->hasPicture());
        QVERIFY(!panel->im_left->testAttribute(Qt::WA_SetCursor));
        // The length follows the species at 4 pixels.
        panel->layout()->activate();
        QCOMPARE(panel->lb_leftlaenge->geometry().left(), panel->lb_leftfischart->geometry().right() + 1 + 4);

        // A click on the empty picture opens nothing.
        ModalPeek peek;
        peek.arm();
        panel->im_leftClick();
        QCoreApplication::processEvents();
        QVERIFY(!peek.seen);
    }

    void threePicturesSteppedForwardAndBack()
    {
        const QString a = writeJpeg(*home, QStringLiteral("img/a_0.jpg"), qRgb(255, 0, 0));
        const QString b = writeJpeg(*home, QStringLiteral("img/a_1.jpg"), qRgb(0, 255, 0));
        const QString c = writeJpeg(*home, QStringLiteral("img/a_2.jpg"), qRgb(0, 0, 255));
        addCatch(session.DB, {{"Bild", "a_0.jpg,a_1.jpg,a_2.jpg"}});
        trace::setEnabled(true);
        panel->showPreview(1);
        QCOMPARE(panel->im_left->shownFile(), a);
        QCOMPARE(panel->im_left->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(panel->Bildzurueck->isVisible() && panel->Bildvor->isVisible());
        QVERIFY(!panel->Bildzurueck->isEnabled());
        QVERIFY(panel->Bildvor->isEnabled());

        QTest::mouseClick(panel->Bildvor, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), b);
        QTest::mouseClick(panel->Bildvor, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), c);
        QVERIFY(!panel->Bildvor->isEnabled());
        QTest::mouseClick(panel->Bildzurueck, Qt::LeftButton);
        QTest::mouseClick(panel->Bildzurueck, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), a);
        QVERIFY(!panel->Bildzurueck->isEnabled());
        QVERIFY(panel->Bildvor->isEnabled());

        const QString log = win1252::decode(home->read(QStringLiteral("error.log")));
        QCOMPARE(log.count(QStringLiteral("-->Main: Bildvor")), 2);
        QCOMPARE(log.count(QStringLiteral("-->Main: Bild zurück")), 2);
    }

    void missingFileKeepsTheOldPicture()
    {
        const QString a = writeJpeg(*home, QStringLiteral("img/a.jpg"), qRgb(255, 0, 0));
        const QString c = writeJpeg(*home, QStringLiteral("img/c.jpg"), qRgb(0, 0, 255));
        addCatch(session.DB, {{"Bild", "a.jpg,weg.jpg,c.jpg"}});
        panel->showPreview(1);
        panel->BildvorClick();
        QCOMPARE(panel->im_left->shownFile(), a);
        QVERIFY(!panel->im_left->testAttribute(Qt::WA_SetCursor));
        // The old picture is still there, but its large view would show the wrong catch picture.
        ModalPeek peek;
        peek.arm();
        panel->im_leftClick();
        QCoreApplication::processEvents();
        QVERIFY(!peek.seen);
        panel->BildvorClick();
        QCOMPARE(panel->im_left->shownFile(), c);
        QCOMPARE(panel->im_left->cursor().shape(), Qt::PointingHandCursor);

        // A catch whose only picture is missing shows none.
        addCatch(session.DB, {{"Bild", "weg.jpg"}});
        panel->showPreview(2);
        QVERIFY(!panel->im_left->hasPicture());
        QVERIFY(!panel->Bildvor->isVisible());
    }

    void largeViewPrefersTheBigVersion()
    {
        writeJpeg(*home, QStringLiteral("img/hecht_small.jpg"), qRgb(255, 0, 0), 200, 150);
        writeJpeg(*home, QStringLiteral("img/hecht_big.jpg"), qRgb(255, 0, 0), 400, 300);
        writeJpeg(*home, QStringLiteral("img/zander_small.jpg"), qRgb(0, 255, 0), 320, 240);
        addCatch(session.DB, {{"Bild", "hecht_small.jpg,zander_small.jpg"}});
        panel->showPreview(1);

        ModalPeek peek;
        peek.arm();
        QTest::mouseClick(panel->im_left, Qt::LeftButton);
        QVERIFY(peek.seen);
        QCOMPARE(peek.title, QStringLiteral("Bild ansehen.."));
        QCOMPARE(peek.pictureSize, QSize(400, 300));
        QCOMPARE(peek.size, QSize(400, 300));

        // Without a big version the stored picture itself is shown.
        panel->BildvorClick();
        ModalPeek second;
        second.arm();
        panel->im_leftClick();
        QVERIFY(second.seen);
        QCOMPARE(second.pictureSize, QSize(320, 240));

        // A photo larger than the screen is shrunk to fit, keeping its shape.
        writeJpeg(*home, QStringLiteral("img/riesig.jpg"), qRgb(0, 0, 255), 3000, 2000);
        addCatch(session.DB, {{"Bild", "riesig.jpg"}});
        panel->showPreview(2);
        ModalPeek huge;
        huge.arm();
        panel->im_leftClick();
        QVERIFY(huge.seen);
        const QSize screen = panel->screen()->availableGeometry().size();
        QVERIFY(huge.size.width() < screen.width() && huge.size.height() < screen.height());
        QVERIFY(qAbs(huge.size.width() * 2 - huge.size.height() * 3) <= 3);
    }

    void badDateIsAConversionError()
    {
        addCatch(session.DB, {{"Fangdatum", "7.13.2006"}});
        QVERIFY_THROWS_EXCEPTION(EConvertError, panel->showPreview(1));
    }
};

FK_UI_TEST_MAIN(PreviewPanelTest)
#include "PreviewPanelTest.moc"
