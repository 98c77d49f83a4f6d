// The sun and moon values of the catch entry dialog: one recomputation for the next day and
// for a day far off (phase, three moon events, three sun events), a year of days in a row as when scrolling
// the date picker, one catch day at a water's location, and the parts that dominate (phase class,
// one moon position).
#include "entry/Astro.h"
#include "entry/Location.h"
#include "entry/TSunMoonCalendar.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NewDay(benchmark::State& state)
{
    TSunMoonCalendar calendar(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    QDate day(2026, 1, 2);
    const std::uint64_t before = astro::lunarSeriesCount();
    for (auto _ : state) {
        calendar.setDate(QDateTime(day, QTime(0, 0)));
        benchmark::DoNotOptimize(calendar.moonRise());
        day = day.addDays(1);
    }
    state.counters["lunar_series_per_day"] =
        double(astro::lunarSeriesCount() - before) / double(state.iterations());
}
BENCHMARK(BM_NewDay)->Unit(benchmark::kMicrosecond);

// A day far from the one shown: nothing of the last recomputation can be reused.
void BM_NewDayJump(benchmark::State& state)
{
    TSunMoonCalendar calendar(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    QDate day(2026, 1, 11);
    const std::uint64_t before = astro::lunarSeriesCount();
    for (auto _ : state) {
        calendar.setDate(QDateTime(day, QTime(0, 0)));
        benchmark::DoNotOptimize(calendar.moonRise());
        day = day.addDays(10);
    }
    state.counters["lunar_series_per_day"] =
        double(astro::lunarSeriesCount() - before) / double(state.iterations());
}
BENCHMARK(BM_NewDayJump)->Unit(benchmark::kMicrosecond);

void BM_Year(benchmark::State& state)
{
    for (auto _ : state) {
        TSunMoonCalendar calendar(QDateTime(QDate(2025, 12, 31), QTime(0, 0)));
        for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1))
            calendar.setDate(QDateTime(day, QTime(12, 0)));
        benchmark::DoNotOptimize(calendar.sunSet());
    }
    // Seconds per day, shown with a prefix (500u = 0.5 ms).
    state.counters["per_day"] = benchmark::Counter(
        365, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Year)->Unit(benchmark::kMillisecond);

// The entry dialog's call for a catch: one day from scratch at a water's location.
void BM_SunMoonForCatch(benchmark::State& state)
{
    QDate day(2026, 1, 2);
    const std::uint64_t before = astro::lunarSeriesCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(location::sunMoon(day, {47.66, 9.176}));
        day = day.addDays(1);
    }
    state.counters["lunar_series_per_day"] =
        double(astro::lunarSeriesCount() - before) / double(state.iterations());
}
BENCHMARK(BM_SunMoonForCatch)->Unit(benchmark::kMicrosecond);

void BM_PhaseClass(benchmark::State& state)
{
    QDate day(2026, 1, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::moonPhaseClass(day));
        day = day.addDays(1);
    }
}
BENCHMARK(BM_PhaseClass)->Unit(benchmark::kMicrosecond);

void BM_MoonEcliptic(benchmark::State& state)
{
    astro::real t = 46000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::moonEcliptic(t));
        t += 0.37L;
    }
}
BENCHMARK(BM_MoonEcliptic);

void BM_MoonTopocentric(benchmark::State& state)
{
    const astro::Observer observer{51.6L, -7.5L, 0};
    astro::real t = 46000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::moonEquatorial(t, observer));
        t += 0.37L;
    }
}
BENCHMARK(BM_MoonTopocentric);

} // namespace
