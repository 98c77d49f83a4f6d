// Files made to break the readers: escapes in a table header, CR-only line ends, a NUL in a
// settings path, the bytes 0x80-0x9F in a lookup list and 100 MB single lines. Each loads as
// the format says or is refused with a German message; nothing crashes, hangs or loses data.
#include "Fixtures.h"
#include "TempHome.h"

#include "base/FkError.h"
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/Session.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace rel;

TEST(HostileFiles, HeaderWithEscapedSemicolonAndLineBreak)
{
    TempHome home;
    const QByteArray file = "Fangdatum;Fisch\\;art;zwei\\nZeilen;Gewicht\r\n07.05.2006;Hecht;a\\;b;3200\r\n";
    home.write("odd.fdb", file);
    TTextTable t;
    ASSERT_TRUE(t.LoadFromFile(home.file("odd.fdb")));
    ASSERT_EQ(t.FieldCount(), 4);
    EXPECT_EQ(t.GetFieldName(2), "Fisch;art");
    EXPECT_EQ(t.GetFieldName(3), "zwei\r\nZeilen");
    EXPECT_EQ(t.value(1, 2), "Hecht");
    EXPECT_EQ(t.value(1, 3), "a;b");
    EXPECT_EQ(t.value(1, 4), "3200");
    EXPECT_EQ(t.toBytes(), file) << "saved back as it was read";

    // The command line shows the names escaped, one column each, and the upgrade keeps them.
    const CliResult shown = runCli({"catches", "--db", home.file("odd.fdb")});
    ASSERT_EQ(shown.status, 0) << shown.err.constData();
    EXPECT_TRUE(shown.out.startsWith("ID\tFangdatum\tFisch;art\tzwei\\r\\nZeilen\tGewicht\n")) << shown.out.constData();
    const CliResult up = runCli({"upgrade", "--db", home.file("odd.fdb")});
    ASSERT_EQ(up.status, 0) << up.err.constData();
    TTextTable after;
    ASSERT_TRUE(after.LoadFromFile(home.file("odd.fdb")));
    EXPECT_EQ(after.FieldCount(), 12);
    EXPECT_EQ(after.FieldIndex(QByteArray("Fisch;art")), 2);
    EXPECT_EQ(after.value(1, 3), "a;b");
    EXPECT_EQ(after.value(1, 4), "3200");
}

TEST(HostileFiles, CarriageReturnOnlyLineEnds)
{
    // Table: read line by line instead of one header holding every catch in its names.
    TTextTable t;
    t.loadFromBytes("Fangdatum;Fischart\r07.05.2006;Hecht\r08.05.2006;Aal\r", "mac.fdb");
    ASSERT_EQ(t.FieldCount(), 2);
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.value(2, 2), "Aal");
    EXPECT_EQ(t.toBytes(), "Fangdatum;Fischart\r\n07.05.2006;Hecht\r\n08.05.2006;Aal\r\n");
    // With CR LF elsewhere in the file a lone CR stays inside its value, as the format says.
    t.loadFromBytes("A;B\r\nx\ry;z\r\n", "mixed.fdb");
    ASSERT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.value(1, 1), "x\ry");

    TempHome home;
    home.write("mac.fdb", "Fangdatum;Fischart\r07.05.2006;Hecht\r08.05.2006;Aal");
    const CliResult shown = runCli({"catches", "--db", home.file("mac.fdb")});
    ASSERT_EQ(shown.status, 0) << shown.err.constData();
    EXPECT_EQ(shown.out, "ID\tFangdatum\tFischart\n1\t07.05.2006\tHecht\n2\t08.05.2006\tAal\n");

    // Settings and lists end their lines at a lone CR anyway.
    home.write("Fischkladde.ini", "[Start]\rstart=1\r[DB]\rFile=/daten/fang.fdb\r");
    EXPECT_EQ(IniFile::settings().readString("DB", "File"), QStringLiteral("/daten/fang.fdb"));
    EXPECT_TRUE(IniFile::settings().readBool("Start", "start"));
    home.write("DATs/Koeder.dat", "Mais\rMade\rTauwurm");
    EXPECT_EQ(lookup::readNamedList("Koeder"), QStringList({"Mais", "Made", "Tauwurm"}));
}

TEST(HostileFiles, NulInTheDatabasePathOfTheSettings)
{
    TempHome home;
    catches(3).saveOrThrow(home.file("fang.fdb"));
    const QByteArray ini = "[DB]\r\nFile=" + QFile::encodeName(home.file("fang.fdb")) + QByteArray(1, '\0') +
                           "x\r\n[AKDB]\r\nFile=" + QFile::encodeName(home.file("kosten.akdb")) + "\r\n";
    home.write("Fischkladde.ini", ini);
    const QByteArray db = home.read("fang.fdb");

    // Start-up says what is wrong instead of quietly starting the setup.
    Session s;
    const catchdb::StartupResult r = catchdb::startupLoad(s);
    EXPECT_TRUE(r.error.contains(QStringLiteral("Nullzeichen"))) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(QStringLiteral("[DB]"))) << r.error.toStdString();
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(s.dbPath.isEmpty());

    // The command line refuses it with the same words, and a backup is not made without
    // the database.
    const CliResult shown = runCli({"catches"});
    EXPECT_EQ(shown.status, 1);
    EXPECT_TRUE(QString::fromUtf8(shown.err).contains(QStringLiteral("Nullzeichen"))) << shown.err.constData();
    const CliResult backup = runCli({"backup", home.file("s.zip")});
    EXPECT_NE(backup.status, 0);
    EXPECT_TRUE(QString::fromUtf8(backup.err).contains(QStringLiteral("Nullzeichen"))) << backup.err.constData();
    EXPECT_FALSE(QFile::exists(home.file("s.zip")));

    // Nothing was written; another key written keeps the damaged line byte for byte.
    EXPECT_EQ(home.read("Fischkladde.ini"), ini);
    EXPECT_EQ(home.read("fang.fdb"), db);
    IniFile::settings().writeBool("Start", "start", true);
    EXPECT_TRUE(home.read("Fischkladde.ini").startsWith(ini));
}

TEST(HostileFiles, LookupListWithTheBytes80To9F)
{
    TempHome home;
    QByteArray bytes;
    for (int b = 0x80; b <= 0x9F; ++b)
        bytes += QByteArray(1, char(b)) + "Wert\r\n";
    home.write("DATs/Koeder.dat", bytes);
    const QStringList values = lookup::readNamedList("Koeder");
    ASSERT_EQ(values.size(), 32);
    EXPECT_EQ(values[0], QStringLiteral("€Wert"));
    EXPECT_EQ(values[0x8A - 0x80], QStringLiteral("ŠWert"));
    // The five bytes Windows-1252 leaves open come through as the control characters.
    EXPECT_EQ(values[0x81 - 0x80], QString(QChar(0x81)) + "Wert");
    EXPECT_EQ(values[0x9D - 0x80], QString(QChar(0x9D)) + "Wert");

    // Written back and extended, every byte stays.
    lookup::writeNamedList("Koeder", values);
    EXPECT_EQ(home.read("DATs/Koeder.dat"), bytes);
    EXPECT_TRUE(lookup::appendIfMissing("Koeder", "Mais"));
    EXPECT_EQ(home.read("DATs/Koeder.dat"), bytes + "Mais\r\n");
}

TEST(HostileFiles, HundredMegabyteSingleLines)
{
    TempHome home;
    const qsizetype big = 100 * 1024 * 1024;

    // Table: a 100 MB value loads whole and saves back unchanged.
    {
        QByteArray file = "Fangdatum;Bemerkungen\r\n07.05.2006;";
        file += QByteArray(big, 'x');
        file += "\r\n08.05.2006;kurz\r\n";
        home.write("lang.fdb", file);
        TTextTable t;
        ASSERT_TRUE(t.LoadFromFile(home.file("lang.fdb")));
        ASSERT_EQ(t.RowCount(), 2);
        EXPECT_EQ(t.view(1, 2).size(), big);
        EXPECT_EQ(t.value(2, 2), "kurz");
        EXPECT_TRUE(t.toBytes() == file);
    }
    // Table: a 100 MB header of distinct names (no line ends at all) is refused quickly with
    // a message, instead of millions of fields filling the memory.
    {
        QByteArray file;
        file.reserve(big + 16);
        for (int i = 0; file.size() < big; ++i)
            file += "Feld" + QByteArray::number(i) + ';';
        home.write("breit.fdb", file);
        TTextTable t = catches(2);
        try {
            t.LoadFromFile(home.file("breit.fdb"));
            ADD_FAILURE() << "a header of millions of fields was accepted";
        } catch (const EFileError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("breit.fdb")));
            EXPECT_TRUE(e.message().contains(QStringLiteral("Felder")));
        }
        EXPECT_EQ(t.RowCount(), 2) << "the table stays as it was";
        const CliResult r = runCli({"catches", "--db", home.file("breit.fdb")});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QStringLiteral("Felder"))) << r.err.left(300).constData();
        QFile::remove(home.file("breit.fdb"));
    }
    // Settings: a 100 MB value in front of the keys the program needs.
    {
        QByteArray ini = "[Karte]\r\nRiesig=" + QByteArray(big, 'k') + "\r\n[DB]\r\nFile=/daten/fang.fdb\r\n";
        home.write("Fischkladde.ini", ini);
        EXPECT_EQ(IniFile::settings().readString("DB", "File"), QStringLiteral("/daten/fang.fdb"));
        IniFile::settings().writeString("DB", "File", "/neu/fang.fdb");
        ini.replace("/daten/fang.fdb", "/neu/fang.fdb");
        EXPECT_TRUE(home.read("Fischkladde.ini") == ini) << "the long line is kept whole";
        QFile::remove(home.file("Fischkladde.ini"));
    }
    // Lookup list: one 100 MB line and a short one after it.
    {
        home.write("DATs/Faenger.dat", QByteArray(big, 'a') + "\r\nTom\r\n");
        const QStringList anglers = lookup::readNamedList("Faenger");
        ASSERT_EQ(anglers.size(), 2);
        EXPECT_EQ(anglers[0].size(), big);
        EXPECT_EQ(anglers[1], QStringLiteral("Tom"));
    }
}
