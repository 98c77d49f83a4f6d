#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/Clock.h"
#include "data/Trace.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"
#include "TempHome.h"

#include <gtest/gtest.h>

TEST(IniFile, WritesKeepOtherLinesAndOrder)
{
    TempHome home;
    home.write(QStringLiteral("Fischkladde.ini"),
               "[DB]\r\nFile=C:\\alt.fdb\r\n\r\n[Karte]\r\nBaggersee=C:\\k.jpg\r\n");
    const IniFile ini = IniFile::settings();
    EXPECT_EQ(ini.readString(QStringLiteral("db"), QStringLiteral("FILE")), QStringLiteral("C:\\alt.fdb"));
    ini.writeString(QStringLiteral("DB"), QStringLiteral("file"), QStringLiteral("/neu/Fänge.fdb"));
    ini.writeString(QStringLiteral("Karte"), QStringLiteral("Rhein"), QStringLiteral("/r.jpg"));
    ini.writeBool(QStringLiteral("Start"), QStringLiteral("start"), true);
    EXPECT_EQ(home.read(QStringLiteral("Fischkladde.ini")),
              "[DB]\r\nfile=/neu/F\xe4nge.fdb\r\n\r\n[Karte]\r\nBaggersee=C:\\k.jpg\r\nRhein=/r.jpg\r\n[Start]\r\nstart=1\r\n");
    EXPECT_TRUE(ini.readBool(QStringLiteral("Start"), QStringLiteral("start")));
    EXPECT_FALSE(ini.readBool(QStringLiteral("Start"), QStringLiteral("fehlt")));
    EXPECT_EQ(ini.keys(QStringLiteral("karte")), QStringList({QStringLiteral("Baggersee"), QStringLiteral("Rhein")}));
    EXPECT_THROW(ini.writeString(QStringLiteral("DB"), QStringLiteral("File"), QStringLiteral("Σ")), EFileError);
    EXPECT_EQ(ini.readString(QStringLiteral("DB"), QStringLiteral("File")), QStringLiteral("/neu/Fänge.fdb"));

    const IniFile missing(home.file(QStringLiteral("nichts.ini")));
    EXPECT_EQ(missing.readString(QStringLiteral("DB"), QStringLiteral("File")), QString());
    EXPECT_FALSE(missing.readBool(QStringLiteral("Start"), QStringLiteral("start")));
}

TEST(LookupLists, ReadWriteLineEnds)
{
    TempHome home;
    // Blank lines name nothing and are left out.
    home.write(QStringLiteral("DATs/Koeder.dat"), "\r\nWurm\r\n\r\nMade\r \rK\xf6" "der\n\nBlinker");
    EXPECT_EQ(lookup::readNamedList(QStringLiteral("Koeder")),
              QStringList({QStringLiteral("Wurm"), QStringLiteral("Made"), QStringLiteral("Köder"),
                           QStringLiteral("Blinker")}));
    lookup::writeNamedList(QStringLiteral("Koeder"), {QStringLiteral("Köder"), QStringLiteral("Made")});
    EXPECT_EQ(home.read(QStringLiteral("DATs/Koeder.dat")), "K\xf6" "der\r\nMade\r\n");
    EXPECT_TRUE(lookup::readNamedList(QStringLiteral("Fehlt")).isEmpty());
    EXPECT_TRUE(lookup::appendIfMissing(QStringLiteral("Koeder"), QStringLiteral("Wurm")));
    EXPECT_FALSE(lookup::appendIfMissing(QStringLiteral("Koeder"), QStringLiteral("Wurm")));
    EXPECT_EQ(home.read(QStringLiteral("DATs/Koeder.dat")), "K\xf6" "der\r\nMade\r\nWurm\r\n");
}

TEST(LookupLists, RebuildFromCatches)
{
    TempHome home;
    TTextTable db;
    for (const char* f : {"Faenger", "Fischart", "Gewaesser", "Koeder", "Stelle", "Wetter", "Fangmethode"})
        db.AddField(f);
    const char* rows[][2] = {{"Tom", "Hecht"}, {"anna", "Hecht"}, {"Anna", "Wels"}, {"\xc4gidius", "Hecht"},
                             {"", "Stint"}, {"Zoe", "Stint"}};
    for (const auto& r : rows) {
        db.AddRow();
        db.SetData("Faenger", r[0]);
        db.SetData("Fischart", r[1]);
    }
    db.GoFirst();
    db.SetData("Gewaesser", "Baggersee");
    lookup::rebuildCatchLists(db);
    // Sorted ignoring case, German collation (Ä beside A), first form wins.
    EXPECT_EQ(home.read(QStringLiteral("DATs/Faenger.dat")), "\xc4gidius\r\nanna\r\nTom\r\nZoe\r\n");
    EXPECT_EQ(home.read(QStringLiteral("DATs/Gewaesser.dat")), "Baggersee\r\n");
    EXPECT_EQ(home.read(QStringLiteral("DATs/Koeder.dat")), "");
    QStringList species = lookup::defaultSpecies();
    species << QStringLiteral("Stint");
    EXPECT_EQ(lookup::readNamedList(QStringLiteral("Fischarten")), species);

    lookup::deleteCatchLists();
    home.write(QStringLiteral("DATs/AK_Geschaeft.dat"), "Laden\r\n");
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("DATs/Faenger.dat"))));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("DATs/AK_Geschaeft.dat"))));
}

TEST(LookupLists, GermanOrderPutsUmlautsBesideTheirVowel)
{
    lookup::SortedUniqueList list;
    for (const char* s : {"Zander", "Barsch", "\xc4sche", "Aal", "aal", "Brachsen"})
        list.add(QString::fromLatin1(s));
    EXPECT_EQ(list.values(), QStringList({QStringLiteral("Aal"), QStringLiteral("Äsche"), QStringLiteral("Barsch"),
                                          QStringLiteral("Brachsen"), QStringLiteral("Zander")}));
}

namespace {
struct FixedClock : Clock {
    QDateTime at;
    QDateTime now() const override { return at; }
};
} // namespace

TEST(Trace, LineFormatAndAppend)
{
    TempHome home;
    FixedClock clock;
    clock.at = QDateTime(QDate(2026, 12, 5), QTime(13, 20, 7));
    setAppClock(&clock);
    home.write(QStringLiteral("error.log"), "alt");
    Trace(QStringLiteral("Main: Load CB"));
    Trace(QStringLiteral("Main: Jahr ändern"));
    trace::setEnabled(false);
    trace::step(QStringLiteral("nicht geschrieben"));
    setAppClock(nullptr);
    EXPECT_EQ(home.read(QStringLiteral("error.log")),
              "alt\r\n05.12 - 13:20:07 -->Main: Load CB\r\n05.12 - 13:20:07 -->Main: Jahr \xe4ndern\r\n");
}
