// The overview figures against hand-computed values, and the overview command's output.
#include "data/CatchDatabase.h"
#include "data/LookupLists.h"
#include "base/Win1252.h"
#include "stats/Overview.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Row = std::map<QString, QString>;

TTextTable catches(const std::vector<Row>& rows)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Row& r : rows) {
        db.AddRow();
        // Defaults that keep a row readable; a test overrides what it is about.
        Row full = {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "12:00"}, {"Angeldauer", "00:00"}, {"Gewicht", "0"}};
        for (const auto& [k, v] : r)
            full[k] = v;
        for (const auto& [k, v] : full)
            db.SetData(k, win1252::encodeLossy(v));
    }
    return db;
}

TTextTable costs(const QStringList& totals)
{
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    for (const QString& t : totals) {
        akdb.AddRow();
        akdb.SetData("GesamtpreisVersand", win1252::encodeLossy(t));
    }
    return akdb;
}

overview::Pair pair(const overview::CatchFigures& f, overview::Figure which) { return f.pairs[size_t(which)]; }

QString figures(const TTextTable& db, overview::Figure which, const overview::Lists& lists = {})
{
    const auto p = pair(overview::countCatches(db, lists, {}, 0), which);
    return p.first + QLatin1Char(' ') + p.second;
}

} // namespace

TEST(Overview, BucketsTiesAndEdgesOfTheWinners)
{
    // 01.01.2006 Sunday, 02.01.2006 Monday, 07.01.2006 Saturday; three catches each.
    std::vector<Row> monSat, sunMon;
    for (int i = 0; i < 3; ++i) {
        monSat.insert(monSat.end(), {{{"Fangdatum", "07.01.2006"}}, {{"Fangdatum", "02.01.2006"}}});
        sunMon.insert(sunMon.end(), {{{"Fangdatum", "02.01.2006"}}, {{"Fangdatum", "01.01.2006"}}});
    }
    const struct {
        std::vector<Row> rows;
        overview::Figure which;
        QString expected;
    } cases[] = {
        {{{{"Fangzeit", "00:30"}}}, overview::BestHour, "0-1 Uhr (1 Fänge)"},
        {{{{"Fangzeit", "07:45"}}}, overview::BestHour, "7-8 Uhr (1 Fänge)"},
        {{{{"Fangzeit", "23:10"}}}, overview::BestHour, "23-0 Uhr (1 Fänge)"},
        // "0-1 Uhr" is last in the tie-break order, "1-2 Uhr" first.
        {{{{"Fangzeit", "00:10"}}, {{"Fangzeit", "23:59"}}}, overview::BestHour, "23-0 Uhr (1 Fänge)"},
        {{{{"Fangzeit", "23:59"}}, {{"Fangzeit", "01:00"}}}, overview::BestHour, "1-2 Uhr (1 Fänge)"},
        {monSat, overview::BestDay, "Montag (3 Fänge)"},
        {sunMon, overview::BestDay, "Sonntag (3 Fänge)"},
        {{{{"Mondphase", "Neumond"}}, {{"Mondphase", "Vollmond"}}}, overview::BestMoonPhase, "Vollmond (1 Fänge)"},
        // Only the exact names count; with none, no phase wins.
        {{{{"Mondphase", "neumond"}}, {{"Mondphase", ""}}}, overview::BestMoonPhase, overview::kNoWinner + " (0 Fänge)"},
        // No length above 0: no species.
        {{{{"Laenge", ""}, {"Fischart", "Aal"}}, {{"Laenge", "0"}, {"Fischart", "Aal"}}}, overview::LongestFish, " (0 cm)"},
        // Lenient date and time forms are read as the window reads them.
        {{{{"Fangdatum", "7.5.2006"}, {"Fangzeit", "7:05:30"}}}, overview::BestDay, "Sonntag (1 Fänge)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(figures(catches(c.rows), c.which), c.expected);
}

TEST(Overview, OutingKeysIgnoreCaseAndNoCosts)
{
    const auto cased = overview::countCatches(
        catches({{{"Angeldauer", "01:00"}, {"Angelbeginn", "früh"}}, {{"Angeldauer", "01:00"}, {"Angelbeginn", "FRÜH"}}}),
        {}, {}, 0);
    EXPECT_EQ(overview::fishingTime(cased.outingDurations), "1 Std. 0 min");
    EXPECT_EQ(overview::costSum(TTextTable()), "0,00 €");
}

TEST(Overview, ListFiguresFiltersAndEmptyLists)
{
    overview::Lists lists;
    lists.methods = {"Pose", "Grund", "Pose"};
    lists.anglers = {"Anna", "Peter"};
    lists.baits = {"Wurm"};
    const TTextTable db = catches({{{"Faenger", "Peter"}, {"Fangmethode", "Pose"}, {"Fangdatum", "01.05.2007"}},
                                   {{"Faenger", "Peter"}, {"Fangmethode", "Grund"}, {"Fangdatum", "02.05.2007"}},
                                   {{"Faenger", "Anna"}, {"Fangmethode", "Grund"}, {"Fangdatum", "03.05.2006"}},
                                   {{"Faenger", "peter"}, {"Fangmethode", "Grund"}, {"Fangdatum", "04.05.2007"}}});
    // A value listed twice counts for both entries; ties go to the first entry.
    auto all = overview::countCatches(db, lists, {}, 0);
    EXPECT_EQ(all.counted, 4);
    EXPECT_EQ(pair(all, overview::BestMethod).first, "Grund");
    EXPECT_EQ(pair(all, overview::BestMethod).second, "(3 Fänge)");
    EXPECT_EQ(pair(all, overview::BestAngler).first, "Peter");
    EXPECT_EQ(pair(all, overview::BestAngler).second, "(2 Fische)");
    // No catch matches the only bait: the first entry with count 0.
    EXPECT_EQ(pair(all, overview::BestBait).second, "(0 Fänge)");
    EXPECT_EQ(pair(all, overview::BestBait).first, "Wurm");
    // An empty list has no winner.
    EXPECT_EQ(pair(all, overview::BestWeather).first, overview::kNoWinner);
    EXPECT_EQ(pair(all, overview::FrequentSpecies).second, "(0 Stück)");

    // Angler exact and case-sensitive (both filters together: the command's filtered run).
    EXPECT_EQ(overview::countCatches(db, lists, "Peter", 0).counted, 2);
    EXPECT_EQ(overview::countCatches(db, lists, {}, 2007).counted, 3);
    EXPECT_EQ(overview::countCatches(db, lists, "Pet€r✓", 0).counted, 0);

    // An empty table computes nothing.
    EXPECT_FALSE(overview::compute(catchdb::emptyTable(catchdb::Kind::Catches), costs({"x"}), lists, {}, 0).computed);
}

TEST(Overview, ConversionErrorsCarryThePlatformMessages)
{
    const std::pair<Row, QString> rows[] = {{{{"Fangdatum", "31.02.2006"}}, "'31.02.2006' is not a valid date"},
                                            {{{"Fangzeit", "25:00"}}, "'25:00' is not a valid time"},
                                            {{{"Laenge", "45,5"}}, "'45,5' is not a valid integer value"},
                                            {{{"Gewicht", "1.5"}}, "'1.5' is not a valid integer value"}};
    for (const auto& [row, message] : rows)
        EXPECT_EQ(errorText<EConvertError>([&] { overview::countCatches(catches({row}), {}, {}, 0); }), message);
    EXPECT_EQ(errorText<EConvertError>([] { overview::costSum(costs({"1,00", "zwölf"})); }),
              "'zwölf' is not a valid floating point value");
    EXPECT_EQ(errorText<EConvertError>([] { overview::fishingTime({"1:00", "lang"}); }), "'lang' is not a valid time");
    // Rows of other anglers are not read, so their faults do not matter.
    EXPECT_EQ(overview::countCatches(catches({{{"Faenger", "Anna"}, {"Laenge", "x"}}, {{"Faenger", "Jörg"}}}), {},
                                     "Jörg", 0)
                  .counted,
              1);
}

// A small log whose every figure was worked out by hand, through the command.
class OverviewCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        home.write("DATs/Faenger.dat", win1252::encodeLossy("Peter\r\nAnna\r\nJörg\r\n"));
        home.write("DATs/Fangmethode.dat", "Grund\r\nPose\r\nSpinnen\r\n");
        home.write("DATs/Wetter.dat", win1252::encodeLossy("sonnig\r\nbewölkt\r\nRegen\r\n"));
        home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\nBlinker\r\nBoilie\r\n");
        home.write("DATs/Fischarten.dat", "Aal\r\nBarsch\r\nHecht\r\nKarpfen\r\nZander\r\n");
        const char* const f[] = {"Fangdatum", "Fangzeit", "Fischart", "Laenge", "Gewicht", "Faenger", "Fangmethode",
                                 "Koeder", "Wetter", "Angelbeginn", "Angelende", "Angeldauer", "Mondphase"};
        const std::vector<QStringList> rows = {
            {"07.05.2006", "06:45", "Barsch", "25", "300", "Peter", "Pose", "Made", "sonnig", "06:00", "09:00", "03:00", "Vollmond"},
            {"07.05.2006", "08:10", "Barsch", "28", "350", "Peter", "Pose", "Made", "sonnig", "06:00", "09:00", "03:00", "Vollmond"},
            {"07.05.2006", "08:20", "Hecht", "80", "3886", "Anna", "Spinnen", "Blinker", "sonnig", "07:30", "10:00", "02:30", "Vollmond"},
            {"14.05.2006", "21:15", "Aal", "70", "755", "Jörg", "Grund", "Wurm", "bewölkt", "20:00", "23:30", "03:30", "Abnehmender Mond"},
            {"14.05.2006", "22:40", "Aal", "65", "", "Jörg", "Grund", "Wurm", "bewölkt", "20:00", "23:30", "03:30", "Abnehmender Mond"},
            {"20.06.2007", "05:05", "Karpfen", "80", "9000", "Peter", "Grund", "Boilie", "Regen", "22:00", "06:00", "08:00", "Neumond"},
            {"21.06.2007", "00:30", "Karpfen", "62", "4200", "Peter", "Grund", "Boilie", "Regen", "22:00", "02:00", "04:00", "Neumond"},
            {"03.09.2007", "17:50", "Zander", "68", "3000", "Anna", "Spinnen", "Wurm", "", "16:00", "19:15", "03:15", ""}};
        TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
        for (const QStringList& r : rows) {
            db.AddRow();
            for (int i = 0; i < r.size(); ++i)
                db.SetData(f[i], win1252::encodeLossy(r[i]));
        }
        db.saveOrThrow(home.file("log.fdb"));
        TTextTable akdb = costs({"12,50", "1000,50", "240,85"});
        akdb.saveOrThrow(home.file("kosten.akdb"));
    }
    CliResult run(QStringList extra)
    {
        return runCli(QStringList{"overview", "--db", home.file("log.fdb"), "--costs", home.file("kosten.akdb")} + extra);
    }
    TempHome home;
};

TEST_F(OverviewCommand, PrintsEveryLabelInOrder)
{
    const CliResult all = run({});
    EXPECT_EQ(all.status, 0) << all.err.constData();
    EXPECT_EQ(QString::fromUtf8(all.out),
              "lb_angelzeit\t24 Std. 15 min\n"
              "lb_angelkosten\t1253,85 €\n"
              "lb_summefischgewicht\t21,49 kg\n"
              "lb_summefischlaenge\t4,78 m\n"
              "lb_anzahlfische\t8\n"
              "besterfangtag_1\tSonntag\nbesterfangtag_2\t(5 Fänge)\n"
              "bestefangzeit_1\t8-9 Uhr\nbestefangzeit_2\t(2 Fänge)\n"
              "bestemondphase_1\tVollmond\nbestemondphase_2\t(3 Fänge)\n"
              "bestefangmethode_1\tGrund\nbestefangmethode_2\t(4 Fänge)\n"
              "bestesfangwetter_1\tsonnig\nbestesfangwetter_2\t(3 Fänge)\n"
              "besterkoeder_1\tWurm\nbesterkoeder_2\t(3 Fänge)\n"
              "hafischart_1\tAal\nhafischart_2\t(2 Stück)\n"
              "lafisch_1\tHecht\nlafisch_2\t(80 cm)\n"
              "schfisch_1\tKarpfen\nschfisch_2\t(9000 g)\n"
              "besterfaenger_1\tPeter\nbesterfaenger_2\t(4 Fische)\n");

    // Both filters reach the figures (counted in one loop); the costs are never filtered.
    const QString peter = QString::fromUtf8(run({"--angler", "Peter", "--year", "2007"}).out);
    EXPECT_TRUE(peter.startsWith("lb_angelzeit\t12 Std. 0 min\nlb_angelkosten\t1253,85 €\n"
                                 "lb_summefischgewicht\t13,20 kg\nlb_summefischlaenge\t1,42 m\nlb_anzahlfische\t2\n"
                                 "besterfangtag_1\tMittwoch\nbesterfangtag_2\t(1 Fänge)\n"))
        << peter.toStdString();
    EXPECT_TRUE(peter.endsWith("besterfaenger_1\tPeter\nbesterfaenger_2\t(2 Fische)\n"));

    const CliResult none = run({"--year", "2005"});
    EXPECT_EQ(none.status, 0);
    EXPECT_TRUE(none.out.contains("lb_anzahlfische\t0\n"));
    EXPECT_TRUE(none.out.contains("lb_angelzeit\t0 Std. 0 min\n"));
}

TEST_F(OverviewCommand, EmptyTableAndErrors)
{
    catchdb::createFile(home.file("leer.fdb"), catchdb::Kind::Catches);
    const CliResult empty = runCli({"overview", "--db", home.file("leer.fdb")});
    EXPECT_EQ(empty.status, 0);
    const QList<QByteArray> lines = empty.out.split('\n');
    ASSERT_EQ(lines.size(), 26); // 25 labels and the final line end
    EXPECT_EQ(lines[0], "lb_angelzeit\t");
    EXPECT_EQ(lines[4], "lb_anzahlfische\t0"); // as the window shows it
    EXPECT_EQ(lines[24], "besterfaenger_2\t");

    TTextTable bad;
    bad.LoadFromFile(home.file("log.fdb"));
    bad.GoToRow(3);
    bad.SetData("Gewicht", "4,5");
    bad.saveOrThrow(home.file("log.fdb"));
    const CliResult failed = run({});
    EXPECT_NE(failed.status, 0);
    EXPECT_TRUE(failed.out.isEmpty());
    EXPECT_EQ(failed.err, "'4,5' is not a valid integer value\n");
    // Only Jörg's rows are read.
    EXPECT_EQ(run({"--angler", "Jörg"}).status, 0);
    EXPECT_EQ(run({"--year", "zwanzig"}).status, 2);
}

TEST(Overview, NearHalfSumsRoundUpAsWritten)
{
    // 1005 g are 1,005 kg, which binary floating point holds as 1,00499...: the sum shown must
    // still be the decimal half rounded up, as a person would round it.
    EXPECT_EQ(overview::countCatches(catches({{{"Gewicht", "1005"}}}), {}, {}, 0).weightSum, QStringLiteral("1,01 kg"));
    EXPECT_EQ(overview::countCatches(catches({{{"Gewicht", "600"}}, {{"Gewicht", "405"}}}), {}, {}, 0).weightSum,
              QStringLiteral("1,01 kg"));
    EXPECT_EQ(overview::countCatches(catches({{{"Gewicht", "1004"}}}), {}, {}, 0).weightSum, QStringLiteral("1,00 kg"));
    EXPECT_EQ(overview::countCatches(catches({{{"Gewicht", "2675"}}}), {}, {}, 0).weightSum, QStringLiteral("2,68 kg"));
    EXPECT_EQ(overview::costSum(costs({"0,335", "0,67"})), QStringLiteral("1,01 €"));
    EXPECT_EQ(overview::costSum(costs({"1,005"})), QStringLiteral("1,01 €"));
}
