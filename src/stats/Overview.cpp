#include "stats/Overview.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "base/Win1252.h"
#include "stats/Labels.h"
#include "storage/TTextTable.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <QTime>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace overview {
namespace {

bool digitsAt(QByteArrayView v, int from, int count, int* value)
{
    int n = 0;
    for (int i = from; i < from + count; ++i) {
        const char c = v[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
}

// The stored forms are read directly; anything else goes through the lenient parser, which
// also raises the conversion error.
QDate readDate(QByteArrayView v)
{
    int d, m, y;
    if (v.size() == 10 && v[2] == '.' && v[5] == '.' && digitsAt(v, 0, 2, &d) && digitsAt(v, 3, 2, &m)
        && digitsAt(v, 6, 4, &y)) {
        const QDate date(y, m, d);
        if (date.isValid())
            return date;
    }
    return german::parseDate(v.toByteArray());
}

QTime readTime(QByteArrayView v)
{
    int h, m, s = 0;
    if ((v.size() == 5 || (v.size() == 8 && v[5] == ':' && digitsAt(v, 6, 2, &s))) && v[2] == ':'
        && digitsAt(v, 0, 2, &h) && digitsAt(v, 3, 2, &m) && h < 24 && m < 60 && s < 60)
        return QTime(h, m, s);
    return german::parseTime(v.toByteArray());
}

int readInt(QByteArrayView v)
{
    int n;
    if (!v.isEmpty() && v.size() <= 9 && digitsAt(v, 0, int(v.size()), &n))
        return n;
    return german::parseInt(v.toByteArray());
}

std::string_view view(QByteArrayView bytes) { return {bytes.data(), size_t(bytes.size())}; }

// Outing keys compare without regard to letter case. Plain ASCII keys (the stored forms) are
// folded in place; others through Unicode case folding, marked so the two kinds never meet.
void foldKey(std::string& key)
{
    bool ascii = true;
    for (char& c : key) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    }
    if (!ascii) {
        const QByteArray folded =
            win1252::decode(QByteArray(key.data(), qsizetype(key.size()))).toCaseFolded().toUtf8();
        key.assign("\xff");
        key.append(folded.constData(), size_t(folded.size()));
    }
}

// Entry texts as stored bytes, each leading to its positions in the list (a value listed
// twice counts for both). Entries without a Windows-1252 form can match no catch.
struct ListCounter {
    QStringList entries;
    std::vector<std::string> stored;
    std::unordered_map<std::string_view, std::vector<int>> positions;
    std::vector<int> counts;

    explicit ListCounter(const QStringList& list) : entries(list), counts(size_t(list.size()), 0)
    {
        stored.reserve(size_t(list.size())); // the map's keys point into these strings
        for (int i = 0; i < list.size(); ++i) {
            QByteArray bytes;
            if (!win1252::encode(list[i], &bytes))
                continue;
            stored.emplace_back(bytes.constData(), size_t(bytes.size()));
            positions[stored.back()].push_back(i);
        }
    }
    void count(QByteArrayView value)
    {
        const auto it = positions.find(view(value));
        if (it != positions.end())
            for (int i : it->second)
                ++counts[size_t(i)];
    }
    // First entry wins at count 0; a later one only with a strictly greater count.
    Pair best(const QString& unit) const
    {
        if (entries.isEmpty())
            return {kNoWinner, QStringLiteral("(0 %1)").arg(unit)};
        int winner = 0;
        for (int i = 1; i < entries.size(); ++i)
            if (counts[size_t(i)] > counts[size_t(winner)])
                winner = i;
        return {entries[winner], QStringLiteral("(%1 %2)").arg(counts[size_t(winner)]).arg(unit)};
    }
};

// Fixed tables: no winner until a counter rises above 0.
Pair bestOfTable(const QStringList& names, const int* counts)
{
    int winner = -1;
    int top = 0;
    for (int i = 0; i < names.size(); ++i)
        if (counts[i] > top) {
            top = counts[i];
            winner = i;
        }
    if (winner < 0)
        return {kNoWinner, QStringLiteral("(0 Fänge)")};
    return {names[winner], QStringLiteral("(%1 Fänge)").arg(top)};
}

} // namespace

const std::array<QString, FigureCount>& figureNames()
{
    static const std::array<QString, FigureCount> names = {
        QStringLiteral("besterfangtag"),     QStringLiteral("bestefangzeit"), QStringLiteral("bestemondphase"),
        QStringLiteral("bestefangmethode"),  QStringLiteral("bestesfangwetter"), QStringLiteral("besterkoeder"),
        QStringLiteral("hafischart"),        QStringLiteral("lafisch"),       QStringLiteral("schfisch"),
        QStringLiteral("besterfaenger")};
    return names;
}

Lists readLists(const QStringList& anglers)
{
    Lists lists;
    lists.methods = lookup::readNamedList(QStringLiteral("Fangmethode"));
    lists.weathers = lookup::readNamedList(QStringLiteral("Wetter"));
    lists.baits = lookup::readNamedList(QStringLiteral("Koeder"));
    // Species ties go to the first in the entry dialog's sorted list.
    lists.species = lookup::speciesList();
    std::stable_sort(lists.species.begin(), lists.species.end(),
                     [](const QString& a, const QString& b) { return lookup::compareText(a, b) < 0; });
    // A blank line names nobody.
    for (const QString& a : anglers)
        if (!a.trimmed().isEmpty())
            lists.anglers << a;
    return lists;
}

CatchFigures countCatches(const TTextTable& db, const Lists& lists, const QString& angler, int year)
{
    const int cDate = db.FieldIndex(catchrec::Fangdatum);
    const int cTime = db.FieldIndex(catchrec::Fangzeit);
    const int cSpecies = db.FieldIndex(catchrec::Fischart);
    const int cLength = db.FieldIndex(catchrec::Laenge);
    const int cWeight = db.FieldIndex(catchrec::Gewicht);
    const int cAngler = db.FieldIndex(catchrec::Faenger);
    const int cMethod = db.FieldIndex(catchrec::Fangmethode);
    const int cBait = db.FieldIndex(catchrec::Koeder);
    const int cWeather = db.FieldIndex(catchrec::Wetter);
    const int cBegin = db.FieldIndex(catchrec::Angelbeginn);
    const int cEnd = db.FieldIndex(catchrec::Angelende);
    const int cDuration = db.FieldIndex(catchrec::Angeldauer);
    const int cPhase = db.FieldIndex(catchrec::Mondphase);

    QByteArray anglerBytes;
    const bool anglerFilter = !angler.isEmpty();
    // A name without a Windows-1252 form is in no stored record.
    const bool anglerPossible = !anglerFilter || win1252::encode(angler, &anglerBytes);

    ListCounter methods(lists.methods), weathers(lists.weathers), baits(lists.baits), species(lists.species),
        anglers(lists.anglers);
    int dayCounts[7] = {};
    int hourCounts[24] = {};
    int phaseCounts[4] = {};
    QList<QByteArray> phaseNames;
    for (const QString& p : labels::moonPhases())
        phaseNames << win1252::encodeLossy(p);

    int longest = 0;
    int heaviest = 0;
    QByteArray longestSpecies, heaviestSpecies;
    qint64 weightSum = 0;
    qint64 lengthSum = 0;
    std::unordered_set<std::string> outingKeys;
    std::string key;
    CatchFigures result;

    for (int row = 1; row <= db.RowCount() && anglerPossible; ++row) {
        const QByteArrayView faenger = db.view(row, cAngler);
        if (anglerFilter && faenger != anglerBytes)
            continue;
        const QByteArrayView dateText = db.view(row, cDate);
        const QDate date = readDate(dateText);
        if (year != 0 && date.year() != year)
            continue;
        ++result.counted;

        // Only the duration is needed later: the text before the key's first ";".
        const QByteArrayView duration = db.view(row, cDuration);
        key.assign(view(duration));
        key += ';';
        key += view(dateText);
        key += ';';
        key += view(db.view(row, cBegin));
        key += ';';
        key += view(db.view(row, cEnd));
        foldKey(key);
        if (outingKeys.find(key) == outingKeys.end()) {
            outingKeys.insert(key);
            const qsizetype semicolon = duration.indexOf(';');
            result.outingDurations.append((semicolon < 0 ? duration : duration.first(semicolon)).toByteArray());
        }

        anglers.count(faenger);
        ++dayCounts[labels::sundayBasedWeekday(date.dayOfWeek()) - 1];
        const QByteArrayView fish = db.view(row, cSpecies);
        methods.count(db.view(row, cMethod));
        weathers.count(db.view(row, cWeather));
        baits.count(db.view(row, cBait));
        species.count(fish);

        const QByteArrayView lengthText = db.view(row, cLength);
        int length = 0;
        if (!lengthText.isEmpty()) {
            length = readInt(lengthText);
            if (length > longest) {
                longest = length;
                longestSpecies = fish.toByteArray();
            }
        }
        const QByteArrayView weightText = db.view(row, cWeight);
        int weight = 0;
        if (!weightText.isEmpty()) {
            weight = readInt(weightText);
            if (weight > heaviest) {
                heaviest = weight;
                heaviestSpecies = fish.toByteArray();
            }
        }
        ++hourCounts[labels::hourBucket(readTime(db.view(row, cTime)).hour()) - 1];
        const QByteArrayView phase = db.view(row, cPhase);
        for (int p = 0; p < 4; ++p)
            if (phase == phaseNames[p])
                ++phaseCounts[p];
        weightSum += weight;
        lengthSum += length;
    }

    result.weightSum = german::formatFixed(double(weightSum) / 1000.0, 2) + QStringLiteral(" kg");
    result.lengthSum = german::formatFixed(double(lengthSum) / 100.0, 2) + QStringLiteral(" m");
    auto& p = result.pairs;
    p[BestDay] = bestOfTable(labels::weekdays(), dayCounts);
    p[BestHour] = bestOfTable(labels::hourBuckets(), hourCounts);
    p[BestMoonPhase] = bestOfTable(labels::moonPhases(), phaseCounts);
    p[BestMethod] = methods.best(QStringLiteral("Fänge"));
    p[BestWeather] = weathers.best(QStringLiteral("Fänge"));
    p[BestBait] = baits.best(QStringLiteral("Fänge"));
    p[FrequentSpecies] = species.best(QStringLiteral("Stück"));
    p[LongestFish] = {win1252::decode(longestSpecies), QStringLiteral("(%1 cm)").arg(longest)};
    p[HeaviestFish] = {win1252::decode(heaviestSpecies), QStringLiteral("(%1 g)").arg(heaviest)};
    p[BestAngler] = anglers.best(QStringLiteral("Fische"));
    return result;
}

QString costSum(const TTextTable& akdb)
{
    const int column = akdb.FieldIndex("GesamtpreisVersand");
    long double sum = 0;
    for (int row = 1; row <= akdb.RowCount(); ++row)
        sum += german::parseFloat(akdb.value(row, column));
    return german::formatFixed(double(sum), 2) + QStringLiteral(" €");
}

QString fishingTime(const QList<QByteArray>& durations)
{
    int hours = 0;
    int minutes = 0;
    for (const QByteArray& d : durations) {
        const QTime t = readTime(d);
        hours += t.hour();
        minutes += t.minute();
    }
    hours += minutes / 60;
    minutes %= 60;
    return QStringLiteral("%1 Std. %2 min").arg(hours).arg(minutes);
}

Result compute(const TTextTable& db, const TTextTable& akdb, const Lists& lists, const QString& angler, int year)
{
    Result r;
    if (db.RowCount() == 0)
        return r;
    r.catches = countCatches(db, lists, angler, year);
    r.costs = costSum(akdb);
    r.fishingTime = fishingTime(r.catches.outingDurations);
    r.computed = true;
    return r;
}

} // namespace overview
