// The costs window over 10,000 purchases: the list fill with its sums and the newest-first
// sort, with and without filters; the filter boxes; the year overview; a header click.
#include "costs/Costs.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "storage/TTextTable.h"

#include <QDate>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

const TTextTable& purchases()
{
    static const TTextTable table = [] {
        TTextTable t = catchdb::emptyTable(catchdb::Kind::Costs);
        const QDate start(2000, 1, 1);
        for (int i = 0; i < 10000; ++i) {
            t.AddRow();
            const auto set = [&](const char* f, const QString& v) { t.SetData(f, v.toLatin1()); };
            set(costrec::Kaufdatum, start.addDays((i * 7919) % 9000).toString("dd.MM.yyyy"));
            set(costrec::Geschaeft, QStringLiteral("Laden %1").arg(i % 40));
            set(costrec::Artikel, QStringLiteral("Artikel %1").arg(i % 500));
            set(costrec::Menge, QString::number(1 + i % 12));
            const double unit = 0.25 + (i % 400) * 0.37;
            set(costrec::Einzelpreis, costs::formatMoney(unit));
            set(costrec::Gesamtpreis, costs::formatMoney(unit * (1 + i % 12)));
            set(costrec::GesamtpreisVersand, costs::formatMoney(unit * (1 + i % 12) + 1.5));
        }
        return t;
    }();
    return table;
}

void fill(benchmark::State& state, const QString& year, const QString& shop)
{
    const TTextTable& t = purchases();
    costs::CostListSorter sorter;
    for (auto _ : state) {
        costs::CostList list = costs::fillCostList(t, year, shop);
        sorter.afterFill(list.lines);
        benchmark::DoNotOptimize(list.gesamtpreisLabel());
    }
}

void BM_CostsFillAll(benchmark::State& state) { fill(state, costs::kAlle, costs::kAlle); }
void BM_CostsFillYear(benchmark::State& state) { fill(state, QStringLiteral("2010"), costs::kAlle); }
void BM_CostsFillShop(benchmark::State& state) { fill(state, costs::kAlle, QStringLiteral("Laden 7")); }

void BM_CostsFilterBoxes(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(costs::filterBoxes(purchases(), QDate(2026, 12, 6)));
}

void BM_CostsYearOverview(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(costs::yearOverview(purchases(), 2026));
}

// A click on "Artikel:" sorts 10,000 lines as text.
void BM_CostsSortByArticle(benchmark::State& state)
{
    const QList<costs::CostLine> lines = costs::fillCostList(purchases(), costs::kAlle, costs::kAlle).lines;
    for (auto _ : state) {
        QList<costs::CostLine> copy = lines;
        costs::CostListSorter sorter;
        sorter.columnClicked(copy, costs::ColArtikel);
        benchmark::DoNotOptimize(copy);
    }
}

} // namespace

BENCHMARK(BM_CostsFillAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostsFillYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostsFillShop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostsFilterBoxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostsYearOverview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostsSortByArticle)->Unit(benchmark::kMillisecond);
