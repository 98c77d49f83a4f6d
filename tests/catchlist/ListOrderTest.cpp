// The list sorts row numbers with keys read from the table. Its order must stay the order the
// list had when it sorted rows of copied cells, so users see the same list: checked against
// that earlier way on mixed data for every column, both directions and chains of clicks.
#include "data/CatchDatabase.h"
#include "data/CatchListView.h"
#include "base/Win1252.h"
#include "storage/TTextTable.h"

#include <QCollator>
#include <QLocale>
#include <gtest/gtest.h>

using namespace catchlist;

namespace {

// ---- the earlier sort: copied cells, one collation key per row -------------------------

struct CopiedRow {
    int id = 0;
    std::array<QByteArray, kColumnCount> cells;
};

template <typename Compare>
void earlierMergeSort(std::vector<int>& order, Compare compare)
{
    const size_t n = order.size();
    std::vector<int> buffer(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi)
                buffer[out++] = compare(order[b], order[a]) < 0 ? order[b++] : order[a++];
            while (a < mid)
                buffer[out++] = order[a++];
            while (b < hi)
                buffer[out++] = order[b++];
        }
        order.swap(buffer);
    }
}

void earlierSort(std::vector<CopiedRow>& rows, int column, SortMode mode, bool reverse)
{
    const int sign = reverse ? -1 : 1;
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = int(i);
    if (mode == SortMode::Text) {
        QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
        std::vector<QCollatorSortKey> keys;
        for (const CopiedRow& r : rows)
            keys.push_back(collator.sortKey(win1252::decode(r.cells[size_t(column)])));
        earlierMergeSort(order, [&](int a, int b) {
            const int c = keys[size_t(a)].compare(keys[size_t(b)]);
            return sign * (c < 0 ? -1 : c > 0 ? 1 : 0);
        });
    } else if (mode == SortMode::WholeNumber) {
        std::vector<LeadingNumber> keys;
        for (const CopiedRow& r : rows)
            keys.push_back(readLeadingNumber(r.cells[size_t(column)]));
        earlierMergeSort(order, [&](int a, int b) {
            const LeadingNumber& x = keys[size_t(a)];
            const LeadingNumber& y = keys[size_t(b)];
            if (!x.complete && !y.complete)
                return 0;
            return sign * (x.value > y.value ? -1 : x.value < y.value ? 1 : 0);
        });
    } else {
        std::vector<std::pair<qint64, bool>> keys;
        for (const CopiedRow& r : rows) {
            bool ok = false;
            const qint64 day = dateKey(r.cells[size_t(column)], &ok);
            keys.emplace_back(day, ok);
        }
        earlierMergeSort(order, [&](int a, int b) {
            const auto& x = keys[size_t(a)];
            const auto& y = keys[size_t(b)];
            if (!x.second && !y.second)
                return 0;
            return sign * (x.first < y.first ? -1 : x.first > y.first ? 1 : 0);
        });
    }
    std::vector<CopiedRow> sorted;
    for (int i : order)
        sorted.push_back(rows[size_t(i)]);
    rows.swap(sorted);
}

// ---- mixed data --------------------------------------------------------------------------

// Equal keys, empty cells, several years and odd date forms, numbers with commas, blanks and
// signs, texts that differ in case, umlauts or only by an ignorable soft hyphen.
const std::vector<QByteArray> kDates = {"07.05.2006", "7.5.2006", "01.02.2007", "31.12.2005", "",
                                        "kaputt",     "01.01.1999", "29.02.2008", "07.05.06", "15.08.2021"};
const std::vector<QByteArray> kSpecies = {"Hecht", "hecht", "HECHT", "\xC4sche", "Aal",   "",
                                          "He\xAD" "cht", "Zander", " Zander", "aal", "\xE4sche"};
const std::vector<QByteArray> kAnglers = {"Tom", "tom", "Anna", "J\xFCrgen", "", "Jurgen", "Anna "};
const std::vector<QByteArray> kNumbers = {"40", "45,5", "45", "", "  7", "-3", "+3", "abc", "12 ", "0", "007",
                                          "1000", "1000,0", "999", "1.5", "20000", "45,25"};

struct Mixed {
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    std::vector<CopiedRow> copied;
    std::vector<int> rows;
};

Mixed mixedLog(int count)
{
    Mixed m;
    uint32_t seed = 7;
    const auto pick = [&seed](const std::vector<QByteArray>& pool) {
        seed = seed * 1103515245u + 12345u;
        return pool[(seed >> 16) % pool.size()];
    };
    for (int i = 0; i < count; ++i) {
        m.db.AddRow();
        CopiedRow r;
        r.id = m.db.RowCount();
        r.cells = {QByteArray::number(r.id), pick(kDates), pick(kSpecies), pick(kAnglers), pick(kNumbers),
                   pick(kNumbers)};
        for (int c = 1; c < kColumnCount; ++c)
            m.db.SetData(visibleFields()[size_t(c - 1)], r.cells[size_t(c)]);
        m.copied.push_back(r);
    }
    // As a full view lists them: the last row first.
    std::reverse(m.copied.begin(), m.copied.end());
    for (const CopiedRow& r : m.copied)
        m.rows.push_back(r.id);
    return m;
}

std::vector<int> ids(const std::vector<CopiedRow>& rows)
{
    std::vector<int> out;
    for (const CopiedRow& r : rows)
        out.push_back(r.id);
    return out;
}

} // namespace

TEST(ListOrder, EveryColumnAndDirectionSortsAsTheCopiedRowsDid)
{
    const Mixed base = mixedLog(400);
    for (int column = 0; column < kColumnCount; ++column)
        for (const SortMode mode : {SortMode::Text, SortMode::WholeNumber, SortMode::Date})
            for (const bool reverse : {false, true}) {
                Mixed m = base;
                sortRows(m.db, m.rows, column, mode, reverse);
                earlierSort(m.copied, column, mode, reverse);
                EXPECT_EQ(m.rows, ids(m.copied)) << "column " << column << " mode " << int(mode) << " reverse " << reverse;
            }
}

TEST(ListOrder, ChainsOfClicksKeepTheSameOrder)
{
    // Each sort starts from the order the one before left, as clicks in the window do.
    Mixed m = mixedLog(300);
    const std::pair<int, bool> clicks[] = {{ColFangdatum, true}, {ColLaenge, false}, {ColFischart, false},
                                           {ColLaenge, true},    {ColFaenger, true}, {ColGewicht, false},
                                           {ColFischart, true},  {ColFangdatum, false}, {ColGewicht, true}};
    for (const auto& [column, reverse] : clicks) {
        sortRows(m.db, m.rows, column, modeForColumn(column), reverse);
        earlierSort(m.copied, column, modeForColumn(column), reverse);
        ASSERT_EQ(m.rows, ids(m.copied)) << "after column " << column;
    }
}

TEST(ListOrder, HandPickedMixedRows)
{
    // Orders worked out by hand: equal keys keep the list order, empty and unreadable cells.
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    const char* const cells[][3] = {
        // Fangdatum, Fischart, Laenge
        {"07.05.2006", "Hecht", "45,5"}, {"01.02.2007", "", "45"},      {"7.5.2006", "hecht", ""},
        {"31.12.2005", "\xC4sche", "60"}, {"kaputt", "He\xAD" "cht", "abc"}, {"07.05.2006", "Aal", "45"}};
    for (const auto& c : cells) {
        db.AddRow();
        db.SetData("Fangdatum", c[0]);
        db.SetData("Fischart", c[1]);
        db.SetData("Laenge", c[2]);
    }
    const std::vector<int> listed = {6, 5, 4, 3, 2, 1};
    std::vector<int> rows = listed;
    sortRows(db, rows, ColFangdatum, SortMode::Date, true);
    // Newest first; the three rows of 7 May 2006 in list order; the broken date is day 0.
    EXPECT_EQ(rows, (std::vector<int>{2, 6, 3, 1, 4, 5}));

    rows = listed;
    sortRows(db, rows, ColFischart, SortMode::Text, false);
    // Empty first; lower case before upper case; the soft hyphen is ignored, so "He-cht"
    // equals "Hecht" and keeps its place before it.
    EXPECT_EQ(rows, (std::vector<int>{2, 6, 4, 3, 5, 1}));

    rows = listed;
    sortRows(db, rows, ColLaenge, SortMode::WholeNumber, false);
    // Largest first. Cells that are not whole numbers ("45,5", "abc", empty) are equal among
    // themselves, so "45,5" (read 45) stays behind "abc" and the empty cell it follows.
    EXPECT_EQ(rows, (std::vector<int>{4, 6, 2, 5, 3, 1}));
}

TEST(ListOrder, DaysReadWhileFilteringSortAsTheDatesDo)
{
    // Readable dates only (a full view refuses others), in stored and lenient forms.
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    const char* const dates[] = {"07.05.2006", "7.5.2006", "01.02.2007", "31.12.2005", "29.02.2008", "7.5.06"};
    uint32_t seed = 3;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245u + 12345u;
        db.AddRow();
        db.SetData("Fangdatum", dates[(seed >> 16) % 6]);
        db.SetData("Laenge", QByteArray::number((seed >> 8) % 90));
        db.SetData("Fischart", i % 3 ? "Hecht" : "Aal");
    }
    std::vector<qint64> days;
    std::vector<int> withDays = catches(db, kAllAnglers, 0, &days);
    std::vector<int> plain = catches(db, kAllAnglers, 0);
    ASSERT_EQ(days.size(), withDays.size());
    const std::pair<int, bool> clicks[] = {{ColFangdatum, true}, {ColLaenge, false}, {ColFangdatum, false},
                                           {ColFischart, true},  {ColFangdatum, true}};
    const Columns columns(db);
    for (const auto& [column, reverse] : clicks) {
        const qint64 a = sortRows(db, withDays, column, modeForColumn(column), reverse, &days);
        const qint64 b = sortRows(db, plain, column, modeForColumn(column), reverse);
        ASSERT_EQ(withDays, plain) << "after column " << column;
        EXPECT_EQ(a, b); // the step trace writes one line per comparison
        // The days still belong to their rows.
        for (size_t i = 0; i < days.size(); ++i) {
            bool ok = false;
            ASSERT_EQ(days[i], dateKey(columns.view(db, withDays[i], ColFangdatum), &ok));
        }
    }
    // Days that do not match the rows in number are not used, and are dropped.
    std::vector<qint64> wrong(3, 0);
    sortRows(db, withDays, ColFangdatum, SortMode::Date, false, &wrong);
    sortRows(db, plain, ColFangdatum, SortMode::Date, false);
    EXPECT_EQ(withDays, plain);
    EXPECT_TRUE(wrong.empty());
}
