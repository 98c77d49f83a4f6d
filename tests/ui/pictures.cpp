// The catch preview, the details window and the picture dialog: what they show, stepping
// through pictures, the large view, and the picture files written into "img".
#include "support/UiFixtures.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/entry/TfrmBilderladen.h"
#include "ui/entry/TfrmWetter.h"
#include "ui/common/PictureView.h"
#include "ui/main/PreviewPanel.h"
#include "ui/main/TfrmDetails.h"

class PicturesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home;
    std::unique_ptr<ScriptedInteraction> user;
    FixedClock clock;
    QueuedRandom random;
    Session session;

    QStringList imgFiles() const { return QDir(home->file("img")).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QString jpeg(const QString& name, QRgb colour, int w = 640, int h = 480) { return writeJpeg(*home, name, colour, w, h); }
    std::unique_ptr<PreviewPanel> shownPanel()
    {
        auto panel = std::make_unique<PreviewPanel>(session);
        panel->resize(260, 330);
        panel->show();
        return panel;
    }
    static bool usable(const TfrmBilderladen& d)
    {
        return d.BitBtn1->isEnabled() && d.BitBtn2->isEnabled() && d.BitBtn3->isEnabled() && d.ListBox1->isEnabled()
               && d.ProgressBar1->isHidden();
    }

private slots:
    void init()
    {
        home = std::make_unique<TempHome>();
        user = std::make_unique<ScriptedInteraction>();
        clock.at = QDateTime(QDate(2006, 5, 7), QTime(9, 5, 0));
        setAppClock(&clock);
        setAppRandom(&random);
        session = Session();
    }
    void cleanup()
    {
        setAppClock(nullptr);
        setAppRandom(nullptr);
        trace::setEnabled(false);
        user.reset();
        home.reset();
    }

    void previewOfACatchWithoutPictures()
    {
        addCatch(session.DB, {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "14:30"}, {"Fischart", "Hecht"},
                              {"Laenge", "78"}, {"Gewicht", "1250"}, {"Koeder", "Wobbler"}});
        auto panel = shownPanel();
        panel->showPreview(1);
        QCOMPARE(session.DB.CurrentRow(), 1);
        QCOMPARE((QStringList{panel->lb_leftfischart->text(), panel->lb_leftlaenge->text(), panel->lb_leftzeit->text(),
                              panel->lb_leftkoeder->text()}),
                 (QStringList{"Hecht", "78 cm  1250 g", "gefangen am Sonntag, 07.05.2006 um 14:30", "mit Wobbler"}));
        QVERIFY(!panel->Bildzurueck->isVisible() && !panel->Bildvor->isVisible());
        QVERIFY(!panel->im_left->hasPicture());
        QVERIFY(!panel->im_left->testAttribute(Qt::WA_SetCursor));
        // The length follows the species at 4 pixels.
        panel->layout()->activate();
        QCOMPARE(panel->lb_leftlaenge->geometry().left(), panel->lb_leftfischart->geometry().right() + 1 + 4);
        ModalPeek peek; // a click on the empty picture opens nothing
        panel->im_leftClick();
        QCoreApplication::processEvents();
        QVERIFY(!peek.seen);

        // A date that does not convert: what was read first is shown, nothing of the last catch stays.
        addCatch(session.DB, {{"Fangdatum", "7.13.2006"}, {"Fischart", "Aal"}, {"Laenge", "60"}, {"Gewicht", "800"},
                              {"Koeder", "Wurm"}});
        QVERIFY_THROWS_EXCEPTION(EConvertError, panel->showPreview(2));
        QCOMPARE((QStringList{panel->lb_leftfischart->text(), panel->lb_leftlaenge->text(), panel->lb_leftzeit->text(),
                              panel->lb_leftkoeder->text()}),
                 (QStringList{"Aal", "60 cm  800 g", "", ""}));
    }

    void previewStepsPicturesAndSkipsMissingOnes()
    {
        const QString a = jpeg("img/a_0.jpg", qRgb(255, 0, 0));
        const QString b = jpeg("img/a_1.jpg", qRgb(0, 255, 0));
        const QString c = jpeg("img/a_2.jpg", qRgb(0, 0, 255));
        addCatch(session.DB, {{"Bild", "a_0.jpg,a_1.jpg,a_2.jpg"}});
        addCatch(session.DB, {{"Bild", "a_0.jpg,weg.jpg,a_2.jpg"}});
        addCatch(session.DB, {{"Bild", "weg.jpg"}});
        auto panel = shownPanel();
        trace::setEnabled(true);
        panel->showPreview(1);
        QCOMPARE(panel->im_left->shownFile(), a);
        QCOMPARE(panel->im_left->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(panel->Bildzurueck->isVisible() && panel->Bildvor->isVisible());
        QVERIFY(!panel->Bildzurueck->isEnabled() && panel->Bildvor->isEnabled());
        QTest::mouseClick(panel->Bildvor, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), b);
        QTest::mouseClick(panel->Bildvor, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), c);
        QVERIFY(!panel->Bildvor->isEnabled());
        QTest::mouseClick(panel->Bildzurueck, Qt::LeftButton);
        QTest::mouseClick(panel->Bildzurueck, Qt::LeftButton);
        QCOMPARE(panel->im_left->shownFile(), a);
        QVERIFY(!panel->Bildzurueck->isEnabled() && panel->Bildvor->isEnabled());
        const QString log = traceText(*home);
        QCOMPARE(log.count(QStringLiteral("-->Main: Bildvor")), 2);
        QCOMPARE(log.count(QStringLiteral("-->Main: Bild zurück")), 2);

        // A missing file keeps the old picture, but its large view would be the wrong one.
        panel->showPreview(2);
        panel->BildvorClick();
        QCOMPARE(panel->im_left->shownFile(), a);
        QVERIFY(!panel->im_left->testAttribute(Qt::WA_SetCursor));
        ModalPeek peek;
        panel->im_leftClick();
        QCoreApplication::processEvents();
        QVERIFY(!peek.seen);
        panel->BildvorClick();
        QCOMPARE(panel->im_left->shownFile(), c);
        QCOMPARE(panel->im_left->cursor().shape(), Qt::PointingHandCursor);
        // A catch whose only picture is missing shows none.
        panel->showPreview(3);
        QVERIFY(!panel->im_left->hasPicture());
        QVERIFY(!panel->Bildvor->isVisible());
    }

    void largeViewPrefersTheBigVersion()
    {
        jpeg("img/hecht_small.jpg", qRgb(255, 0, 0), 200, 150);
        jpeg("img/hecht_big.jpg", qRgb(255, 0, 0), 400, 300);
        jpeg("img/zander_small.jpg", qRgb(0, 255, 0), 320, 240);
        jpeg("img/riesig.jpg", qRgb(0, 0, 255), 3000, 2000);
        addCatch(session.DB, {{"Bild", "hecht_small.jpg,zander_small.jpg"}});
        addCatch(session.DB, {{"Bild", "riesig.jpg"}});
        auto panel = shownPanel();
        panel->showPreview(1);
        ModalPeek peek;
        QTest::mouseClick(panel->im_left, Qt::LeftButton);
        QVERIFY(peek.seen);
        QCOMPARE(peek.title, QStringLiteral("Bild ansehen.."));
        QCOMPARE(peek.pictureSize, QSize(400, 300));
        QCOMPARE(peek.size, QSize(400, 300));

        // Without a big version the stored picture itself is shown.
        panel->BildvorClick();
        ModalPeek second;
        panel->im_leftClick();
        QCOMPARE(second.pictureSize, QSize(320, 240));

        // A photo larger than the screen is shrunk to fit, keeping its shape.
        panel->showPreview(2);
        ModalPeek huge;
        panel->im_leftClick();
        QVERIFY(huge.seen);
        const QSize screen = panel->screen()->availableGeometry().size();
        QVERIFY(huge.size.width() < screen.width() && huge.size.height() < screen.height());
        QVERIFY(qAbs(huge.size.width() * 2 - huge.size.height() * 3) <= 3);
    }

    void detailsFillEveryField()
    {
        addCatch(session.DB, {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "14:30"}, {"Laenge", "78"}, {"Gewicht", "1250"},
                              {"Stelle", "Steg"}, {"Angelbeginn", "06:30"}, {"Angelende", "09:15"},
                              {"Angeldauer", "02:45"}, {"Fangtiefe", "3,5"}, {"Bemerkungen", "am Schilf"},
                              {"Lufttemperatur", "18,5"}, {"Luftdruck", "1013"}, {"Wassertruebung", "klar"},
                              {"zurueckgesetzt", "-1"}});
        addCatch(session.DB, {{"zurueckgesetzt", "0"}});
        addCatch(session.DB, {{"Gewicht", "4,5"}});
        TfrmDetails details(session);
        const auto texts = [&details] {
            return QStringList{details.lb_laenge->text(),     details.lb_gewicht->text(),     details.lb_fangdatum->text(),
                               details.lb_fangzeit->text(),   details.lb_angelzeit->text(),   details.lb_stelle->text(),
                               details.lb_fangtiefe->text(),  details.me_bemerkung->toPlainText(),
                               details.lb_lufttemp->text(),   details.lb_luftdruck->text(),   details.lb_wassertruebung->text(),
                               details.cb_zurueckgesetzt->isChecked() ? "released" : "kept"};
        };
        details.fill(1);
        QCOMPARE(texts(), (QStringList{"78 cm", "1250 g (2,50 Pfund)", "Sonntag, 07.05.2006", "14:30 Uhr",
                                       "06:30 - 09:15 = 02:45 Stunden", "Steg", "3,5 m", "am Schilf", "18,5 °C",
                                       "1013 hPa", "klar", "released"}));
        // The next catch: no weight, not released, no pictures; nothing of the first stays.
        details.fill(2);
        QCOMPARE(texts(), (QStringList{" cm", "0 g (0,00 Pfund)", "Montag, 08.05.2006", " Uhr", " -  =  Stunden", "",
                                       " m", "", " °C", " hPa", "", "kept"}));
        QVERIFY(!details.im_bild->hasPicture());
        QVERIFY(details.Bildzurueck->isHidden() && details.Bildvor->isHidden());

        // A weight that is no whole number: the error, and no window.
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = details.isVisible();
            details.close();
        });
        QVERIFY_THROWS_EXCEPTION(EConvertError, details.showDetails(3));
        QCoreApplication::processEvents();
        QVERIFY(!shown);
    }

    void detailsForAnotherRowThanThePreview()
    {
        const QString red = jpeg("img/r.jpg", qRgb(255, 0, 0));
        const QString g1 = jpeg("img/g1.jpg", qRgb(0, 255, 0));
        jpeg("img/g2.jpg", qRgb(0, 200, 0));
        const QString g3 = jpeg("img/g3.jpg", qRgb(0, 150, 0));
        addCatch(session.DB, {{"Fischart", "Hecht"}, {"Bild", "r.jpg"}});
        addCatch(session.DB, {{"Fischart", "Zander"}, {"Bild", "g1.jpg,g2.jpg,g3.jpg"}});
        PreviewPanel preview(session);
        preview.showPreview(1);
        TfrmDetails details(session);

        // As the search window does: details for row 2 while row 1 is previewed.
        QTimer::singleShot(0, [&details] {
            QVERIFY(details.isVisible());
            QTest::mouseClick(details.BitBtn1, Qt::LeftButton);
        });
        details.showDetails(2);
        QVERIFY(!details.isVisible());
        QCOMPARE(details.lb_fischart->text(), QStringLiteral("Zander"));
        QCOMPARE(details.im_bild->shownFile(), g1);
        QCOMPARE(preview.im_left->shownFile(), red);

        // Three pictures stepped in the details window; a click shows the large one.
        QVERIFY(!details.Bildzurueck->isHidden() && !details.Bildzurueck->isEnabled());
        details.BildvorClick();
        details.BildvorClick();
        QCOMPARE(details.im_bild->shownFile(), g3);
        QVERIFY(!details.Bildvor->isEnabled());
        details.BildzurueckClick();
        QCOMPARE(details.im_bild->shownFile(), home->file("img/g2.jpg"));
        ModalPeek peek;
        details.im_bildClick();
        QCOMPARE(peek.pictureSize, QSize(640, 480));
    }

    void mainListClickPreviewsAndDoubleClickOpensDetails()
    {
        installDatabases(*home, {{"07.05.2006"}, {"08.05.2006", "Anna", "Zander", "61", "2250"}});
        const QString picture = jpeg("img/z_0.jpg", qRgb(0, 120, 0));
        TfrmMain w;
        w.session().DB.GoToRow(2);
        w.session().DB.SetData("Bild", QByteArray("z_0.jpg"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.listModel->rowCount(), 2);
        QVERIFY(w.Panel1->findChild<PreviewPanel*>());
        trace::setEnabled(true);

        // The newest entry is on top: row 2, the Zander.
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, rowPoint(w, 0));
        QCOMPARE(w.previewPanel->lb_leftfischart->text(), QStringLiteral("Zander"));
        QCOMPARE(w.previewPanel->im_left->shownFile(), picture);
        QVERIFY(w.aDetails->isEnabled());

        QString shownSpecies;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<TfrmDetails*>(QApplication::activeModalWidget())) {
                shownSpecies = d->lb_fischart->text();
                QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
            }
        });
        QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, rowPoint(w, 0));
        QCOMPARE(shownSpecies, QStringLiteral("Zander"));
        QCOMPARE(w.frmDetails->im_bild->shownFile(), picture);
        QVERIFY(!w.frmDetails->isVisible());

        w.openDetails(0); // nothing selected: nothing opens
        const QString log = traceText(*home);
        QCOMPARE(log.count(QStringLiteral("-->Main: Details(2)")), 1);
        QVERIFY(!log.contains(QStringLiteral("Details(0)")));
    }

    void newPicturesNamedByPositionStoredOnesKept()
    {
        const QString a = jpeg("fotos/a.jpg", qRgb(255, 0, 0), 1200, 900);
        const QString b = jpeg("fotos/b.jpeg", qRgb(0, 0, 255), 300, 500);
        trace::setEnabled(true);
        TfrmBilderladen dialog;
        dialog.setPictureText(QStringLiteral("\"mein Hecht.jpg\",alt_0.jpg"));
        dialog.show();
        user->openFileLists.enqueue({a, b});
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
        QCOMPARE(dialog.items(), (QStringList{"mein Hecht.jpg", "alt_0.jpg", a, b}));
        random.values = {150}; // one number for the whole save
        QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
        QVERIFY(user->texts("error").isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QString saved = "\"mein Hecht.jpg\",alt_0.jpg,07052006090500150_2.jpg,07052006090500150_3.jpg";
        QCOMPARE(dialog.savedText(), saved);
        QCOMPARE(imgFiles(), (QStringList{"07052006090500150_2.jpg", "07052006090500150_3.jpg"}));
        QVERIFY(usable(dialog));
        const QString log = traceText(*home);
        QVERIFY(log.contains(QStringLiteral("-->Bilderladen: hinzufügen")));
        QVERIFY(log.contains(QStringLiteral("-->Bilderladen: speichern")));

        // Reopened with the stored names only: saving converts nothing.
        dialog.setPictureText(dialog.savedText());
        dialog.BitBtn2Click();
        QCOMPARE(dialog.savedText(), saved);
        QCOMPARE(imgFiles().size(), 2);
        // An empty list saves an empty text.
        dialog.setPictureText(QString());
        QCOMPARE(dialog.ListBox1->count(), 0);
        dialog.BitBtn2Click();
        QCOMPARE(dialog.savedText(), QString());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void damagedFileInTheMiddle()
    {
        const QString good1 = jpeg("fotos/1.jpg", qRgb(255, 0, 0));
        home->write("fotos/2.jpg", QByteArray("BM this is no picture at all"));
        const QString bad = home->file("fotos/2.jpg");
        const QString good3 = jpeg("fotos/3.jpg", qRgb(0, 0, 255));
        random.values = {4, 5};
        TfrmBilderladen dialog;
        QTimer::singleShot(0, [&] {
            dialog.ListBox1->addItems({good1, bad, good3});
            QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
            // The error was shown; the dialog is still open and usable.
            QCOMPARE(user->messages.size(), 1);
            QCOMPARE(user->messages[0].kind, QStringLiteral("error"));
            QCOMPARE(user->messages[0].title, QStringLiteral("Fehler"));
            QVERIFY2(user->messages[0].text.contains(QStringLiteral("Not a JPEG file")), qPrintable(user->messages[0].text));
            QVERIFY(dialog.isVisible());
            QVERIFY(usable(dialog));
            QCOMPARE(imgFiles(), QStringList{"070520060905004_0.jpg"});
            // The converted picture is now listed by its stored name.
            QCOMPARE(dialog.items(), (QStringList{"070520060905004_0.jpg", bad, good3}));

            // Remove the damaged file with the Delete key and save again.
            dialog.ListBox1->clearSelection();
            dialog.ListBox1->item(1)->setSelected(true);
            QTest::keyClick(dialog.ListBox1, Qt::Key_Delete);
            QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
        });
        const std::optional<QString> result = dialog.editPictures(QString());
        QCOMPARE(result.value_or("cancelled"), QStringLiteral("070520060905004_0.jpg,070520060905005_1.jpg"));
        QCOMPARE(imgFiles(), (QStringList{"070520060905004_0.jpg", "070520060905005_1.jpg"}));
    }

    void cancelRemoveHintAndView()
    {
        jpeg("img/s_0.jpg", qRgb(255, 0, 0), 320, 240);
        const QString outside = jpeg("fotos/x.jpg", qRgb(0, 0, 255), 200, 100);
        trace::setEnabled(true);
        TfrmBilderladen dialog;
        QTimer::singleShot(0, [&] {
            QCOMPARE(dialog.items(), (QStringList{"s_0.jpg", "t_1.jpg", outside, "u_3.jpg"}));
            QCoreApplication::processEvents();

            // The hint follows the item under the mouse.
            QWidget* viewport = dialog.ListBox1->viewport();
            const auto moveTo = [viewport](QPoint at) {
                QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(viewport, &move);
            };
            moveTo(dialog.ListBox1->visualItemRect(dialog.ListBox1->item(1)).center());
            QCOMPARE(dialog.ListBox1->toolTip(), QStringLiteral("t_1.jpg"));
            moveTo(QPoint(5, viewport->height() - 3));
            QCOMPARE(dialog.ListBox1->toolTip(), QString());

            // Double-click: a stored name opens from "img", a chosen file from its path,
            // a missing one opens nothing.
            const auto view = [&dialog](int row) {
                ModalPeek peek;
                dialog.ListBox1->setCurrentRow(row);
                dialog.ListBox1DblClick();
                QCoreApplication::processEvents();
                return peek.seen ? peek.pictureSize : QSize();
            };
            QCOMPARE(view(0), QSize(320, 240));
            QCOMPARE(view(2), QSize(200, 100));
            QCOMPARE(view(1), QSize());

            // "Entfernen" removes every selected item; the files stay.
            dialog.ListBox1->clearSelection();
            dialog.ListBox1->item(0)->setSelected(true);
            dialog.ListBox1->item(3)->setSelected(true);
            dialog.Entfernen1->trigger();
            QCOMPARE(dialog.items(), (QStringList{"t_1.jpg", outside}));
            QTest::mouseClick(dialog.BitBtn3, Qt::LeftButton);
        });
        QVERIFY(!dialog.editPictures("s_0.jpg,t_1.jpg,\"" + outside + "\",u_3.jpg").has_value());
        QCOMPARE(imgFiles(), QStringList{"s_0.jpg"});
        QVERIFY(traceText(*home).contains(QStringLiteral("-->Bilderladen: abbrechen")));
    }

    void pictureButtonOfTheEntryDialog()
    {
        random.values = {12};
        TfrmWetter wetter;
        TfrmAdd add(session, wetter);
        user->openFileLists.enqueue({jpeg("fotos/IMG 1.jpg", qRgb(200, 0, 0), 900, 600)});
        add.ed_bild->setText(QStringLiteral("alt_0.jpg"));
        QStringList listed;
        QTimer::singleShot(0, [&] {
            listed = add.frmBilderladen->items();
            QTest::mouseClick(add.frmBilderladen->BitBtn1, Qt::LeftButton);
            QTest::mouseClick(add.frmBilderladen->BitBtn2, Qt::LeftButton);
        });
        QTest::mouseClick(add.Loadbild, Qt::LeftButton);
        QCOMPARE(listed, QStringList{"alt_0.jpg"});
        QCOMPARE(add.ed_bild->text(), QStringLiteral("alt_0.jpg,0705200609050012_1.jpg"));
        QCOMPARE(imgFiles(), QStringList{"0705200609050012_1.jpg"});

        // Cancel leaves the text as it was.
        QTimer::singleShot(0, [&] {
            listed = add.frmBilderladen->items();
            QTest::mouseClick(add.frmBilderladen->BitBtn3, Qt::LeftButton);
        });
        QTest::mouseClick(add.Loadbild, Qt::LeftButton);
        QCOMPARE(listed, (QStringList{"alt_0.jpg", "0705200609050012_1.jpg"}));
        QCOMPARE(add.ed_bild->text(), QStringLiteral("alt_0.jpg,0705200609050012_1.jpg"));
    }
};

FK_UI_TEST_MAIN(PicturesTest)
#include "pictures.moc"
