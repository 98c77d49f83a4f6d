#pragma once
// The rows of the main catch list: which catches a view shows, the years of the year
// selector, and the column sort. A list row is a row number of DB; its cells are read from
// the table when shown, as the stored Windows-1252 bytes unchanged.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <vector>

class TTextTable;

namespace catchlist {

// List columns: 0 is the hidden row number "ID", then the five visible fields.
constexpr int kColumnCount = 6;
enum Column { ColId = 0, ColFangdatum, ColFischart, ColFaenger, ColLaenge, ColGewicht };

// The table fields shown in columns 1 to 5.
const std::array<const char*, 5>& visibleFields();

// Where the list columns are in one table (looked up once, not per cell).
class Columns {
public:
    Columns() = default;
    explicit Columns(const TTextTable& db);
    // Text of a list column of DB row `row`; the ID column gives the row number as text,
    // a row or column the table does not have an empty text.
    QByteArray cell(const TTextTable& db, int row, int column) const;
    // The same without a copy for columns 1 to 5; valid until the table changes.
    QByteArrayView view(const TTextTable& db, int row, int column) const;

private:
    std::array<int, 5> m_index{};
};

// The filter value that stands for every angler.
inline const QString kAllAnglers = QStringLiteral("Alle");

// The last `count` row numbers of the table, newest row first, whatever their dates.
std::vector<int> lastEntries(const TTextTable& db, int count = 10);

// Rows from the last to the first whose Faenger equals `filter` exactly (every row for
// "Alle") and whose Fangdatum lies in `year` (0: any year). Every Fangdatum is parsed, so
// a broken one raises EConvertError and no rows are returned. `days`, when given, receives
// the Julian day of each listed row's Fangdatum, for the date sort.
std::vector<int> catches(const TTextTable& db, const QString& filter, int year, std::vector<qint64>* days = nullptr);

// Distinct years of the angler's rows (of every row with a Fangdatum for an empty name),
// highest first. Raises EConvertError for a date that cannot be parsed.
QList<int> years(const TTextTable& db, const QString& angler);

enum class SortMode { Text, WholeNumber, Date };
SortMode modeForColumn(int column);

// Sorts the row numbers stably by one list column of DB with the list's comparison for
// `mode`, inverted when `reverse` is set. Each cell is read once; `days`, when it holds the
// Fangdatum day of every row (as catches() gives them), stands in for reading that column
// and is reordered with the rows (otherwise emptied). Returns the number of comparisons made.
qint64 sortRows(const TTextTable& db, std::vector<int>& rows, int column, SortMode mode, bool reverse,
                std::vector<qint64>* days = nullptr);

// Reading of the whole-number comparison: leading blanks, optional sign, digits; stops at
// the first other character. `complete` is false when anything else followed or no digit.
struct LeadingNumber {
    qint64 value = 0;
    bool complete = false;
};
LeadingNumber readLeadingNumber(QByteArrayView text);

// Day number of a stored date for the date comparison; a date that cannot be parsed is
// day 0 and reported through *ok.
qint64 dateKey(QByteArrayView text, bool* ok);

} // namespace catchlist
