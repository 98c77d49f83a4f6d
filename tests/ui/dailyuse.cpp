// The catch road as an angler walks it every day with mouse and keyboard: the preview follows
// the selection, Delete removes the catch shown, a new year appears at once, estimates never
// wipe what was typed, and nothing is entered without a database.
#include "support/UiFixtures.h"
#include "ui/entry/CatchCommands.h"
#include "ui/entry/TfrmAdd.h"
#include "data/WindowPlace.h"
#include "ui/common/TypedDateTimeEdit.h"
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

// A click into the field as a user does it, then the text key by key.
void clickAndType(QWidget* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(8, field->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClicks(field, text);
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

        // A header click orders the list and the header shows how.
        QTest::mouseClick(w.ListView1->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(w.ListView1->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
        QCOMPARE(w.ListView1->horizontalHeader()->sortIndicatorSection(), 2);

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

    void datesAndTimesAreStoredAsTyped()
    {
        MainEnv env({{"07.05.2006", "Tom", "Hecht"}});
        env.home.write("DATs/Faenger.dat", "Tom\r\n");
        TfrmMain& w = env.open(true);
        enterCatch(w, [](TfrmAdd& a) {
            a.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&a));
            a.cb_faenger->setCurrentIndex(0);
            a.cb_fischart->setCurrentIndex(a.cb_fischart->findText("Hecht"));
            clickAndType(a.dt_fangdatum, "14.05.2026");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(!a.dt_fangdatum->hasFocus()); // one Tab leaves the date
            QCOMPARE(a.dt_fangdatum->text(), QStringLiteral("14.05.2026"));
            clickAndType(a.dt_fangzeit, "05:30");
            clickAndType(a.dt_angelbeginn, "5:30");
            clickAndType(a.dt_angelende, "1945");
            QTest::keyClick(a.dt_angelende, Qt::Key_Tab);
            QCOMPARE(a.dt_angelende->text(), QStringLiteral("19:45"));
        });
        TTextTable& db = w.session().DB;
        QCOMPARE(db.RowCount(), 2);
        QVERIFY(db.GoToRow(2));
        QCOMPARE(db.GetData(catchrec::Fangdatum), QByteArray("14.05.2026"));
        QCOMPARE(db.GetData(catchrec::Fangzeit), QByteArray("05:30"));
        QCOMPARE(db.GetData(catchrec::Angelbeginn), QByteArray("05:30"));
        QCOMPARE(db.GetData(catchrec::Angelende), QByteArray("19:45"));
        QVERIFY(env.home.read("fang.fdb").contains("14.05.2026;05:30;05:30;19:45;"));

        // The short forms and a date that does not exist, in the field on its own.
        QWidget form;
        auto* date = new TypedDateEdit(&form);
        auto* time = new TypedTimeEdit(&form);
        auto* after = new QLineEdit(&form);
        auto* layout = new QVBoxLayout(&form);
        for (QWidget* f : {static_cast<QWidget*>(date), static_cast<QWidget*>(time), static_cast<QWidget*>(after)})
            layout->addWidget(f);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QList<QPair<QString, QDate>> dates = {{"14.5.2026", QDate(2026, 5, 14)}, {"14.5.26", QDate(2026, 5, 14)},
                                                    {"1.12.1999", QDate(1999, 12, 1)}, {"31.02.2025", QDate(1999, 12, 1)},
                                                    {"29.2.24", QDate(2024, 2, 29)}, {"07052006", QDate(2006, 5, 7)}};
        for (const auto& [typed, expected] : dates) {
            clickAndType(date, typed);
            QTest::keyClick(date, Qt::Key_Tab);
            QCOMPARE(date->date(), expected);
            QCOMPARE(date->text(), expected.toString("dd.MM.yyyy"));
        }
        const QList<QPair<QString, QTime>> times = {{"5:30", QTime(5, 30)}, {"23:59", QTime(23, 59)}, {"0:05", QTime(0, 5)},
                                                    {"24:00", QTime(0, 5)}, {"7", QTime(7, 0)}};
        for (const auto& [typed, expected] : times) {
            clickAndType(time, typed);
            QTest::keyClick(time, Qt::Key_Tab);
            QCOMPARE(time->time(), expected);
            QVERIFY(after->hasFocus());
        }
        // The arrow keys still step the value.
        clickAndType(time, "8:15");
        QTest::keyClick(time, Qt::Key_Up);
        QVERIFY(time->time() > QTime(8, 15));
    }

    void theWindowGrowsAndOpensWhereItWasLeft()
    {
        MainEnv env({{"07.05.2006", "Tom", "Hecht"}});
        TfrmMain& w = env.open(true);
        const QSize first = w.size();
        const QSize list = w.ListView1->size(), preview = w.Panel1->size();
        w.resize(first + QSize(200, 100));
        QTRY_COMPARE(w.size(), first + QSize(200, 100));
        QTRY_VERIFY(w.ListView1->width() > list.width() + 80);
        QVERIFY(w.Panel1->width() > preview.width() + 50);
        QVERIFY(w.ListView1->height() > list.height() + 80);
        QVERIFY(w.Panel1->height() > preview.height() + 80);
        w.move(3, 4);
        QTRY_COMPARE(w.pos(), QPoint(3, 4));
        const QRect left = w.normalGeometry();
        QVERIFY(w.close());

        const IniFile settings(env.home.file("Fischkladde.ini"));
        const auto place = readWindowPlace(settings, first);
        QVERIFY(place.has_value());
        QCOMPARE(place->normal, left);
        QVERIFY(!place->maximised);
        TfrmMain& again = env.open(true);
        QCOMPARE(again.normalGeometry(), left);
        QVERIFY(again.close());

        // A place from a wrecked settings file is no place: the window opens at its first size.
        settings.writeString("Hauptfenster", "Breite", "12x");
        QVERIFY(!readWindowPlace(settings, first));
        settings.writeString("Hauptfenster", "Breite", "100");
        QVERIFY(!readWindowPlace(settings, first));
        QCOMPARE(env.open(true).size(), first);
    }

    void aBrokenStoredValueIsNamedOncePerAction()
    {
        std::vector<TestCatch> catches(20, TestCatch{"07.05.2006"});
        catches[16].date = "31.02.2025";
        catches[5].weight = "12x";
        MainEnv env(catches);
        TfrmMain& w = env.open(true);
        // Start-up meets the date in the overview, the years and the list: one box per fault.
        QTRY_COMPARE(env.ui.texts("error"), (QStringList{"Zeile 17, Feld Fangdatum: '31.02.2025' is not a valid date",
                                                         "Zeile 6, Feld Gewicht: '12x' is not a valid integer value"}));
        env.ui.messages.clear();
        w.cb_gehezu->setFocus();
        QTest::keyClick(w.cb_gehezu, Qt::Key_Down);
        QCOMPARE(w.cb_gehezu->currentText(), QStringLiteral("-Alle Fänge-"));
        QCOMPARE(env.ui.texts("error"), QStringList{"Zeile 17, Feld Fangdatum: '31.02.2025' is not a valid date"});

        // Two steps of one action that meet the same fault show it once; the next action again.
        env.ui.messages.clear();
        const auto twoSteps = [] {
            for (int step = 0; step < 2; ++step)
                FkApplication::guarded([] { throw EConvertError(QStringLiteral("'31.02.2025' is not a valid date")); });
        };
        QTimer::singleShot(0, twoSteps);
        QTRY_COMPARE(env.ui.texts("error").size(), 1);
        QTimer::singleShot(0, twoSteps);
        QTRY_COMPARE(env.ui.texts("error").size(), 2);
        QCOMPARE(env.ui.texts("error").last(), QStringLiteral("Zeile 17, Feld Fangdatum: '31.02.2025' is not a valid date"));
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

FK_UI_TEST_MAIN(DailyUseTest)
#include "dailyuse.moc"
