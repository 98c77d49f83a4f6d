#include "data/Trace.h"
#include "data/Win1252.h"
#include "support/PictureFixtures.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/entry/TfrmBilderladen.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

using namespace fixtures;

class BilderladenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home;
    std::unique_ptr<ScriptedInteraction> user;
    std::unique_ptr<TfrmBilderladen> dialog;
    FixedClock clock;
    QueuedRandom random;

    QStringList imgFiles() const
    {
        return QDir(home->file(QStringLiteral("img"))).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    bool buttonsEnabled() const
    {
        return dialog->BitBtn1->isEnabled() && dialog->BitBtn2->isEnabled() && dialog->BitBtn3->isEnabled();
    }

private slots:
    void init()
    {
        home = std::make_unique<TempHome>();
        user = std::make_unique<ScriptedInteraction>();
        clock.at = QDateTime(QDate(2006, 5, 7), QTime(9, 5, 0));
        setAppClock(&clock);
        setAppRandom(&random);
        dialog = std::make_unique<TfrmBilderladen>();
    }
    void cleanup()
    {
        dialog.reset();
        setAppClock(nullptr);
        setAppRandom(nullptr);
        trace::setEnabled(false);
        user.reset();
        home.reset();
    }

    void twoNewPicturesInOneSave()
    {
        const QString a = writeJpeg(*home, QStringLiteral("fotos/a.jpg"), qRgb(255, 0, 0), 1200, 900);
        const QString b = writeJpeg(*home, QStringLiteral("fotos/b.jpeg"), qRgb(0, 0, 255), 300, 500);
        user->openFileLists.enqueue({a, b});
        random.values = {7};
        trace::setEnabled(true);
        dialog->show();
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialog->items(), (QStringList{a, b}));
        QCOMPARE(user->texts(QStringLiteral("openMany")), QStringList{TfrmBilderladen::PictureFilter});

        QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        QVERIFY(user->texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->savedText(), QStringLiteral("070520060905007_0.jpg,070520060905007_1.jpg"));
        QCOMPARE(imgFiles(), (QStringList{"070520060905007_0.jpg", "070520060905007_1.jpg"}));
        QVERIFY(dialog->ProgressBar1->isHidden());
        QVERIFY(buttonsEnabled());
        const QString log = win1252::decode(home->read(QStringLiteral("error.log")));
        QVERIFY(log.contains(QStringLiteral("-->Bilderladen: hinzufügen")));
        QVERIFY(log.contains(QStringLiteral("-->Bilderladen: speichern")));
    }

    void storedNamesStayAndNewOnesFollowTheirPosition()
    {
        const QString c = writeJpeg(*home, QStringLiteral("fotos/c.jpg"), qRgb(0, 255, 0));
        dialog->setPictureText(QStringLiteral("\"mein Hecht.jpg\",alt_0.jpg"));
        QCOMPARE(dialog->items(), (QStringList{"mein Hecht.jpg", "alt_0.jpg"}));
        user->openFileLists.enqueue({c});
        dialog->BitBtn1Click();
        random.values = {150};
        dialog->BitBtn2Click();
        QCOMPARE(dialog->savedText(), QStringLiteral("\"mein Hecht.jpg\",alt_0.jpg,07052006090500150_2.jpg"));
        QCOMPARE(imgFiles(), QStringList{"07052006090500150_2.jpg"});

        // Reopened with the stored names only: saving converts nothing.
        dialog->setPictureText(dialog->savedText());
        dialog->BitBtn2Click();
        QCOMPARE(dialog->savedText(), QStringLiteral("\"mein Hecht.jpg\",alt_0.jpg,07052006090500150_2.jpg"));
        QCOMPARE(imgFiles().size(), 1);

        // An empty list saves an empty text.
        dialog->setPictureText(QString());
        QCOMPARE(dialog->ListBox1->count(), 0);
        dialog->BitBtn2Click();
        QCOMPARE(dialog->savedText(), QString());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void damagedFileInTheMiddle()
    {
        const QString good1 = writeJpeg(*home, QStringLiteral("fotos/1.jpg"), qRgb(255, 0, 0));
        home->write(QStringLiteral("fotos/2.jpg"), QByteArray("BM this is no picture at all"));
        const QString bad = home->file(QStringLiteral("fotos/2.jpg"));
        const QString good3 = writeJpeg(*home, QStringLiteral("fotos/3.jpg"), qRgb(0, 0, 255));
        random.values = {4, 5};
        std::optional<QString> result = QStringLiteral("unchanged");
        QTimer::singleShot(0, [&] {
            dialog->setPictureText(QString());
            dialog->ListBox1->addItems({good1, bad, good3});
            QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
            // The error was shown; the dialog is still open and usable.
            QCOMPARE(user->messages.size(), 1);
            QCOMPARE(user->messages[0].kind, QStringLiteral("error"));
            QCOMPARE(user->messages[0].title, QStringLiteral("Fehler"));
            QVERIFY2(user->messages[0].text.contains(QStringLiteral("Not a JPEG file")), qPrintable(user->messages[0].text));
            QVERIFY(dialog->isVisible());
            QVERIFY(buttonsEnabled());
            QVERIFY(dialog->ListBox1->isEnabled());
            QVERIFY(dialog->ProgressBar1->isHidden());
            QCOMPARE(imgFiles(), QStringList{"070520060905004_0.jpg"});
            // The converted picture is now listed by its stored name.
            QCOMPARE(dialog->items(), (QStringList{"070520060905004_0.jpg", bad, good3}));

            // Remove the damaged file with the Delete key and save again.
            dialog->ListBox1->clearSelection();
            dialog->ListBox1->item(1)->setSelected(true);
            QTest::keyClick(dialog->ListBox1, Qt::Key_Delete);
            QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
        });
        result = dialog->editPictures(QString());
        QVERIFY(result.has_value());
        QCOMPARE(*result, QStringLiteral("070520060905004_0.jpg,070520060905005_1.jpg"));
        QCOMPARE(imgFiles(), (QStringList{"070520060905004_0.jpg", "070520060905005_1.jpg"}));
    }

    void cancelRemoveHintAndView()
    {
        writeJpeg(*home, QStringLiteral("img/s_0.jpg"), qRgb(255, 0, 0), 320, 240);
        const QString outside = writeJpeg(*home, QStringLiteral("fotos/x.jpg"), qRgb(0, 0, 255), 200, 100);
        trace::setEnabled(true);
        QTimer::singleShot(0, [&] {
            QCOMPARE(dialog->items(), (QStringList{"s_0.jpg", "t_1.jpg", outside, "u_3.jpg"}));
            dialog->resize(dialog->size());
            QCoreApplication::processEvents();

            // The hint follows the item under the mouse.
            QWidget* viewport = dialog->ListBox1->viewport();
            const QRect second = dialog->ListBox1->visualItemRect(dialog->ListBox1->item(1));
            QMouseEvent move(QEvent::MouseMove, second.center(), viewport->mapToGlobal(second.center()), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
            QCOMPARE(dialog->ListBox1->toolTip(), QStringLiteral("t_1.jpg"));
            const QPoint below(5, viewport->height() - 3);
            QMouseEvent away(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &away);
            QCOMPARE(dialog->ListBox1->toolTip(), QString());

            // Double-click: a stored name opens from "img", a chosen file from its path,
            // a missing one opens nothing.
            ModalPeek stored, chosen, missing;
            stored.arm();
            dialog->ListBox1->setCurrentRow(0);
            dialog->ListBox1DblClick();
            QVERIFY(stored.seen);
            QCOMPARE(stored.title, QStringLiteral("Bild ansehen.."));
            QCOMPARE(stored.pictureSize, QSize(320, 240));
            chosen.arm();
            dialog->ListBox1->setCurrentRow(2);
            dialog->ListBox1DblClick();
            QCOMPARE(chosen.pictureSize, QSize(200, 100));
            missing.arm();
            dialog->ListBox1->setCurrentRow(1);
            dialog->ListBox1DblClick();
            QCoreApplication::processEvents();
            QVERIFY(!missing.seen);

            // "Entfernen" removes every selected item; the files stay.
            dialog->ListBox1->clearSelection();
            dialog->ListBox1->item(0)->setSelected(true);
            dialog->ListBox1->item(3)->setSelected(true);
            dialog->Entfernen1->trigger();
            QCOMPARE(dialog->items(), (QStringList{"t_1.jpg", outside}));
            QVERIFY(QFile::exists(home->file(QStringLiteral("img/s_0.jpg"))));

            QTest::mouseClick(dialog->BitBtn3, Qt::LeftButton);
        });
        const std::optional<QString> result = dialog->editPictures(QStringLiteral("s_0.jpg,t_1.jpg,\"") + outside
                                                                   + QStringLiteral("\",u_3.jpg"));
        QVERIFY(!result.has_value());
        QCOMPARE(imgFiles(), QStringList{"s_0.jpg"});
        QVERIFY(win1252::decode(home->read(QStringLiteral("error.log"))).contains(QStringLiteral("-->Bilderladen: abbrechen")));
    }
};

FK_UI_TEST_MAIN(BilderladenTest)
#include "BilderladenTest.moc"
