// Backup archives (checked with unzip/zipinfo) and restores: round trips, damaged and hostile
// archives, the settings file and the session rewired.
#include "TempHome.h"
#include "base/FkError.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>
#include <zip.h>

namespace {

struct Fixed : Clock {
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(13, 20, 7)); }
};

QByteArray run(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (status)
        *status = p.exitCode();
    return p.readAllStandardOutput();
}

QStringList zipNames(const QString& archive)
{
    return QString::fromUtf8(run(QStringLiteral("zipinfo"), {QStringLiteral("-1"), archive})).split('\n', Qt::SkipEmptyParts);
}

// Entry name -> zipinfo's method column ("defX", "stor" ...).
QMap<QString, QString> zipMethods(const QString& archive)
{
    QMap<QString, QString> out;
    for (const QString& line : QString::fromUtf8(run(QStringLiteral("zipinfo"), {archive})).split('\n')) {
        const QStringList cols = line.split(' ', Qt::SkipEmptyParts);
        if (cols.size() >= 9 && (cols[0].startsWith('-') || cols[0].startsWith('l') || cols[0].startsWith('d')))
            out[cols.mid(8).join(' ')] = cols[5];
    }
    return out;
}

bool unzipTestOk(const QString& archive)
{
    int status = -1;
    run(QStringLiteral("unzip"), {QStringLiteral("-tq"), archive}, &status);
    return status == 0;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every file and folder below `dir` with its bytes: the whole state of a program folder.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out[QDir(dir).relativeFilePath(path)] = it.fileInfo().isDir() ? QByteArray("<dir>") : readFile(path);
    }
    return out;
}

struct ZipItem {
    QByteArray name;
    QByteArray data;
    int opsys = ZIP_OPSYS_UNIX;
    quint32 attributes = 0100644u << 16;
};

// An archive as another program might have written it.
void makeZip(const QString& path, const QList<ZipItem>& items)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const ZipItem& item : items) {
        zip_source_t* src = zip_source_buffer(z, item.data.constData(), zip_uint64_t(item.data.size()), 0);
        const zip_int64_t index = item.name.endsWith('/') ? zip_dir_add(z, item.name.constData(), ZIP_FL_ENC_RAW)
                                                          : zip_file_add(z, item.name.constData(), src, ZIP_FL_ENC_RAW);
        if (item.name.endsWith('/'))
            zip_source_free(src);
        ASSERT_GE(index, 0) << item.name.constData();
        zip_file_set_external_attributes(z, zip_uint64_t(index), 0, zip_uint8_t(item.opsys), item.attributes);
    }
    ASSERT_EQ(zip_close(z), 0);
}

const QByteArray kDb = "Fangdatum;Fischart;Laenge\r\n07.05.2006;Hecht;60\r\n";
const QByteArray kAkdb = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n";
const QByteArray kIni = "[DB]\r\nFile=%DB%\r\n[Start]\r\nstart=1\r\n[Karte]\r\nSee A=c:\\karten\\a.jpg\r\n"
                        "[AKDB]\r\nFile=%AK%\r\n[KarteFarbe]\r\nHecht=#FF0000\r\n";

// A program folder with pictures, lists, a catch database kept elsewhere and a cost database.
struct Folder {
    TempHome home;
    QTemporaryDir elsewhere;
    Session session;
    QString dbPath() const { return elsewhere.path() + "/see.fdb"; }
    Folder()
    {
        for (const char* name : {"b.jpg", "A.jpg", "10.jpg", "9.jpg", "_x.jpg", "noext", "X.png"})
            home.write(QStringLiteral("img/") + name, QByteArray(name).repeated(200));
        home.write("img/sub/deep.jpg", "deep");
        QFile::link(elsewhere.path() + "/see.fdb", home.file("img/link.jpg"));
        home.write("DATs/Koeder.dat", "Tauwurm\r\nMade\r\n");
        home.write("DATs/Faenger.dat", "Tom\r\n");
        home.write("DATs/notiz.txt", "nicht gesichert");
        writeFile(dbPath(), kDb);
        home.write("kosten.akdb", kAkdb);
        QByteArray ini = kIni;
        ini.replace("%DB%", dbPath().toLocal8Bit()).replace("%AK%", home.file("kosten.akdb").toLocal8Bit());
        home.write("Fischkladde.ini", ini);
        session.dbPath = dbPath();
        session.akdbPath = home.file("kosten.akdb");
        session.DB.LoadFromFile(session.dbPath);
        session.AKDB.LoadFromFile(session.akdbPath);
    }
    void backupTo(const QString& archive)
    {
        backup::createBackup(archive, home.path(), session.dbPath, session.akdbPath);
    }
};

const QStringList kExpectedOrder = {"10.jpg", "9.jpg", "A.jpg", "b.jpg", "noext", "X.png", "_x.jpg",
                                    "Faenger.dat", "Koeder.dat", "see.fdb", "Fischkladde.ini", "kosten.akdb"};

} // namespace

TEST(Backup, ArchiveEntriesOrderAndMethods)
{
    Folder f;
    const QString archive = f.home.file("out/sicherung.zip");
    QDir().mkpath(f.home.file("out"));
    f.backupTo(archive);
    ASSERT_TRUE(unzipTestOk(archive));
    // Bare names; img sorted with A-Z folded to capitals ("_" after the letters), no
    // subfolder, no link, only *.dat from DATs; then database, settings, costs.
    EXPECT_EQ(zipNames(archive), kExpectedOrder);
    const QMap<QString, QString> methods = zipMethods(archive);
    EXPECT_EQ(methods.value("X.png"), "stor");
    for (const QString& name : kExpectedOrder) {
        if (name != "X.png") {
            EXPECT_EQ(methods.value(name), "defX") << name.toStdString();
        }
    }
    int status = -1;
    EXPECT_EQ(run("unzip", {"-p", archive, "see.fdb"}, &status), kDb);

    EXPECT_TRUE(backup::nameLess("10.jpg", "9.jpg"));
    EXPECT_TRUE(backup::nameLess("a.jpg", "B.jpg"));
    EXPECT_TRUE(backup::nameLess("Z.jpg", "_.jpg"));
    EXPECT_FALSE(backup::nameLess("b.jpg", "A.jpg"));
    for (const char* stored : {"a.PNG", "x.tgz", "y.gzip", "z.Z", "q.jar"})
        EXPECT_TRUE(backup::isStoredName(stored)) << stored;
    for (const char* deflated : {"a.jpg", "png", "x.tar", "y.zipx", "gz"})
        EXPECT_FALSE(backup::isStoredName(deflated)) << deflated;
}

TEST(Backup, ReplacesAnExistingArchiveAndKeepsItOnFailure)
{
    Folder f;
    const QString archive = f.home.file("sicherung.zip");
    f.home.write("sicherung.zip", "alter Inhalt, kein Zip");
    f.backupTo(archive);
    EXPECT_TRUE(unzipTestOk(archive));
    EXPECT_EQ(zipNames(archive), kExpectedOrder);

    // Same database named twice is one entry; two files of one name are refused.
    EXPECT_EQ(backup::collectEntries(f.home.path(), f.dbPath(), f.dbPath()).size(), kExpectedOrder.size() - 1);
    f.home.write("img/kosten.akdb", "doppelt");
    const QByteArray before = readFile(archive);
    EXPECT_THROW(f.backupTo(archive), FkError);
    EXPECT_EQ(readFile(archive), before);

    // An archive without any file is still a valid, empty archive.
    TempHome empty;
    backup::createBackup(empty.file("leer.zip"), empty.path(), {}, {});
    EXPECT_EQ(readFile(empty.file("leer.zip")).size(), 22);
}

TEST(Backup, FullDiskLeavesTheOldArchiveAndNoTemporaryFile)
{
    Folder f;
    QTemporaryDir small;
    if (::mount("tmpfs", QFile::encodeName(small.path()).constData(), "tmpfs", 0, "size=64k") != 0) {
        // As root (CI) the test must run, never pass unseen.
        if (geteuid() == 0)
            FAIL() << "tmpfs cannot be mounted here";
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    struct Unmount {
        QString path;
        ~Unmount() { ::umount(QFile::encodeName(path).constData()); }
    } unmount{small.path()};
    const QString archive = small.path() + "/s.zip";
    writeFile(archive, "altes Archiv");
    // Incompressible pictures larger than the disk.
    QByteArray noise(100000, '\0');
    quint32 x = 12345;
    for (char& c : noise)
        c = char((x = x * 1103515245u + 12345u) >> 24);
    f.home.write("img/gross.jpg", noise);
    EXPECT_THROW(f.backupTo(archive), EFileError);
    EXPECT_EQ(readFile(archive), "altes Archiv");
    EXPECT_EQ(QDir(small.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"s.zip"});
}

TEST(Restore, RoundTripRewiresSettingsAndSession)
{
    Folder f;
    const QString archive = f.elsewhere.path() + "/s.zip";
    f.backupTo(archive);
    const QByteArray iniBefore = f.home.read("Fischkladde.ini");

    // Changes after the backup: they end up in the safety backup.
    f.home.write("DATs/Koeder.dat", "Mais\r\n");
    f.home.write("img/A.jpg", "neu");
    f.home.write("img/X.png", "png neu");
    f.home.write("img/noext", "neu");
    QFile::remove(f.home.file("DATs/Faenger.dat"));
    writeFile(f.dbPath(), "Fangdatum\r\n");

    Fixed clock;
    const backup::RestoreResult r = backup::restore(archive, f.home.path(), f.session, clock);
    const QString safety = f.home.file("Sicherungen/vor-Wiederherstellung-20261205-132007.zip");
    EXPECT_EQ(r.safetyBackup, safety);
    ASSERT_TRUE(unzipTestOk(safety));
    EXPECT_EQ(run("unzip", {"-p", safety, "Koeder.dat"}), "Mais\r\n");
    EXPECT_EQ(run("unzip", {"-p", safety, "see.fdb"}), "Fangdatum\r\n");

    // *.jpg, *.dat and the databases come back; other pictures and the settings file do not.
    EXPECT_EQ(f.home.read("img/A.jpg"), QByteArray("A.jpg").repeated(200));
    EXPECT_EQ(f.home.read("img/X.png"), "png neu");
    EXPECT_EQ(f.home.read("img/noext"), "neu");
    EXPECT_EQ(f.home.read("DATs/Koeder.dat"), "Tauwurm\r\nMade\r\n");
    EXPECT_EQ(f.home.read("DATs/Faenger.dat"), "Tom\r\n");
    EXPECT_EQ(f.home.read("see.fdb"), kDb);
    EXPECT_EQ(f.home.read("kosten.akdb"), kAkdb);
    EXPECT_EQ(readFile(f.dbPath()), "Fangdatum\r\n"); // the database elsewhere is left alone

    // The database kept elsewhere is now the program folder's; only the File keys changed.
    EXPECT_EQ(f.session.dbPath, f.home.file("see.fdb"));
    EXPECT_EQ(f.session.akdbPath, f.home.file("kosten.akdb"));
    ASSERT_EQ(f.session.DB.RowCount(), 1);
    f.session.DB.GoFirst();
    EXPECT_EQ(f.session.DB.GetData("Fischart"), "Hecht");
    EXPECT_GT(f.session.DB.FieldIndex("zurueckgesetzt"), 0); // brought up to date as at start-up
    QByteArray expectedIni = iniBefore;
    expectedIni.replace(f.dbPath().toLocal8Bit(), f.home.file("see.fdb").toLocal8Bit());
    EXPECT_EQ(f.home.read("Fischkladde.ini"), expectedIni);
    EXPECT_TRUE(r.catchesRewired);
    EXPECT_TRUE(r.costsRewired);

    // A second restore in the same second keeps the first safety backup.
    const backup::RestoreResult again = backup::restore(archive, f.home.path(), f.session, clock);
    EXPECT_NE(again.safetyBackup, safety);
    EXPECT_TRUE(QFileInfo::exists(safety));
    EXPECT_TRUE(QFileInfo::exists(again.safetyBackup));
}

TEST(Restore, DatabaseNamesDecideTheRewiring)
{
    Folder f;
    Fixed clock;
    const QString iniBefore = QString::fromLatin1(f.home.read("Fischkladde.ini"));

    // SEE.FDB is extracted but is not taken as the catch database.
    const QString upper = f.elsewhere.path() + "/upper.zip";
    makeZip(upper, {{"SEE.FDB", "Fangdatum\r\n01.01.2001\r\n"}});
    const backup::RestoreResult r1 = backup::restore(upper, f.home.path(), f.session, clock);
    EXPECT_EQ(f.home.read("SEE.FDB"), "Fangdatum\r\n01.01.2001\r\n");
    EXPECT_FALSE(r1.catchesRewired);
    EXPECT_EQ(f.session.dbPath, f.dbPath());
    EXPECT_EQ(f.session.DB.RowCount(), 1);
    EXPECT_EQ(QString::fromLatin1(f.home.read("Fischkladde.ini")), iniBefore);

    // Without any database: lists and pictures only, databases and settings untouched.
    const QString lists = f.elsewhere.path() + "/lists.zip";
    makeZip(lists, {{"Wetter.dat", "sonnig\r\n"}, {"neu.jpg", "bild"}, {"Fischkladde.ini", "[DB]\r\nFile=x\r\n"}});
    backup::restore(lists, f.home.path(), f.session, clock);
    EXPECT_EQ(f.home.read("DATs/Wetter.dat"), "sonnig\r\n");
    EXPECT_EQ(f.home.read("img/neu.jpg"), "bild");
    EXPECT_EQ(f.session.dbPath, f.dbPath());
    EXPECT_EQ(QString::fromLatin1(f.home.read("Fischkladde.ini")), iniBefore);

    // Several databases: the last in archive order wins.
    const QString two = f.elsewhere.path() + "/two.zip";
    makeZip(two, {{"b.fdb", "Fangdatum\r\n"}, {"a.fdb", "Fangdatum\r\n02.02.2002\r\n03.03.2003\r\n"}, {"k.akdb", kAkdb}});
    backup::restore(two, f.home.path(), f.session, clock);
    EXPECT_EQ(f.session.dbPath, f.home.file("a.fdb"));
    EXPECT_EQ(f.session.DB.RowCount(), 2);
    EXPECT_EQ(f.session.akdbPath, f.home.file("k.akdb"));
    EXPECT_EQ(IniFile(f.home.file("Fischkladde.ini")).readString("DB", "File"), f.home.file("a.fdb"));
    EXPECT_EQ(IniFile(f.home.file("Fischkladde.ini")).readString("AKDB", "File"), f.home.file("k.akdb"));
    EXPECT_EQ(IniFile(f.home.file("Fischkladde.ini")).readString("Karte", "See A"), "c:\\karten\\a.jpg");
}

TEST(Restore, DamagedArchivesChangeNothing)
{
    Folder f;
    Fixed clock;
    const QString good = f.elsewhere.path() + "/gut.zip";
    f.backupTo(good);
    const QByteArray bytes = readFile(good);

    const QString truncated = f.elsewhere.path() + "/kurz.zip";
    writeFile(truncated, bytes.left(bytes.size() / 2));
    const QString notZip = f.elsewhere.path() + "/text.zip";
    writeFile(notZip, "Das ist kein Archiv.\r\n");
    // A flipped byte inside X.png, a stored entry that a restore would not even extract.
    const QString badCrc = f.elsewhere.path() + "/crc.zip";
    QByteArray flipped = bytes;
    const qsizetype at = flipped.indexOf(QByteArray("X.png").repeated(200));
    ASSERT_GT(at, 0);
    flipped[at + 10] = 'Q';
    writeFile(badCrc, flipped);

    const QMap<QString, QByteArray> before = snapshot(f.home.path());
    const Session sessionBefore = f.session;
    for (const QString& archive : {truncated, notZip, badCrc, f.elsewhere.path() + "/fehlt.zip", f.elsewhere.path()}) {
        try {
            backup::restore(archive, f.home.path(), f.session, clock);
            ADD_FAILURE() << "accepted " << archive.toStdString();
        } catch (const FkError& e) {
            EXPECT_TRUE(e.message().contains("kann nicht wiederhergestellt werden")) << e.what();
            EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(archive))) << e.what();
        }
        EXPECT_EQ(snapshot(f.home.path()), before) << archive.toStdString();
        EXPECT_EQ(f.session.dbPath, sessionBefore.dbPath);
        EXPECT_EQ(f.session.DB.RowCount(), sessionBefore.DB.RowCount());
    }
    try {
        backup::restore(badCrc, f.home.path(), f.session, clock);
    } catch (const FkError& e) {
        EXPECT_TRUE(e.message().contains("Prüfsumme")) << e.what();
        EXPECT_TRUE(e.message().contains("X.png")) << e.what();
    }
}

TEST(Restore, HostileNamesAndLinksStayInsideTheirFolders)
{
    Folder f;
    Fixed clock;
    QTemporaryDir outer;
    const QString home = f.home.path();
    const QString archive = outer.path() + "/boese.zip";
    QFile::remove(f.home.file("img/link.jpg"));
    makeZip(archive, {
        {"../../x.fdb", "Fangdatum\r\n"},
        {"a/b/c.jpg", "c"},
        {"evil\\..\\..\\y.dat", "y\r\n"},
        {"/abs/z.jpg", "z"},
        {"link.jpg", "/etc/passwd", ZIP_OPSYS_UNIX, 0120777u << 16},
        {"ordner.dat/", ""},
        {"dosordner.jpg", "", ZIP_OPSYS_DOS, 0x10},
        {"windows.jpg", "w", ZIP_OPSYS_DOS, 0x20},
        {"..", "dots"},
        {"anders/c.jpg", "c2"},
    });
    const backup::RestoreResult r = backup::restore(archive, home, f.session, clock);
    EXPECT_EQ(f.home.read("x.fdb"), "Fangdatum\r\n");
    EXPECT_EQ(f.session.dbPath, f.home.file("x.fdb"));
    EXPECT_EQ(f.home.read("img/c.jpg"), "c2"); // of two entries for one file the later wins
    EXPECT_EQ(f.home.read("DATs/y.dat"), "y\r\n");
    EXPECT_EQ(f.home.read("img/z.jpg"), "z");
    EXPECT_EQ(f.home.read("img/windows.jpg"), "w");
    EXPECT_FALSE(QFileInfo::exists(f.home.file("img/link.jpg")));
    EXPECT_FALSE(QFileInfo(f.home.file("img/link.jpg")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(f.home.file("DATs/ordner.dat")));
    EXPECT_FALSE(QFileInfo::exists(f.home.file("img/dosordner.jpg")));
    EXPECT_EQ(r.extracted.size(), 5);
    // Nothing outside the program folder.
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(home).path() + "/x.fdb"));
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::Files), QStringList{"boese.zip"});
    EXPECT_FALSE(QFileInfo::exists("/abs/z.jpg"));
}

TEST(BackupCli, BackupAndRestore)
{
    Folder f;
    const QString archive = f.elsewhere.path() + "/cli.zip";
    const CliResult made = runCli({"backup", archive});
    EXPECT_EQ(made.status, 0) << made.err.constData();
    EXPECT_EQ(zipNames(archive), kExpectedOrder);

    const CliResult restored = runCli({"restore", archive});
    EXPECT_EQ(restored.status, 0) << restored.err.constData();
    const QString printed = QString::fromUtf8(restored.out).trimmed();
    EXPECT_TRUE(QRegularExpression(QRegularExpression::escape(f.home.file("Sicherungen/")) +
                                   "vor-Wiederherstellung-\\d{8}-\\d{6}\\.zip")
                    .match(printed)
                    .hasMatch())
        << printed.toStdString();
    EXPECT_TRUE(unzipTestOk(printed));
    EXPECT_EQ(IniFile(f.home.file("Fischkladde.ini")).readString("DB", "File"), f.home.file("see.fdb"));

    writeFile(f.elsewhere.path() + "/kaputt.zip", "PK\x03\x04kaputt");
    const CliResult bad = runCli({"restore", f.elsewhere.path() + "/kaputt.zip"});
    EXPECT_NE(bad.status, 0);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(bad.err).contains("kann nicht wiederhergestellt werden")) << bad.err.constData();
    EXPECT_NE(runCli({"backup"}).status, 0);
}
