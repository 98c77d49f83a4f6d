// The catch recommendation and the stats/recommend commands against hand-computed output.
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "stats/Fangempfehlung.h"
#include "stats/Statistik.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

// Fangdatum, Fangzeit, Fischart, Koeder, Faenger.
using Catch = std::array<const char*, 5>;

TTextTable table(const std::vector<Catch>& rows)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Catch& c : rows) {
        db.AddRow();
        db.SetData("Fangdatum", c[0]);
        db.SetData("Fangzeit", c[1]);
        db.SetData("Fischart", c[2]);
        db.SetData("Koeder", c[3]);
        db.SetData("Faenger", c[4]);
        db.SetData("Gewicht", "0");
    }
    return db;
}

// 10.06.2005 Friday, 10.06.2006 Saturday, 11.06.2006 Sunday, 01.03.2007 Thursday,
// 01.07.2005 Friday, 01.08.2005 Monday.
const std::vector<Catch> kLog = {
    {"10.06.2005", "05:10", "Hecht", "Wurm", "Peter"},   {"10.06.2005", "05:50", "Hecht", "Made", "Peter"},
    {"10.06.2005", "21:00", "Hecht", "Made", "Peter"},   {"11.06.2006", "13:00", "Barsch", "Made", "Anna"},
    {"11.06.2006", "13:00", "Barsch", "Wurm", "Anna"},   {"10.06.2006", "13:00", "Barsch", "Wurm", "Anna"},
    {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"}, {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"},
    {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"}, {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"},
    {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"}, {"01.03.2007", "10:00", "Barsch", "Spinner", "Anna"},
    {"01.07.2005", "05:10", "Hecht", "Made", "Peter"},   {"01.07.2005", "05:50", "Hecht", "Made", "Peter"},
    {"01.07.2005", "21:00", "Hecht", "Made", "Peter"},   {"01.08.2005", "00:15", "Zander", "Boilie", "Peter"},
};

QStringList line(const statistik::EmpfehlungRow& r) { return {r.monat, r.tag, r.fischart, r.uhrzeit, r.koeder}; }

} // namespace

TEST(Fangempfehlung, MonthsTiesHoursAndBaitScores)
{
    const TTextTable db = table(kLog);
    const auto rows = statistik::fangempfehlung(db, {"Barsch", "Hecht"}, {"Made", "Spinner", "Wurm"});
    EXPECT_EQ(line(rows[0]), QStringList({"Januar", "", "", "", ""}));
    // Six Barsch with Spinner in March.
    EXPECT_EQ(line(rows[2]), QStringList({"März", "Donnerstag", "Barsch", "10 Uhr", "Spinner"}));
    // June of two years: Hecht 3, Barsch 3, Barsch first in order. Baits: this June Made 3,
    // Wurm 3; all Barsch catches add Made 1, Wurm 2, Spinner 6, so Spinner (never used in
    // June) wins with 6 against 5 and 4.
    EXPECT_EQ(line(rows[5]), QStringList({"Juni", "Freitag", "Barsch", "13 Uhr", "Spinner"}));
    // 05:10, 05:50 and 21:00 fall into "5 Uhr" twice.
    EXPECT_EQ(line(rows[6]), QStringList({"Juli", "Freitag", "Hecht", "5 Uhr", "Made"}));
    // No candidate species caught: the first candidate; a quarter past midnight is "0 Uhr".
    EXPECT_EQ(line(rows[7]), QStringList({"August", "Montag", "Barsch", "0 Uhr", "Spinner"}));
    EXPECT_EQ(line(rows[11]), QStringList({"Dezember", "", "", "", ""}));

    // Without candidate species the column stays empty and the month's baits decide (Made and
    // Wurm 3 each: the first).
    const auto noSpecies = statistik::fangempfehlung(db, {}, {"Made", "Spinner", "Wurm"});
    EXPECT_EQ(line(noSpecies[5]), QStringList({"Juni", "Freitag", "", "13 Uhr", "Made"}));
    EXPECT_EQ(line(statistik::fangempfehlung(db, {"Hecht"}, {})[5]), QStringList({"Juni", "Freitag", "Hecht", "13 Uhr", ""}));
    EXPECT_EQ(statistik::hourSlots().size(), 24);
    EXPECT_EQ(statistik::hourSlots().last(), "0 Uhr");

    // A bad date anywhere, or a bad time, ends the operation.
    EXPECT_EQ(errorText<EConvertError>([] {
                  statistik::fangempfehlung(table({{"01.01.2005", "07:00", "A", "B", ""}, {"", "07:00", "A", "B", ""}}),
                                            {"A"}, {"B"});
              }),
              "'' is not a valid date");
    EXPECT_EQ(errorText<EConvertError>(
                  [] { statistik::fangempfehlung(table({{"01.01.2005", "7 Uhr", "A", "B", ""}}), {"A"}, {"B"}); }),
              "'7 Uhr' is not a valid time");
}

// The commands print the pages and the recommendation byte for byte.
class StatsCommand : public ::testing::Test {
protected:
    TempHome home;

    CliResult run(const QStringList& args) { return runCli(args + QStringList{"--db", home.file("log.fdb")}); }

    void writeLog()
    {
        home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\n");
        home.write("DATs/Wetter.dat", "sonnig\r\n");
        home.write("DATs/Gewaesser.dat", "Ruhr\r\n");
        TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
        const char* const f[] = {"Fangdatum", "Fangzeit", "Fischart", "Laenge", "Gewicht", "Faenger", "Gewaesser",
                                 "Koeder", "Wetter", "Mondphase", "Lufttemperatur", "Windrichtung"};
        const std::vector<QStringList> rows = {
            {"12.06.2004", "07:45", "Hecht", "87", "4200", "Peter", "Ruhr", "Wurm", "sonnig", "Vollmond", "12", "NW"},
            {"13.06.2004", "08:10", "Hecht", "60", "2000", "Peter", "Ruhr", "made", "Regen", "Neumond", "12", "NW"},
            {"07.05.2006", "00:30", "Barsch", "30", "", "Anna", "See", "Wurm", "sonnig", "", "5", ""}};
        for (const QStringList& r : rows) {
            db.AddRow();
            for (int i = 0; i < r.size(); ++i)
                db.SetData(f[i], win1252::encodeLossy(r[i]));
        }
        db.saveOrThrow(home.file("log.fdb"));
    }
};

TEST_F(StatsCommand, PagesAndRecommendation)
{
    writeLog();
    CliResult r = run({"stats", "species"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              "lb_gefangeneFische\t3\n"
              "lb_laenge\t59,00\n"
              "lb_gewicht\t3100,00\n"
              "lb_monat\tJuni\n"
              "lb_tag\tSonntag\n"
              "lb_fangzeit\t7-8 Uhr\n"
              "lb_mond\tVollmond\n"
              "lb_rekord\tLänge: 87,00 cm\\nGewicht: 4200,00 g\\ngefangen am Samstag, 12.06.2004\\num 07:45:00 Uhr\\nmit Wurm\n"
              "record_row\t1\n"
              "lv_koeder\t2\tWurm\n"
              "lv_koeder\t1\tMade\n"
              "lv_wetter\t2\tsonnig\n"
              "lv_gewaesser\t2\tRuhr\n"
              "lv_monat\t2\tJuni\n"
              "lv_monat\t1\tMai\n"
              "lv_zeit\t1\t7-8 Uhr\n"
              "lv_zeit\t1\t8-9 Uhr\n"
              "lv_zeit\t1\t0-1 Uhr\n"
              "lv_mond\t1\tVollmond\n"
              "lv_mond\t1\tNeumond\n");

    r = run({"stats", "bait", "--bait", "Wurm", "--angler", "Peter"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              "lb_koedergefangenefische\t1\n"
              "lb_koederlaenge\t87,00\n"
              "lb_koedergewicht\t4200,00\n"
              "lb_koedermonat\tJuni\n"
              "lb_koedertag\tSamstag\n"
              "lb_koederfangzeit\t7-8 Uhr\n"
              "lb_koedermond\tVollmond\n"
              "lb_koederrekord\tHecht\\nLänge: 87,00 cm\\nGewicht: 4200,00 g\\ngefangen am Samstag, 12.06.2004\\num 07:45:00 Uhr\n"
              "record_row\t1\n"
              "lv_koederfischarten\t1\tHecht\n"
              "lv_koederwetter\t1\tsonnig\n"
              "lv_koedergewaesser\t1\tRuhr\n"
              "lv_koedermonat\t1\tJuni\n"
              "lv_koederzeit\t1\t7-8 Uhr\n"
              "lv_koedermond\t1\tVollmond\n");

    r = run({"stats", "weather", "--species", "Hecht"});
    EXPECT_EQ(r.out, "lv_wetterwindrichtung\tNW\t2\nlv_wetterltemp\t12\t2\n");
    r = run({"stats", "weather", "--year", "2006"});
    EXPECT_EQ(r.out, "lv_wetterltemp\t5\t1\n");

    // June: one Saturday, one Sunday; 7 and 8 o'clock; "made" and "Wurm" twice each (the
    // first spelling met names the bait): the first in each order wins.
    r = run({"recommend"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(QString::fromUtf8(r.out), "Januar\t\t\t\t\nFebruar\t\t\t\t\nMärz\t\t\t\t\nApril\t\t\t\t\n"
                                        "Mai\tSonntag\tBarsch\t0 Uhr\tWurm\n"
                                        "Juni\tSonntag\tHecht\t7 Uhr\tmade\n"
                                        "Juli\t\t\t\t\nAugust\t\t\t\t\nSeptember\t\t\t\t\nOktober\t\t\t\t\n"
                                        "November\t\t\t\t\nDezember\t\t\t\t\n");
}

TEST_F(StatsCommand, AnglerLimitsOnlyTheCandidates)
{
    table(kLog).saveOrThrow(home.file("log.fdb"));
    // Peter's species are Hecht and Zander, his baits Boilie, Made and Wurm; Anna's Barsch
    // catches still count for the weekdays and hours.
    const CliResult r = run({"recommend", "--angler", "Peter"});
    EXPECT_EQ(r.status, 0);
    const QStringList lines = QString::fromUtf8(r.out).split('\n');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[2], "März\tDonnerstag\tHecht\t10 Uhr\tMade");
    EXPECT_EQ(lines[5], "Juni\tFreitag\tHecht\t13 Uhr\tMade");
    EXPECT_EQ(lines[7], "August\tMontag\tZander\t0 Uhr\tBoilie");
}

TEST_F(StatsCommand, ErrorsAndUsage)
{
    TTextTable db = table({{"01.01.2005", "07:00", "Hecht", "Wurm", ""}});
    db.GoFirst();
    db.SetData("Laenge", "lang");
    db.saveOrThrow(home.file("log.fdb"));
    CliResult r = run({"stats", "species"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "'lang' is not a valid floating point value\n");
    EXPECT_EQ(run({"stats", "bait"}).status, 2);
    EXPECT_EQ(run({"stats", "fish"}).status, 2);
    EXPECT_EQ(run({"stats", "species", "--year", "x"}).status, 2);
}
