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

// A table whose one list column holds the given values (the date filled where it is not the
// column), rows numbered from 1, and the list of all its rows in table order.
struct Listed {
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    std::vector<int> rows;
};
Listed rowsWith(int col, std::initializer_list<const char*> values)
{
    Listed l;
    for (const char* v : values) {
        l.db.AddRow();
        l.db.SetData("Fangdatum", "01.01.2006");
        l.db.SetData(visibleFields()[size_t(col - 1)], QByteArray(v));
        l.rows.push_back(l.db.RowCount());
    }
    return l;
}

std::vector<QByteArray> column(const TTextTable& db, const std::vector<int>& rows, int col)
{
    const Columns columns(db);
    std::vector<QByteArray> out;
    for (int r : rows)
        out.push_back(columns.cell(db, r, col));
    return out;
}

} // namespace

TEST(CatchListView, LastEntriesAreTheNewestRowsWhateverTheirDates)
{
    std::vector<Catch> catches(25, Catch{"01.05.2006"});
    catches[2].date = "31.12.2020"; // row 3 has the newest date
    const TTextTable db = table(catches);
    const std::vector<int> rows = lastEntries(db);
    EXPECT_EQ(rows, (std::vector<int>{25, 24, 23, 22, 21, 20, 19, 18, 17, 16}));
    const Columns columns(db);
    EXPECT_EQ(columns.cell(db, rows.front(), ColFangdatum), "01.05.2006");
    EXPECT_EQ(columns.cell(db, 3, ColFangdatum), "31.12.2020");
    EXPECT_EQ(columns.cell(db, rows.front(), ColId), "25");
    // A row the table does not have reads as empty cells.
    EXPECT_EQ(columns.cell(db, 26, ColFangdatum), "");
    EXPECT_TRUE(columns.view(db, 0, ColFaenger).isEmpty());

    EXPECT_EQ(lastEntries(table({{"01.01.2006"}, {"02.01.2006"}})), (std::vector<int>{2, 1}));
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
    EXPECT_EQ(catches(db, kAllAnglers, 0), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(catches(db, QStringLiteral("Tom"), 0), (std::vector<int>{5, 4, 1}));
    EXPECT_EQ(catches(db, QStringLiteral("tom"), 0), (std::vector<int>{3}));
    EXPECT_TRUE(catches(db, QStringLiteral("TOM"), 0).empty());
    EXPECT_EQ(catches(db, kAllAnglers, 2006), (std::vector<int>{5, 3, 1}));
    EXPECT_EQ(catches(db, QStringLiteral("Tom"), 2007), (std::vector<int>{4}));
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
    std::vector<int> rows = catches(db, kAllAnglers, 0);
    EXPECT_EQ(modeForColumn(ColLaenge), SortMode::WholeNumber);
    EXPECT_EQ(modeForColumn(ColGewicht), SortMode::WholeNumber);
    sortRows(db, rows, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_EQ(column(db, rows, ColFaenger), (std::vector<QByteArray>{"C", "B", "A", "D", "E"}));
    sortRows(db, rows, ColLaenge, SortMode::WholeNumber, true);
    EXPECT_EQ(column(db, rows, ColFaenger), (std::vector<QByteArray>{"E", "D", "A", "B", "C"}));

    // Two values that are both not whole numbers are equal and keep their order.
    const TTextTable oddDb = table({{"01.01.2006", "X", "50,5"}, {"01.01.2006", "Y", "45,5"}});
    std::vector<int> odd = catches(oddDb, kAllAnglers, 0);
    sortRows(oddDb, odd, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_EQ(column(oddDb, odd, ColFaenger), (std::vector<QByteArray>{"Y", "X"}));

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
    Listed l = rowsWith(ColFangdatum, {"07.05.2006", "1.2.2007", "kaputt", "07.05.2006", "31.12.2005"});
    sortRows(l.db, l.rows, ColFangdatum, SortMode::Date, true);
    // Newest first; the two rows of 07.05.2006 keep their order (stable).
    EXPECT_EQ(l.rows, (std::vector<int>{2, 1, 4, 5, 3}));
    sortRows(l.db, l.rows, ColFangdatum, SortMode::Date, false);
    EXPECT_EQ(l.rows, (std::vector<int>{3, 5, 1, 4, 2}));

    bool ok = true;
    dateKey("nonsense", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dateKey("7.5.2006", &ok), dateKey("07.05.2006", &ok));
    EXPECT_TRUE(ok);
}

TEST(CatchListView, TextColumnsUseGermanCaseSensitiveCollation)
{
    Listed l = rowsWith(ColFischart, {"Zander", "\xC4sche", "aal", "Barsch", "Hecht", "hecht"});
    EXPECT_EQ(modeForColumn(ColFischart), SortMode::Text);
    sortRows(l.db, l.rows, ColFischart, SortMode::Text, false);
    EXPECT_EQ(column(l.db, l.rows, ColFischart),
              (std::vector<QByteArray>{"aal", "\xC4sche", "Barsch", "hecht", "Hecht", "Zander"}));
    sortRows(l.db, l.rows, ColFischart, SortMode::Text, true);
    EXPECT_EQ(column(l.db, l.rows, ColFischart).front(), "Zander");

    // The hidden ID column compares its numbers as text.
    std::vector<int> byId = {2, 10, 1};
    const Listed ten = rowsWith(ColFischart, {"", "", "", "", "", "", "", "", "", ""});
    EXPECT_EQ(modeForColumn(ColId), SortMode::Text);
    sortRows(ten.db, byId, ColId, SortMode::Text, false);
    EXPECT_EQ(byId, (std::vector<int>{1, 10, 2}));
}

TEST(CatchListView, SortCountsItsComparisons)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    std::vector<int> rows;
    for (int i = 0; i < 1000; ++i) {
        db.AddRow();
        db.SetData("Laenge", QByteArray::number((i * 7919) % 1000));
        rows.push_back(i + 1);
    }
    const qint64 n = sortRows(db, rows, ColLaenge, SortMode::WholeNumber, false);
    EXPECT_GT(n, 999);
    EXPECT_LE(n, 1000 * 10);
    const Columns columns(db);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [&](int a, int b) {
        return columns.cell(db, a, ColLaenge).toInt() > columns.cell(db, b, ColLaenge).toInt();
    }));
    std::vector<int> none;
    EXPECT_EQ(sortRows(db, none, ColLaenge, SortMode::WholeNumber, false), 0);
}
