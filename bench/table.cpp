// Load, upgrade, save and field access of a 100,000-catch database, against a plain read and
// write of the same bytes.
#include "data/CatchDatabase.h"
#include "storage/TTextTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <malloc.h>

namespace {

constexpr int kRows = 100000;

struct Fixture {
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    Fixture()
    {
        TTextTable t = catchdb::emptyTable(catchdb::Kind::Catches);
        const char* species[] = {"Hecht", "Zander", "Barsch", "Aal", "Karpfen", "Rotauge"};
        const char* anglers[] = {"Peter", "Anna", "Tom", "M\xfcller"};
        for (int i = 0; i < kRows; ++i) {
            t.AddRow();
            const int day = 1 + i % 28, month = 1 + (i / 28) % 12, year = 1995 + i % 30;
            t.SetData("Fangdatum", QString::asprintf("%02d.%02d.%04d", day, month, year).toLatin1());
            t.SetData("Fangzeit", QString::asprintf("%02d:%02d", i % 24, i % 60).toLatin1());
            t.SetData("Angelbeginn", "05:30");
            t.SetData("Angelende", "11:15");
            t.SetData("Angeldauer", "05:45");
            t.SetData("Fischart", species[i % 6]);
            t.SetData("Laenge", QByteArray::number(20 + i % 80));
            t.SetData("Gewicht", QByteArray::number(100 + (i * 37) % 9000));
            t.SetData("Faenger", anglers[i % 4]);
            t.SetData("Gewaesser", "Baggersee Nord");
            t.SetData("Stelle", "Steg am Schilfg\xfcrtel");
            t.SetData("Uferdistanz", "15 m");
            t.SetData("Fangtiefe", "3 m");
            t.SetData("Fangmethode", "Grundangel");
            t.SetData("Koeder", "Tauwurm");
            t.SetData("Wetter", "bew\xf6lkt");
            // One remark in ten needs escapes (a line break or a semicolon), as in a real log.
            t.SetData("Bemerkungen", i % 10 == 0   ? QByteArray("lange Flucht\r\nim Kraut")
                                     : i % 10 == 1 ? QByteArray("ruhiger Tag; Biss nach 10 min")
                                                   : QByteArray("ruhiger Tag, Biss nach 10 min"));
            t.SetData("Sonnenaufgang", "06:12:44");
            t.SetData("Sonnenuntergang", "20:48:03");
            t.SetData("Mondaufgang", "23:01:12");
            t.SetData("Monduntergang", "09:33:51");
            t.SetData("Mondphase", "Zunehmender Mond");
            t.SetData("Bild", i % 3 ? QByteArray() : QByteArray("Hecht_1234_0.jpg,Hecht_1234_1.jpg"));
            t.SetData("Karte", "120,85");
            t.SetData("Lufttemperatur", "18");
            t.SetData("Wassertemperatur", "14");
            t.SetData("Wasserstand", "normal");
            t.SetData("Wassertruebung", "leicht");
            t.SetData("Windrichtung", "SW");
            t.SetData("Windstaerke", "Schwache Brise");
            t.SetData("Luftdruck", "1013");
            t.SetData("zurueckgesetzt", "0");
        }
        path = dir.filePath(QStringLiteral("gross.fdb"));
        t.SaveToFile(path);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        bytes = f.readAll();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Build the database before the first timing starts.
const bool kBuilt = (fixture(), true);

void BM_PlainRead(benchmark::State& state)
{
    const std::string p = fixture().path.toStdString();
    std::vector<char> buf(1 << 16);
    for (auto _ : state) {
        FILE* f = std::fopen(p.c_str(), "rb");
        size_t total = 0, n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0)
            total += n;
        std::fclose(f);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fixture().bytes.size());
}

void BM_Load(benchmark::State& state)
{
    for (auto _ : state) {
        TTextTable t;
        t.LoadFromFile(fixture().path);
        benchmark::DoNotOptimize(t.RowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fixture().bytes.size());
}

void BM_PlainWrite(benchmark::State& state)
{
    const std::string p = (fixture().path + QStringLiteral(".plain")).toStdString();
    const QByteArray& b = fixture().bytes;
    for (auto _ : state) {
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(b.constData(), 1, size_t(b.size()), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * b.size());
}

void BM_Save(benchmark::State& state)
{
    TTextTable t;
    t.LoadFromFile(fixture().path);
    const QString out = fixture().path + QStringLiteral(".saved");
    for (auto _ : state)
        t.SaveToFile(out);
    state.SetBytesProcessed(int64_t(state.iterations()) * fixture().bytes.size());
}

void BM_SerializeOnly(benchmark::State& state)
{
    // The save without the file: where the time of BM_Save goes besides the write and fsync.
    TTextTable t;
    t.LoadFromFile(fixture().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.toBytes().size());
    state.SetBytesProcessed(int64_t(state.iterations()) * fixture().bytes.size());
}

void BM_PlainReadLines(benchmark::State& state)
{
    // A plain buffered read that also splits the lines, for comparison with the parse.
    const std::string p = fixture().path.toStdString();
    for (auto _ : state) {
        std::ifstream in(p, std::ios::binary);
        std::string line;
        size_t lines = 0;
        while (std::getline(in, line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fixture().bytes.size());
}

void BM_UpgradeOldDatabase(benchmark::State& state)
{
    // A log from before the eight later fields: the start-up appends them to every row.
    TTextTable old;
    old.LoadFromFile(fixture().path);
    TTextTable base;
    for (int c = 1; c <= 24; ++c)
        base.AddField(old.GetFieldName(c));
    for (int r = 1; r <= old.RowCount(); ++r) {
        base.AddRow();
        for (int c = 1; c <= 24; ++c)
            base.setValue(r, c, old.value(r, c));
    }
    for (auto _ : state) {
        state.PauseTiming();
        TTextTable t = base;
        state.ResumeTiming();
        catchdb::upgradeCatchTable(t);
        benchmark::DoNotOptimize(t.FieldCount());
    }
}

void BM_GetDataByName(benchmark::State& state)
{
    TTextTable t;
    t.LoadFromFile(fixture().path);
    for (auto _ : state) {
        qsizetype total = 0;
        t.GoFirst();
        for (int r = 0; r < t.RowCount(); ++r) {
            total += t.GetData("Fischart").size() + t.GetData("zurueckgesetzt").size();
            t.GoNext();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 2 * kRows);
}

void BM_MemoryOfLoadedTable(benchmark::State& state)
{
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        auto* t = new TTextTable;
        t->LoadFromFile(fixture().path);
        const size_t after = mallinfo2().uordblks;
        state.counters["table_MB"] = double(after - before) / 1e6;
        state.counters["file_MB"] = double(fixture().bytes.size()) / 1e6;
        state.counters["ratio"] = double(after - before) / double(fixture().bytes.size());
        delete t;
    }
}

} // namespace

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerializeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpgradeOldDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetDataByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOfLoadedTable)->Iterations(1);
