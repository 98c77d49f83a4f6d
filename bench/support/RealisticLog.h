#pragma once
// A catch log shaped like a real one, for the benchmarks: every field filled, outings of one to
// three catches (about 68,700 outings per 100,000 catches), six anglers at eight waters over
// 26 years, the lookup lists that go with it. Built as file bytes (Windows-1252, CR LF) so a
// table loaded from them shares its bytes the way a log read from disk does.
#include "data/CatchRecord.h"
#include "storage/TTextTable.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace benchlog {

inline const QStringList& anglers()
{
    static const QStringList l = {"Peter", "Anna", "Jürgen", "Tom", "Marie", "Jörg"};
    return l;
}
inline const QStringList& species()
{
    static const QStringList l = {"Aal",     "Aland",    "Äsche",       "Bachforelle", "Barbe",     "Barsch",
                                  "Brasse",  "Döbel",    "Giebel",      "Graskarpfen", "Güster",    "Hecht",
                                  "Karausche", "Karpfen", "Quappe",     "Rapfen",      "Regenbogenforelle",
                                  "Rotauge", "Rotfeder", "Schleie",     "Spiegelkarpfen", "Wels",   "Zander",
                                  "Zährte"};
    return l;
}
inline const QStringList& waters()
{
    static const QStringList l = {"Baggersee Nord", "Lippe",       "Möhnesee", "Ruhr bei Witten",
                                  "Dortmund-Ems-Kanal", "Stausee Haltern", "Vereinsteich", "Ems"};
    return l;
}
inline const QStringList& methods()
{
    static const QStringList l = {"Grund", "Pose", "Spinnen", "Fliege", "Feeder", "Schleppen", "Stippen"};
    return l;
}
inline const QStringList& baits()
{
    static const QStringList l = {"Wurm",   "Made",      "Mais",          "Boilie", "Blinker", "Gummifisch",
                                  "Wobbler", "Köderfisch", "Teig",        "Tauwurm", "Spinner", "Frolic"};
    return l;
}
inline const QStringList& weathers()
{
    static const QStringList l = {"sonnig", "heiter", "bewölkt", "bedeckt", "Regen", "Nieselregen", "Gewitter",
                                  "Nebel", "Schnee"};
    return l;
}

struct Generated {
    QByteArray bytes; // the whole file
    int catches = 0;
    int outings = 0;  // distinct (duration, date, start, end)
};

namespace detail {

struct Rng {
    uint64_t s;
    uint32_t next()
    {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t(s >> 33);
    }
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
    bool chance(int percent) { return int(next() % 100) < percent; }
};

inline void two(QByteArray& out, int v)
{
    out.append(char('0' + v / 10));
    out.append(char('0' + v % 10));
}
inline void clock(QByteArray& out, int minutes)
{
    two(out, minutes / 60 % 24);
    out.append(':');
    two(out, minutes % 60);
}
inline void clockSeconds(QByteArray& out, int seconds)
{
    two(out, seconds / 3600 % 24);
    out.append(':');
    two(out, seconds / 60 % 60);
    out.append(':');
    two(out, seconds % 60);
}
inline QByteArray cp(const QString& s) { return s.toLatin1(); } // every name above is Latin-1

} // namespace detail

// `catches` catches in outings spread over 2000 to 2025, the same for the same seed.
inline Generated generate(int catches, uint64_t seed = 2006)
{
    using namespace detail;
    static const char* const remarks[] = {
        "Biss kam kurz nach dem Auswerfen, schöner Drill.",
        "Im Kraut gehakt, mit Geduld gelandet.",
        "Am Schilfgürtel, Wasser leicht angetrübt.",
        "Nach dem Wetterumschwung plötzlich Beißlaune.",
        "Vorsichtiger Biss, Anhieb erst beim zweiten Zupfen.",
        "Am Abend an der Kante zum tiefen Wasser."};
    static const char* const phases[] = {"Abnehmender Mond", "Zunehmender Mond", "Vollmond", "Neumond"};
    static const char* const levels[] = {"normal", "hoch", "niedrig"};
    static const char* const clarity[] = {"klar", "leicht", "mittel", "stark"};
    static const char* const directions[] = {"N", "NO", "O", "SO", "S", "SW", "W", "NW"};
    static const char* const forces[] = {"windstill", "schwach", "mäßig", "frisch", "stark"};

    std::vector<QByteArray> speciesBytes, anglerBytes, waterBytes, methodBytes, baitBytes, weatherBytes;
    for (const QString& s : species())
        speciesBytes.push_back(cp(s));
    for (const QString& s : anglers())
        anglerBytes.push_back(cp(s));
    for (const QString& s : waters())
        waterBytes.push_back(cp(s));
    for (const QString& s : methods())
        methodBytes.push_back(cp(s));
    for (const QString& s : baits())
        baitBytes.push_back(cp(s));
    for (const QString& s : weathers())
        weatherBytes.push_back(cp(s));

    std::vector<QByteArray> remarkBytes, forceBytes;
    for (const char* r : remarks)
        remarkBytes.push_back(cp(QString::fromUtf8(r)));
    for (const char* f : forces)
        forceBytes.push_back(cp(QString::fromUtf8(f)));

    Generated g;
    g.catches = catches;
    QByteArray& out = g.bytes;
    out.reserve(qsizetype(catches) * 250 + 512);
    for (size_t i = 0; i < catchrec::kFields.size(); ++i) {
        if (i)
            out.append(';');
        out.append(catchrec::kFields[i].name);
    }
    out.append("\r\n");

    Rng rng{seed};
    const int firstDay = int(QDate(2000, 1, 1).toJulianDay());
    const int days = int(QDate(2025, 12, 31).toJulianDay()) - firstDay + 1;
    int written = 0;
    while (written < catches) {
        // 63 % one catch, 28 % two, 9 % three: 1.46 catches an outing.
        const int roll = rng.range(0, 99);
        const int inOuting = std::min(roll < 63 ? 1 : roll < 91 ? 2 : 3, catches - written);
        const QDate date = QDate::fromJulianDay(firstDay + rng.range(0, days - 1));
        const int begin = rng.range(4 * 60, 20 * 60) / 5 * 5;
        const int duration = rng.range(60, 9 * 60) / 5 * 5;
        const int end = begin + duration;
        const QByteArray& angler = anglerBytes[size_t(rng.range(0, int(anglerBytes.size()) - 1))];
        const int water = rng.range(0, int(waterBytes.size()) - 1);
        const QByteArray& weather = weatherBytes[size_t(rng.range(0, int(weatherBytes.size()) - 1))];
        const int sunRise = rng.range(5 * 3600, 8 * 3600), sunSet = rng.range(16 * 3600, 21 * 3600);
        const int moonRise = rng.range(0, 86399), moonSet = rng.range(0, 86399);
        const char* phase = phases[(date.toJulianDay() / 7) % 4];
        const int air = rng.range(-5, 32), waterTemp = rng.range(2, 25), pressure = rng.range(985, 1035);
        const char* level = levels[rng.range(0, 2)];
        const char* clear = clarity[rng.range(0, 3)];
        const char* direction = directions[rng.range(0, 7)];
        const QByteArray& force = forceBytes[size_t(rng.range(0, 4))];
        for (int c = 0; c < inOuting; ++c, ++written) {
            const QByteArray& fish = speciesBytes[size_t(rng.range(0, int(speciesBytes.size()) - 1))];
            const int length = rng.range(12, 115);
            const int weight = std::max(10, length * length * length / 100 / 10 * 10 + rng.range(-50, 50) * 10);
            two(out, date.day());
            out.append('.');
            two(out, date.month());
            out.append('.');
            out.append(QByteArray::number(date.year()));
            out.append(';');
            clock(out, begin + rng.range(0, duration));
            out.append(';');
            clock(out, begin);
            out.append(';');
            clock(out, end);
            out.append(';');
            clock(out, duration);
            out.append(';');
            out.append(fish).append(';');
            out.append(QByteArray::number(length)).append(';');
            out.append(QByteArray::number(weight)).append(';');
            out.append(angler).append(';');
            out.append(waterBytes[size_t(water)]).append(';');
            out.append("Stelle ").append(QByteArray::number(water * 10 + rng.range(1, 9))).append(';');
            out.append(QByteArray::number(rng.range(2, 40))).append(';');
            out.append(QByteArray::number(rng.range(0, 6))).append(',').append(char('0' + rng.range(1, 9))).append(';');
            out.append(methodBytes[size_t(rng.range(0, int(methodBytes.size()) - 1))]).append(';');
            out.append(baitBytes[size_t(rng.range(0, int(baitBytes.size()) - 1))]).append(';');
            out.append(weather).append(';');
            out.append(remarkBytes[size_t(rng.range(0, 5))]).append(';');
            clockSeconds(out, sunRise);
            out.append(';');
            clockSeconds(out, sunSet);
            out.append(';');
            clockSeconds(out, moonRise);
            out.append(';');
            clockSeconds(out, moonSet);
            out.append(';');
            out.append(phase).append(';');
            out.append(QByteArray::number(date.year() * 10000 + date.month() * 100 + date.day()))
                .append(QByteArray::number(rng.range(100000, 999999)))
                .append("_0.jpg;");
            out.append(QByteArray::number(rng.range(20, 780))).append(',').append(QByteArray::number(rng.range(20, 580)));
            out.append(';');
            out.append(QByteArray::number(air)).append(';');
            out.append(QByteArray::number(waterTemp)).append(';');
            out.append(level).append(';');
            out.append(clear).append(';');
            out.append(direction).append(';');
            out.append(force).append(';');
            out.append(QByteArray::number(pressure)).append(';');
            out.append(rng.chance(20) ? "-1" : "0");
            out.append("\r\n");
        }
        ++g.outings;
    }
    return g;
}

inline TTextTable table(const Generated& g)
{
    TTextTable t;
    t.loadFromBytes(g.bytes, QStringLiteral("generated"));
    return t;
}

// The text of a lookup list file.
inline QByteArray listFile(const QStringList& entries)
{
    QByteArray out;
    for (const QString& e : entries)
        out.append(e.toLatin1()).append("\r\n");
    return out;
}

// The floor every whole-table operation is compared with: each cell touched once.
inline qint64 touchEveryCell(const TTextTable& db)
{
    qint64 bytes = 0;
    for (int row = 1; row <= db.RowCount(); ++row)
        for (int column = 1; column <= db.FieldCount(); ++column)
            bytes += db.view(row, column).size();
    return bytes;
}

} // namespace benchlog
