// Saving a generated real-shaped catch log of 10,000, 100,000 and 1,000,000 catches, as the
// user meets it: load and save, against a plain read and safe write of the same bytes in the
// same run; the save alone against the safe write alone; a save after editing a few rows;
// and how far the memory grows during a save (no whole-file buffer).
#include "CatchLogGenerator.h"
#include "PeakMemory.h"
#include "base/SafeFile.h"
#include "storage/TTextTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

using Log = benchdata::LogOnDisk;

Log& log(int catches)
{
    return benchdata::logOnDisk(catches);
}

void sizes(benchmark::State& state, const Log& l)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * l.bytes.size());
    state.counters["file_MB"] = double(l.bytes.size()) / 1e6;
}

// What the save cannot beat: read the file, write the same bytes safely (temporary file,
// flushed to the disk, renamed).
void BM_PlainReadAndSafeWrite(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state) {
        QFile f(l.path);
        f.open(QIODevice::ReadOnly);
        const QByteArray b = f.readAll();
        safefile::writeOrThrow(l.out, b);
    }
    sizes(state, l);
}

void BM_LoadAndSave(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state) {
        TTextTable t;
        t.LoadFromFile(l.path);
        t.saveOrThrow(l.out);
    }
    sizes(state, l);
}

void BM_SafeWrite(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state)
        safefile::writeOrThrow(l.out, l.bytes);
    sizes(state, l);
}

void BM_Save(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    TTextTable t;
    t.LoadFromFile(l.path);
    for (auto _ : state)
        t.saveOrThrow(l.out);
    sizes(state, l);
    state.counters["peak_growth_MB"] = benchmem::peakGrowthMB([&] { t.saveOrThrow(l.out); });
}

// A catch edited every 1,000 rows: the rows between are still written as loaded.
void BM_SaveAfterEdits(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    TTextTable t;
    t.LoadFromFile(l.path);
    for (int r = 1; r <= t.RowCount(); r += 1000)
        t.setValue(r, 17, "nachgetragen; mit Zeilenumbruch\r\nund mehr");
    for (auto _ : state)
        t.saveOrThrow(l.out);
    sizes(state, l);
}

} // namespace

BENCHMARK(BM_PlainReadAndSafeWrite)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadAndSave)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SafeWrite)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveAfterEdits)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
