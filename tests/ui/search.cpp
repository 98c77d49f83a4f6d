// "Fang suchen": the dialog's controls, results, the details on double-click, and the results
// kept between openings and refreshed when the catches change.
#include "support/UiFixtures.h"
#include "ui/search/TfrmSuchen.h"

class SearchTest : public QObject {
    Q_OBJECT

    static QStringList resultRows(const TfrmSuchen& d)
    {
        QStringList out;
        for (int i = 0; i < d.ListView1->topLevelItemCount(); ++i) {
            QStringList cols;
            for (int c = 0; c < 6; ++c)
                cols << d.ListView1->topLevelItem(i)->text(c);
            out << cols.join('|');
        }
        return out;
    }

private slots:
    void cleanup() { trace::setEnabled(false); }

    void searchShowsAndOpensCatches()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        w.session().DB.GoToRow(4);
        w.session().DB.SetData("Koeder", "Tauwurm");
        w.session().DB.GoToRow(2);
        w.session().DB.SetData("Bemerkungen", "Wurm am Haken");
        auto* d = w.findChild<TfrmSuchen*>();
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("Fang suchen"));
        QVERIFY(w.menuAction("aSuchen")->isEnabled());
        QCOMPARE(d->ListView1->headerItem()->text(1), QStringLiteral("Datum:"));
        QCOMPARE(d->ListView1->headerItem()->text(5), QStringLiteral("Gewicht(g):"));
        QVERIFY(d->ListView1->isColumnHidden(0));

        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QTest::keyClicks(d->Edit1, "wurm");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(resultRows(*d), (QStringList{"2|01.02.2007|Anna|Zander|46|1000", "4|09.09.2007|Tom|Aal|72|1000"}));

        // Double-click: the details of that catch; the dialog stays open.
        trace::setEnabled(true);
        QString shown;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* m = QApplication::activeModalWidget(); m && m != d) {
                if (auto* l = m->findChild<QLabel*>("lb_fischart"))
                    shown = l->text();
                m->close();
                poll.stop();
            }
        });
        poll.start();
        QTreeWidgetItem* item = d->ListView1->topLevelItem(1);
        d->ListView1->setCurrentItem(item);
        const QRect rect = d->ListView1->visualItemRect(item);
        QTest::mouseClick(d->ListView1->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(d->ListView1->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(traceText(env.home).contains("Main: Details(4)"));
        QVERIFY(shown.contains("Aal"));
        QVERIFY(d->isVisible());

        // Closed and opened again: text and results are still there.
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QVERIFY(!d->isVisible());
        d->show();
        QCOMPARE(d->Edit1->text(), QStringLiteral("wurm"));
        QCOMPARE(resultRows(*d).size(), 2);

        // After a deletion the row numbers move: the shown results follow.
        w.session().DB.GoToRow(1);
        w.session().DB.DeleteRow();
        w.notifyChanged(host::Change::Catches);
        QCOMPARE(resultRows(*d), (QStringList{"1|01.02.2007|Anna|Zander|46|1000", "3|09.09.2007|Tom|Aal|72|1000"}));

        // Nothing found for an empty text or an umlaut in the other case.
        d->Edit1->clear();
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 0);
        d->close();
    }
};

FK_UI_TEST_MAIN(SearchTest)
#include "search.moc"
