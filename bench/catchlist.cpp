// The main list's core work over logs shaped like real ones: switching to "-Alle Fänge-"
// (years of the year selector, the rows, the sort newest first) and a column click (one
// sort), compared in the same run with one plain pass over every cell of the table.
#include "support/RealisticLog.h"
#include "data/CatchListView.h"
#include "storage/TTextTable.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// One log at a time: the largest takes most of a gigabyte.
const TTextTable& log(int catches)
{
    static std::unique_ptr<TTextTable> current;
    if (!current || current->RowCount() != catches) {
        current.reset();
        current = std::make_unique<TTextTable>(benchlog::table(benchlog::generate(catches)));
    }
    return *current;
}

void BM_ShowAllCatches(benchmark::State& state)
{
    const TTextTable& db = log(int(state.range(0)));
    for (auto _ : state) {
        const QList<int> years = catchlist::years(db, QString());
        std::vector<qint64> days;
        std::vector<int> rows = catchlist::catches(db, catchlist::kAllAnglers, 0, &days);
        catchlist::sortRows(db, rows, catchlist::ColFangdatum, catchlist::SortMode::Date, true, &days);
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(years.size());
    }
}

void BM_ColumnClick(benchmark::State& state)
{
    const TTextTable& db = log(100000);
    const int column = int(state.range(0));
    std::vector<int> rows = catchlist::catches(db, catchlist::kAllAnglers, 0);
    bool reverse = false;
    for (auto _ : state) {
        catchlist::sortRows(db, rows, column, catchlist::modeForColumn(column), reverse);
        reverse = !reverse;
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_ShowOneAnglerOneYear(benchmark::State& state)
{
    const TTextTable& db = log(100000);
    for (auto _ : state) {
        std::vector<int> rows = catchlist::catches(db, QStringLiteral("Jürgen"), 2011);
        catchlist::sortRows(db, rows, catchlist::ColFangdatum, catchlist::SortMode::Date, true);
        benchmark::DoNotOptimize(rows.data());
    }
}

// The floor: every cell of the table touched once.
void BM_PlainPassOverTable(benchmark::State& state)
{
    const TTextTable& db = log(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(benchlog::touchEveryCell(db));
}

// Size by size, so each log is built once.
BENCHMARK(BM_ShowAllCatches)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAllCatches)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnClick)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowOneAnglerOneYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAllCatches)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
