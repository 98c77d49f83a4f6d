// The main list with a large log: switching to "-Alle Fänge-" (parse, filter, fill, sort
// newest first, years of the year selector) and a column click (one sort).
#include "data/CatchDatabase.h"
#include "data/CatchListView.h"
#include "storage/TTextTable.h"

#include <benchmark/benchmark.h>

namespace {

const TTextTable& bigTable()
{
    static const TTextTable db = [] {
        TTextTable t = catchdb::emptyTable(catchdb::Kind::Catches);
        const char* species[] = {"Hecht", "Zander", "Barsch", "\xC4sche", "Aal", "Rotauge", "Karpfen"};
        const char* anglers[] = {"Tom", "Anna", "J\xFCrgen", "Peter"};
        uint32_t seed = 12345;
        auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 8) & 0xFFFFFF; };
        for (int i = 0; i < 100000; ++i) {
            t.AddRow();
            const int day = 1 + int(next() % 28), month = 1 + int(next() % 12), year = 1990 + int(next() % 35);
            t.SetData("Fangdatum", QStringLiteral("%1.%2.%3").arg(day, 2, 10, QLatin1Char('0'))
                                       .arg(month, 2, 10, QLatin1Char('0')).arg(year).toLatin1());
            t.SetData("Fangzeit", QByteArray("07:45"));
            t.SetData("Fischart", QByteArray(species[next() % 7]));
            t.SetData("Faenger", QByteArray(anglers[next() % 4]));
            t.SetData("Laenge", QByteArray::number(int(next() % 120)) + (next() % 50 == 0 ? ",5" : ""));
            t.SetData("Gewicht", QByteArray::number(int(next() % 20000)));
            t.SetData("Bemerkungen", QByteArray("Ein ganz normaler Fangtag am Wasser."));
        }
        return t;
    }();
    return db;
}

void BM_ShowAllCatches(benchmark::State& state)
{
    const TTextTable& db = bigTable();
    for (auto _ : state) {
        const QList<int> years = catchlist::years(db, QString());
        std::vector<catchlist::Row> rows = catchlist::catches(db, catchlist::kAllAnglers, 0);
        catchlist::sortRows(rows, catchlist::ColFangdatum, catchlist::SortMode::Date, true);
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(years.size());
    }
    state.SetLabel("100000 catches");
}
BENCHMARK(BM_ShowAllCatches)->Unit(benchmark::kMillisecond);

void BM_ColumnClick(benchmark::State& state)
{
    const int column = int(state.range(0));
    std::vector<catchlist::Row> rows = catchlist::catches(bigTable(), catchlist::kAllAnglers, 0);
    bool reverse = false;
    for (auto _ : state) {
        catchlist::sortRows(rows, column, catchlist::modeForColumn(column), reverse);
        reverse = !reverse;
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_ColumnClick)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_ShowOneAnglerOneYear(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<catchlist::Row> rows = catchlist::catches(bigTable(), QStringLiteral("Tom"), 2006);
        catchlist::sortRows(rows, catchlist::ColFangdatum, catchlist::SortMode::Date, true);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_ShowOneAnglerOneYear)->Unit(benchmark::kMillisecond);

} // namespace
