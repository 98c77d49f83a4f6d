// The load at start-up (folders, settings, both tables, column upgrade, the save when needed)
// on generated real-shaped catch logs of 10,000, 100,000 and 1,000,000 catches, against a
// plain read of the catch file in the same run, with the memory it needs at its peak.
// The whole program, window included, in fresh processes: bench/startup.sh.
#include "CatchLogGenerator.h"
#include "PeakMemory.h"
#include "data/Session.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

struct Folder {
    QTemporaryDir dir;
    QString db;
    qint64 bytes = 0;
    explicit Folder(int catches)
    {
        benchdata::writeProgramFolder(dir.path(), catches);
        db = dir.filePath(QStringLiteral("Fischkladde.fdb"));
        bytes = QFile(db).size();
    }
};

Folder& folder(int catches)
{
    static std::map<int, std::unique_ptr<Folder>> folders;
    auto& f = folders[catches];
    if (!f)
        f = std::make_unique<Folder>(catches);
    qputenv("FISCHKLADDE_HOME", f->dir.path().toLocal8Bit());
    return *f;
}

void BM_PlainRead(benchmark::State& state)
{
    Folder& f = folder(int(state.range(0)));
    for (auto _ : state) {
        QFile file(f.db);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * f.bytes);
}

void BM_StartupLoad(benchmark::State& state)
{
    Folder& f = folder(int(state.range(0)));
    for (auto _ : state) {
        Session s;
        const catchdb::StartupResult r = catchdb::startupLoad(s);
        if (!r.loaded)
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(s.DB.RowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * f.bytes);
    state.counters["peak_growth_MB"] = benchmem::peakGrowthMB([] {
        Session s;
        catchdb::startupLoad(s);
    });
    state.counters["file_MB"] = double(f.bytes) / 1e6;
}

} // namespace

BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartupLoad)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
