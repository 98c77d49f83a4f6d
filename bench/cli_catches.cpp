// `fischkladde-cli catches` on generated real-shaped catch logs of 10,000, 100,000 and
// 1,000,000 catches, the whole process as a script meets it (output to a file), against
// `cat` copying the same database in the same run: starting a process and moving the bytes.
// BENCH_CLI names another fischkladde-cli to measure (an older build, for comparison).
#include "CatchLogGenerator.h"
#include "base/SafeFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

using Log = benchdata::LogOnDisk;

Log& log(int catches)
{
    return benchdata::logOnDisk(catches);
}

void run(benchmark::State& state, const QString& program, const QStringList& args, const QString& out)
{
    QProcess p;
    p.setStandardOutputFile(out);
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        state.SkipWithError("the program failed");
}

void BM_CatCopy(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state)
        run(state, QStringLiteral("cat"), {l.path}, l.out);
    state.SetBytesProcessed(int64_t(state.iterations()) * l.bytes.size());
}

void BM_CliCatches(benchmark::State& state)
{
    Log& l = log(int(state.range(0)));
    for (auto _ : state)
        run(state, qEnvironmentVariable("BENCH_CLI", QStringLiteral(FK_CLI_PATH)), {QStringLiteral("catches"), QStringLiteral("--db"), l.path}, l.out);
    state.SetBytesProcessed(int64_t(state.iterations()) * l.bytes.size());
    state.counters["output_MB"] = double(QFile(l.out).size()) / 1e6;
}

} // namespace

BENCHMARK(BM_CatCopy)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliCatches)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
