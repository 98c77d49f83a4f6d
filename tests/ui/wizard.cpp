// The setup assistant driven as a user would: the first run from the main window, the list
// pages with their files, going back, a later run, and its smaller buttons.
#include "support/UiFixtures.h"
#include "support/ModalDriver.h"
#include "data/LookupLists.h"
#include "ui/wizard/TfrmWizard.h"

#include <QRegularExpression>

namespace {

void add(TfrmWizard* z, const QStringList& texts)
{
    for (const QString& t : texts) {
        z->Edit1->setText(t);
        QTest::mouseClick(z->BitBtn10, Qt::LeftButton);
    }
}

QStringList items(const TfrmWizard* z) { return columnTexts(z->ListBox1->model()); }

void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// A program folder without a known catch database.
struct FirstRunEnv {
    TempHome home;
    ScriptedInteraction ui;
    std::unique_ptr<TfrmMain> win;
    QueuedRandom random;
    FirstRunEnv() { setAppRandom(&random); }
    ~FirstRunEnv() { setAppRandom(nullptr); }
    TfrmMain& open()
    {
        win = std::make_unique<TfrmMain>();
        win->FormShow();
        return *win;
    }
};

} // namespace

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunFillsTheListPages()
    {
        FirstRunEnv env;
        catchdb::createFile(env.home.file("kosten.akdb"), catchdb::Kind::Costs);
        env.home.write("DATs/Faenger.dat", "Alt\r\n"); // goes with the new database
        env.ui.saveFiles.enqueue(env.home.file("fang.fdb"));
        env.ui.openFiles.enqueue(env.home.file("kosten.akdb"));
        for (int i = 0; i < 81; ++i)
            env.random.values.append(i == 0 ? 255 : i == 1 ? 10 : 0);
        bool seen = false;
        onModal<TfrmWizard>([&](TfrmWizard* z) {
            seen = true;
            QCOMPARE(z->windowTitle(), QStringLiteral("Assistent"));
            QCOMPARE(z->size(), QSize(389, 352));
            QVERIFY(z->Panel1->isVisible() && !z->Panel2->isVisible());
            QVERIFY(z->db->text().isEmpty() && z->akdb->text().isEmpty());
            QCOMPARE(z->BitBtn5->text(), QStringLiteral("Weiter"));
            QVERIFY(!z->BitBtn7->isVisible()); // no restore to offer

            click(z->BitBtn5);
            QCOMPARE(env.ui.texts("information"), QStringList{"Bitte eine Datenbank auswählen oder erstellen!"});
            QVERIFY(z->Panel1->isVisible());

            click(z->BitBtn1);
            QCOMPARE(z->db->text(), env.home.file("fang.fdb"));
            QCOMPARE(env.home.read("fang.fdb"), kCatchHeader);
            QVERIFY(!QFileInfo::exists(env.home.file("DATs/Faenger.dat")));
            click(z->BitBtn3);
            QCOMPARE(z->akdb->text(), env.home.file("kosten.akdb"));
            click(z->BitBtn5);
            QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("fang.fdb"));
            QCOMPARE(IniFile::settings().readString("AKDB", "File"), env.home.file("kosten.akdb"));
            QCOMPARE(IniFile::settings().readString("Start", "start"), QStringLiteral("1"));

            // Page 0: anglers, empty.
            QVERIFY(z->Panel2->isVisible() && !z->Panel1->isVisible());
            QCOMPARE(z->Label1->text(), QStringLiteral("Fänger hinzufügen"));
            QCOMPARE(z->Label3->text(),
                     QStringLiteral("Einträge können durch klick auf die \"Entf\" Taste gelöscht werden."));
            QCOMPARE(z->ListBox1->count(), 0);
            QVERIFY(!z->bt_zurueck->isEnabled());
            add(z, {"Tom", "Anna", "Tom", "Weg"});
            QCOMPARE(items(z), (QStringList{"Tom", "Anna", "Tom", "Weg"}));
            // Delete removes every selected item.
            z->ListBox1->item(2)->setSelected(true);
            z->ListBox1->item(3)->setSelected(true);
            QTest::keyClick(z->ListBox1, Qt::Key_Delete);
            QCOMPARE(items(z), (QStringList{"Tom", "Anna"}));
            click(z->bt_weiter);
            QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Tom\r\nAnna\r\n"));
            QCOMPARE(z->Label1->text(), QStringLiteral("Fangmethode hinzufügen"));
            QVERIFY(z->bt_zurueck->isEnabled());
            click(z->bt_weiter);

            // Page 2: the 27 defaults, each with a new random map colour.
            QCOMPARE(z->Label1->text(), QStringLiteral("Fischarten hinzufügen"));
            QCOMPARE(items(z), lookup::defaultSpecies());
            const QStringList keys = IniFile::settings().keys("KarteFarbe");
            QCOMPARE(keys, lookup::defaultSpecies());
            const QRegularExpression colour("^#[0-9A-F]{6}$");
            for (const QString& k : keys)
                QVERIFY2(colour.match(IniFile::settings().readString("KarteFarbe", k)).hasMatch(), qPrintable(k));
            QCOMPARE(IniFile::settings().readString("KarteFarbe", "Aal"), QStringLiteral("#FF0A00"));
            click(z->bt_weiter);
            QCOMPARE(lookup::readNamedList("Fischarten"), lookup::defaultSpecies());

            // Going back from the bait page drops its unsaved items, the waters stay written.
            QCOMPARE(z->Label1->text(), QStringLiteral("Gewässer hinzufügen"));
            add(z, {"Rhein"});
            click(z->bt_weiter);
            QCOMPARE(z->Label1->text(), QStringLiteral("Köder hinzufügen"));
            add(z, {"Wurm"});
            click(z->bt_zurueck);
            QCOMPARE(z->Label1->text(), QStringLiteral("Gewässer hinzufügen"));
            QCOMPARE(items(z), QStringList{"Rhein"});
            QVERIFY(!QFileInfo::exists(env.home.file("DATs/Koeder.dat")));
            click(z->bt_weiter);
            QCOMPARE(z->ListBox1->count(), 0);
            click(z->bt_weiter);
            QCOMPARE(z->Label1->text(), QStringLiteral("Fangstellen hinzufügen"));
            QCOMPARE(z->bt_weiter->text(), QStringLiteral("Weiter"));
            click(z->bt_weiter);
            QCOMPARE(z->Label1->text(), QStringLiteral("Wetter hinzufügen"));
            QCOMPARE(z->bt_weiter->text(), QStringLiteral("Fertigstellen"));
            click(z->bt_zurueck);
            QCOMPARE(z->bt_weiter->text(), QStringLiteral("Weiter"));
            click(z->bt_weiter);
            add(z, {"Sonne"});
            click(z->bt_weiter);
            QVERIFY(!z->isVisible());
        });
        TfrmMain& w = env.open();
        QVERIFY(seen);
        QCOMPARE(env.home.read("DATs/Wetter.dat"), QByteArray("Sonne\r\n"));
        QCOMPARE(env.home.read("DATs/Gewaesser.dat"), QByteArray("Rhein\r\n"));
        QCOMPARE(env.home.read("DATs/Koeder.dat"), QByteArray());
        // The main window goes on with the new databases and lists.
        QCOMPARE(w.session().dbPath, env.home.file("fang.fdb"));
        QCOMPARE(w.session().akdbPath, env.home.file("kosten.akdb"));
        QCOMPARE(columnTexts(w.cb_gehezu->model()).mid(2), (QStringList{"Tom", "Anna"}));
        QCOMPARE(menuTexts(w.mnuKarte), QStringList{"Rhein"});
        QVERIFY(env.ui.texts("error").isEmpty());
    }

    void laterRunFinishesOnTheFirstPage()
    {
        FirstRunEnv env;
        installDatabases(env.home, sampleCatches());
        IniFile::settings().writeBool("Start", "start", true);
        QFile::rename(env.home.file("fang.fdb"), env.home.file("verschoben.fdb"));
        env.ui.openFiles.enqueue(env.home.file("fehlt.fdb"));
        env.ui.openFiles.enqueue(env.home.file("verschoben.fdb"));
        bool seen = false;
        onModal<TfrmWizard>([&](TfrmWizard* z) {
            seen = true;
            QCOMPARE(z->BitBtn5->text(), QStringLiteral("Fertigstellen"));
            // Without the catch database neither path is held.
            QVERIFY(z->db->text().isEmpty() && z->akdb->text().isEmpty());
            // A file that does not exist is shown, not loaded.
            click(z->BitBtn2);
            QCOMPARE(z->db->text(), env.home.file("fehlt.fdb"));
            click(z->BitBtn2);
            QCOMPARE(z->db->text(), env.home.file("verschoben.fdb"));
            click(z->BitBtn5);
            QVERIFY(!z->isVisible());
        });
        TfrmMain& w = env.open();
        QVERIFY(seen);
        QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("verschoben.fdb"));
        // The cost database left unchosen is still known for the next start.
        QCOMPARE(IniFile::settings().readString("AKDB", "File"), env.home.file("kosten.akdb"));
        QCOMPARE(w.session().DB.RowCount(), 6);
        QCOMPARE(w.listModel->rowCount(), 6);
        // The lists were rebuilt from the opened catches.
        QCOMPARE(lookup::readNamedList("Faenger"), (QStringList{"Anna", "Tom"}));
    }

    void openingACatchDatabaseFinishesTheFirstRun()
    {
        FirstRunEnv env;
        installDatabases(env.home, sampleCatches(), false);
        QFile::rename(env.home.file("fang.fdb"), env.home.file("alt.fdb"));
        IniFile::settings().writeString("DB", "File", "");
        env.ui.openFiles.enqueue(env.home.file("alt.fdb"));
        env.home.write("Anleitung.pdf", "%PDF-1.4");
        onModal<TfrmWizard>([&](TfrmWizard* z) {
            click(z->SpeedButton1);
            QCOMPARE(env.ui.texts("document"), QStringList{env.home.file("Anleitung.pdf")});
            QFile::remove(env.home.file("Anleitung.pdf"));
            click(z->SpeedButton1);
            QCOMPARE(env.ui.texts("document").size(), 1);

            click(z->BitBtn2);
            QCOMPARE(z->BitBtn5->text(), QStringLiteral("Fertigstellen"));
            QCOMPARE(IniFile::settings().readString("Start", "start"), QStringLiteral("1"));
            // Only the catch database: finishing closes at once, without list pages.
            click(z->BitBtn5);
            QVERIFY(!z->isVisible());
        });
        TfrmMain& w = env.open();
        QCOMPARE(w.session().DB.RowCount(), 6);
        QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("alt.fdb"));
        QVERIFY(IniFile::settings().readString("AKDB", "File").isEmpty());
    }

    void cancelAndTheRestoreButton()
    {
        FirstRunEnv env;
        TfrmMain& w = *(env.win = std::make_unique<TfrmMain>());
        auto* z = w.findChild<TfrmWizard*>();
        QVERIFY(z);
        // A page written before cancelling stays written.
        env.ui.saveFiles.enqueue(env.home.file("fang.fdb"));
        onModal<TfrmWizard>([&](TfrmWizard* shown) {
            click(shown->BitBtn1);
            click(shown->BitBtn5);
            add(shown, {"Tom"});
            click(shown->bt_weiter);
            click(shown->BitBtn9);
        });
        w.FormShow();
        QCOMPARE(env.home.read("DATs/Faenger.dat"), QByteArray("Tom\r\n"));
        QVERIFY(!z->isVisible());

        // Once the restore is there, "Backup laden" runs it and closes the assistant.
        int restores = 0;
        w.wireAction(w.aBackupLaden, [&] { ++restores; });
        onModal<TfrmWizard>([&](TfrmWizard* shown) {
            QVERIFY(shown->Panel1->isVisible());
            QCOMPARE(shown->BitBtn5->text(), QStringLiteral("Fertigstellen")); // the first page was completed
            QVERIFY(shown->BitBtn7->isVisible());
            click(shown->BitBtn7);
        });
        z->exec();
        QCOMPARE(restores, 1);
        QVERIFY(!z->isVisible());
    }
};

FK_UI_TEST_MAIN(WizardTest)
#include "wizard.moc"
