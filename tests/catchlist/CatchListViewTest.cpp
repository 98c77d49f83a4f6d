#include "data/CatchDatabase.h"
#include "data/CatchListView.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <gtest/gtest.h>

using namespace catchlist;

namespace {

struct Catch {
    const char* date;
    const char* angler = "Tom";
    const char* length = "";
};

TTextTable table(const std::vector<Catch>& catches)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Catch& c : catches) {
        db.AddRow();
        db.SetData("Fangdatum", QByteArray(c.date));
        db.SetData("Faenger", QByteArray(c.angler));
        db.SetData("Laenge", QByteArray(c.length));
    }
    return db;
}

std::vector<int> ids(const std::vector<Row>& rows)
{
    std::vector<int> out;
    for (const Row& r : rows)
        out.push_back(r.id);
    return out;
}

// Rows with one list column filled, numbered from firstId.
std::vector<Row> rowsWith(int col, std::initializer_list<const char*> values, int firstId = 1)
{
    std::vector<Row> rows;
    for (const char* v : values) {
        rows.emplace_back();
        rows.back().id = firstId++;
        rows.back().cells[size_t(col - 1)] = v;
    }
    return rows;
}

std::vector<QByteArray> column(const std::vector<Row>& rows, int col)
{
    std::vector<QByteArray> out;
    for (const Row& r : rows)
        out.push_back(r.cell(col));
    return out;
}

} // namespace

TEST(CatchListView, LastEntriesAreTheNewestRowsWhateverTheirDates)
{
    std::vector<Catch> catches(25, Catch{"01.05.2006"});
    catches[2].date = "31.12.2020"; // row 3 has the newest date
    const TTextTable db = table(catches);
    const std::vector<Row> rows = lastEntries(db);
    EXPECT_EQ(ids(rows), (std::vector<int>{25, 24, 23, 22, 21, 20, 19, 18, 17, 16}));
    EXPECT_EQ(rows.front().cell(ColFangdatum), "01.05.2006");
    EXPECT_EQ(rows.front().cell(ColId), "25");

    EXPECT_EQ(ids(lastEntries(table({{"01.01.2006"}, {"02.01.2006"}}))), (std::vector<int>{2, 1}));
    EXPECT_TRUE(lastEntries(TTextTable()).empty());
}

TEST(CatchListView, FullViewFiltersAnglerExactlyAndByYear)
{
    const TTextTable db = table({{"07.05.2006", "Tom"},
                                 {"01.02.2007", "Anna"},
                                 {"03.03.2006", "tom"},
                                 {"09.09.2007", "Tom"},
                                 {"1.1.06", "Tom"}});
    // Newest row first before any sort.
    EXPECT_EQ(ids(catches(db, kAllAnglers, 0)), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(ids(catches(db, QStringLiteral("Tom"), 0)), (std::vector<int>{5, 4, 1}));
    EXPECT_EQ(ids(catches(db, QStringLiteral("tom"), 0)), (std::vector<int>{3}));
    EXPECT_TRUE(catches(db, QStringLiteral("TOM"), 0).empty());
    EXPECT_EQ(ids(catches(db, kAllAnglers, 2006)), (std::vector<int>{5, 3, 1}));
    EXPECT_EQ(ids(catches(db, QStringLiteral("Tom"), 2007)), (std::vector<int>{4}));
    EXPECT_TRUE(catches(db, kAllAnglers, 1999).empty());

    EXPECT_EQ(years(db, QString()), (QList<int>{2007, 2006}));
    EXPECT_EQ(years(db, QStringLiteral("Anna")), (QList<int>{2007}));
    EXPECT_TRUE(years(db, QStringLiteral("Nobody")).isEmpty());
}

TEST(CatchListView, BrokenDateAbortsTheFullViewButNotTheLastEntries)
{
    const TTextTable db = table({{"07.05.2006", "Tom"}, {"32.13.2006", "Anna"}, {"08.05.2006", "Tom"}});
    try {
        catches(db, QStringLiteral("Tom"), 0); // the broken row is another angler's
        FAIL() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'32.13.2006' is not a valid date"));
    }
    EXPECT_EQ(lastEntries(db).size(), 3u);
    EXPECT_THROW(years(db, QString()), EConvertError);
    // Rows without a date are left out of the years of all anglers, not of one angler.
    const TTextTable noDate = table({{"07.05.2006", "Tom"}, {"", "Anna"}});
    EXPECT_EQ(years(noDate, QString()), (QList<int>{2006}));
    EXPECT_THROW(years(noDate, QStringLiteral("Anna")), EConvertError);
}

TEST(CatchListView, WholeNumberColumnsSortLargestFirstFromTheirLeadingDigits)
{
    const TTextTable db = table({{"01.01.2006", "A", "40"},
                                 {"01.01.2006", "B", "45,5"},
                                 {"01.01.2006", "C", "60"},
                                 {"01.01.2006", "D", "  7"},
                                 {"01.01.2006", "E", "-3"}});
    std::vector<Row> rows = catches(db, kAllAnglers, 0);
    EXPECT_EQ(modeForColumn(ColLaenge), SortMode::WholeNumber);
    EXPECT_EQ(modeForColumn(ColGewicht), SortMode::WholeNumber);
    sortRows(rows, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_EQ(column(rows, ColFaenger), (std::vector<QByteArray>{"C", "B", "A", "D", "E"}));
    sortRows(rows, ColLaenge, SortMode::WholeNumber, true);
    EXPECT_EQ(column(rows, ColFaenger), (std::vector<QByteArray>{"E", "D", "A", "B", "C"}));

    // Two values that are both not whole numbers are equal and keep their order.
    std::vector<Row> odd = catches(table({{"01.01.2006", "X", "50,5"}, {"01.01.2006", "Y", "45,5"}}), kAllAnglers, 0);
    sortRows(odd, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_EQ(column(odd, ColFaenger), (std::vector<QByteArray>{"Y", "X"}));

    // Value and whether the whole text was the number.
    const std::tuple<const char*, int, bool> numbers[] = {
        {"  -12", -12, true}, {"45,5", 45, false}, {"", 0, false}, {"12 ", 12, false}, {"abc", 0, false}};
    for (const auto& [text, value, complete] : numbers) {
        EXPECT_EQ(readLeadingNumber(text).value, value) << text;
        EXPECT_EQ(readLeadingNumber(text).complete, complete) << text;
    }
}

TEST(CatchListView, DateColumnSortsByDayWithUnparsableDatesAsDayZero)
{
    std::vector<Row> rows = rowsWith(ColFangdatum, {"07.05.2006", "1.2.2007", "kaputt", "07.05.2006", "31.12.2005"}, 10);
    sortRows(rows, ColFangdatum, SortMode::Date, true);
    // Newest first; the two rows of 07.05.2006 keep their order (stable).
    EXPECT_EQ(ids(rows), (std::vector<int>{11, 10, 13, 14, 12}));
    sortRows(rows, ColFangdatum, SortMode::Date, false);
    EXPECT_EQ(ids(rows), (std::vector<int>{12, 14, 10, 13, 11}));

    bool ok = true;
    dateKey("nonsense", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dateKey("7.5.2006", &ok), dateKey("07.05.2006", &ok));
    EXPECT_TRUE(ok);
}

TEST(CatchListView, TextColumnsUseGermanCaseSensitiveCollation)
{
    std::vector<Row> rows = rowsWith(ColFischart, {"Zander", "\xC4sche", "aal", "Barsch", "Hecht", "hecht"});
    EXPECT_EQ(modeForColumn(ColFischart), SortMode::Text);
    sortRows(rows, ColFischart, SortMode::Text, false);
    EXPECT_EQ(column(rows, ColFischart),
              (std::vector<QByteArray>{"aal", "\xC4sche", "Barsch", "hecht", "Hecht", "Zander"}));
    sortRows(rows, ColFischart, SortMode::Text, true);
    EXPECT_EQ(column(rows, ColFischart).front(), "Zander");

    // The hidden ID column compares its numbers as text.
    std::vector<Row> byId = rowsWith(ColFischart, {"", "", ""});
    byId[0].id = 2, byId[1].id = 10, byId[2].id = 1;
    EXPECT_EQ(modeForColumn(ColId), SortMode::Text);
    sortRows(byId, ColId, SortMode::Text, false);
    EXPECT_EQ(ids(byId), (std::vector<int>{1, 10, 2}));
}

TEST(CatchListView, SortCountsItsComparisons)
{
    std::vector<Row> rows(1000);
    for (int i = 0; i < 1000; ++i) {
        rows[size_t(i)].id = i + 1;
        rows[size_t(i)].cells[3] = QByteArray::number((i * 7919) % 1000);
    }
    const qint64 n = sortRows(rows, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_GT(n, 999);
    EXPECT_LE(n, 1000 * 10);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                               [](const Row& a, const Row& b) { return a.cells[3].toInt() > b.cells[3].toInt(); }));
    std::vector<Row> none;
    EXPECT_EQ(sortRows(none, ColLaenge, SortMode::WholeNumber, false), 0);
}
