// The statistics pages and the recommendation over a large log: 100,000 catches, 50 baits,
// weathers and waters, 53 species, readings on every catch (one stray air pressure).
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "stats/Fangempfehlung.h"
#include "stats/Statistik.h"
#include "storage/TTextTable.h"

#include <QDate>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

QStringList names(const QString& stem, int count)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << stem + QString::number(i);
    return l;
}

struct Log {
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    statistik::Lists lists{names("Köder", 50), names("Wetter", 50), names("See", 50)};

    Log()
    {
        const QDate start(1990, 1, 1);
        for (int i = 0; i < 100000; ++i) {
            db.AddRow();
            const auto set = [&](const char* f, const QString& v) { db.SetData(f, win1252::encodeLossy(v)); };
            set(catchrec::Fangdatum, start.addDays(i / 3 % 12000).toString("dd.MM.yyyy"));
            set(catchrec::Fangzeit,
                QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')));
            set(catchrec::Fischart, QStringLiteral("Fisch%1").arg(i % 53));
            set(catchrec::Laenge, i % 17 ? QString::number(20 + i % 80) : QString());
            set(catchrec::Gewicht, QString::number(100 + (i * 37) % 9000));
            set(catchrec::Faenger, QStringLiteral("Fänger%1").arg(i % 5));
            set(catchrec::Koeder, QStringLiteral("köder%1").arg(i % 49));
            set(catchrec::Wetter, QStringLiteral("Wetter%1").arg(i % 50));
            set(catchrec::Gewaesser, QStringLiteral("See%1").arg(i % 50));
            set(catchrec::Mondphase, i % 5 ? QStringLiteral("Vollmond") : QStringLiteral("Neumond"));
            set(catchrec::Lufttemperatur, QString::number(i % 45 - 10));
            set(catchrec::Wassertemperatur, QString::number(i % 28));
            set(catchrec::Luftdruck, i == 500 ? QStringLiteral("999999") : QString::number(960 + i % 90));
            set(catchrec::Windrichtung, statistik::windDirections()[i % 9]);
            set(catchrec::Windstaerke, statistik::windStrengths()[i % 13]);
            set(catchrec::Wassertruebung, statistik::turbidities()[i % 4]);
            set(catchrec::Wasserstand, statistik::waterLevels()[i % 3]);
        }
    }
};

Log& log()
{
    static Log l;
    return l;
}

// All species, all anglers, all years: every catch is counted.
void BM_SpeciesPage(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state)
        benchmark::DoNotOptimize(statistik::statistikfischart(l.db, l.lists, {}, statistik::kGesamt, 0));
}
BENCHMARK(BM_SpeciesPage)->Unit(benchmark::kMillisecond);

void BM_BaitPage(benchmark::State& state)
{
    Log& l = log();
    const QStringList species = statistik::cbload(l.db, {}, 0).mid(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(statistik::statistikkoeder(l.db, l.lists, species, {}, "köder7", 0));
}
BENCHMARK(BM_BaitPage)->Unit(benchmark::kMillisecond);

void BM_WeatherPage(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state)
        benchmark::DoNotOptimize(statistik::statistikwetter(l.db, {}, statistik::kGesamt, 0));
}
BENCHMARK(BM_WeatherPage)->Unit(benchmark::kMillisecond);

// The loaders the window runs when it is shown.
void BM_Loaders(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state) {
        benchmark::DoNotOptimize(statistik::cbload(l.db, {}, 0));
        benchmark::DoNotOptimize(statistik::loadjahrcb(l.db, {}));
        benchmark::DoNotOptimize(statistik::loadwettercb(l.db, {}, 0));
        benchmark::DoNotOptimize(statistik::loadkoedercb(l.db, {}, 0));
    }
}
BENCHMARK(BM_Loaders)->Unit(benchmark::kMillisecond);

// The candidate lists as the window loads them, then the twelve months.
void BM_Recommendation(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state) {
        const QStringList species = statistik::cbload(l.db, {}, 0).mid(1);
        const QStringList baits = statistik::loadkoedercb(l.db, {}, 0);
        benchmark::DoNotOptimize(statistik::fangempfehlung(l.db, species, baits));
    }
}
BENCHMARK(BM_Recommendation)->Unit(benchmark::kMillisecond);

} // namespace
