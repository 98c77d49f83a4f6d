#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "base/FkError.h"
#include "TempHome.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QByteArray kCatchHeader =
    "Fangdatum;Fangzeit;Angelbeginn;Angelende;Angeldauer;Fischart;Laenge;Gewicht;Faenger;Gewaesser;Stelle;"
    "Uferdistanz;Fangtiefe;Fangmethode;Koeder;Wetter;Bemerkungen;Sonnenaufgang;Sonnenuntergang;Mondaufgang;"
    "Monduntergang;Mondphase;Bild;Karte;Lufttemperatur;Wassertemperatur;Wasserstand;Wassertruebung;"
    "Windrichtung;Windstaerke;Luftdruck;zurueckgesetzt\r\n";
}

TEST(CatchDatabase, CreateBothKinds)
{
    TempHome home;
    home.write(QStringLiteral("DATs/Faenger.dat"), "Tom\r\n");
    home.write(QStringLiteral("DATs/AK_Geschaeft.dat"), "Laden\r\n");
    Session s;
    catchdb::createDatabase(s, home.file(QStringLiteral("neu.fdb")), catchdb::Kind::Catches);
    EXPECT_EQ(home.read(QStringLiteral("neu.fdb")), kCatchHeader);
    EXPECT_EQ(s.dbPath, home.file(QStringLiteral("neu.fdb")));
    EXPECT_EQ(s.DB.FieldCount(), 32);
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("DATs/Faenger.dat"))));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("DATs/AK_Geschaeft.dat"))));
    EXPECT_EQ(IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File")), s.dbPath);

    catchdb::createDatabase(s, home.file(QStringLiteral("k.akdb")), catchdb::Kind::Costs);
    EXPECT_EQ(home.read(QStringLiteral("k.akdb")),
              "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n");
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("DATs/AK_Geschaeft.dat"))));
    EXPECT_EQ(IniFile::settings().readString(QStringLiteral("AKDB"), QStringLiteral("File")), s.akdbPath);
}

TEST(CatchDatabase, StartupUpgradesAndSaves)
{
    TempHome home;
    home.write(QStringLiteral("alt.fdb"), "Fangdatum;Fischart;Luftemperatur\r\n07.05.2006;Hecht;12\r\n");
    home.write(QStringLiteral("k.akdb"), "Kaufdatum;GesamtpreisVersand\r\n01.01.2006;3,50\r\n");
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), home.file(QStringLiteral("alt.fdb")));
    IniFile::settings().writeString(QStringLiteral("AKDB"), QStringLiteral("File"), home.file(QStringLiteral("k.akdb")));
    Session s;
    const catchdb::StartupResult r = catchdb::startupLoad(s);
    EXPECT_TRUE(r.loaded);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("DATs"))).isDir());
    EXPECT_TRUE(QFileInfo(home.file(QStringLiteral("img"))).isDir());
    EXPECT_EQ(home.read(QStringLiteral("alt.fdb")),
              "Fangdatum;Fischart;Luftemperatur;Wassertemperatur;zurueckgesetzt;Luftdruck;Windrichtung;"
              "Windstaerke;Wassertruebung;Wasserstand\r\n07.05.2006;Hecht;12;;;;;;;\r\n");
    EXPECT_EQ(s.AKDB.RowCount(), 1);
    EXPECT_EQ(s.DB.RowCount(), 1);
}

TEST(CatchDatabase, StartupWritesOnlyWhatWouldChange)
{
    TempHome home;
    const QString path = home.file(QStringLiteral("f.fdb"));
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), path);
    const QByteArray row = "07.05.2006;06:15;05:30;11:15;05:45;Hecht;62;1800;Anna;Lippe;Buhne 3;5;2,5;Spinnfischen;"
                           "Blinker;sonnig;zwei\\nZeilen\\; und \\\\;06:12:44;20:48:03;23:01:12;09:33:51;Vollmond;"
                           "0705200606150012_0.jpg;120,85;18;14;normal;klar;SW;Leichte Brise;1013;0\r\n";
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    auto start = [&](const QByteArray& bytes) {
        home.write(QStringLiteral("f.fdb"), bytes);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        file.close();
        Session s;
        const catchdb::StartupResult r = catchdb::startupLoad(s);
        EXPECT_TRUE(r.loaded);
        EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
        EXPECT_EQ(s.DB.RowCount(), 2);
        // Written means replaced: a new file with a new time.
        return QFileInfo(path).lastModified() != longAgo;
    };
    // Every field there and in the saved form: the bytes stay, the file is not even written.
    const QByteArray saved = kCatchHeader + row + row;
    EXPECT_FALSE(start(saved));
    EXPECT_EQ(home.read(QStringLiteral("f.fdb")), saved);
    // Every field there, but not in the saved form: saved as before, now in that form.
    QByteArray lfOnly = saved;
    lfOnly.replace("\r\n", "\n");
    EXPECT_TRUE(start(lfOnly));
    EXPECT_EQ(home.read(QStringLiteral("f.fdb")), saved);
    EXPECT_TRUE(start(saved + "\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("f.fdb")), saved);
    // A field missing: upgraded and saved.
    QByteArray old = saved;
    old.replace(";Luftdruck", "");
    old.replace(";1013;", ";");
    EXPECT_TRUE(start(old));
    EXPECT_EQ(home.read(QStringLiteral("f.fdb")), kCatchHeader.left(kCatchHeader.size() - 2).replace(";Luftdruck", "")
                                                      + ";Luftdruck\r\n" + QByteArray(row).replace(";1013;0\r\n", ";0;\r\n")
                                                      + QByteArray(row).replace(";1013;0\r\n", ";0;\r\n"));
}

TEST(CatchDatabase, DamagedDatabaseIsReportedAndNeverSaved)
{
    TempHome home;
    const QByteArray damaged = "Fangdatum;Fischart\r\n07.05.2006;Hecht;zu viel\r\n";
    home.write(QStringLiteral("kaputt.fdb"), damaged);
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), home.file(QStringLiteral("kaputt.fdb")));
    Session s;
    const catchdb::StartupResult r = catchdb::startupLoad(s);
    EXPECT_TRUE(r.catchDatabaseFound);
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(r.error.contains(QLatin1String("Zeile 2")));
    EXPECT_TRUE(s.dbPath.isEmpty());
    EXPECT_EQ(home.read(QStringLiteral("kaputt.fdb")), damaged);

    // A settings file naming a missing database: nothing loaded, nothing reported.
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), home.file(QStringLiteral("weg.fdb")));
    Session s2;
    const catchdb::StartupResult r2 = catchdb::startupLoad(s2);
    EXPECT_FALSE(r2.catchDatabaseFound);
    EXPECT_TRUE(r2.error.isEmpty());
}

TEST(CatchDatabase, OpenMissingFileChangesNothing)
{
    TempHome home;
    Session s;
    s.DB = catchdb::emptyTable(catchdb::Kind::Catches);
    EXPECT_FALSE(catchdb::openDatabase(s, home.file(QStringLiteral("fehlt.fdb")), catchdb::Kind::Catches));
    EXPECT_TRUE(s.dbPath.isEmpty());
    EXPECT_EQ(IniFile::settings().readString(QStringLiteral("DB"), QStringLiteral("File")), QString());
    EXPECT_EQ(s.DB.FieldCount(), 32);
}
