#include "data/CatchListView.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/StoredDate.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <algorithm>
#include <functional>
#include <set>
#include <string_view>
#include <unordered_map>

namespace catchlist {

const std::array<const char*, 5>& visibleFields()
{
    static const std::array<const char*, 5> fields = {catchrec::Fangdatum, catchrec::Fischart, catchrec::Faenger,
                                                      catchrec::Laenge, catchrec::Gewicht};
    return fields;
}

namespace {

inline int digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// The stored form is nearly always "dd.MM.yyyy"; read that directly and leave every other
// form to the lenient parser, which also raises the platform's message.
int storedYear(QByteArrayView text)
{
    storeddate::Parts p;
    if (storeddate::read(text, &p))
        return p.year;
    return german::parseDate(text.toByteArray()).year();
}

qint64 storedDay(QByteArrayView text)
{
    storeddate::Parts p;
    if (storeddate::read(text, &p))
        return p.julianDay;
    return german::parseDate(text.toByteArray()).toJulianDay();
}

// Day 0 of the date comparison (the platform's zero date).
const qint64 kDayZero = QDate(1899, 12, 30).toJulianDay();

} // namespace

Columns::Columns(const TTextTable& db)
{
    for (size_t k = 0; k < 5; ++k)
        m_index[k] = db.FieldIndex(visibleFields()[k]);
}

QByteArrayView Columns::view(const TTextTable& db, int row, int column) const
{
    if (column < 1 || column >= kColumnCount)
        return {};
    return db.view(row, m_index[size_t(column - 1)]);
}

QByteArray Columns::cell(const TTextTable& db, int row, int column) const
{
    if (column == ColId)
        return QByteArray::number(row);
    return view(db, row, column).toByteArray();
}

std::vector<int> lastEntries(const TTextTable& db, int count)
{
    std::vector<int> rows;
    for (int row = db.RowCount(); row >= 1 && int(rows.size()) < count; --row)
        rows.push_back(row);
    return rows;
}

std::vector<int> catches(const TTextTable& db, const QString& filter, int year, std::vector<qint64>* days)
{
    const bool all = filter == kAllAnglers;
    QByteArray wanted;
    if (!all && !win1252::encode(filter, &wanted))
        wanted.clear(); // a name the files cannot hold matches no row
    const int dateColumn = db.FieldIndex(catchrec::Fangdatum);
    const int anglerColumn = db.FieldIndex(catchrec::Faenger);
    std::vector<int> rows;
    std::vector<qint64> listedDays;
    const size_t expected = size_t(all && year == 0 ? db.RowCount() : 0);
    rows.reserve(expected);
    if (days)
        listedDays.reserve(expected);
    for (int row = db.RowCount(); row >= 1; --row) {
        const QByteArrayView date = db.view(row, dateColumn);
        storeddate::Parts p;
        const bool stored = storeddate::read(date, &p);
        const QDate other = stored ? QDate() : german::parseDate(date.toByteArray());
        if (!all && (wanted.isEmpty() || db.view(row, anglerColumn) != wanted))
            continue;
        if (year != 0 && (stored ? p.year : other.year()) != year)
            continue;
        rows.push_back(row);
        if (days)
            listedDays.push_back(stored ? p.julianDay : other.toJulianDay());
    }
    if (days)
        days->swap(listedDays);
    return rows;
}

QList<int> years(const TTextTable& db, const QString& angler)
{
    const int dateColumn = db.FieldIndex(catchrec::Fangdatum);
    const int anglerColumn = db.FieldIndex(catchrec::Faenger);
    QByteArray wanted;
    const bool byAngler = !angler.isEmpty();
    if (byAngler && !win1252::encode(angler, &wanted))
        return {};
    std::set<int, std::greater<int>> found;
    for (int row = 1; row <= db.RowCount(); ++row) {
        const QByteArrayView date = db.view(row, dateColumn);
        if (byAngler ? db.view(row, anglerColumn) != wanted : date.isEmpty())
            continue;
        found.insert(storedYear(date));
    }
    return QList<int>(found.begin(), found.end());
}

SortMode modeForColumn(int column)
{
    if (column == ColFangdatum)
        return SortMode::Date;
    if (column == ColLaenge || column == ColGewicht)
        return SortMode::WholeNumber;
    return SortMode::Text;
}

LeadingNumber readLeadingNumber(QByteArrayView text)
{
    LeadingNumber n;
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const qsizetype firstDigit = i;
    qint64 value = 0;
    while (i < text.size() && digit(text[i]) >= 0) {
        if (value < (qint64(1) << 53))
            value = value * 10 + digit(text[i]);
        ++i;
    }
    n.value = negative ? -value : value;
    n.complete = i > firstDigit && i == text.size();
    return n;
}

qint64 dateKey(QByteArrayView text, bool* ok)
{
    try {
        const qint64 day = storedDay(text);
        *ok = true;
        return day;
    } catch (const EConvertError&) {
        *ok = false;
        return kDayZero;
    }
}

namespace {

// Stable bottom-up merge sort of the keys with a three-way comparison; counts comparisons.
// A merge takes from the right run only when its item is strictly smaller, so equal items
// keep their order (and an inconsistent comparison cannot run out of bounds). Each key moves
// with its position, so the merges read memory in order. Returns the new order of positions.
template <typename Key, typename Compare>
std::vector<int> mergeSort(const std::vector<Key>& keys, Compare compare, qint64* comparisons)
{
    struct Item {
        Key key;
        int at;
    };
    const size_t n = keys.size();
    std::vector<Item> items(n), buffer(n);
    for (size_t i = 0; i < n; ++i)
        items[i] = {keys[i], int(i)};
    *comparisons = 0;
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) {
                ++*comparisons;
                if (compare(items[b].key, items[a].key) < 0)
                    buffer[out++] = items[b++];
                else
                    buffer[out++] = items[a++];
            }
            while (a < mid)
                buffer[out++] = items[a++];
            while (b < hi)
                buffer[out++] = items[b++];
        }
        items.swap(buffer);
    }
    std::vector<int> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = items[i].at;
    return order;
}

// Calls read(position, row) for every listed row. A long list is read in table order: the
// table is then walked front to back, which memory keeps up with, while a sorted list would
// jump about it row by row.
template <typename Read>
void readInTableOrder(const TTextTable& db, const std::vector<int>& rows, Read read)
{
    const int count = db.RowCount();
    if (rows.size() * 8 < size_t(count)) {
        for (size_t i = 0; i < rows.size(); ++i)
            read(i, rows[i]);
        return;
    }
    std::vector<int> at(size_t(count) + 1, -1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        if (row >= 1 && row <= count && at[size_t(row)] < 0)
            at[size_t(row)] = int(i);
        else
            read(i, row); // not in the table, or listed twice
    }
    for (int row = 1; row <= count; ++row)
        if (at[size_t(row)] >= 0)
            read(size_t(at[size_t(row)]), row);
}

QCollator& listCollator()
{
    // Locale-aware and case-sensitive, as the list compares its texts.
    static QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    return collator;
}

} // namespace

namespace {

// Text keys as ranks: each distinct cell gets one collation key, and cells that compare
// equal share a rank, so comparing ranks gives the collator's answer for every pair.
std::vector<int> textRanks(const TTextTable& db, const std::vector<int>& rows, int column)
{
    std::vector<int> distinctOf(rows.size());
    std::vector<QByteArray> distinct;
    if (column == ColId) {
        // Row numbers are all different; compare their texts.
        distinct.reserve(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            distinctOf[i] = int(i);
            distinct.push_back(QByteArray::number(rows[i]));
        }
    } else {
        const Columns columns(db);
        std::unordered_map<std::string_view, int> seen;
        readInTableOrder(db, rows, [&](size_t i, int row) {
            const QByteArrayView cell = columns.view(db, row, column);
            const auto [it, added] = seen.try_emplace(std::string_view(cell.data(), size_t(cell.size())), int(distinct.size()));
            if (added)
                distinct.push_back(cell.toByteArray());
            distinctOf[i] = it->second;
        });
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QByteArray& text : distinct)
        keys.push_back(listCollator().sortKey(win1252::decode(text)));
    std::vector<int> byKey(distinct.size());
    for (size_t i = 0; i < byKey.size(); ++i)
        byKey[i] = int(i);
    std::sort(byKey.begin(), byKey.end(),
              [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    std::vector<int> rankOf(distinct.size());
    int rank = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[size_t(byKey[i - 1])].compare(keys[size_t(byKey[i])]) != 0)
            ++rank;
        rankOf[size_t(byKey[i])] = rank;
    }
    std::vector<int> ranks(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        ranks[i] = rankOf[size_t(distinctOf[i])];
    return ranks;
}

} // namespace

qint64 sortRows(const TTextTable& db, std::vector<int>& rows, int column, SortMode mode, bool reverse,
                std::vector<qint64>* days)
{
    const int sign = reverse ? -1 : 1;
    const Columns columns(db);
    const bool knownDays = days && days->size() == rows.size();

    qint64 comparisons = 0;
    std::vector<int> order;
    switch (mode) {
    case SortMode::Text: {
        order = mergeSort(textRanks(db, rows, column), [sign](int x, int y) {
            return sign * (x < y ? -1 : x > y ? 1 : 0);
        }, &comparisons);
        break;
    }
    case SortMode::WholeNumber: {
        std::vector<LeadingNumber> keys(rows.size());
        if (column == ColId)
            for (size_t i = 0; i < rows.size(); ++i)
                keys[i] = readLeadingNumber(QByteArray::number(rows[i]));
        else
            readInTableOrder(db, rows, [&](size_t i, int row) { keys[i] = readLeadingNumber(columns.view(db, row, column)); });
        order = mergeSort(keys, [sign](const LeadingNumber& x, const LeadingNumber& y) {
            if (!x.complete && !y.complete)
                return 0;
            // Larger numbers first.
            return sign * (x.value > y.value ? -1 : x.value < y.value ? 1 : 0);
        }, &comparisons);
        break;
    }
    case SortMode::Date: {
        // An unreadable date is day 0, so two of them compare equal by their days alone.
        bool ok = false;
        std::vector<qint64> keys(rows.size());
        if (column == ColFangdatum && knownDays)
            keys = *days;
        else if (column == ColId)
            for (size_t i = 0; i < rows.size(); ++i)
                keys[i] = dateKey(QByteArray::number(rows[i]), &ok);
        else
            readInTableOrder(db, rows, [&](size_t i, int row) { keys[i] = dateKey(columns.view(db, row, column), &ok); });
        order = mergeSort(keys, [sign](qint64 x, qint64 y) { return sign * (x < y ? -1 : x > y ? 1 : 0); }, &comparisons);
        break;
    }
    }

    std::vector<int> sorted(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = rows[size_t(order[i])];
    rows.swap(sorted);
    if (knownDays) {
        std::vector<qint64> sortedDays(days->size());
        for (size_t i = 0; i < order.size(); ++i)
            sortedDays[i] = (*days)[size_t(order[i])];
        days->swap(sortedDays);
    } else if (days) {
        days->clear();
    }
    return comparisons;
}

} // namespace catchlist
