#include "data/Session.h"
#include "storage/FkError.h"
#include "support/PictureFixtures.h"
#include "support/UiTestMain.h"
#include "ui/main/PictureView.h"
#include "ui/main/PreviewPanel.h"
#include "ui/main/TfrmDetails.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <memory>

using namespace fixtures;

class DetailsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home;
    Session session;
    std::unique_ptr<TfrmDetails> details;

private slots:
    void init()
    {
        home = std::make_unique<TempHome>();
        session = Session();
        details = std::make_unique<TfrmDetails>(session);
    }
    void cleanup()
    {
        details.reset();
        home.reset();
    }

    void fillsEveryField()
    {
        addCatch(session.DB, {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "14:30"}, {"Laenge", "78"}, {"Gewicht", "1250"},
                              {"Stelle", "Steg"}, {"Angelbeginn", "06:30"}, {"Angelende", "09:15"},
                              {"Angeldauer", "02:45"}, {"Fangtiefe", "3,5"}, {"Bemerkungen", "am Schilf"},
                              {"Lufttemperatur", "18,5"}, {"Luftdruck", "1013"}, {"Wassertruebung", "klar"},
                              {"zurueckgesetzt", "-1"}});
        details->fill(1);
        QCOMPARE(details->lb_laenge->text(), QStringLiteral("78 cm"));
        QCOMPARE(details->lb_gewicht->text(), QStringLiteral("1250 g (2,50 Pfund)"));
        QCOMPARE(details->lb_fangdatum->text(), QStringLiteral("Sonntag, 07.05.2006"));
        QCOMPARE(details->lb_fangzeit->text(), QStringLiteral("14:30 Uhr"));
        QCOMPARE(details->lb_angelzeit->text(), QStringLiteral("06:30 - 09:15 = 02:45 Stunden"));
        QCOMPARE(details->lb_stelle->text(), QStringLiteral("Steg"));
        QCOMPARE(details->lb_fangtiefe->text(), QStringLiteral("3,5 m"));
        QCOMPARE(details->me_bemerkung->toPlainText(), QStringLiteral("am Schilf"));
        QCOMPARE(details->lb_lufttemp->text(), QStringLiteral("18,5 °C"));
        QCOMPARE(details->lb_luftdruck->text(), QStringLiteral("1013 hPa"));
        QCOMPARE(details->lb_wassertruebung->text(), QStringLiteral("klar"));
        QVERIFY(details->cb_zurueckgesetzt->isChecked());
        QCOMPARE(details->size(), QSize(771, 455));

        // The next catch: no weight, not released, no pictures; nothing of the first stays.
        addCatch(session.DB, {{"Gewicht", "0"}, {"zurueckgesetzt", "0"}});
        details->fill(2);
        QCOMPARE(details->lb_gewicht->text(), QStringLiteral("0 g (0,00 Pfund)"));
        QCOMPARE(details->lb_fangdatum->text(), QStringLiteral("Montag, 08.05.2006"));
        QCOMPARE(details->lb_stelle->text(), QString());
        QCOMPARE(details->me_bemerkung->toPlainText(), QString());
        QVERIFY(!details->cb_zurueckgesetzt->isChecked());
        QVERIFY(!details->im_bild->hasPicture());
        QVERIFY(details->Bildzurueck->isHidden() && details->Bildvor->isHidden());
    }

    void openedForAnotherRowThanThePreview()
    {
        const QString red = writeJpeg(*home, QStringLiteral("img/r.jpg"), qRgb(255, 0, 0));
        const QString g1 = writeJpeg(*home, QStringLiteral("img/g1.jpg"), qRgb(0, 255, 0));
        const QString g2 = writeJpeg(*home, QStringLiteral("img/g2.jpg"), qRgb(0, 200, 0));
        const QString g3 = writeJpeg(*home, QStringLiteral("img/g3.jpg"), qRgb(0, 150, 0));
        addCatch(session.DB, {{"Fischart", "Hecht"}, {"Bild", "r.jpg"}});
        addCatch(session.DB, {{"Fischart", "Zander"}, {"Bild", "g1.jpg,g2.jpg,g3.jpg"}});
        PreviewPanel preview(session);
        preview.showPreview(1);

        // As the search window does: details for row 2 while row 1 is previewed.
        QTimer::singleShot(0, [this] {
            QVERIFY(details->isVisible());
            QTest::mouseClick(details->BitBtn1, Qt::LeftButton);
        });
        details->showDetails(2);
        QVERIFY(!details->isVisible());
        QCOMPARE(details->lb_fischart->text(), QStringLiteral("Zander"));
        QCOMPARE(details->im_bild->shownFile(), g1);
        QCOMPARE(preview.im_left->shownFile(), red);

        // Three pictures stepped in the details window.
        QVERIFY(!details->Bildzurueck->isHidden() && !details->Bildzurueck->isEnabled());
        details->BildvorClick();
        details->BildvorClick();
        QCOMPARE(details->im_bild->shownFile(), g3);
        QVERIFY(!details->Bildvor->isEnabled());
        details->BildzurueckClick();
        QCOMPARE(details->im_bild->shownFile(), g2);

        ModalPeek peek;
        peek.arm();
        details->im_bildClick();
        QVERIFY(peek.seen);
        QCOMPARE(peek.title, QStringLiteral("Bild ansehen.."));
        QCOMPARE(peek.pictureSize, QSize(640, 480));
    }

    void badWeightShowsNothing()
    {
        addCatch(session.DB, {{"Gewicht", "4,5"}});
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = details->isVisible();
            details->close();
        });
        try {
            details->showDetails(1);
            QFAIL("no conversion error");
        } catch (const EConvertError& e) {
            QCOMPARE(e.message(), QStringLiteral("'4,5' is not a valid integer value"));
        }
        QCoreApplication::processEvents();
        QVERIFY(!shown);
    }
};

FK_UI_TEST_MAIN(DetailsTest)
#include "DetailsTest.moc"
