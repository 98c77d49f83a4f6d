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
            QVERIFY(!a.Loadbild->isEnabled());
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
};

FK_UI_TEST_MAIN(TfrmAddTest)
#include "TfrmAddTest.moc"
