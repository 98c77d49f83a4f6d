// Every save of the data layer on a full disk: the failure is reported in German (a non-zero
// exit on the command line), the old file keeps every byte, and opening a database changes
// table, held path and settings together or not at all.
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "base/FkError.h"
#include "FullDisk.h"
#include "TempHome.h"
#include "support/ErrorText.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QByteArray kOldLayout = "Fangdatum;Fangzeit;Fischart;Gewicht\r\n07.05.2006;18:42;Hecht;3200\r\n"
                              "08.05.2006;06:10;Aal;0\r\n09.05.2006;07:00;Zander;1800\r\n";

// Points the program folder somewhere else for one test.
struct HomeAt {
    explicit HomeAt(const QString& path) : previous(qgetenv("FISCHKLADDE_HOME"))
    {
        qputenv("FISCHKLADDE_HOME", path.toLocal8Bit());
    }
    ~HomeAt() { qputenv("FISCHKLADDE_HOME", previous); }
    QByteArray previous;
};

bool isWriteFailure(const QString& message, const QString& file)
{
    return message.startsWith(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: ")
                                  .arg(QDir::toNativeSeparators(file)));
}

} // namespace

TEST(FullDiskSaves, CommandLineFailsAndKeepsTheOldFile)
{
    TempHome home;
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);

    // Small (kept in a buffer until the end) and large (fails on the way).
    QByteArray large = kOldLayout;
    while (large.size() < 100 * 1024)
        large += "10.05.2006;08:00;Barsch;250\r\n";
    for (const QByteArray& old : {kOldLayout, large}) {
        ASSERT_TRUE(disk.write(QStringLiteral("db.fdb"), old));
        const CliResult up = runCli({QStringLiteral("upgrade"), QStringLiteral("--db"), disk.file(QStringLiteral("db.fdb"))});
        EXPECT_NE(up.status, 0);
        EXPECT_TRUE(isWriteFailure(QString::fromUtf8(up.err), disk.file(QStringLiteral("db.fdb")))) << up.err.constData();
        EXPECT_FALSE(up.out.contains("Feld ergänzt")) << "nothing was added to the file";
        EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), old);
    }

    for (const char* kind : {"catches", "costs"}) {
        // A new file and one over an existing file.
        const CliResult fresh = runCli({QStringLiteral("new"), QString::fromLatin1(kind), disk.file(QStringLiteral("neu.fdb"))});
        EXPECT_NE(fresh.status, 0);
        EXPECT_TRUE(isWriteFailure(QString::fromUtf8(fresh.err), disk.file(QStringLiteral("neu.fdb")))) << fresh.err.constData();
        EXPECT_FALSE(QFile::exists(disk.file(QStringLiteral("neu.fdb"))));
        const CliResult over = runCli({QStringLiteral("new"), QString::fromLatin1(kind), disk.file(QStringLiteral("db.fdb"))});
        EXPECT_NE(over.status, 0);
        EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), large);
    }

    // Output redirected to the full disk: "catches > file" must not end with success.
    home.write(QStringLiteral("f.fdb"), kOldLayout);
    QProcess p;
    p.setStandardOutputFile(disk.file(QStringLiteral("out.txt")));
    p.start(QStringLiteral(FK_CLI_PATH), {QStringLiteral("catches"), QStringLiteral("--db"), home.file(QStringLiteral("f.fdb"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardError().contains("Ausgabe")) << "the failure is named";

    // With space again the same command works.
    disk.release();
    EXPECT_EQ(runCli({QStringLiteral("upgrade"), QStringLiteral("--db"), disk.file(QStringLiteral("db.fdb"))}).status, 0);
    EXPECT_TRUE(disk.read(QStringLiteral("db.fdb")).startsWith("Fangdatum;Fangzeit;Fischart;Gewicht;Lufttemperatur;"));
}

TEST(FullDiskSaves, SettingsListsAndCostsKeepTheirBytes)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray ini = "[DB]\r\nFile=/irgendwo/fang.fdb\r\n[Start]\r\nstart=1\r\n";
    const QByteArray anglers = "Peter\r\nAnna\r\n";
    const QByteArray costs = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                             "01.03.2006;Laden;Haken;2;1,50;3,00;3,95\r\n";
    ASSERT_TRUE(disk.write(QStringLiteral("Fischkladde.ini"), ini));
    ASSERT_TRUE(disk.write(QStringLiteral("DATs/Faenger.dat"), anglers));
    ASSERT_TRUE(disk.write(QStringLiteral("kosten.akdb"), costs));
    HomeAt at(disk.path());

    // Settings file.
    const QString settingsError =
        errorText([] { IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), QStringLiteral("/neu.fdb")); });
    EXPECT_TRUE(isWriteFailure(settingsError, disk.file(QStringLiteral("Fischkladde.ini")))) << settingsError.toStdString();
    EXPECT_TRUE(settingsError.contains(QStringLiteral("Platz"))) << settingsError.toStdString();
    EXPECT_THROW(IniFile::settings().writeBool(QStringLiteral("Start"), QStringLiteral("start"), false), EFileError);
    EXPECT_EQ(disk.read(QStringLiteral("Fischkladde.ini")), ini);

    // Lookup lists: a new entry and the rebuild from the catches.
    EXPECT_THROW(lookup::appendIfMissing(QStringLiteral("Faenger"), QStringLiteral("Jörg")), EFileError);
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    db.AddRow();
    db.SetData("Faenger", "Tom");
    EXPECT_THROW(lookup::rebuildCatchLists(db), EFileError);
    EXPECT_EQ(disk.read(QStringLiteral("DATs/Faenger.dat")), anglers);

    // The cost database.
    Session s;
    ASSERT_TRUE(s.AKDB.LoadFromFile(disk.file(QStringLiteral("kosten.akdb"))));
    s.akdbPath = disk.file(QStringLiteral("kosten.akdb"));
    s.AKDB.AddRow();
    s.AKDB.SetData("Artikel", "Schnur");
    EXPECT_THROW(s.saveAKDB(), EFileError);
    EXPECT_EQ(disk.read(QStringLiteral("kosten.akdb")), costs);
    EXPECT_EQ(s.AKDB.RowCount(), 2) << "the entry stays in memory for another try";

    // Creating a database there: nothing switches, the settings stay.
    EXPECT_THROW(catchdb::createDatabase(s, disk.file(QStringLiteral("neu.akdb")), catchdb::Kind::Costs), EFileError);
    EXPECT_EQ(s.akdbPath, disk.file(QStringLiteral("kosten.akdb")));
    EXPECT_EQ(disk.read(QStringLiteral("Fischkladde.ini")), ini);

    // The program goes on once there is space.
    disk.release();
    s.saveAKDB();
    EXPECT_EQ(disk.read(QStringLiteral("kosten.akdb")), costs + ";;Schnur;;;;\r\n");
}

TEST(OpenDatabase, AllOrNothing)
{
    TempHome home;
    const QByteArray oldDb = kOldLayout;
    home.write(QStringLiteral("alt.fdb"), oldDb);
    const QString oldPath = home.file(QStringLiteral("alt.fdb"));
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), oldPath);
    const QByteArray ini = home.read(QStringLiteral("Fischkladde.ini"));
    Session s;
    ASSERT_TRUE(s.DB.LoadFromFile(oldPath));
    s.dbPath = oldPath;
    auto unchanged = [&] {
        EXPECT_EQ(s.dbPath, oldPath);
        EXPECT_EQ(s.DB.RowCount(), 3);
        EXPECT_EQ(s.DB.value(1, 3), "Hecht");
        EXPECT_EQ(home.read(QStringLiteral("Fischkladde.ini")), ini);
        EXPECT_EQ(home.read(QStringLiteral("alt.fdb")), oldDb);
    };

    // A path the settings file cannot hold.
    const QString lodz = home.file(QStringLiteral("Łódź/b.fdb"));
    home.write(QStringLiteral("Łódź/b.fdb"), "Fangdatum;Fischart\r\n01.01.2001;Barsch\r\n");
    const QString refused = errorText([&] { catchdb::openDatabase(s, lodz, catchdb::Kind::Catches); });
    EXPECT_TRUE(refused.contains(QStringLiteral("\"Ł\""))) << refused.toStdString();
    unchanged();
    EXPECT_THROW(catchdb::openDatabase(s, lodz, catchdb::Kind::Costs), EFileError);
    EXPECT_TRUE(s.akdbPath.isEmpty());
    EXPECT_THROW(catchdb::createDatabase(s, home.file(QStringLiteral("Łódź/neu.fdb")), catchdb::Kind::Catches), EFileError);
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("Łódź/neu.fdb")))) << "refused before writing";
    unchanged();
    // The next change saves to the old database, over its own rows only.
    s.DB.GoLast();
    s.DB.DeleteRow();
    s.saveDB();
    EXPECT_EQ(home.read(QStringLiteral("alt.fdb")), kOldLayout.left(kOldLayout.lastIndexOf("09.05.2006")));
    home.write(QStringLiteral("alt.fdb"), oldDb);
    ASSERT_TRUE(s.DB.LoadFromFile(oldPath));

    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);

    // An older database on a full disk: its upgrade cannot be saved, so it does not open.
    ASSERT_TRUE(disk.write(QStringLiteral("voll.fdb"), "Fangdatum;Fischart\r\n01.01.2001;Barsch\r\n"));
    EXPECT_THROW(catchdb::openDatabase(s, disk.file(QStringLiteral("voll.fdb")), catchdb::Kind::Catches), EFileError);
    unchanged();
    EXPECT_EQ(disk.read(QStringLiteral("voll.fdb")), "Fangdatum;Fischart\r\n01.01.2001;Barsch\r\n");

    // Settings on a full disk: neither kind opens.
    home.write(QStringLiteral("neu.fdb"), catchdb::emptyTable(catchdb::Kind::Catches).toBytes() + "02.02.2002\r\n");
    home.write(QStringLiteral("k.akdb"), catchdb::emptyTable(catchdb::Kind::Costs).toBytes());
    {
        ASSERT_TRUE(disk.write(QStringLiteral("Fischkladde.ini"), ini));
        HomeAt at(disk.path());
        EXPECT_THROW(catchdb::openDatabase(s, home.file(QStringLiteral("neu.fdb")), catchdb::Kind::Catches), EFileError);
        EXPECT_THROW(catchdb::openDatabase(s, home.file(QStringLiteral("k.akdb")), catchdb::Kind::Costs), EFileError);
        EXPECT_THROW(catchdb::createDatabase(s, home.file(QStringLiteral("n2.fdb")), catchdb::Kind::Catches), EFileError);
        EXPECT_EQ(disk.read(QStringLiteral("Fischkladde.ini")), ini);
    }
    unchanged();
    EXPECT_TRUE(s.akdbPath.isEmpty());
    EXPECT_EQ(s.AKDB.FieldCount(), 0);

    // With room, all three change together.
    disk.release();
    ASSERT_TRUE(catchdb::openDatabase(s, disk.file(QStringLiteral("voll.fdb")), catchdb::Kind::Catches));
    EXPECT_EQ(s.dbPath, disk.file(QStringLiteral("voll.fdb")));
    EXPECT_EQ(s.DB.FieldCount(), 10);
    EXPECT_EQ(IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File")), s.dbPath);
    TTextTable onDisk;
    ASSERT_TRUE(onDisk.LoadFromFile(s.dbPath));
    EXPECT_EQ(onDisk.toBytes(), s.DB.toBytes());
}

TEST(FullDiskSaves, StartUpUpgradeThatCannotBeSavedIsReported)
{
    TempHome home;
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    ASSERT_TRUE(disk.write(QStringLiteral("alt.fdb"), kOldLayout));
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), disk.file(QStringLiteral("alt.fdb")));
    Session s;
    const catchdb::StartupResult r = catchdb::startupLoad(s);
    EXPECT_TRUE(r.catchDatabaseFound);
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(isWriteFailure(r.error, disk.file(QStringLiteral("alt.fdb")))) << r.error.toStdString();
    EXPECT_EQ(disk.read(QStringLiteral("alt.fdb")), kOldLayout);
    // The catches are there to work with; the next save with room writes them upgraded.
    EXPECT_EQ(s.DB.RowCount(), 3);
    disk.release();
    s.saveDB();
    TTextTable back;
    ASSERT_TRUE(back.LoadFromFile(disk.file(QStringLiteral("alt.fdb"))));
    EXPECT_EQ(back.RowCount(), 3);
    EXPECT_EQ(back.FieldCount(), 12);
}
