#pragma once
// A large catch log shaped like a real one, for the speed measurements: every field filled,
// about 0.687 outings per catch (several catches share date, start, end and duration), one
// remark in twenty with a line break or a semicolon, dates over forty years.
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"

#include <QDate>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <memory>
#include <cstdint>
#include <cstdio>

namespace benchdata {

struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return uint32_t(s >> 11);
    }
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
    template <class T, size_t N> const T& pick(const T (&items)[N]) { return items[next() % N]; }
};

inline constexpr const char* kAnglers[] = {"Thomas", "Anna", "J\xfcrgen", "Petra", "Klaus", "Sabine", "Mehmet", "Uwe"};
inline constexpr const char* kSpecies[] = {"Hecht", "Barsch", "Zander", "Schuppenkarpfen", "Schleie", "Rotauge",
                                          "Brachsen", "D\xf6" "bel", "Barbe", "Aal", "Wels", "Regenbogenforelle"};
inline constexpr const char* kWaters[] = {"Baggersee Heide", "Lippe", "M\xf6hnesee", "Kanal", "Ruhr", "Vereinsteich"};
inline constexpr const char* kSpots[] = {"Nordufer", "Schilfkante", "Buhne 3", "Kiesbank", "Staumauer", "Steg"};
inline constexpr const char* kMethods[] = {"Grundangeln", "Posenangeln", "Spinnfischen", "Feederangeln"};
inline constexpr const char* kBaits[] = {"Tauwurm", "Made", "Mais", "Boilie", "Gummifisch", "Blinker", "K\xf6" "derfisch"};
inline constexpr const char* kWeather[] = {"sonnig", "heiter", "bew\xf6lkt", "bedeckt", "Regen", "Nebel"};
inline constexpr const char* kPhases[] = {"Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond"};
inline constexpr const char* kWindDirections[] = {"N", "NO", "O", "SO", "S", "SW", "W", "NW"};
inline constexpr const char* kWindForces[] = {"Leiser Zug", "Leichte Brise", "Schwache Brise", "M\xe4\xdfige Brise"};
inline constexpr const char* kLevels[] = {"normal", "hoch", "niedrig"};
inline constexpr const char* kClarity[] = {"klar", "leicht", "mittel"};
inline constexpr const char* kRemarks[] = {"Biss kurz nach dem Auswerfen.", "Sch\xf6ner Drill.", "Vorsichtiger Biss.",
                                           "Futterplatz gut angenommen.", "Biss in der D\xe4mmerung."};

// QByteArray::asprintf is newer than the Qt we build with.
template <class... Args> QByteArray format(const char* pattern, Args... args)
{
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, args...);
    return QByteArray(buffer, std::clamp(n, 0, int(sizeof buffer) - 1));
}

inline QByteArray clock(int minutes)
{
    return format("%02d:%02d", (minutes / 60) % 24, minutes % 60);
}

inline QByteArray longTime(int seconds)
{
    return format("%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
}

// The file bytes of a log with `catches` rows, in the column order of a new catch database.
inline QByteArray catchLogBytes(int catches, uint64_t seed = 1)
{
    QByteArray out;
    out.reserve(qsizetype(catches) * 250 + 512);
    for (const auto& f : catchrec::kFields) {
        out += f.name;
        out += ';';
    }
    out.chop(1);
    out += "\r\n";
    Rng rng(seed);
    const QDate first(1987, 1, 1);
    const int days = int(first.daysTo(QDate(2026, 12, 31)));
    const int outings = std::max(1, int(catches * 0.687));
    auto put = [&out](const QByteArray& v) {
        out += v;
        out += ';';
    };
    int row = 0;
    for (qint64 o = 0; row < catches; ++o) {
        const QDate date = first.addDays(o * days / outings % (days + 1));
        const int begin = rng.range(4 * 60, 18 * 60);
        const int length = rng.range(60, 6 * 60);
        // 1 to 4 catches per outing, 1.455 on average.
        const int roll = rng.range(0, 999);
        const int count = roll < 610 ? 1 : roll < 950 ? 2 : roll < 985 ? 3 : 4;
        const QByteArray dateText = format("%02d.%02d.%04d", date.day(), date.month(), date.year());
        const QByteArray angler = rng.pick(kAnglers), water = rng.pick(kWaters), spot = rng.pick(kSpots);
        const QByteArray weather = rng.pick(kWeather), phase = rng.pick(kPhases);
        const int sunRise = rng.range(5 * 3600, 8 * 3600), moonRise = rng.range(0, 86399);
        for (int k = 0; k < count && row < catches; ++k, ++row) {
            put(dateText);                                              // Fangdatum
            put(clock(begin + rng.range(0, length)));                   // Fangzeit
            put(clock(begin));                                          // Angelbeginn
            put(clock(begin + length));                                 // Angelende
            put(clock(length));                                         // Angeldauer
            put(rng.pick(kSpecies));                                    // Fischart
            put(QByteArray::number(rng.range(15, 110)));                // Laenge
            put(QByteArray::number(rng.range(50, 12000)));              // Gewicht
            put(angler);                                                // Faenger
            put(water);                                                 // Gewaesser
            put(spot);                                                  // Stelle
            put(QByteArray::number(rng.range(2, 40)));                  // Uferdistanz
            put(format("%d,%d", rng.range(0, 6), rng.range(1, 9))); // Fangtiefe
            put(rng.pick(kMethods));                                    // Fangmethode
            put(rng.pick(kBaits));                                      // Koeder
            put(weather);                                               // Wetter
            const int r = rng.range(0, 39);                             // Bemerkungen, as stored
            put(r == 0   ? QByteArray("Biss in der D\xe4mmerung.\\nDrill fast zehn Minuten.")
                : r == 1 ? QByteArray("Wind drehte\\; Biss danach")
                         : QByteArray(rng.pick(kRemarks)));
            put(longTime(sunRise));                                     // Sonnenaufgang
            put(longTime(sunRise + 14 * 3600));                         // Sonnenuntergang
            put(longTime(moonRise));                                    // Mondaufgang
            put(longTime(moonRise + 12 * 3600 + 1500));                 // Monduntergang
            put(phase);                                                 // Mondphase
            put(format("%02d%02d%04d%06d%d_0.jpg", date.day(), date.month(), date.year(),
                                     rng.range(0, 235959), rng.range(0, 199))); // Bild
            put(format("%d,%d", rng.range(0, 639), rng.range(0, 479))); // Karte
            put(QByteArray::number(rng.range(-5, 32)));                 // Lufttemperatur
            put(QByteArray::number(rng.range(2, 25)));                  // Wassertemperatur
            put(rng.pick(kLevels));                                     // Wasserstand
            put(rng.pick(kClarity));                                    // Wassertruebung
            put(rng.pick(kWindDirections));                             // Windrichtung
            put(rng.pick(kWindForces));                                 // Windstaerke
            put(QByteArray::number(rng.range(990, 1035)));              // Luftdruck
            out += rng.range(0, 3) == 0 ? "-1" : "0";                   // zurueckgesetzt
            out += "\r\n";
        }
    }
    return out;
}

inline TTextTable catchLog(int catches, uint64_t seed = 1)
{
    TTextTable db;
    db.loadFromBytes(catchLogBytes(catches, seed), QStringLiteral("generated"));
    return db;
}

// A complete program folder around a generated log: settings naming both databases, the
// lookup lists and a small cost database, so the program starts straight into its window.
inline void writeProgramFolder(const QString& folder, int catches)
{
    QDir().mkpath(folder + QStringLiteral("/DATs"));
    QDir().mkpath(folder + QStringLiteral("/img"));
    const QString db = folder + QStringLiteral("/Fischkladde.fdb");
    const QString akdb = folder + QStringLiteral("/Angelkosten.akdb");
    safefile::writeOrThrow(db, catchLogBytes(catches));
    TTextTable costs = catchdb::emptyTable(catchdb::Kind::Costs);
    for (int i = 0; i < 50; ++i) {
        costs.AddRow();
        costs.SetData(costrec::Kaufdatum, format("%02d.%02d.%04d", 1 + i % 28, 1 + i % 12, 2020 + i % 6));
        costs.SetData(costrec::Geschaeft, "Angelsport M\xfcller");
        costs.SetData(costrec::Artikel, "Haken Gr. " + QByteArray::number(2 + i % 10));
        costs.SetData(costrec::Menge, "2");
        costs.SetData(costrec::Einzelpreis, "3,50");
        costs.SetData(costrec::Gesamtpreis, "7,00");
        costs.SetData(costrec::GesamtpreisVersand, "7,00");
    }
    costs.saveOrThrow(akdb);
    auto list = [&](const char* name, const auto& items) {
        QStringList values;
        for (const char* v : items)
            values << win1252::decode(QByteArray(v));
        lookup::writeList(folder + QStringLiteral("/DATs/") + QLatin1String(name) + QStringLiteral(".dat"), values);
    };
    list("Faenger", kAnglers);
    list("Gewaesser", kWaters);
    list("Stelle", kSpots);
    list("Fangmethode", kMethods);
    list("Koeder", kBaits);
    list("Wetter", kWeather);
    list("Fischarten", kSpecies);
    IniFile ini(folder + QStringLiteral("/Fischkladde.ini"));
    ini.writeString(QStringLiteral("DB"), QStringLiteral("File"), db);
    ini.writeString(QStringLiteral("AKDB"), QStringLiteral("File"), akdb);
    ini.writeBool(QStringLiteral("Start"), QStringLiteral("start"), true);
}

// A generated log written to a temporary folder, with a second path there for output; one per
// size, kept for the whole benchmark run.
struct LogOnDisk {
    QTemporaryDir dir;
    QString path;
    QString out;
    QByteArray bytes;
    explicit LogOnDisk(int catches)
        : path(dir.filePath(QStringLiteral("gross.fdb"))), out(dir.filePath(QStringLiteral("ausgabe"))),
          bytes(catchLogBytes(catches))
    {
        safefile::writeOrThrow(path, bytes);
    }
};

inline LogOnDisk& logOnDisk(int catches)
{
    static std::map<int, std::unique_ptr<LogOnDisk>> logs;
    auto& l = logs[catches];
    if (!l)
        l = std::make_unique<LogOnDisk>(catches);
    return *l;
}

} // namespace benchdata
