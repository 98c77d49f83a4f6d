// The HTML evaluation dialog and "Fangliste erstellen": templates, catchers, the written files.
#include "support/UiFixtures.h"
#include "reports/HtmlPages.h"
#include "ui/evaluation/TfrmAuswerten.h"

class EvaluationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { trace::setEnabled(false); }

    void evaluationDialog()
    {
        MainEnv env;
        env.home.write("DATs/Faenger.dat", "Tom\r\nAnna\r\nEva\r\n");
        env.home.write("Auswertung/Templates/zwei.html", "[#fischart# #gewichtlbs#]");
        env.home.write("Auswertung/Templates/Eins.html", "<#faenger#>");
        env.home.write("Auswertung/Templates/notiz.txt", "x");
        TfrmMain& w = env.open();
        QAction* action = w.menuAction("aAuswertenHTML");
        QVERIFY(action->isEnabled() && action->isVisible());
        auto* d = w.findChild<TfrmAuswerten*>();
        QVERIFY(d);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QCOMPARE(d->windowTitle(), QStringLiteral("frmAuswerten"));
        QCOMPARE(columnTexts(d->cb_template->model()), (QStringList{"Eins", "zwei"}));
        QCOMPARE(d->cb_template->currentText(), QStringLiteral("Eins"));
        QCOMPARE(columnTexts(d->cb_faenger->model()), (QStringList{"-Alle-", "Tom", "Anna", "Eva"}));
        QCOMPARE(d->cb_faenger->currentIndex(), 0);
        QVERIFY(d->ch_angelkosten->isHidden() && d->ch_statistik->isHidden() && d->ch_deckblatt->isHidden());

        // Tom's catches of 2006 with "zwei", newest row first.
        d->cb_template->setCurrentIndex(1);
        d->cb_faenger->setCurrentIndex(1);
        QTest::keyClicks(d->ed_jahr, "2006");
        env.ui.saveFiles.enqueue(env.home.file("auswertung.html"));
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("HTML|*.html"));
        QCOMPARE(env.home.read("auswertung.html"),
                 QByteArray("<table style=\"page-break-after: auto\"><tr><td>[Barsch 2][Hecht 2]</td></tr></table>\r\n"));

        // Cancelled save: nothing written. A year that is no number: the error box.
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(QDir(env.home.path()).entryList({"*.html"}), QStringList{"auswertung.html"});
        d->ed_jahr->setText("zwanzig");
        env.ui.saveFiles.enqueue(env.home.file("fehler.html"));
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(!QFileInfo::exists(env.home.file("fehler.html")));

        // The eye button opens the chosen template.
        QTest::mouseClick(d->Viewbild, Qt::LeftButton);
        QCOMPARE(env.ui.texts("document"), QStringList{env.home.file("Auswertung/Templates/zwei.html")});
        d->close();
    }

    void exampleTemplatesArriveWithTheFirstShowing()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        auto* d = w.findChild<TfrmAuswerten*>();
        d->show();
        QCOMPARE(d->cb_template->count(), 2);
        QCOMPARE(d->cb_faenger->itemText(0), QStringLiteral("-Alle-"));
        d->close();
    }

    void blankListFromTheMenu()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        trace::setEnabled(true);
        QAction* action = w.menuAction("aFanglisteErstellen");
        QVERIFY(action->isEnabled());
        env.ui.saveFiles.enqueue(env.home.file("liste.html"));
        action->trigger();
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("html|*.html"));
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("html"));
        const QByteArray page = env.home.read("liste.html");
        QVERIFY(page.startsWith("<style> table { border : 1px solid  black; }"));
        QCOMPARE(page.count("<b>Faenger:</b>"), 2);
        QCOMPARE(page.count("<b>Mondphase:</b>"), 0);
        QVERIFY(traceText(env.home).contains("Main: Fanglist erstellen"));
        action->trigger(); // cancelled
        QCOMPARE(QDir(env.home.path()).entryList({"*.html"}), QStringList{"liste.html"});
    }
};

FK_UI_TEST_MAIN(EvaluationTest)
#include "evaluation.moc"
