#include "stats/Overview.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "data/StoredDate.h"
#include "base/Win1252.h"
#include "stats/Labels.h"
#include "storage/TTextTable.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <QTime>
#include <cstdint>
#include <string>
#include <string_view>
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
struct CatchDay {
    int year;
    int dayOfWeek; // as QDate::dayOfWeek
};

CatchDay readDate(QByteArrayView v)
{
    storeddate::Parts p;
    if (storeddate::read(v, &p))
        return {p.year, p.dayOfWeek()};
    const QDate date = german::parseDate(v.toByteArray());
    return {date.year(), date.dayOfWeek()};
}

QTime readTime(QByteArrayView v)
{
    int h, m, s = 0;
    if ((v.size() == 5 || (v.size() == 8 && v[5] == ':' && digitsAt(v, 6, 2, &s))) && v[2] == ':'
        && digitsAt(v, 0, 2, &h) && digitsAt(v, 3, 2, &m) && h < 24 && m < 60 && s < 60)
        return QTime(h, m, s);
    return german::parseTime(v.toByteArray());
}

// The hour of a catch time, without building a QTime for the stored forms.
int readHour(QByteArrayView v)
{
    int h, m, s = 0;
    if ((v.size() == 5 || (v.size() == 8 && v[5] == ':' && digitsAt(v, 6, 2, &s))) && v[2] == ':'
        && digitsAt(v, 0, 2, &h) && digitsAt(v, 3, 2, &m) && h < 24 && m < 60 && s < 60)
        return h;
    return german::parseTime(v.toByteArray()).hour();
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
// twice counts for both). Entries without a Windows-1252 form can match no catch. The
// distinct texts sit in a small open-addressing table: five look-ups a catch.
struct ListCounter {
    QStringList entries;
    std::vector<QByteArray> distinct;
    std::vector<std::vector<int>> positions; // per distinct text
    std::vector<int> hits;                   // per distinct text
    std::vector<int> buckets;                  // index into distinct, -1 free
    size_t mask = 0;

    // Names are short: a plain loop beats a call to memcmp.
    static bool same(const QByteArray& a, QByteArrayView b)
    {
        if (a.size() != b.size())
            return false;
        const char* p = a.constData();
        for (qsizetype i = 0; i < b.size(); ++i)
            if (p[i] != b[i])
                return false;
        return true;
    }
    static uint32_t hash(QByteArrayView v)
    {
        uint32_t h = 2166136261u;
        for (char c : v)
            h = (h ^ uint8_t(c)) * 16777619u;
        return h;
    }
    int find(QByteArrayView v) const
    {
        for (size_t i = hash(v) & mask;; i = (i + 1) & mask) {
            const int d = buckets[i];
            if (d < 0 || same(distinct[size_t(d)], v))
                return d;
        }
    }

    explicit ListCounter(const QStringList& list) : entries(list)
    {
        size_t size = 8;
        while (size < size_t(list.size()) * 4)
            size *= 2;
        buckets.assign(size, -1);
        mask = size - 1;
        for (int i = 0; i < list.size(); ++i) {
            QByteArray bytes;
            if (!win1252::encode(list[i], &bytes))
                continue;
            int d = find(bytes);
            if (d < 0) {
                d = int(distinct.size());
                distinct.push_back(bytes);
                positions.emplace_back();
                size_t slot = hash(bytes) & mask;
                while (buckets[slot] >= 0)
                    slot = (slot + 1) & mask;
                buckets[slot] = d;
            }
            positions[size_t(d)].push_back(i);
        }
        hits.assign(distinct.size(), 0);
    }
    void count(QByteArrayView value)
    {
        const int d = find(value);
        if (d >= 0)
            ++hits[size_t(d)];
    }
    // First entry wins at count 0; a later one only with a strictly greater count.
    Pair best(const QString& unit) const
    {
        if (entries.isEmpty())
            return {kNoWinner, QStringLiteral("(0 %1)").arg(unit)};
        std::vector<int> counts(size_t(entries.size()), 0);
        for (size_t d = 0; d < distinct.size(); ++d)
            for (int i : positions[d])
                counts[size_t(i)] = hits[d];
        int winner = 0;
        for (int i = 1; i < entries.size(); ++i)
            if (counts[size_t(i)] > counts[size_t(winner)])
                winner = i;
        return {entries[winner], QStringLiteral("(%1 %2)").arg(counts[size_t(winner)]).arg(unit)};
    }
};

// The stored clock form "hh:nn" (hours 00-99, minutes 00-59) as minutes, an empty text as
// 6000; -1 for any other text. Different texts never give the same number.
int packedClock(QByteArrayView v)
{
    if (v.isEmpty())
        return 6000;
    int h, m;
    if (v.size() != 5 || v[2] != ':' || !digitsAt(v, 0, 2, &h) || !digitsAt(v, 3, 2, &m) || m > 59)
        return -1;
    return h * 60 + m;
}

// The outing key from the stored forms: duration, start and end as packed clocks (13 bits
// each) and the date "dd.MM.yyyy" (day 5, month 4, year 14 bits) in one number; ~0 when a
// value has another form and the key must be kept as text. These forms hold digits and
// separators only, so letter case cannot make two of them equal.
constexpr uint64_t kNoPackedKey = ~uint64_t(0);

uint64_t packedOutingKey(QByteArrayView duration, QByteArrayView date, QByteArrayView begin, QByteArrayView end)
{
    const int d = packedClock(duration), b = packedClock(begin), e = packedClock(end);
    int day, month, year;
    if (d < 0 || b < 0 || e < 0 || date.size() != 10 || date[2] != '.' || date[5] != '.'
        || !digitsAt(date, 0, 2, &day) || !digitsAt(date, 3, 2, &month) || !digitsAt(date, 6, 4, &year)
        || day > 31 || month > 15)
        return kNoPackedKey;
    return uint64_t(d) | uint64_t(b) << 13 | uint64_t(e) << 26 | uint64_t(day) << 39 | uint64_t(month) << 44
           | uint64_t(year) << 48;
}

// Distinct 64-bit keys, open addressing; kNoPackedKey marks a free slot.
class PackedKeySet {
public:
    explicit PackedKeySet(size_t expected)
    {
        size_t size = 64;
        while (size < expected * 2)
            size *= 2;
        m_slots.assign(size, kNoPackedKey);
    }
    // A hint to fetch the key's slot before it is inserted.
    void prefetch([[maybe_unused]] uint64_t key) const
    {
#if defined(__GNUC__) || defined(__clang__)
        const uint64_t* first = m_slots.data();
        const size_t mask = m_slots.size() - 1;
        // Without the barrier GCC 12 drops the prefetch as having no effect.
        asm volatile("" ::: "memory");
        __builtin_prefetch(first + (mix(key) & mask));
#endif
    }
    // True when the key was not in the set yet.
    bool insert(uint64_t key)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = mix(key) & mask;; i = (i + 1) & mask) {
            if (m_slots[i] == key)
                return false;
            if (m_slots[i] == kNoPackedKey) {
                m_slots[i] = key;
                ++m_count;
                return true;
            }
        }
    }

private:
    static size_t mix(uint64_t x)
    {
        x ^= x >> 30;
        x *= 0xbf58476d1ce4e5b9ull;
        x ^= x >> 27;
        x *= 0x94d049bb133111ebull;
        return size_t(x ^ (x >> 31));
    }
    void grow()
    {
        std::vector<uint64_t> old(m_slots.size() * 2, kNoPackedKey);
        old.swap(m_slots);
        m_count = 0;
        for (uint64_t k : old)
            if (k != kNoPackedKey)
                insert(k);
    }
    std::vector<uint64_t> m_slots;
    size_t m_count = 0;
};

// The distinct outings of the counted rows and the duration of each, in the order first met.
// The set outgrows the caches, so a key goes in a few rows after its slot was asked for.
class OutingCounter {
public:
    OutingCounter(const TTextTable& db, size_t expected, QList<QByteArray>& durations)
        : m_db(db), m_packed(expected), m_durations(durations)
    {
        m_cDate = db.FieldIndex(catchrec::Fangdatum);
        m_cBegin = db.FieldIndex(catchrec::Angelbeginn);
        m_cEnd = db.FieldIndex(catchrec::Angelende);
        m_cDuration = db.FieldIndex(catchrec::Angeldauer);
    }
    void add(int row)
    {
        const uint64_t packed = packedOutingKey(m_db.view(row, m_cDuration), m_db.view(row, m_cDate),
                                                m_db.view(row, m_cBegin), m_db.view(row, m_cEnd));
        // Catches of one outing are mostly entered one after another.
        if (packed != kNoPackedKey && packed == m_last)
            return;
        m_last = packed;
        if (packed != kNoPackedKey)
            m_packed.prefetch(packed);
        if (m_queued == kDelay)
            settle();
        m_queue[(m_head + m_queued++) % kDelay] = {packed, row};
    }
    void finish()
    {
        while (m_queued > 0)
            settle();
    }

private:
    static constexpr size_t kDelay = 16;
    struct Pending {
        uint64_t packed;
        int row;
    };
    void settle()
    {
        const Pending p = m_queue[m_head];
        m_head = (m_head + 1) % kDelay;
        --m_queued;
        const QByteArrayView duration = m_db.view(p.row, m_cDuration);
        bool added;
        if (p.packed != kNoPackedKey) {
            added = m_packed.insert(p.packed);
        } else {
            m_key.assign(view(duration));
            m_key += ';';
            m_key += view(m_db.view(p.row, m_cDate));
            m_key += ';';
            m_key += view(m_db.view(p.row, m_cBegin));
            m_key += ';';
            m_key += view(m_db.view(p.row, m_cEnd));
            foldKey(m_key);
            added = m_text.insert(m_key).second;
        }
        if (added) {
            // Only the duration is needed later: the text before the key's first ";".
            const qsizetype semicolon = duration.indexOf(';');
            m_durations.append((semicolon < 0 ? duration : duration.first(semicolon)).toByteArray());
        }
    }

    const TTextTable& m_db;
    int m_cDate, m_cBegin, m_cEnd, m_cDuration;
    PackedKeySet m_packed;                  // keys in the stored forms
    std::unordered_set<std::string> m_text; // any other key, folded
    std::string m_key;
    uint64_t m_last = kNoPackedKey;
    std::array<Pending, kDelay> m_queue{};
    size_t m_head = 0, m_queued = 0;
    QList<QByteArray>& m_durations;
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
    CatchFigures result;
    OutingCounter outings(db, anglerFilter || year != 0 ? 1024 : size_t(db.RowCount()), result.outingDurations);

    for (int row = 1; row <= db.RowCount() && anglerPossible; ++row) {
        const QByteArrayView faenger = db.view(row, cAngler);
        if (anglerFilter && faenger != anglerBytes)
            continue;
        const QByteArrayView dateText = db.view(row, cDate);
        const CatchDay date = readDate(dateText);
        if (year != 0 && date.year != year)
            continue;
        ++result.counted;

        outings.add(row);

        anglers.count(faenger);
        ++dayCounts[labels::sundayBasedWeekday(date.dayOfWeek) - 1];
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
        ++hourCounts[labels::hourBucket(readHour(db.view(row, cTime))) - 1];
        const QByteArrayView phase = db.view(row, cPhase);
        for (int p = 0; p < 4; ++p)
            if (phase == phaseNames[p])
                ++phaseCounts[p];
        weightSum += weight;
        lengthSum += length;
    }

    outings.finish();
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
