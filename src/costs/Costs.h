#pragma once
// Fishing costs: the prices of a purchase line, the money texts, the costs window's list with
// its filters, sums and sort orders, the year overview and the search. Every function takes
// the cost table (AKDB) and returns values; the windows, the CLI and the cost reports show
// them. Stored values are Windows-1252 bytes; everything returned here is decoded text.
//
// Errors: a stored date or price that does not convert raises EConvertError with the row and
// field in front of the platform's message; wrong user input raises FkError (German text).
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class TTextTable;
struct Session;

namespace costs {

// The filter boxes' entry that means "no filter".
inline const QString kAlle = QStringLiteral("-Alle-");

// ---- money texts -------------------------------------------------------------------------

// Two decimals after rounding to 8 significant digits, decimal comma, no thousands separator:
// 3,98 / 1234567,90 / 0,00. A value with more than 8 digits before the point comes out in
// scientific notation ("1,2345679E+10"). Halves round away from zero.
QString formatMoney(long double value);
// formatMoney + " €", as every label shows an amount.
QString moneyLabel(long double value);

// A stored decimal text (decimal comma) as a number; raises EConvertError.
long double readMoney(const QString& text);

// ---- prices of a purchase line -----------------------------------------------------------

// The three stored price texts of a line.
struct Price {
    QString einzelpreis;        // the unit price, two decimals
    QString gesamtpreis;        // unit price x quantity
    QString gesamtpreisVersand; // the same plus quantity x shipping / order size
};

// Inputs as typed: unit price P (decimal), quantity M (integer), shipping S of the whole order
// (decimal, empty means 0), order size N (integer: all articles of the order). Gesamtpreis =
// P*M, GesamtpreisVersand = S/N*M + P*M, in extended precision on the unrounded inputs.
// Raises EConvertError for a text that does not convert and FkError with a German message
// for an empty quantity or unit price and for a missing, zero or negative order size.
Price computePrice(const QString& unitPrice, const QString& quantity, const QString& shipping,
                   const QString& orderSize);

// A line of the add dialog before it is saved, as shown in its list.
struct PendingLine {
    QString kaufdatum; // short date text
    QString geschaeft;
    QString menge; // as typed
    QString artikel;
    Price price;
};

// The line for the add dialog's inputs; raises as computePrice, and FkError when the shop or
// the article holds a character the cost file cannot store. Nothing is half-made.
PendingLine pendingLine(const QDate& date, const QString& shop, const QString& article, const QString& quantity,
                        const QString& unitPrice, const QString& shipping, const QString& orderSize);

// The add dialog's shop and article items: appends a non-empty `value` unless an item equals
// it ignoring case; true when it was appended (the caller then writes the list file).
bool addItemIgnoringCase(QStringList& items, const QString& value);

// ---- changes (each writes the cost table to session.akdbPath; on a failed write the table is
// put back as it was and the EFileError is raised) --------------------------------------------

// Appends the lines in their order.
void addPurchases(Session& session, const QList<PendingLine>& lines);

// The edit dialog's values, stored as typed (only the date is formatted). Gesamtpreis stays.
struct CostEdit {
    QDate kaufdatum;
    QString geschaeft;
    QString artikel;
    QString menge;
    QString einzelpreis;
    QString gesamtpreisVersand;
};
// The values of a row for the edit dialog; raises EConvertError for a stored date that does
// not convert.
CostEdit readForEdit(const TTextTable& akdb, int row);
// Writes the edit into the row. A quantity that is no whole number or a price that is no
// decimal number is refused (FkError, nothing written): a stored value that does not convert
// would stop every later list and sum.
void saveEdit(Session& session, int row, const CostEdit& edit);
// Deletes the row (1-based). Rows behind it move up, so every list must be refilled.
void deleteCost(Session& session, int row);

// ---- the costs window ----------------------------------------------------------------------

// One line of a cost list: the table row (1-based) and the stored texts.
struct CostLine {
    int row = 0;
    QString kaufdatum;
    QString geschaeft;
    QString artikel;
    QString menge;
    QString einzelpreis;
    QString gesamtpreisVersand;
};

// The list columns: hidden ID, "Datum:", "Geschäft:", "Artikel:", "Menge:", "Einzelpreis:",
// "GK + Versand:".
enum Column { ColId, ColDatum, ColGeschaeft, ColArtikel, ColMenge, ColEinzelpreis, ColGesamtpreisVersand, ColumnCount };
// The text of a line in a column.
const QString& columnText(const CostLine& line, int column);

struct CostList {
    QList<CostLine> lines;
    long double sumEinzelpreis = 0;         // unit prices as stored, not times the quantity
    long double sumGesamtpreisVersand = 0;
    QString einzelpreisLabel() const { return moneyLabel(sumEinzelpreis); }     // lb_einzelpreis
    QString gesamtpreisLabel() const { return moneyLabel(sumGesamtpreisVersand); } // lb_gesamtpreis
};

// The rows whose purchase year equals `year` (kAlle or empty: every year) and whose shop equals
// `shop` exactly (kAlle or empty: every shop), walked from the last row to the first, with the
// sums of the shown lines. The lines are not sorted yet: CostListSorter::afterFill does that.
// A year text that is no number raises EConvertError.
CostList fillCostList(const TTextTable& akdb, const QString& year, const QString& shop);

// The rows (1-based, in table order) purchased in `year`; every row for 0. Raises
// EConvertError (row and field named) for a purchase date that does not convert.
QList<int> rowsOfYear(const TTextTable& akdb, int year);

enum class SortKind { Text, Integer, Date, Decimal };
SortKind sortKindOf(int column);

// The costs window's sort state: the kind of the last sort and one descending flag per
// column, kept for the window's lifetime.
class CostListSorter {
public:
    // After a fill: date order, "Datum:" flag set, newest purchase first (for equal dates the
    // later row first).
    void afterFill(QList<CostLine>& lines);
    // A click on a column header: sorts by the column, negated when its flag is set, then
    // toggles the flag. Quantities sort largest first while the flag is clear; the other kinds
    // ascending. Text is compared case-sensitively in German collation; a date that does not
    // convert counts as the zero date; a quantity as its leading digits. A price that does not
    // convert raises EConvertError and leaves the lines as they were.
    void columnClicked(QList<CostLine>& lines, int column);

    SortKind kind() const { return m_kind; }
    bool descending(int column) const { return m_descending[size_t(column)]; }

private:
    void sortBy(QList<CostLine>& lines, int column, bool descending);
    SortKind m_kind = SortKind::Text;
    std::array<bool, ColumnCount> m_descending{};
};

// The filter boxes: "-Alle-", then the years from `today`'s year down to the earliest purchase
// year (newest first); "-Alle-", then each shop once (first form met, German order ignoring
// case). Raises EConvertError for a purchase date that does not convert.
struct FilterBoxes {
    QStringList years;
    QStringList shops;
};
FilterBoxes filterBoxes(const TTextTable& akdb, const QDate& today);

// ---- the year overview -----------------------------------------------------------------------

struct YearLine {
    int slot = 0; // years before the current year (0..60)
    int year = 0;
    QString amount;      // "Betrag (€):", two decimals
    QString diffEuro;    // "+ - Vorjahr (€)": two decimals, "0" when the year before is zero
    QString diffPercent; // "+ - Vorjahr (%)": likewise
    // +1 more spent than the year before (drawn red), -1 less (green), 0 default colour; taken
    // from the rounded difference, so "0,00" is never coloured.
    int trend = 0;
};
// A line for every year from `currentYear` back 60 years with a non-zero total of
// GesamtpreisVersand, newest first; later or older purchases are not counted.
QList<YearLine> yearOverview(const TTextTable& akdb, int currentYear);

// ---- the search --------------------------------------------------------------------------

// Rows whose shop, or else article, holds `text`, comparing A-Z without case (other letters
// as they are); in row order. An empty text finds nothing.
QList<CostLine> searchCosts(const TTextTable& akdb, const QString& text);

} // namespace costs
