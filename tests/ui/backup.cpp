// "Backup erstellen" and "Backup laden" from the main menu: the archive, the restore with its
// safety backup, the main window showing the restored databases, refused archives.
#include "support/UiFixtures.h"
#include "data/ProgramFolder.h"

#include <zip.h>

namespace {
QStringList zipNames(const QString& archive)
{
    QStringList out;
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!z)
        return {QStringLiteral("<kein Archiv>")};
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i)
        out.append(QString::fromUtf8(zip_get_name(z, zip_uint64_t(i), 0)));
    zip_discard(z);
    return out;
}
} // namespace

class BackupTest : public QObject {
    Q_OBJECT
    FixedClock clock;

private slots:
    void init() { setAppClock(&clock); }
    void cleanup()
    {
        setAppClock(nullptr);
        trace::setEnabled(false);
    }

    void backupAndRestoreThroughTheMenu()
    {
        MainEnv env;
        env.home.write("DATs/Koeder.dat", "Tauwurm\r\n");
        writeJpeg(env.home, "img/p1.jpg", qRgb(200, 0, 0), 64, 48);
        TfrmMain& w = env.open();
        trace::setEnabled(true);
        QAction* make = w.menuAction("aBackupErstellen");
        QAction* load = w.menuAction("aBackupLaden");
        QVERIFY(make->isEnabled() && make->isVisible());
        QVERIFY(load->isEnabled() && load->isVisible());

        const QString archive = env.home.file("sicherung.zip");
        env.ui.saveFiles.enqueue(archive);
        make->trigger();
        const QStringList names = zipNames(archive);
        QCOMPARE(names.first(), QStringLiteral("p1.jpg"));
        QVERIFY(names.contains("Koeder.dat"));
        QCOMPARE(names.mid(names.size() - 3), (QStringList{"fang.fdb", "Fischkladde.ini", "kosten.akdb"}));
        QCOMPARE(env.ui.messages.last().kind, QStringLiteral("save"));
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Zip|*.zip"));
        QCOMPARE(env.ui.lastDefaultSuffix, QStringLiteral("zip"));

        // Another database is opened and the list changed; then the backup comes back.
        catchTable({{"01.01.2020", "Eva", "Wels", "120"}}).saveOrThrow(env.home.file("andere.fdb"));
        catchdb::openDatabase(w.session(), env.home.file("andere.fdb"), catchdb::Kind::Catches);
        w.notifyChanged(host::Change::Databases);
        QCOMPARE(listIds(w).size(), 1);
        env.home.write("DATs/Koeder.dat", "Mais\r\n");

        env.ui.openFiles.enqueue(archive);
        load->trigger();
        QCOMPARE(env.ui.texts("error"), QStringList());
        const QString safety = env.home.file("Sicherungen/vor-Wiederherstellung-20261205-132007.zip");
        QCOMPARE(env.ui.texts("information").size(), 1);
        QVERIFY(env.ui.texts("information").first().contains(QDir::toNativeSeparators(safety)));
        QVERIFY(zipNames(safety).contains("andere.fdb"));
        QCOMPARE(w.session().dbPath, env.home.file("fang.fdb"));
        QCOMPARE(IniFile::settings().readString("DB", "File"), env.home.file("fang.fdb"));
        QCOMPARE(w.session().DB.RowCount(), 6);
        QCOMPARE(listIds(w).size(), 6); // the main list shows the restored catches
        QCOMPARE(env.home.read("DATs/Koeder.dat"), QByteArray("Tauwurm\r\n"));
        const QString log = traceText(env.home);
        QVERIFY(log.contains("Main: Backup erstellen"));
        QVERIFY(log.indexOf("Main: Load CB", log.indexOf("Main: Backup laden")) > 0);
    }

    void refusedArchiveAndCancelledDialogs()
    {
        MainEnv env;
        TfrmMain& w = env.open();
        env.home.write("kaputt.zip", "kein Archiv");
        const QByteArray ini = env.home.read("Fischkladde.ini");

        env.ui.openFiles.enqueue(env.home.file("kaputt.zip"));
        w.menuAction("aBackupLaden")->trigger();
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains("kann nicht wiederhergestellt werden"));
        QVERIFY(env.ui.texts("information").isEmpty());
        QVERIFY(!QFileInfo::exists(env.home.file("Sicherungen")));
        QCOMPARE(env.home.read("Fischkladde.ini"), ini);
        QCOMPARE(w.session().DB.RowCount(), 6);

        // Cancelled: nothing written, nothing asked.
        w.menuAction("aBackupErstellen")->trigger();
        w.menuAction("aBackupLaden")->trigger();
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(!QFileInfo::exists(env.home.file("Sicherungen")));
        QCOMPARE(QDir(env.home.path()).entryList({"*.zip"}), QStringList{"kaputt.zip"});
    }
};

FK_UI_TEST_MAIN(BackupTest)
#include "backup.moc"
