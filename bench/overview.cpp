// The overview figures (the recount behind every list switch) over logs shaped like real ones
// of 10,000, 100,000 and 1,000,000 catches, compared in the same run with one plain pass over
// every cell of the same table.
#include "support/RealisticLog.h"
#include "data/CatchDatabase.h"
#include "stats/Overview.h"
#include "storage/TTextTable.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

struct Log {
    TTextTable db;
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    overview::Lists lists;
    int outings = 0;

    explicit Log(int catches)
    {
        const benchlog::Generated g = benchlog::generate(catches);
        db = benchlog::table(g);
        outings = g.outings;
        lists = {benchlog::methods(), benchlog::weathers(), benchlog::baits(), benchlog::species(),
                 benchlog::anglers()};
        for (int i = 0; i < 1000; ++i) {
            akdb.AddRow();
            akdb.SetData("GesamtpreisVersand", QByteArray::number(i) + ",95");
        }
    }
};

// One log at a time: the largest takes most of a gigabyte.
Log& log(int catches)
{
    static std::unique_ptr<Log> current;
    if (!current || current->db.RowCount() != catches) {
        current.reset();
        current = std::make_unique<Log>(catches);
    }
    return *current;
}

void BM_OverviewAll(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    int outings = 0;
    for (auto _ : state) {
        const overview::Result r = overview::compute(l.db, l.akdb, l.lists, {}, 0);
        outings = int(r.catches.outingDurations.size());
        benchmark::DoNotOptimize(r.fishingTime);
    }
    state.SetLabel(std::to_string(outings) + " outings");
}

void BM_OverviewOneAnglerOneYear(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(overview::compute(l.db, l.akdb, l.lists, QStringLiteral("Jürgen"), 2011));
}

// The floor: every cell of the table touched once.
void BM_PlainPassOverTable(benchmark::State& state)
{
    const TTextTable& db = log(int(state.range(0))).db;
    for (auto _ : state)
        benchmark::DoNotOptimize(benchlog::touchEveryCell(db));
}
// Size by size, so each log is built once.
BENCHMARK(BM_OverviewAll)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewOneAnglerOneYear)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewAll)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPassOverTable)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
