#include "data/CatchListView.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
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
QDate parseStoredDate(QByteArrayView text)
{
    if (text.size() == 10 && text[2] == '.' && text[5] == '.') {
        const int d0 = digit(text[0]), d1 = digit(text[1]), m0 = digit(text[3]), m1 = digit(text[4]);
        const int y0 = digit(text[6]), y1 = digit(text[7]), y2 = digit(text[8]), y3 = digit(text[9]);
        if (d0 >= 0 && d1 >= 0 && m0 >= 0 && m1 >= 0 && y0 >= 0 && y1 >= 0 && y2 >= 0 && y3 >= 0) {
            const QDate date(y0 * 1000 + y1 * 100 + y2 * 10 + y3, m0 * 10 + m1, d0 * 10 + d1);
            if (date.isValid() && date.year() >= 1)
                return date;
        }
    }
    return german::parseDate(text.toByteArray());
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

std::vector<int> catches(const TTextTable& db, const QString& filter, int year)
{
    const bool all = filter == kAllAnglers;
    QByteArray wanted;
    if (!all && !win1252::encode(filter, &wanted))
        wanted.clear(); // a name the files cannot hold matches no row
    const int dateColumn = db.FieldIndex(catchrec::Fangdatum);
    const int anglerColumn = db.FieldIndex(catchrec::Faenger);
    std::vector<int> rows;
    rows.reserve(size_t(all && year == 0 ? db.RowCount() : 0));
    for (int row = db.RowCount(); row >= 1; --row) {
        const int rowYear = parseStoredDate(db.view(row, dateColumn)).year();
        if (!all && (wanted.isEmpty() || db.view(row, anglerColumn) != wanted))
            continue;
        if (year != 0 && rowYear != year)
            continue;
        rows.push_back(row);
    }
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
        found.insert(parseStoredDate(date).year());
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
        const qint64 day = parseStoredDate(text).toJulianDay();
        *ok = true;
        return day;
    } catch (const EConvertError&) {
        *ok = false;
        return kDayZero;
    }
}

namespace {

// Stable bottom-up merge sort of `order` with a three-way comparison; counts comparisons.
// A merge takes from the right run only when its item is strictly smaller, so equal items
// keep their order (and an inconsistent comparison cannot run out of bounds).
template <typename Compare>
qint64 mergeSort(std::vector<int>& order, Compare compare)
{
    qint64 comparisons = 0;
    const size_t n = order.size();
    std::vector<int> buffer(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) {
                ++comparisons;
                if (compare(order[b], order[a]) < 0)
                    buffer[out++] = order[b++];
                else
                    buffer[out++] = order[a++];
            }
            while (a < mid)
                buffer[out++] = order[a++];
            while (b < hi)
                buffer[out++] = order[b++];
        }
        order.swap(buffer);
    }
    return comparisons;
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
        for (size_t i = 0; i < rows.size(); ++i) {
            const QByteArrayView cell = columns.view(db, rows[i], column);
            const auto [it, added] = seen.try_emplace(std::string_view(cell.data(), size_t(cell.size())), int(distinct.size()));
            if (added)
                distinct.push_back(cell.toByteArray());
            distinctOf[i] = it->second;
        }
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

qint64 sortRows(const TTextTable& db, std::vector<int>& rows, int column, SortMode mode, bool reverse)
{
    const int sign = reverse ? -1 : 1;
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = int(i);
    const Columns columns(db);

    qint64 comparisons = 0;
    switch (mode) {
    case SortMode::Text: {
        const std::vector<int> ranks = textRanks(db, rows, column);
        comparisons = mergeSort(order, [&](int a, int b) {
            const int x = ranks[size_t(a)], y = ranks[size_t(b)];
            return sign * (x < y ? -1 : x > y ? 1 : 0);
        });
        break;
    }
    case SortMode::WholeNumber: {
        std::vector<LeadingNumber> keys;
        keys.reserve(rows.size());
        for (int row : rows)
            keys.push_back(column == ColId ? readLeadingNumber(QByteArray::number(row))
                                           : readLeadingNumber(columns.view(db, row, column)));
        comparisons = mergeSort(order, [&](int a, int b) {
            const LeadingNumber& x = keys[size_t(a)];
            const LeadingNumber& y = keys[size_t(b)];
            if (!x.complete && !y.complete)
                return 0;
            // Larger numbers first.
            return sign * (x.value > y.value ? -1 : x.value < y.value ? 1 : 0);
        });
        break;
    }
    case SortMode::Date: {
        struct Key {
            qint64 day;
            bool ok;
        };
        std::vector<Key> keys;
        keys.reserve(rows.size());
        for (int row : rows) {
            Key k{};
            k.day = column == ColId ? dateKey(QByteArray::number(row), &k.ok) : dateKey(columns.view(db, row, column), &k.ok);
            keys.push_back(k);
        }
        comparisons = mergeSort(order, [&](int a, int b) {
            const Key& x = keys[size_t(a)];
            const Key& y = keys[size_t(b)];
            if (!x.ok && !y.ok)
                return 0;
            return sign * (x.day < y.day ? -1 : x.day > y.day ? 1 : 0);
        });
        break;
    }
    }

    std::vector<int> sorted(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = rows[size_t(order[i])];
    rows.swap(sorted);
    return comparisons;
}

} // namespace catchlist
