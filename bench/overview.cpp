// The overview figures over a large log: 100,000 catches, every list with 50 entries.
#include "data/CatchDatabase.h"
#include "stats/Overview.h"
#include "storage/TTextTable.h"

#include <QDate>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

QStringList names(const QString& stem)
{
    QStringList l;
    for (int i = 0; i < 50; ++i)
        l << stem + QString::number(i);
    return l;
}

struct Log {
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    TTextTable akdb = catchdb::emptyTable(catchdb::Kind::Costs);
    overview::Lists lists;

    Log()
    {
        lists = {names("Methode"), names("Wetter"), names("Köder"), names("Fisch"), names("Fänger")};
        const QDate start(1990, 1, 1);
        for (int i = 0; i < 100000; ++i) {
            db.AddRow();
            const int outing = i / 3; // about three catches per outing
            const auto set = [&](const char* f, const QString& v) { db.SetData(f, v.toLatin1()); };
            set("Fangdatum", start.addDays(outing % 12000).toString("dd.MM.yyyy"));
            set("Fangzeit", QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')));
            set("Angelbeginn", QStringLiteral("%1:00").arg(outing % 20, 2, 10, QLatin1Char('0')));
            set("Angelende", QStringLiteral("%1:30").arg(outing % 20 + 3, 2, 10, QLatin1Char('0')));
            set("Angeldauer", QStringLiteral("03:30"));
            set("Fischart", QStringLiteral("Fisch%1").arg(i % 53));
            set("Laenge", QString::number(20 + i % 80));
            set("Gewicht", QString::number(100 + (i * 37) % 9000));
            set("Faenger", QStringLiteral("Fänger%1").arg(i % 50).toLatin1());
            set("Fangmethode", QStringLiteral("Methode%1").arg(i % 51));
            set("Koeder", QStringLiteral("Köder%1").arg(i % 49));
            set("Wetter", QStringLiteral("Wetter%1").arg(i % 50));
            set("Mondphase", i % 5 ? QStringLiteral("Vollmond") : QStringLiteral("Neumond"));
        }
        for (int i = 0; i < 1000; ++i) {
            akdb.AddRow();
            akdb.SetData("GesamtpreisVersand", QByteArray::number(i) + ",95");
        }
    }
};

Log& log()
{
    static Log l;
    return l;
}

void BM_OverviewAll(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state)
        benchmark::DoNotOptimize(overview::compute(l.db, l.akdb, l.lists, {}, 0));
}
BENCHMARK(BM_OverviewAll)->Unit(benchmark::kMillisecond);

void BM_OverviewOneAnglerOneYear(benchmark::State& state)
{
    Log& l = log();
    for (auto _ : state)
        benchmark::DoNotOptimize(overview::compute(l.db, l.akdb, l.lists, QStringLiteral("Fänger7"), 2001));
}
BENCHMARK(BM_OverviewOneAnglerOneYear)->Unit(benchmark::kMillisecond);

} // namespace
