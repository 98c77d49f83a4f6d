#include "stats/Statistik.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "stats/Labels.h"
#include "stats/StatRead.h"
#include "storage/TTextTable.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace statistik {
namespace {

std::string_view view(QByteArrayView bytes) { return {bytes.data(), size_t(bytes.size())}; }

// Only A to Z are folded, as the stored lists and catches are compared.
void foldInto(QByteArrayView v, std::string& out)
{
    out.assign(v.data(), size_t(v.size()));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
}

// Counters for the entries of a list; a value listed twice counts for both entries. Entries
// without a Windows-1252 form match no catch.
class EntryCounter {
public:
    EntryCounter(const QStringList& entries, bool folded) : m_entries(entries), m_folded(folded)
    {
        m_counts.assign(size_t(entries.size()), 0);
        for (int i = 0; i < entries.size(); ++i) {
            QByteArray bytes;
            if (!win1252::encode(entries[i], &bytes))
                continue;
            std::string key;
            if (folded)
                foldInto(bytes, key);
            else
                key.assign(bytes.constData(), size_t(bytes.size()));
            m_positions[key].push_back(i);
        }
    }
    void add(QByteArrayView value)
    {
        if (m_folded)
            foldInto(value, m_key);
        else
            m_key.assign(value.data(), size_t(value.size()));
        const auto it = m_positions.find(m_key);
        if (it != m_positions.end())
            for (int i : it->second)
                ++m_counts[size_t(i)];
    }
    const QStringList& entries() const { return m_entries; }
    int count(int i) const { return m_counts[size_t(i)]; }

private:
    QStringList m_entries;
    bool m_folded;
    std::unordered_map<std::string, std::vector<int>> m_positions;
    std::vector<int> m_counts;
    std::string m_key;
};

// Count rows (count, text) for the entries counted above 0, in entry order, then by count.
QList<ListRow> countRows(const QStringList& names, const int* counts)
{
    QList<ListRow> rows;
    for (int i = 0; i < names.size(); ++i)
        if (counts[i] > 0)
            rows.append({QString::number(counts[i]), names[i]});
    sortRows(rows, 0, true, false);
    return rows;
}

QList<ListRow> countRows(const EntryCounter& c)
{
    std::vector<int> counts(size_t(c.entries().size()));
    for (int i = 0; i < c.entries().size(); ++i)
        counts[size_t(i)] = c.count(i);
    return countRows(c.entries(), counts.data());
}

// The label of the highest counter; a later entry wins only with a strictly higher one.
QString best(const QStringList& names, const int* counts)
{
    int winner = -1;
    int top = 0;
    for (int i = 0; i < names.size(); ++i)
        if (counts[i] > top) {
            top = counts[i];
            winner = i;
        }
    return winner < 0 ? QString() : names[winner];
}

// The filters every page shares. A name without a Windows-1252 form is in no stored record.
struct RowFilter {
    const TTextTable& db;
    int cAngler, cDate;
    QByteArray angler;
    bool anglerSet;
    bool possible = true;
    int year;

    RowFilter(const TTextTable& table, const QString& anglerName, int y)
        : db(table), cAngler(table.FieldIndex(catchrec::Faenger)), cDate(table.FieldIndex(catchrec::Fangdatum)),
          anglerSet(!anglerName.isEmpty()), year(y)
    {
        if (anglerSet)
            possible = win1252::encode(anglerName, &angler);
    }
    bool anglerMatches(int row) const { return !anglerSet || db.view(row, cAngler) == angler; }
    // Reads the date only when a year is asked for.
    bool yearMatches(int row) const { return year == 0 || read::date(db.view(row, cDate)).year() == year; }
};

// Distinct values in German order, letter case ignored, the first form met winning. Equal
// byte strings are collapsed first so the collation runs once per distinct value.
QStringList distinctValues(const TTextTable& db, const QString& angler, int year, const char* field)
{
    const RowFilter filter(db, angler, year);
    const int column = db.FieldIndex(field);
    std::unordered_set<std::string_view> seen;
    lookup::SortedUniqueList list;
    for (int row = 1; row <= db.RowCount() && filter.possible; ++row) {
        if (!filter.anglerMatches(row) || !filter.yearMatches(row))
            continue;
        const QByteArrayView value = db.view(row, column);
        // An empty value names no species or bait.
        if (value.isEmpty() || !seen.insert(view(value)).second)
            continue;
        list.add(win1252::decode(value.toByteArray()));
    }
    return list.values();
}

int compareWhole(const QString& a, const QString& b)
{
    bool okA = false, okB = false;
    const int x = a.toInt(&okA);
    const int y = b.toInt(&okB);
    if (!okA && !okB)
        return 0;
    if (okA != okB)
        return okA ? -1 : 1; // numbers before texts
    return x > y ? -1 : (x < y ? 1 : 0);
}

const QCollator& textCollator()
{
    static const QCollator c = [] {
        QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
        collator.setCaseSensitivity(Qt::CaseSensitive);
        return collator;
    }();
    return c;
}

QString recordDateLine(const QDate& date)
{
    if (!date.isValid())
        return QStringLiteral("gefangen am ");
    return QStringLiteral("gefangen am ") + labels::weekday(labels::sundayBasedWeekday(date.dayOfWeek()))
           + QStringLiteral(", ") + german::formatDate(date);
}

// The shared pass of the species and the bait page.
struct ItemPass {
    bool baitPage;
    ItemPage page;
    EntryCounter first, weathers, waters;
    int months[12] = {}, days[7] = {}, buckets[24] = {}, phases[4] = {};
    double lengthSum = 0, weightSum = 0;
    int lengthCount = 0, weightCount = 0;
    double recordWeight = 0, recordLength = 0;
    QDate recordDate;
    QTime recordTime;
    QByteArray recordBait, recordSpecies;

    ItemPass(bool bait, const QStringList& firstList, const Lists& lists)
        : baitPage(bait), first(firstList, true), weathers(lists.weathers, true), waters(lists.waters, true)
    {
        page.baitPage = bait;
    }

    void run(const TTextTable& db, const RowFilter& filter, int cItem, const QByteArray* item)
    {
        const int cDate = db.FieldIndex(catchrec::Fangdatum);
        const int cTime = db.FieldIndex(catchrec::Fangzeit);
        const int cLength = db.FieldIndex(catchrec::Laenge);
        const int cWeight = db.FieldIndex(catchrec::Gewicht);
        const int cBait = db.FieldIndex(catchrec::Koeder);
        const int cSpecies = db.FieldIndex(catchrec::Fischart);
        const int cWeather = db.FieldIndex(catchrec::Wetter);
        const int cWater = db.FieldIndex(catchrec::Gewaesser);
        const int cPhase = db.FieldIndex(catchrec::Mondphase);
        QList<QByteArray> phaseNames;
        for (const QString& p : labels::moonPhases())
            phaseNames << win1252::encodeLossy(p);

        for (int row = 1; row <= db.RowCount() && filter.possible; ++row) {
            if (item && db.view(row, cItem) != *item)
                continue;
            if (!filter.anglerMatches(row))
                continue;
            const QDate date = read::date(db.view(row, cDate));
            if (filter.year != 0 && date.year() != filter.year)
                continue;

            ++page.count;
            // An empty length or weight (the entry dialog allows it) stays out of its average.
            const QByteArrayView lengthText = db.view(row, cLength);
            double length = 0;
            if (!lengthText.isEmpty()) {
                length = read::decimal(lengthText);
                lengthSum += length;
                ++lengthCount;
            }
            const QByteArrayView weightText = db.view(row, cWeight);
            double weight = 0;
            if (!weightText.isEmpty()) {
                weight = read::decimal(weightText);
                weightSum += weight;
                ++weightCount;
            }
            ++days[labels::sundayBasedWeekday(date.dayOfWeek()) - 1];
            ++months[date.month() - 1];
            first.add(db.view(row, baitPage ? cSpecies : cBait));
            weathers.add(db.view(row, cWeather));
            waters.add(db.view(row, cWater));
            const QTime time = read::time(db.view(row, cTime));
            // Strictly heavier: of equal weights the first in table order stays.
            if (weight > recordWeight) {
                recordWeight = weight;
                recordLength = length;
                recordDate = date;
                recordTime = time;
                recordBait = db.view(row, cBait).toByteArray();
                recordSpecies = db.view(row, cSpecies).toByteArray();
                page.recordRow = row;
            }
            ++buckets[labels::hourBucket(time.hour()) - 1];
            const QByteArrayView phase = db.view(row, cPhase);
            for (int p = 0; p < 4; ++p)
                if (phase == phaseNames[p])
                    ++phases[p];
        }
        finish();
    }

    void finish()
    {
        page.gefangeneFische = QString::number(page.count);
        page.laenge = lengthCount == 0 ? QStringLiteral("0") : german::formatFixed(lengthSum / lengthCount, 2);
        page.gewicht = weightCount == 0 ? QStringLiteral("0") : german::formatFixed(weightSum / weightCount, 2);
        page.monat = best(labels::months(), months);
        page.tag = best(labels::weekdays(), days);
        page.fangzeit = best(labels::hourBuckets(), buckets);
        page.mond = best(labels::moonPhases(), phases);

        if (page.recordRow < 0) {
            page.rekord = QStringList{kKeinRekord};
        } else {
            if (baitPage)
                page.rekord << win1252::decode(recordSpecies);
            page.rekord << QStringLiteral("Länge: ") + german::formatFixed(recordLength, 2) + QStringLiteral(" cm")
                        << QStringLiteral("Gewicht: ") + german::formatFixed(recordWeight, 2) + QStringLiteral(" g")
                        << recordDateLine(recordDate)
                        << QStringLiteral("um ") + german::formatLongTime(recordTime) + QStringLiteral(" Uhr");
            if (!baitPage)
                page.rekord << QStringLiteral("mit ") + win1252::decode(recordBait);
        }

        const QString prefix = baitPage ? QStringLiteral("lv_koeder") : QStringLiteral("lv_");
        page.lists[0] = {baitPage ? QStringLiteral("lv_koederfischarten") : QStringLiteral("lv_koeder"), countRows(first)};
        page.lists[1] = {prefix + QStringLiteral("wetter"), countRows(weathers)};
        page.lists[2] = {prefix + QStringLiteral("gewaesser"), countRows(waters)};
        page.lists[3] = {prefix + QStringLiteral("monat"), countRows(labels::months(), months)};
        page.lists[4] = {prefix + QStringLiteral("zeit"), countRows(labels::hourBuckets(), buckets)};
        page.lists[5] = {prefix + QStringLiteral("mond"), countRows(labels::moonPhases(), phases)};
    }
};

// Counts whole-number values; only a text that is exactly a number's decimal form matches a
// list entry, the entries being labelled with those forms.
struct ValueCounter {
    std::map<int, int> counts;
    void add(int value, bool canonical, bool selected)
    {
        if (selected && canonical)
            ++counts[value];
    }
    QList<ListRow> rows() const
    {
        QList<ListRow> out;
        for (const auto& [value, count] : counts)
            out.append({QString::number(value), QString::number(count)});
        sortRows(out, 1, true, false);
        return out;
    }
};

QList<ListRow> fixedRows(const EntryCounter& c)
{
    QList<ListRow> rows;
    for (int i = 0; i < c.entries().size(); ++i)
        if (c.count(i) > 0 && !c.entries()[i].isEmpty())
            rows.append({c.entries()[i], QString::number(c.count(i))});
    sortRows(rows, 1, true, false);
    return rows;
}

} // namespace

const QStringList& windStrengths()
{
    static const QStringList l = {
        QStringLiteral("Windstill"),    QStringLiteral("Leiser Zug"),       QStringLiteral("Leichte Brise"),
        QStringLiteral("Schwache Brise"), QStringLiteral("Mäßige Brise"),   QStringLiteral("Frische Brise"),
        QStringLiteral("Starker Wind"), QStringLiteral("Steifer Wind"),     QStringLiteral("Stürmischer Wind"),
        QStringLiteral("Sturm"),        QStringLiteral("Schwerer Sturm"),   QStringLiteral("Orkanartiger Sturm"),
        QStringLiteral("Orkan")};
    return l;
}

const QStringList& windDirections()
{
    static const QStringList l = {QStringLiteral("Windstill"), QStringLiteral("N"),  QStringLiteral("NO"),
                                  QStringLiteral("O"),         QStringLiteral("SO"), QStringLiteral("S"),
                                  QStringLiteral("SW"),        QStringLiteral("W"),  QStringLiteral("NW")};
    return l;
}

const QStringList& turbidities()
{
    static const QStringList l = {QStringLiteral("klar"), QStringLiteral("leicht"), QStringLiteral("mittel"),
                                  QStringLiteral("stark")};
    return l;
}

const QStringList& waterLevels()
{
    static const QStringList l = {QStringLiteral("normal"), QStringLiteral("hoch"), QStringLiteral("niedrig")};
    return l;
}

QStringList cbload(const TTextTable& db, const QString& angler, int year)
{
    return QStringList{kGesamt} + distinctValues(db, angler, year, catchrec::Fischart);
}

QStringList loadkoedercb(const TTextTable& db, const QString& angler, int year)
{
    return distinctValues(db, angler, year, catchrec::Koeder);
}

QStringList loadjahrcb(const TTextTable& db, const QString& angler)
{
    const RowFilter filter(db, angler, 0);
    std::vector<int> years;
    std::unordered_set<int> seen;
    for (int row = 1; row <= db.RowCount() && filter.possible; ++row) {
        if (!filter.anglerMatches(row))
            continue;
        const QByteArrayView date = db.view(row, filter.cDate);
        if (date.isEmpty())
            continue;
        const int y = read::date(date).year();
        if (seen.insert(y).second)
            years.push_back(y);
    }
    std::sort(years.begin(), years.end(), std::greater<int>());
    QStringList out{kAlle};
    for (int y : years)
        out << QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0'));
    return out;
}

int yearOf(const QString& entry)
{
    bool ok = false;
    const int y = entry.toInt(&ok);
    return ok && y > 0 ? y : 0;
}

Lists readLists()
{
    return {lookup::readNamedList(QStringLiteral("Koeder")), lookup::readNamedList(QStringLiteral("Wetter")),
            lookup::readNamedList(QStringLiteral("Gewaesser"))};
}

QStringList ItemPage::labelNames() const
{
    if (baitPage)
        return {QStringLiteral("lb_koedergefangenefische"), QStringLiteral("lb_koederlaenge"),
                QStringLiteral("lb_koedergewicht"),         QStringLiteral("lb_koedermonat"),
                QStringLiteral("lb_koedertag"),             QStringLiteral("lb_koederfangzeit"),
                QStringLiteral("lb_koedermond")};
    return {QStringLiteral("lb_gefangeneFische"), QStringLiteral("lb_laenge"),    QStringLiteral("lb_gewicht"),
            QStringLiteral("lb_monat"),           QStringLiteral("lb_tag"),       QStringLiteral("lb_fangzeit"),
            QStringLiteral("lb_mond")};
}

QStringList ItemPage::labelTexts() const { return {gefangeneFische, laenge, gewicht, monat, tag, fangzeit, mond}; }

QString ItemPage::rekordLabel() const
{
    return baitPage ? QStringLiteral("lb_koederrekord") : QStringLiteral("lb_rekord");
}

ItemPage statistikfischart(const TTextTable& db, const Lists& lists, const QString& angler, const QString& species,
                           int year)
{
    ItemPass pass(false, lists.baits, lists);
    const RowFilter filter(db, angler, year);
    const bool all = species.isEmpty() || species == kGesamt;
    QByteArray item;
    if (!all && !win1252::encode(species, &item)) {
        pass.finish(); // no stored catch can carry it
        return pass.page;
    }
    pass.run(db, filter, db.FieldIndex(catchrec::Fischart), all ? nullptr : &item);
    return pass.page;
}

ItemPage statistikkoeder(const TTextTable& db, const Lists& lists, const QStringList& species, const QString& angler,
                         const QString& bait, int year)
{
    ItemPass pass(true, species, lists);
    QByteArray item;
    if (!win1252::encode(bait, &item)) {
        pass.finish();
        return pass.page;
    }
    pass.run(db, RowFilter(db, angler, year), db.FieldIndex(catchrec::Koeder), &item);
    return pass.page;
}

WeatherPage statistikwetter(const TTextTable& db, const QString& angler, const QString& species, int year)
{
    const RowFilter filter(db, angler, year);
    const bool all = species.isEmpty() || species == kGesamt;
    QByteArray item;
    const bool itemPossible = all || win1252::encode(species, &item);
    const int cSpecies = db.FieldIndex(catchrec::Fischart);
    const int cAir = db.FieldIndex(catchrec::Lufttemperatur);
    const int cWaterTemp = db.FieldIndex(catchrec::Wassertemperatur);
    const int cPressure = db.FieldIndex(catchrec::Luftdruck);
    const int cStrength = db.FieldIndex(catchrec::Windstaerke);
    const int cDirection = db.FieldIndex(catchrec::Windrichtung);
    const int cTurbidity = db.FieldIndex(catchrec::Wassertruebung);
    const int cLevel = db.FieldIndex(catchrec::Wasserstand);

    EntryCounter strengths(windStrengths(), false), directions(windDirections(), false),
        turbidity(turbidities(), false), levels(waterLevels(), false);
    ValueCounter air, water, pressure;
    // Every row's readings are read (a bad one anywhere ends the computation); only the
    // selected rows count. Only values that occur get an entry, so a stray reading costs
    // one entry, not a range of them.
    for (int row = 1; row <= db.RowCount(); ++row) {
        const bool selected = itemPossible && filter.possible && (all || db.view(row, cSpecies) == item)
                              && filter.anglerMatches(row) && filter.yearMatches(row);
        for (auto [column, counter] : {std::pair{cAir, &air}, {cWaterTemp, &water}, {cPressure, &pressure}}) {
            const QByteArrayView v = db.view(row, column);
            if (v.isEmpty())
                continue;
            bool canonical = false;
            const int n = read::whole(v, &canonical);
            counter->add(n, canonical, selected);
        }
        if (!selected)
            continue;
        strengths.add(db.view(row, cStrength));
        directions.add(db.view(row, cDirection));
        turbidity.add(db.view(row, cTurbidity));
        levels.add(db.view(row, cLevel));
    }

    WeatherPage page;
    page.lists[0] = {QStringLiteral("lv_wetterwindstaerke"), fixedRows(strengths)};
    page.lists[1] = {QStringLiteral("lv_wetterwindrichtung"), fixedRows(directions)};
    page.lists[2] = {QStringLiteral("lv_wettertruebung"), fixedRows(turbidity)};
    page.lists[3] = {QStringLiteral("lv_wetterwasserstand"), fixedRows(levels)};
    page.lists[4] = {QStringLiteral("lv_wetterltemp"), air.rows()};
    page.lists[5] = {QStringLiteral("lv_wetterwtemp"), water.rows()};
    page.lists[6] = {QStringLiteral("lv_wetterluftdruck"), pressure.rows()};
    return page;
}

void sortRows(QList<ListRow>& rows, int column, bool numeric, bool reversed)
{
    const auto text = [column](const ListRow& r) -> const QString& { return column == 0 ? r.first : r.second; };
    std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
        const int c = numeric ? compareWhole(text(a), text(b)) : textCollator().compare(text(a), text(b));
        return reversed ? c > 0 : c < 0;
    });
}

void ColumnSorter::headerClicked(QList<ListRow>& rows, int column)
{
    const int position = column & 1;
    sortRows(rows, position, position == 0, m_reversed[position]);
    m_reversed[position] = !m_reversed[position];
}

} // namespace statistik
