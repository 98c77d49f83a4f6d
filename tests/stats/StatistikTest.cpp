// The statistics pages, their loaders and sorting against hand-computed figures.
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "stats/Statistik.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>

void PrintTo(const QString& s, std::ostream* os);
namespace statistik {
void PrintTo(const ListRow& r, std::ostream* os) { *os << '(' << r.first.toStdString() << ", " << r.second.toStdString() << ')'; }
} // namespace statistik

namespace {

using statistik::ListRow;
using Row = std::map<QString, QString>;
using Rows = QList<ListRow>;

TTextTable catches(const std::vector<Row>& rows)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Row& r : rows) {
        db.AddRow();
        Row full = {{"Fangdatum", "07.05.2006"}, {"Fangzeit", "12:00"}, {"Laenge", "40"}, {"Gewicht", "500"}};
        for (const auto& [k, v] : r)
            full[k] = v;
        for (const auto& [k, v] : full)
            db.SetData(k, win1252::encodeLossy(v));
    }
    return db;
}

Rows rowsOf(const statistik::ItemPage& page, const QString& list)
{
    for (const auto& l : page.lists)
        if (l.name == list)
            return l.rows;
    ADD_FAILURE() << "no list " << list.toStdString();
    return {};
}

Rows rowsOf(const statistik::WeatherPage& page, const QString& list)
{
    for (const auto& l : page.lists)
        if (l.name == list)
            return l.rows;
    ADD_FAILURE() << "no list " << list.toStdString();
    return {};
}

} // namespace

TEST(StatistikLoaders, AnglerYearAndDistinctValues)
{
    const TTextTable db = catches({{{"Faenger", "Peter"}, {"Fischart", "Hecht"}, {"Koeder", "Wurm"}, {"Fangdatum", "01.05.2005"}},
                                   {{"Faenger", "Anna"}, {"Fischart", "Zander"}, {"Koeder", "Blinker"}, {"Fangdatum", "02.05.2008"}},
                                   {{"Faenger", "Peter"}, {"Fischart", "aal"}, {"Koeder", "wurm"}, {"Fangdatum", "03.05.2007"}},
                                   {{"Faenger", "Peter"}, {"Fischart", "Aal"}, {"Koeder", ""}, {"Fangdatum", "04.05.2007"}},
                                   {{"Faenger", "Peter"}, {"Fischart", "Äsche"}, {"Koeder", "Made"}, {"Fangdatum", "05.05.2005"}}});
    // "Gesamt" first, then "Peter": only Peter's species and years.
    EXPECT_EQ(statistik::cbload(db, {}, 0), QStringList({"--Gesamt--", "aal", "Äsche", "Hecht", "Zander"}));
    EXPECT_EQ(statistik::loadjahrcb(db, {}), QStringList({"-Alle-", "2008", "2007", "2005"}));
    EXPECT_EQ(statistik::cbload(db, "Peter", 0), QStringList({"--Gesamt--", "aal", "Äsche", "Hecht"}));
    EXPECT_EQ(statistik::loadjahrcb(db, "Peter"), QStringList({"-Alle-", "2007", "2005"}));
    EXPECT_EQ(statistik::cbload(db, "Peter", 2005), QStringList({"--Gesamt--", "Äsche", "Hecht"}));
    // The first spelling met wins; an empty bait is no entry.
    EXPECT_EQ(statistik::loadkoedercb(db, "Peter", 0), QStringList({"Made", "Wurm"}));
    EXPECT_EQ(statistik::loadkoedercb(db, {}, 2008), QStringList({"Blinker"}));
    EXPECT_EQ(statistik::loadjahrcb(db, "Niemand"), QStringList({"-Alle-"}));
    EXPECT_EQ(statistik::yearOf("-Alle-"), 0);
    EXPECT_EQ(statistik::yearOf("2007"), 2007);

    // A year filter reads the dates; an unreadable one is a conversion error.
    const TTextTable bad = catches({{{"Fangdatum", "31.02.2006"}}});
    EXPECT_EQ(errorText<EConvertError>([&] { statistik::cbload(bad, {}, 2006); }), "'31.02.2006' is not a valid date");
    EXPECT_EQ(errorText<EConvertError>([&] { statistik::loadjahrcb(bad, {}); }), "'31.02.2006' is not a valid date");
}

TEST(StatistikFischart, CountsAveragesBestAndLists)
{
    statistik::Lists lists;
    lists.baits = {"Wurm", "Made", "Blinker"};
    lists.weathers = {"sonnig", "bewölkt"};
    lists.waters = {"Ruhr"};
    // 07.05.2006 Sunday, 12.06.2004 Saturday, 13.06.2004 Sunday.
    const TTextTable db = catches({
        {{"Fischart", "Hecht"}, {"Laenge", "40"}, {"Gewicht", "1200"}, {"Koeder", "wurm"}, {"Wetter", "BEWÖLKT"},
         {"Fangzeit", "07:45"}, {"Fangdatum", "12.06.2004"}, {"Mondphase", "Vollmond"}, {"Gewaesser", "ruhr"}},
        {{"Fischart", "Hecht"}, {"Laenge", "50"}, {"Gewicht", "1200"}, {"Koeder", "Made"}, {"Wetter", "Sonnig"},
         {"Fangzeit", "07:10"}, {"Fangdatum", "13.06.2004"}, {"Mondphase", "vollmond"}},
        {{"Fischart", "Hecht"}, {"Laenge", "61"}, {"Gewicht", "900"}, {"Koeder", "WURM"}, {"Fangzeit", "00:30"},
         {"Fangdatum", "07.05.2006"}, {"Mondphase", "Neumond"}},
        {{"Fischart", "Barsch"}, {"Laenge", "20"}, {"Gewicht", "150"}, {"Koeder", "Made"}, {"Fangdatum", "14.06.2004"}},
        {{"Fischart", "Hecht"}, {"Faenger", "Anna"}, {"Laenge", "99"}, {"Gewicht", "9000"}},
    });

    // Anna's catch is outside Peter's filter; the empty angler filter means everyone.
    EXPECT_EQ(statistik::statistikfischart(db, lists, {}, "--Gesamt--", 0).gefangeneFische, "5");
    const auto hecht = statistik::statistikfischart(db, lists, "", "Hecht", 0);
    EXPECT_EQ(hecht.count, 4);
    const auto p = statistik::statistikfischart(db, lists, "Peter", "Hecht", 0);
    EXPECT_EQ(p.count, 0);
    EXPECT_EQ(p.laenge, "0");
    EXPECT_EQ(p.monat, "");

    // Only the first three rows: 40/50/61 cm, 1200/1200/900 g.
    TTextTable three = db;
    three.GoToRow(5);
    three.DeleteRow();
    const auto page = statistik::statistikfischart(three, lists, "", "Hecht", 0);
    EXPECT_EQ(page.labelTexts(), QStringList({"3", "50,33", "1100,00", "Juni", "Sonntag", "7-8 Uhr", "Vollmond"}));
    // Equal weights: the earlier row stays the record.
    EXPECT_EQ(page.recordRow, 1);
    EXPECT_EQ(page.rekord, QStringList({"Länge: 40,00 cm", "Gewicht: 1200,00 g", "gefangen am Samstag, 12.06.2004",
                                        "um 07:45:00 Uhr", "mit wurm"}));
    // Baits compare lower-cased; the umlaut's case is not folded.
    EXPECT_EQ(rowsOf(page, "lv_koeder"), Rows({{"2", "Wurm"}, {"1", "Made"}}));
    EXPECT_EQ(rowsOf(page, "lv_wetter"), Rows({{"1", "sonnig"}}));
    EXPECT_EQ(rowsOf(page, "lv_gewaesser"), Rows({{"1", "Ruhr"}}));
    EXPECT_EQ(rowsOf(page, "lv_monat"), Rows({{"2", "Juni"}, {"1", "Mai"}}));
    EXPECT_EQ(rowsOf(page, "lv_zeit"), Rows({{"2", "7-8 Uhr"}, {"1", "0-1 Uhr"}}));
    // Phases compare exactly.
    EXPECT_EQ(rowsOf(page, "lv_mond"), Rows({{"1", "Vollmond"}, {"1", "Neumond"}}));

    // Year filter.
    const auto y2006 = statistik::statistikfischart(three, lists, "", "--Gesamt--", 2006);
    EXPECT_EQ(y2006.labelTexts(), QStringList({"1", "61,00", "900,00", "Mai", "Sonntag", "0-1 Uhr", "Neumond"}));
    EXPECT_EQ(y2006.recordRow, 3);
}

TEST(StatistikFischart, EmptyValuesRecordlessSelectionsAndErrors)
{
    // An empty length or weight counts the catch but stays out of that average.
    const TTextTable db = catches({{{"Laenge", "40"}, {"Gewicht", ""}},
                                   {{"Laenge", ""}, {"Gewicht", "1000"}},
                                   {{"Laenge", "50"}, {"Gewicht", "2000"}}});
    const auto page = statistik::statistikfischart(db, {}, {}, {}, 0);
    EXPECT_EQ(page.gefangeneFische, "3");
    EXPECT_EQ(page.laenge, "45,00");
    EXPECT_EQ(page.gewicht, "1500,00");
    EXPECT_EQ(page.recordRow, 3);

    // A record whose length was left empty shows 0 cm.
    EXPECT_EQ(statistik::statistikfischart(catches({{{"Laenge", ""}}}), {}, {}, {}, 0).rekord.first(), "Länge: 0,00 cm");

    // No catch heavier than 0 g: no record row, one explaining line.
    const auto light = statistik::statistikfischart(catches({{{"Gewicht", "0"}}, {{"Gewicht", ""}}}), {}, {}, {}, 0);
    EXPECT_EQ(light.recordRow, -1);
    EXPECT_EQ(light.rekord, QStringList({statistik::kKeinRekord}));
    EXPECT_EQ(light.gewicht, "0,00");

    const std::pair<Row, QString> bad[] = {{{{"Laenge", "lang"}}, "'lang' is not a valid floating point value"},
                                           {{{"Gewicht", "1.5"}}, "'1.5' is not a valid floating point value"},
                                           {{{"Fangzeit", "25:00"}}, "'25:00' is not a valid time"},
                                           {{{"Fangdatum", "32.01.2006"}}, "'32.01.2006' is not a valid date"}};
    for (const auto& [row, message] : bad)
        EXPECT_EQ(errorText<EConvertError>([&] { statistik::statistikfischart(catches({row}), {}, {}, {}, 0); }),
                  message);
    // A decimal length is a number here.
    EXPECT_EQ(statistik::statistikfischart(catches({{{"Laenge", "45,5"}}}), {}, {}, {}, 0).laenge, "45,50");
    // Other species' rows are not read.
    EXPECT_EQ(statistik::statistikfischart(catches({{{"Fischart", "Aal"}, {"Laenge", "x"}}, {{"Fischart", "Hecht"}}}),
                                           {}, {}, "Hecht", 0)
                  .count,
              1);
}

TEST(StatistikKoeder, ExactBaitSpeciesListAndRecordText)
{
    statistik::Lists lists;
    lists.weathers = {"Regen"};
    const TTextTable db = catches({{{"Koeder", "Wurm"}, {"Fischart", "hecht"}, {"Gewicht", "800"}, {"Laenge", "45"},
                                    {"Wetter", "regen"}, {"Fangdatum", "01.07.2005"}, {"Fangzeit", "21:05"}},
                                   {{"Koeder", "wurm"}, {"Fischart", "Aal"}, {"Gewicht", "3000"}},
                                   {{"Koeder", "Wurm"}, {"Fischart", "Barsch"}, {"Gewicht", "200"}, {"Laenge", "22"},
                                    {"Fangdatum", "02.07.2005"}},
                                   {{"Koeder", "Wurm"}, {"Fischart", "Hecht"}, {"Gewicht", "700"}, {"Laenge", "50"},
                                    {"Fangdatum", "03.07.2005"}}});
    const QStringList species = {"Barsch", "Hecht", "Zander"};
    const auto page = statistik::statistikkoeder(db, lists, species, {}, "Wurm", 0);
    EXPECT_TRUE(page.baitPage);
    EXPECT_EQ(page.labelNames().first(), "lb_koedergefangenefische");
    // "wurm" is another bait here: three catches, (45+22+50)/3, (800+200+700)/3; Friday,
    // Saturday and Sunday once each, so Sunday (first in order) is the best day.
    EXPECT_EQ(page.labelTexts(), QStringList({"3", "39,00", "566,67", "Juli", "Sonntag", "12-13 Uhr", ""}));
    EXPECT_EQ(page.recordRow, 1);
    EXPECT_EQ(page.rekord, QStringList({"hecht", "Länge: 45,00 cm", "Gewicht: 800,00 g",
                                        "gefangen am Freitag, 01.07.2005", "um 21:05:00 Uhr"}));
    EXPECT_EQ(rowsOf(page, "lv_koederfischarten"), Rows({{"2", "Hecht"}, {"1", "Barsch"}}));
    EXPECT_EQ(rowsOf(page, "lv_koederwetter"), Rows({{"1", "Regen"}}));
    EXPECT_EQ(rowsOf(page, "lv_koedermonat"), Rows({{"3", "Juli"}}));
    // A bait nobody used: nothing counted, no division by zero.
    const auto none = statistik::statistikkoeder(db, lists, species, {}, "Boilie", 0);
    EXPECT_EQ(none.labelTexts().mid(0, 3), QStringList({"0", "0", "0"}));
}

TEST(StatistikWetter, OccurringValuesFixedListsAndErrors)
{
    const TTextTable db = catches({
        {{"Lufttemperatur", "5"}, {"Windrichtung", "NW"}, {"Windstaerke", "Mäßige Brise"}, {"Luftdruck", "999999"}},
        {{"Lufttemperatur", "12"}, {"Windrichtung", "NW"}, {"Wassertruebung", "klar"}, {"Wasserstand", "hoch"},
         {"Wassertemperatur", "-0"}},
        {{"Lufttemperatur", "12"}, {"Windrichtung", "nw"}, {"Wassertemperatur", "-3"}, {"Luftdruck", "1013"}},
        {{"Lufttemperatur", "05"}, {"Wassertemperatur", "8"}},
        // Another species: its readings are checked but not counted.
        {{"Fischart", "Aal"}, {"Lufttemperatur", "30"}, {"Windrichtung", "N"}},
    });
    const auto all = statistik::statistikwetter(db, {}, "--Gesamt--", 0);
    // "05" is not the label "5" (nor "-0" the label "0"); the list runs highest count first, ties in value order.
    EXPECT_EQ(rowsOf(all, "lv_wetterltemp"), Rows({{"12", "2"}, {"5", "1"}, {"30", "1"}}));
    const auto fish = statistik::statistikwetter(db, {}, "", 0);
    EXPECT_EQ(rowsOf(fish, "lv_wetterltemp"), rowsOf(all, "lv_wetterltemp"));
    const auto none = statistik::statistikwetter(db, {}, "Hecht", 0);
    EXPECT_EQ(rowsOf(none, "lv_wetterltemp"), Rows());
    TTextTable noAal = db;
    noAal.GoToRow(5);
    noAal.DeleteRow();
    const auto page = statistik::statistikwetter(noAal, {}, "--Gesamt--", 0);
    EXPECT_EQ(rowsOf(page, "lv_wetterltemp"), Rows({{"12", "2"}, {"5", "1"}}));
    EXPECT_EQ(rowsOf(page, "lv_wetterwtemp"), Rows({{"-3", "1"}, {"8", "1"}}));
    // A stray pressure is one row, not a million.
    EXPECT_EQ(rowsOf(page, "lv_wetterluftdruck"), Rows({{"1013", "1"}, {"999999", "1"}}));
    EXPECT_EQ(rowsOf(page, "lv_wetterwindrichtung"), Rows({{"NW", "2"}}));
    EXPECT_EQ(rowsOf(page, "lv_wetterwindstaerke"), Rows({{"Mäßige Brise", "1"}}));
    EXPECT_EQ(rowsOf(page, "lv_wettertruebung"), Rows({{"klar", "1"}}));
    EXPECT_EQ(rowsOf(page, "lv_wetterwasserstand"), Rows({{"hoch", "1"}}));
    // Angler and year filters.
    EXPECT_EQ(rowsOf(statistik::statistikwetter(db, "Peter", {}, 0), "lv_wetterltemp"), Rows());
    EXPECT_EQ(rowsOf(statistik::statistikwetter(db, {}, {}, 2005), "lv_wetterwindrichtung"), Rows());

    // A reading that is no whole number ends the page, whichever row holds it.
    const TTextTable bad = catches({{{"Fischart", "Aal"}, {"Luftdruck", "1013,5"}}, {{"Fischart", "Hecht"}}});
    EXPECT_EQ(errorText<EConvertError>([&] { statistik::statistikwetter(bad, {}, "Hecht", 0); }),
              "'1013,5' is not a valid integer value");
}

TEST(StatistikSortierung, HeaderClicksAndModes)
{
    Rows rows = {{"3", "Wurm"}, {"10", "Made"}, {"x", "blinker"}, {"1", "Boilie"}};
    statistik::sortRows(rows, 0, true, false);
    EXPECT_EQ(rows, Rows({{"10", "Made"}, {"3", "Wurm"}, {"1", "Boilie"}, {"x", "blinker"}}));

    statistik::ColumnSorter sorter;
    // A computation leaves the rows highest first with the flag cleared; the first click keeps
    // that order, the second turns it round, the third back again.
    sorter.headerClicked(rows, 0);
    EXPECT_EQ(rows.first().first, "10");
    sorter.headerClicked(rows, 0);
    EXPECT_EQ(rows.first().first, "x");
    EXPECT_EQ(rows.last().first, "10");
    sorter.headerClicked(rows, 0);
    EXPECT_EQ(rows.first().first, "10");
    // The second column sorts as text, alphabetically, with its own flag.
    sorter.headerClicked(rows, 1);
    EXPECT_EQ(rows, Rows({{"x", "blinker"}, {"1", "Boilie"}, {"10", "Made"}, {"3", "Wurm"}}));
    sorter.headerClicked(rows, 1);
    EXPECT_EQ(rows.first().second, "Wurm");
    // The flag belongs to the column position, shared by every list.
    Rows other = {{"1", "a"}, {"2", "b"}};
    EXPECT_TRUE(sorter.reversed(0));
    sorter.headerClicked(other, 0);
    EXPECT_EQ(other.first().first, "1");
    sorter.headerClicked(other, 0);
    EXPECT_TRUE(sorter.reversed(0));
    sorter.reset(0);
    EXPECT_FALSE(sorter.reversed(0));
}
