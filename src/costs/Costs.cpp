#include "costs/Costs.h"
#include "base/FkError.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "data/Session.h"
#include "storage/TTextTable.h"

#include <QCollator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace costs {
namespace {

// ---- reading stored values ---------------------------------------------------------------

bool digitsAt(QByteArrayView v, qsizetype from, qsizetype count, int* value)
{
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = v[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
}

[[noreturn]] void rethrowAt(int row, const char* field, const EConvertError& e)
{
    throw EConvertError(QStringLiteral("Angelkosten Zeile %1, %2: %3").arg(row).arg(QLatin1String(field), e.message()));
}

// The usual "dd.MM.yyyy" read directly; anything else through the lenient parser.
QDate readDate(QByteArrayView v)
{
    int d, m, y;
    if (v.size() == 10 && v[2] == '.' && v[5] == '.' && digitsAt(v, 0, 2, &d) && digitsAt(v, 3, 2, &m)
        && digitsAt(v, 6, 4, &y)) {
        const QDate date(y, m, d);
        if (date.isValid() && y > 0)
            return date;
    }
    return german::parseDate(v.toByteArray());
}

// "123,45" read directly (exact for two decimals); anything else through the parser.
long double readDecimal(QByteArrayView v)
{
    const qsizetype comma = v.indexOf(',');
    if (comma > 0 && comma <= 12 && v.size() - comma - 1 <= 6 && v.size() - comma - 1 > 0) {
        long long w = 0;
        bool ok = true;
        for (qsizetype i = 0; i < comma && ok; ++i) {
            ok = v[i] >= '0' && v[i] <= '9';
            w = w * 10 + (v[i] - '0');
        }
        int frac = 0;
        const qsizetype fd = v.size() - comma - 1;
        if (ok && digitsAt(v, comma + 1, fd, &frac)) {
            static const long double scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
            return (long double)w + (long double)frac / scale[fd];
        }
    }
    return german::parseFloat(v.toByteArray());
}

QDate storedDate(const TTextTable& t, int row, int column, const char* field)
{
    try {
        return readDate(t.view(row, column));
    } catch (const EConvertError& e) {
        rethrowAt(row, field, e);
    }
}

long double storedDecimal(const TTextTable& t, int row, int column, const char* field)
{
    try {
        return readDecimal(t.view(row, column));
    } catch (const EConvertError& e) {
        rethrowAt(row, field, e);
    }
}

struct Columns {
    int date, shop, article, qty, unit, total, totalShipping;
    explicit Columns(const TTextTable& t)
        : date(t.FieldIndex(costrec::Kaufdatum)), shop(t.FieldIndex(costrec::Geschaeft)),
          article(t.FieldIndex(costrec::Artikel)), qty(t.FieldIndex(costrec::Menge)),
          unit(t.FieldIndex(costrec::Einzelpreis)), total(t.FieldIndex(costrec::Gesamtpreis)),
          totalShipping(t.FieldIndex(costrec::GesamtpreisVersand))
    {
    }
};

// A missing field reads as empty, as the table's GetData does.
QString text(const TTextTable& t, int row, int column)
{
    return column <= 0 ? QString() : win1252::decode(t.value(row, column));
}

CostLine lineOf(const TTextTable& t, const Columns& c, int row)
{
    CostLine line;
    line.row = row;
    line.kaufdatum = text(t, row, c.date);
    line.geschaeft = text(t, row, c.shop);
    line.artikel = text(t, row, c.article);
    line.menge = text(t, row, c.qty);
    line.einzelpreis = text(t, row, c.unit);
    line.gesamtpreisVersand = text(t, row, c.totalShipping);
    return line;
}

QByteArray encodedField(const QString& label, const QString& value)
{
    QByteArray bytes;
    if (!win1252::encode(value, &bytes))
        throw FkError(QStringLiteral("Das Feld \"%1\" enthält das Zeichen \"%2\", das in der Angelkosten-Datenbank "
                                     "nicht gespeichert werden kann. Bitte ändern Sie den Text.")
                          .arg(label, QString(win1252::firstUnencodable(value))));
    return bytes;
}

// Writes the table; on failure the table gets back its state before the change.
void saveOrRollBack(Session& session, TTextTable&& before)
{
    try {
        session.saveAKDB();
    } catch (...) {
        session.AKDB = std::move(before);
        throw;
    }
}

void requireColumns(const TTextTable& t)
{
    for (const char* f : costrec::kFields)
        if (t.FieldIndex(f) <= 0)
            throw FkError(QStringLiteral("Die Angelkosten-Datenbank hat kein Feld \"%1\".").arg(QLatin1String(f)));
}

// Leading digits of an integer text ("12 Stk" -> 12), for the quantity sort.
struct IntKey {
    bool valid;
    long long value;
};
IntKey intKey(const QString& s)
{
    try {
        return {true, german::parseInt(s)};
    } catch (const EConvertError&) {
        long long v = 0;
        for (QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                break;
            v = std::min<long long>(v * 10 + (c.unicode() - '0'), 1LL << 40);
        }
        return {false, v};
    }
}

const QCollator& caseSensitiveCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::German, QLocale::Germany)};
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator;
}

} // namespace

// ---- money texts -------------------------------------------------------------------------

QString formatMoney(long double value)
{
    if (!std::isfinite(value))
        return value != value ? QStringLiteral("NAN") : value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0,00");
    // Eight significant digits: d.ddddddde±x
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7Le", value);
    const QString s = QString::fromLatin1(buf);
    const bool negative = s.startsWith(QLatin1Char('-'));
    const qsizetype ePos = s.indexOf(QLatin1Char('e'));
    QString digits = s.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0)).remove(QLatin1Char('.'));
    const int exponent = s.mid(ePos + 1).toInt();

    if (exponent >= 8) {
        // More than 8 digits before the point.
        QString mantissa = digits;
        while (mantissa.size() > 1 && mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        QString out = negative ? QStringLiteral("-") : QString();
        out += mantissa.left(1);
        if (mantissa.size() > 1)
            out += QLatin1Char(',') + mantissa.mid(1);
        return out + QStringLiteral("E+") + QString::number(exponent);
    }

    // Round the eight digits to two decimals, halves away from zero.
    int intDigits = exponent + 1; // may be 0 or negative
    const int keep = intDigits + 2;
    if (keep < 0)
        return QStringLiteral("0,00");
    QString kept;
    if (keep >= digits.size()) {
        kept = digits + QString(keep - digits.size(), QLatin1Char('0'));
    } else {
        kept = digits.left(keep);
        if (digits[keep] >= QLatin1Char('5')) {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept[i] == QLatin1Char('9')) {
                kept[i] = QLatin1Char('0');
                --i;
            }
            if (i >= 0) {
                kept[i] = QChar(kept[i].unicode() + 1);
            } else {
                kept.prepend(QLatin1Char('1'));
                ++intDigits;
            }
        }
    }
    // kept holds intDigits + 2 digits (intDigits may be <= 0: leading zeros are implied).
    if (intDigits < 0) {
        kept = QString(-intDigits, QLatin1Char('0')) + kept;
        intDigits = 0;
    }
    kept = kept.right(intDigits + 2);
    QString whole = kept.left(intDigits);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    const QString decimals = kept.right(2);
    bool zero = true;
    for (QChar ch : kept)
        zero = zero && ch == QLatin1Char('0');
    return (negative && !zero ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') + decimals;
}

QString moneyLabel(long double value)
{
    return formatMoney(value) + QStringLiteral(" €");
}

long double readMoney(const QString& t)
{
    QByteArray bytes;
    if (!win1252::encode(t, &bytes))
        return german::parseFloat(t);
    return readDecimal(bytes);
}

// ---- prices ------------------------------------------------------------------------------

Price computePrice(const QString& unitPrice, const QString& quantity, const QString& shipping,
                   const QString& orderSize)
{
    if (unitPrice.trimmed().isEmpty())
        throw FkError(QStringLiteral("Bitte geben Sie den Einzelpreis ein."));
    if (quantity.trimmed().isEmpty())
        throw FkError(QStringLiteral("Bitte geben Sie die Menge ein."));
    const long double p = german::parseFloat(unitPrice);
    const long double m = german::parseInt(quantity);
    const long double s = shipping.trimmed().isEmpty() ? 0.0L : (long double)german::parseFloat(shipping);
    // The shipping is shared out per article of the order: without an order size there is
    // nothing to share it by.
    if (orderSize.trimmed().isEmpty())
        throw FkError(QStringLiteral("Bitte geben Sie die Artikelanzahl ein (die Anzahl aller Artikel der Bestellung)."));
    const int n = german::parseInt(orderSize);
    if (n <= 0)
        throw FkError(QStringLiteral("Die Artikelanzahl muss mindestens 1 sein (die Anzahl aller Artikel der Bestellung)."));
    Price price;
    price.einzelpreis = formatMoney(p);
    price.gesamtpreis = formatMoney(p * m);
    price.gesamtpreisVersand = formatMoney(s / n * m + p * m);
    return price;
}

PendingLine pendingLine(const QDate& date, const QString& shop, const QString& article, const QString& quantity,
                        const QString& unitPrice, const QString& shipping, const QString& orderSize)
{
    encodedField(QStringLiteral("Geschäft"), shop);
    encodedField(QStringLiteral("Artikel"), article);
    PendingLine line;
    line.price = computePrice(unitPrice, quantity, shipping, orderSize);
    line.kaufdatum = german::formatDate(date);
    line.geschaeft = shop;
    line.menge = quantity;
    line.artikel = article;
    return line;
}

bool addItemIgnoringCase(QStringList& items, const QString& value)
{
    if (value.isEmpty() || items.contains(value, Qt::CaseInsensitive))
        return false;
    items.append(value);
    return true;
}

// ---- changes -----------------------------------------------------------------------------

void addPurchases(Session& session, const QList<PendingLine>& lines)
{
    if (session.akdbPath.isEmpty())
        throw FkError(QStringLiteral("Es ist keine Angelkosten-Datenbank geöffnet. Bitte wählen Sie eine unter "
                                     "\"Datei\" > \"Angelkosten Datenbank auswählen\"."));
    TTextTable& t = session.AKDB;
    requireColumns(t);
    // Encoded first, so a refused value adds no row at all.
    std::vector<std::array<QByteArray, 7>> rows;
    for (const PendingLine& l : lines)
        rows.push_back({encodedField(QStringLiteral("Datum"), l.kaufdatum),
                        encodedField(QStringLiteral("Geschäft"), l.geschaeft),
                        encodedField(QStringLiteral("Menge"), l.menge),
                        encodedField(QStringLiteral("Artikel"), l.artikel), l.price.einzelpreis.toLatin1(),
                        l.price.gesamtpreis.toLatin1(), l.price.gesamtpreisVersand.toLatin1()});
    TTextTable before = t;
    for (const auto& r : rows) {
        t.AddRow();
        t.SetData(costrec::Kaufdatum, r[0]);
        t.SetData(costrec::Geschaeft, r[1]);
        t.SetData(costrec::Menge, r[2]);
        t.SetData(costrec::Artikel, r[3]);
        t.SetData(costrec::Einzelpreis, r[4]);
        t.SetData(costrec::Gesamtpreis, r[5]);
        t.SetData(costrec::GesamtpreisVersand, r[6]);
    }
    saveOrRollBack(session, std::move(before));
}

CostEdit readForEdit(const TTextTable& akdb, int row)
{
    if (row < 1 || row > akdb.RowCount())
        throw FkError(QStringLiteral("Den Eintrag %1 gibt es in der Angelkosten-Datenbank nicht.").arg(row));
    const Columns c(akdb);
    CostEdit e;
    e.kaufdatum = storedDate(akdb, row, c.date, costrec::Kaufdatum);
    e.geschaeft = text(akdb, row, c.shop);
    e.artikel = text(akdb, row, c.article);
    e.menge = text(akdb, row, c.qty);
    e.einzelpreis = text(akdb, row, c.unit);
    e.gesamtpreisVersand = text(akdb, row, c.totalShipping);
    return e;
}

void saveEdit(Session& session, int row, const CostEdit& edit)
{
    TTextTable& t = session.AKDB;
    requireColumns(t);
    if (row < 1 || row > t.RowCount())
        throw FkError(QStringLiteral("Den Eintrag %1 gibt es in der Angelkosten-Datenbank nicht.").arg(row));
    const auto refuse = [](const QString& label, const QString& what) {
        throw FkError(QStringLiteral("Bitte geben Sie im Feld \"%1\" %2 ein.").arg(label, what));
    };
    try {
        german::parseInt(edit.menge);
    } catch (const EConvertError&) {
        refuse(QStringLiteral("Menge"), QStringLiteral("eine ganze Zahl"));
    }
    try {
        german::parseFloat(edit.einzelpreis);
    } catch (const EConvertError&) {
        refuse(QStringLiteral("Einzelpreis"), QStringLiteral("einen Betrag wie 12,50"));
    }
    try {
        german::parseFloat(edit.gesamtpreisVersand);
    } catch (const EConvertError&) {
        refuse(QStringLiteral("Gesamtpreis"), QStringLiteral("einen Betrag wie 12,50"));
    }
    const QByteArray values[] = {german::formatDate(edit.kaufdatum).toLatin1(),
                                 encodedField(QStringLiteral("Geschäft"), edit.geschaeft),
                                 encodedField(QStringLiteral("Artikel"), edit.artikel),
                                 encodedField(QStringLiteral("Menge"), edit.menge),
                                 encodedField(QStringLiteral("Einzelpreis"), edit.einzelpreis),
                                 encodedField(QStringLiteral("Gesamtpreis"), edit.gesamtpreisVersand)};
    TTextTable before = t;
    t.GoToRow(row);
    t.SetData(costrec::Kaufdatum, values[0]);
    t.SetData(costrec::Geschaeft, values[1]);
    t.SetData(costrec::Artikel, values[2]);
    t.SetData(costrec::Menge, values[3]);
    t.SetData(costrec::Einzelpreis, values[4]);
    t.SetData(costrec::GesamtpreisVersand, values[5]);
    saveOrRollBack(session, std::move(before));
}

void deleteCost(Session& session, int row)
{
    TTextTable& t = session.AKDB;
    if (row < 1 || row > t.RowCount())
        throw FkError(QStringLiteral("Den Eintrag %1 gibt es in der Angelkosten-Datenbank nicht.").arg(row));
    TTextTable before = t;
    t.GoToRow(row);
    t.DeleteRow();
    saveOrRollBack(session, std::move(before));
}

// ---- the costs window ----------------------------------------------------------------------

const QString& columnText(const CostLine& line, int column)
{
    static const QString id;
    switch (column) {
    case ColDatum: return line.kaufdatum;
    case ColGeschaeft: return line.geschaeft;
    case ColArtikel: return line.artikel;
    case ColMenge: return line.menge;
    case ColEinzelpreis: return line.einzelpreis;
    case ColGesamtpreisVersand: return line.gesamtpreisVersand;
    default: return id;
    }
}

CostList fillCostList(const TTextTable& akdb, const QString& year, const QString& shop)
{
    const int y = (year.isEmpty() || year == kAlle) ? 0 : german::parseInt(year);
    QByteArray shopBytes;
    const bool anyShop = shop.isEmpty() || shop == kAlle;
    if (!anyShop && !win1252::encode(shop, &shopBytes))
        return {}; // no stored shop can equal it
    const Columns c(akdb);
    CostList list;
    for (int row = akdb.RowCount(); row >= 1; --row) {
        if (y != 0 && storedDate(akdb, row, c.date, costrec::Kaufdatum).year() != y)
            continue;
        if (!anyShop && (c.shop <= 0 || akdb.view(row, c.shop) != shopBytes))
            continue;
        list.lines.append(lineOf(akdb, c, row));
        list.sumEinzelpreis += storedDecimal(akdb, row, c.unit, costrec::Einzelpreis);
        list.sumGesamtpreisVersand += storedDecimal(akdb, row, c.totalShipping, costrec::GesamtpreisVersand);
    }
    return list;
}

QList<int> rowsOfYear(const TTextTable& akdb, int year)
{
    const Columns c(akdb);
    QList<int> rows;
    for (int row = 1; row <= akdb.RowCount(); ++row)
        if (year == 0 || storedDate(akdb, row, c.date, costrec::Kaufdatum).year() == year)
            rows.append(row);
    return rows;
}

SortKind sortKindOf(int column)
{
    switch (column) {
    case ColDatum: return SortKind::Date;
    case ColMenge: return SortKind::Integer;
    case ColEinzelpreis:
    case ColGesamtpreisVersand: return SortKind::Decimal;
    default: return SortKind::Text;
    }
}

void CostListSorter::afterFill(QList<CostLine>& lines)
{
    m_descending[ColDatum] = true;
    sortBy(lines, ColDatum, true);
}

void CostListSorter::columnClicked(QList<CostLine>& lines, int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    sortBy(lines, column, m_descending[size_t(column)]);
    m_descending[size_t(column)] = !m_descending[size_t(column)];
}

void CostListSorter::sortBy(QList<CostLine>& lines, int column, bool descending)
{
    const SortKind kind = sortKindOf(column);
    // Keys first: a price that does not convert stops the sort before anything moved.
    struct Keyed {
        long double number = 0;
        bool valid = true;
        qsizetype index = 0;
    };
    std::vector<Keyed> keys(size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Keyed& k = keys[size_t(i)];
        k.index = i;
        const QString& t = columnText(lines[i], column);
        if (kind == SortKind::Decimal) {
            try {
                k.number = readMoney(t);
            } catch (const EConvertError& e) {
                rethrowAt(lines[i].row, column == ColEinzelpreis ? costrec::Einzelpreis : costrec::GesamtpreisVersand, e);
            }
        } else if (kind == SortKind::Date) {
            try {
                QByteArray bytes;
                k.number = win1252::encode(t, &bytes) ? readDate(bytes).toJulianDay() : german::parseDate(t).toJulianDay();
            } catch (const EConvertError&) {
                k.valid = false;
                k.number = QDate(1899, 12, 30).toJulianDay(); // the zero date
            }
        } else if (kind == SortKind::Integer) {
            const IntKey ik = intKey(t);
            k.valid = ik.valid;
            k.number = (long double)ik.value;
        }
    }
    const QCollator& collator = caseSensitiveCollator();
    const auto compare = [&](const Keyed& a, const Keyed& b) -> int {
        switch (kind) {
        case SortKind::Text:
            return collator.compare(columnText(lines[a.index], column), columnText(lines[b.index], column));
        case SortKind::Integer:
            return a.number < b.number ? 1 : a.number > b.number ? -1 : 0; // larger first
        case SortKind::Date:
            if (!a.valid && !b.valid)
                return 0;
            [[fallthrough]];
        case SortKind::Decimal:
            return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        }
        return 0;
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Keyed& a, const Keyed& b) {
        const int c = compare(a, b);
        return descending ? c > 0 : c < 0;
    });
    QList<CostLine> sorted;
    sorted.reserve(lines.size());
    for (const Keyed& k : keys)
        sorted.append(std::move(lines[k.index]));
    lines = std::move(sorted);
    m_kind = kind;
}

FilterBoxes filterBoxes(const TTextTable& akdb, const QDate& today)
{
    const Columns c(akdb);
    lookup::SortedUniqueList shops;
    QDate earliest = today;
    for (int row = 1; row <= akdb.RowCount(); ++row) {
        if (c.shop > 0) {
            const QByteArrayView shop = akdb.view(row, c.shop);
            // An empty shop would be an entry that filters nothing.
            if (!shop.isEmpty())
                shops.add(win1252::decode(shop.toByteArray()));
        }
        const QDate d = storedDate(akdb, row, c.date, costrec::Kaufdatum);
        if (d < earliest)
            earliest = d;
    }
    FilterBoxes boxes;
    boxes.years.append(kAlle);
    for (int y = today.year(); y >= earliest.year(); --y)
        boxes.years.append(QString::number(y));
    boxes.shops.append(kAlle);
    boxes.shops.append(shops.values());
    return boxes;
}

// ---- the year overview -----------------------------------------------------------------------

QList<YearLine> yearOverview(const TTextTable& akdb, int currentYear)
{
    constexpr int kSlots = 61;
    std::array<long double, kSlots + 1> totals{}; // one more: the year before the last slot
    const Columns c(akdb);
    for (int row = 1; row <= akdb.RowCount(); ++row) {
        const int k = currentYear - storedDate(akdb, row, c.date, costrec::Kaufdatum).year();
        if (k >= 0 && k < kSlots)
            totals[size_t(k)] += storedDecimal(akdb, row, c.totalShipping, costrec::GesamtpreisVersand);
    }
    QList<YearLine> lines;
    for (int k = 0; k < kSlots; ++k) {
        const long double total = totals[size_t(k)];
        if (total == 0)
            continue;
        YearLine line;
        line.slot = k;
        line.year = currentYear - k;
        line.amount = formatMoney(total);
        const long double before = totals[size_t(k + 1)];
        if (before != 0) {
            line.diffEuro = formatMoney(total - before);
            line.diffPercent = formatMoney((total - before) / before * 100);
            const long double shown = readMoney(line.diffEuro);
            line.trend = shown > 0 ? 1 : shown < 0 ? -1 : 0;
        } else {
            line.diffEuro = line.diffPercent = QStringLiteral("0");
        }
        lines.append(line);
    }
    return lines;
}

// ---- the search --------------------------------------------------------------------------

QList<CostLine> searchCosts(const TTextTable& akdb, const QString& searchText)
{
    QList<CostLine> found;
    QByteArray needle;
    if (searchText.isEmpty() || !win1252::encode(searchText, &needle))
        return found;
    // Only A-Z fold: "ö" does not find "Ö".
    const auto lowerAscii = [](QByteArray s) {
        for (char& ch : s)
            if (ch >= 'A' && ch <= 'Z')
                ch = char(ch + 32);
        return s;
    };
    needle = lowerAscii(needle);
    const Columns c(akdb);
    for (int row = 1; row <= akdb.RowCount(); ++row) {
        const bool hit = (c.shop > 0 && lowerAscii(akdb.value(row, c.shop)).contains(needle))
                         || (c.article > 0 && lowerAscii(akdb.value(row, c.article)).contains(needle));
        if (hit)
            found.append(lineOf(akdb, c, row));
    }
    return found;
}

} // namespace costs
