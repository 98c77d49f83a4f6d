// The catch entry dialog driven as a user drives it: new, edit, duplicate and delete, with
// the catch database file and the list files compared byte by byte afterwards.
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Trace.h"
#include "data/Win1252.h"
#include "storage/FkError.h"
#include "support/TempHome.h"
#include "support/UiTestMain.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/entry/CatchCommands.h"
#include "ui/entry/TfrmAdd.h"
#include "ui/entry/TfrmWetter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

const QByteArray kHeader =
    "Fangdatum;Fangzeit;Angelbeginn;Angelende;Angeldauer;Fischart;Laenge;Gewicht;Faenger;Gewaesser;Stelle;"
    "Uferdistanz;Fangtiefe;Fangmethode;Koeder;Wetter;Bemerkungen;Sonnenaufgang;Sonnenuntergang;Mondaufgang;"
    "Monduntergang;Mondphase;Bild;Karte;Lufttemperatur;Wassertemperatur;Wasserstand;Wassertruebung;"
    "Windrichtung;Windstaerke;Luftdruck;zurueckgesetzt\r\n";

class FixedClock : public Clock {
public:
    QDateTime at{QDate(2006, 5, 7), QTime(18, 42, 17)};
    QDateTime now() const override { return at; }
};

// What "fischkladde-cli astro" prints for a day: sunrise;sunset;moonrise;moonset;phase.
QByteArray astroFields(const QString& day)
{
    const CliResult r = runCli({"astro", day});
    QList<QByteArray> cols = r.out.trimmed().split('\t');
    cols.removeFirst();
    return win1252::encodeLossy(QString::fromUtf8(cols.join(';')));
}

// A program folder with lists, a catch database named in the settings, and the windows.
struct Env {
    TempHome home;
    FixedClock clock;
    ScriptedInteraction user;
    Session session;
    std::unique_ptr<TfrmWetter> wetter;
    std::unique_ptr<TfrmAdd> add;
    int refreshes = 0;
    int lastEntries = 0;
    int editorsOpened = 0;

    Env()
    {
        setAppClock(&clock);
        home.write("DATs/Faenger.dat", win1252::encodeLossy("Peter\r\nAnna\r\nJörg\r\n"));
        home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\n");
        home.write("DATs/Fischarten.dat", "Hecht\r\nAal\r\nZander\r\n");
        home.write("DATs/Wetter.dat", "sonnig\r\n");
        session.dbPath = home.file("fang.fdb");
        catchdb::createFile(session.dbPath, catchdb::Kind::Catches);
        IniFile::settings().writeString("DB", "File", session.dbPath);
        session.DB.LoadFromFile(session.dbPath);
        wetter = std::make_unique<TfrmWetter>();
        add = std::make_unique<TfrmAdd>(session, *wetter);
        add->refreshMainList = [this] { ++refreshes; };
    }
    ~Env()
    {
        add.reset();
        setAppClock(nullptr);
    }
    QByteArray db() const { return home.read("fang.fdb"); }
    QByteArray list(const char* name) const { return home.read(QStringLiteral("DATs/%1.dat").arg(name)); }

    // "Hinzufügen" in the main window; `fill` runs while the dialog is open, then the user
    // presses the save button (unless `fill` closed the dialog itself).
    void enterCatch(const std::function<void(TfrmAdd&)>& fill)
    {
        QTimer::singleShot(0, [this, fill] {
            fill(*add);
            if (add->isVisible())
                QTest::mouseClick(add->BitBtn2, Qt::LeftButton);
            if (add->isVisible()) // refused: leave the dialog as the user would
                QTest::mouseClick(add->BitBtn3, Qt::LeftButton);
        });
        catchcommands::newCatch(*add, [this] { ++editorsOpened; });
    }
    void editCatch(int row, const std::function<void(TfrmAdd&)>& fill)
    {
        QTimer::singleShot(0, [this, fill] {
            fill(*add);
            QTest::mouseClick(add->BitBtn2, Qt::LeftButton);
        });
        catchcommands::editCatch(*add, row);
    }
};

void type(QWidget* w, const QString& text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

} // namespace

class TfrmAddTest : public QObject {
    Q_OBJECT
private slots:
    void nothingEnteredStoresTheDefaults()
    {
        Env env;
        env.enterCatch([](TfrmAdd& a) {
            QCOMPARE(a.windowTitle(), QStringLiteral("Fang eintragen"));
            QCOMPARE(a.BitBtn2->text(), QStringLiteral("Hinzufügen"));
            QCOMPARE(a.dt_angelbeginn->displayFormat(), QStringLiteral("HH:mm"));
            QCOMPARE(a.cb_faenger->count(), 3);
            QCOMPARE(a.cb_faenger->itemText(0), QStringLiteral("Anna")); // shown sorted
            QCOMPARE(a.cb_faenger->currentIndex(), -1);
            QVERIFY(a.Loadbild->isEnabled());
            QVERIFY(!a.findChild<QPushButton*>("SpeedButton1")->isEnabled());
        });
        QCOMPARE(env.db(), kHeader + "07.05.2006;18:42;18:42;18:42;00:00;;;0;;;;;;;;;;" + astroFields("07.05.2006")
                               + ";;;;;;;;;;0\r\n");
        QCOMPARE(env.session.DB.RowCount(), 1);
        QCOMPARE(env.refreshes, 1);
        // Every free-text list and the species list gain the empty text once.
        QCOMPARE(env.list("Koeder"), QByteArray("\r\nMade\r\nWurm\r\n"));
        QCOMPARE(env.list("Stelle"), QByteArray("\r\n"));
        QCOMPARE(env.list("Fischarten"), QByteArray("\r\nAal\r\nHecht\r\nZander\r\n"));
        QCOMPARE(env.list("Faenger"), win1252::encodeLossy("Peter\r\nAnna\r\nJörg\r\n"));
        QVERIFY(QDir(env.home.file("img")).exists());

        env.enterCatch([](TfrmAdd&) {});
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.list("Stelle"), QByteArray("\r\n"));
        QCOMPARE(env.list("Koeder"), QByteArray("\r\nMade\r\nWurm\r\n"));
    }

    void fullCatchWithNewBaitAndWeather()
    {
        Env env;
        trace::setEnabled(true);
        const auto fill = [](TfrmAdd& a) {
            a.dt_fangdatum->setDate(QDate(2006, 5, 8));
            a.dt_angelbeginn->setTime(QTime(6, 30));
            a.dt_angelende->setTime(QTime(9, 15));
            a.dt_fangzeit->setTime(QTime(7, 45));
            a.cb_faenger->setCurrentIndex(a.cb_faenger->findText("Jörg"));
            a.cb_fischart->setCurrentIndex(a.cb_fischart->findText("Hecht"));
            type(a.ed_laenge, "80");
            QTest::mouseClick(a.BitBtn1, Qt::LeftButton); // weight from length
            QCOMPARE(a.ed_gewicht->text(), QStringLiteral("3886"));
            a.cb_gewaesser->setEditText("Rhein; Altarm");
            a.cb_stelle->setEditText("Buhne 3");
            a.ed_uferdistanz->setText("12");
            a.ed_fangtiefe->setText("3");
            a.cb_fangmethode->setEditText("Spinnen");
            a.cb_koeder->setEditText("Tauwurm");
            a.ed_bemerkungen->setText("mit \\ und ;");
            a.cb_zurueckgesetzt->setChecked(true);
            // The weather dialog: "N" chosen, then "Abbrechen" keeps it.
            QTimer::singleShot(0, [&a] {
                auto* wetter = qobject_cast<TfrmWetter*>(qApp->activeModalWidget());
                QVERIFY(wetter);
                wetter->cb_windrichtung->setCurrentIndex(1);
                wetter->cb_wetter->setEditText("Nieselregen");
                type(wetter->ed_lufttemp, "-3");
                QTest::mouseClick(wetter->BitBtn3, Qt::LeftButton);
            });
            QTest::mouseClick(a.SpeedButton2, Qt::LeftButton);
        };
        env.enterCatch(fill);
        trace::setEnabled(false);
        QCOMPARE(env.db(), kHeader + "08.05.2006;07:45;06:30;09:15;02:45;Hecht;80;3886;J\xf6rg;Rhein\\; Altarm;"
                                     "Buhne 3;12;3;Spinnen;Tauwurm;Nieselregen;mit \\\\ und \\;;"
                               + astroFields("08.05.2006") + ";;;-3;;;;N;;;-1\r\n");
        QCOMPARE(env.list("Koeder"), QByteArray("Made\r\nTauwurm\r\nWurm\r\n"));
        QCOMPARE(env.list("Wetter"), QByteArray("Nieselregen\r\nsonnig\r\n"));
        QCOMPARE(env.list("Gewaesser"), QByteArray("Rhein; Altarm\r\n"));
        const QByteArray log = env.home.read("error.log");
        for (const char* step : {"Main: Neuer Fang klick", "ADD: Wetter", "ADD: Fischlaenge(Hecht;80)", "ADD: Hinzuf\xfcgen"})
            QVERIFY2(log.contains(step), step);

        // The next entry offers the new bait; using it again adds nothing.
        env.enterCatch([&env](TfrmAdd& a) {
            QVERIFY(a.cb_koeder->findText("Tauwurm") >= 0);
            QCOMPARE(env.wetter->cb_windrichtung->currentIndex(), -1);
            QCOMPARE(env.wetter->ed_lufttemp->text(), QString());
            a.cb_koeder->setEditText("Tauwurm");
            a.cb_stelle->setEditText("Buhne 3");
        });
        QCOMPARE(env.list("Koeder"), QByteArray("Made\r\nTauwurm\r\nWurm\r\n"));
        QCOMPARE(env.session.DB.RowCount(), 2);
    }

    void editKeepsTheRowAndShowsWhatTheListsHold()
    {
        Env env;
        // Row 1 by a former angler with wind "N"; row 2 with an empty wind direction.
        env.session.DB.AddRow();
        for (const auto& [f, v] : std::initializer_list<std::pair<const char*, QByteArray>>{
                 {"Fangdatum", "01.06.2007"}, {"Fangzeit", "05:10"}, {"Angelbeginn", "22:00"}, {"Angelende", "02:00"},
                 {"Angeldauer", "20:00"}, {"Faenger", "Klaus"}, {"Fischart", "Karpfen"}, {"Windrichtung", "N"},
                 {"Gewicht", "5000"}, {"zurueckgesetzt", "-1"}, {"Sonnenaufgang", "alt"}})
            env.session.DB.SetData(f, v);
        env.session.DB.AddRow();
        for (const auto& [f, v] : std::initializer_list<std::pair<const char*, QByteArray>>{
                 {"Fangdatum", "02.06.2007"}, {"Fangzeit", "06:00"}, {"Angelbeginn", "05:00"}, {"Angelende", "07:00"},
                 {"Faenger", "Anna"}, {"Fischart", "Aal"}, {"Windrichtung", ""}, {"Koeder", "Made"}, {"Gewicht", "0"}})
            env.session.DB.SetData(f, v);
        env.session.saveDB();
        const QByteArray row2 = env.db().split('\n')[2];

        env.wetter->cb_windrichtung->setCurrentIndex(1); // left from the catch before
        env.editCatch(1, [](TfrmAdd& a) {
            QCOMPARE(a.BitBtn2->text(), QStringLiteral("Speichern"));
            QCOMPARE(a.cb_faenger->currentIndex(), -1); // "Klaus" is not in the list
            QCOMPARE(a.cb_fischart->currentIndex(), -1);
            QCOMPARE(a.dt_angelbeginn->time(), QTime(22, 0));
            QVERIFY(a.cb_zurueckgesetzt->isChecked());
        });
        QCOMPARE(env.session.DB.RowCount(), 2);
        env.session.DB.GoToRow(1);
        QCOMPARE(env.session.DB.GetData("Faenger"), QByteArray());
        QCOMPARE(env.session.DB.GetData("Windrichtung"), QByteArray("N"));
        // Across midnight: 22:00 to 02:00 lasted four hours.
        QCOMPARE(env.session.DB.GetData("Angeldauer"), QByteArray("04:00"));
        QCOMPARE(env.session.DB.GetData("Sonnenaufgang"), astroFields("01.06.2007").split(';').first());
        QCOMPARE(env.session.DB.GetData("zurueckgesetzt"), QByteArray("-1"));
        QCOMPARE(env.db().split('\n')[2], row2); // the other row is untouched

        env.editCatch(2, [](TfrmAdd& a) {
            QCOMPARE(a.cb_faenger->currentText(), QStringLiteral("Anna"));
            QCOMPARE(a.cb_koeder->currentText(), QStringLiteral("Made"));
        });
        env.session.DB.GoToRow(2);
        QCOMPARE(env.session.DB.GetData("Windrichtung"), QByteArray());
        QCOMPARE(env.session.DB.GetData("Faenger"), QByteArray("Anna"));
        QCOMPARE(env.refreshes, 2);

        // A row whose date cannot be read is not opened and stays as it was.
        env.session.DB.GoToRow(2);
        env.session.DB.SetData("Fangdatum", "32.13.2007");
        const QByteArray before = env.session.DB.toBytes();
        bool raised = false;
        try {
            catchcommands::editCatch(*env.add, 2);
        } catch (const EConvertError& e) {
            raised = e.message() == QStringLiteral("'32.13.2007' is not a valid date");
        }
        QVERIFY(raised);
        QVERIFY(!env.add->isVisible());
        QCOMPARE(env.session.DB.toBytes(), before);
        // Nothing selected: nothing happens.
        catchcommands::editCatch(*env.add, 0);
        QVERIFY(!env.add->isVisible());
    }

    void refusedValuesSaveNothing()
    {
        Env env;
        env.enterCatch([](TfrmAdd&) {});
        const QByteArray saved = env.db();
        const QByteArray koeder = env.list("Koeder");
        const struct {
            std::function<void(Env&)> enter;
            const char* field;
        } cases[] = {
            {[](Env& e) { e.add->ed_laenge->setText("4,5"); }, "\"Länge\""},
            {[](Env& e) { e.add->ed_gewicht->setText("1.5"); }, "\"Gewicht\""},
            {[](Env& e) { e.wetter->ed_luftdruck->setText("1013,2"); }, "\"Luftdruck\""},
            {[](Env& e) { e.add->ed_bemerkungen->setText("Haken ✓"); }, "\"Bemerkungen\""},
            {[](Env& e) { e.add->cb_koeder->setEditText("Köder ☺"); }, "\"Köder\""},
        };
        for (const auto& c : cases) {
            env.user.messages.clear();
            env.enterCatch([&](TfrmAdd& a) {
                a.cb_koeder->setEditText("Neu");
                c.enter(env);
            });
            const QStringList warnings = env.user.texts("warning");
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.first().contains(QString::fromUtf8(c.field)), qPrintable(warnings.first()));
            QCOMPARE(env.session.DB.RowCount(), 1);
            QCOMPARE(env.db(), saved);
            QCOMPARE(env.list("Koeder"), koeder);
        }
        // Negative temperatures and blanks around whole numbers are fine.
        env.enterCatch([&env](TfrmAdd& a) {
            a.ed_laenge->setText(" 45 ");
            env.wetter->ed_lufttemp->setText("-3");
        });
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.session.DB.GetData("Laenge"), QByteArray("45"));
        QCOMPARE(env.session.DB.GetData("Lufttemperatur"), QByteArray("-3"));
    }

    void duplicateAndDelete()
    {
        Env env;
        env.enterCatch([](TfrmAdd& a) { a.cb_faenger->setCurrentIndex(0); });
        env.enterCatch([](TfrmAdd& a) { a.cb_faenger->setCurrentIndex(1); });
        const QList<QByteArray> lines = env.db().split('\n');
        QCOMPARE(lines.size(), 4);

        // The copy reaches the file at once.
        catchcommands::duplicateCatch(env.session, 1, [&env] { ++env.refreshes; });
        QCOMPARE(env.db(), lines[0] + '\n' + lines[1] + '\n' + lines[2] + '\n' + lines[1] + '\n');
        QCOMPARE(env.refreshes, 3);
        catchcommands::duplicateCatch(env.session, 0, {});
        QCOMPARE(env.session.DB.RowCount(), 3);

        // No keeps everything; Yes removes the row from table and file.
        const QByteArray three = env.db();
        env.user.confirmations.enqueue(false);
        catchcommands::deleteCatch(env.session, 1, nullptr, [&env] { ++env.lastEntries; });
        QCOMPARE(env.db(), three);
        QCOMPARE(env.session.DB.RowCount(), 3);
        QCOMPARE(env.lastEntries, 0);
        env.user.confirmations.enqueue(true);
        catchcommands::deleteCatch(env.session, 1, nullptr, [&env] { ++env.lastEntries; });
        QCOMPARE(env.db(), lines[0] + '\n' + lines[2] + '\n' + lines[1] + '\n');
        QCOMPARE(env.session.DB.RowCount(), 2);
        QCOMPARE(env.lastEntries, 1);
        const auto confirms = env.user.messages;
        QCOMPARE(confirms.first().kind, QStringLiteral("confirm"));
        QCOMPARE(confirms.first().title, QStringLiteral("Eintrag löschen"));
        QCOMPARE(confirms.first().text, QStringLiteral("Wollen Sie den Eintrag wirklich löschen?"));

        // A write that fails puts the row back.
        env.session.dbPath = env.home.file("fehlt/fang.fdb");
        env.user.confirmations.enqueue(true);
        bool raised = false;
        try {
            catchcommands::deleteCatch(env.session, 1, nullptr, {});
        } catch (const EFileError&) {
            raised = true;
        }
        QVERIFY(raised);
        QCOMPARE(env.session.DB.RowCount(), 2);
    }

    void withoutAnglersTheListEditorOpens()
    {
        Env env;
        env.home.write("DATs/Faenger.dat", "");
        env.add->cb_faenger->clear();
        catchcommands::newCatch(*env.add, [&env] { ++env.editorsOpened; });
        QVERIFY(!env.add->isVisible());
        QCOMPARE(env.editorsOpened, 1);
        QCOMPARE(env.user.messages.size(), 1);
        QCOMPARE(env.user.messages.first().kind, QStringLiteral("warning"));
        QCOMPARE(env.user.messages.first().title, QStringLiteral("Warnung"));
        QCOMPARE(env.user.messages.first().text, QStringLiteral("Sie haben keinen Fänger eingefügt!"));
        QCOMPARE(env.session.DB.RowCount(), 0);
    }

    void controlsBehaveAsTyped()
    {
        Env env;
        TfrmAdd& a = *env.add;
        a.prepareNew();
        a.show();
        // Key filter: "," and "." are dropped from length and weight.
        type(a.ed_laenge, "12,5");
        QCOMPARE(a.ed_laenge->text(), QStringLiteral("125"));
        type(a.ed_gewicht, "1.500");
        QCOMPARE(a.ed_gewicht->text(), QStringLiteral("1500"));
        // Focus colours.
        QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
        QApplication::sendEvent(a.cb_koeder, &in);
        QCOMPARE(a.cb_koeder->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QApplication::sendEvent(a.cb_koeder, &out);
        QCOMPARE(a.cb_koeder->palette().color(QPalette::Base), QColor(Qt::white));

        // Estimates need a length (weight) and a species.
        a.ed_laenge->clear();
        QTest::mouseClick(a.BitBtn1, Qt::LeftButton);
        QCOMPARE(env.user.texts("information"), QStringList{"Bitte Länge oder Fischart auswählen"});
        a.ed_gewicht->setText("3000");
        QTest::mouseClick(a.BitBtn4, Qt::LeftButton);
        QCOMPARE(env.user.texts("information").last(), QStringLiteral("Bitte Gewicht oder Fischart auswählen"));
        // Changing the date computes the sun and moon values of the new day.
        a.dt_fangdatum->setDate(QDate(2007, 3, 25));
        QCOMPARE(win1252::encodeLossy(a.SunMoonCalendar1.sunRiseText() + ';' + a.SunMoonCalendar1.sunSetText() + ';'
                                      + a.SunMoonCalendar1.moonRiseText() + ';' + a.SunMoonCalendar1.moonSetText()
                                      + ';' + a.SunMoonCalendar1.moonPhaseText()),
                 astroFields("25.03.2007"));
        QTest::mouseClick(a.BitBtn3, Qt::LeftButton);
        QVERIFY(!a.isVisible());
        QCOMPARE(env.session.DB.RowCount(), 0);
    }
};

FK_UI_TEST_MAIN(TfrmAddTest)
#include "TfrmAddTest.moc"
