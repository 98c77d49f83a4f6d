// XML and CSV exchange of a large log: the four file commands on 100,000 fully filled catches
// (export writes the file, import reads it, appends to an empty database and saves it).
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"
#include "storage/TTextTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const TTextTable& bigTable()
{
    static const TTextTable db = [] {
        TTextTable t = catchdb::emptyTable(catchdb::Kind::Catches);
        const char* species[] = {"Hecht", "Zander", "Barsch", "\xC4sche", "Aal", "Rotauge", "Karpfen"};
        const char* anglers[] = {"Tom", "Anna", "J\xFCrgen", "Peter"};
        const char* waters[] = {"M\xFChlenteich", "Rhein", "Baggersee Nord", "Kanal & Hafen"};
        uint32_t seed = 12345;
        auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 8) & 0xFFFFFF; };
        for (int i = 0; i < 100000; ++i) {
            t.AddRow();
            const int day = 1 + int(next() % 28), month = 1 + int(next() % 12), year = 1990 + int(next() % 35);
            t.SetData(catchrec::Fangdatum, QStringLiteral("%1.%2.%3").arg(day, 2, 10, QLatin1Char('0'))
                                               .arg(month, 2, 10, QLatin1Char('0')).arg(year).toLatin1());
            t.SetData(catchrec::Fangzeit, "07:45");
            t.SetData(catchrec::Angelbeginn, "05:30");
            t.SetData(catchrec::Angelende, "11:00");
            t.SetData(catchrec::Angeldauer, "05:30");
            t.SetData(catchrec::Fischart, species[next() % 7]);
            t.SetData(catchrec::Laenge, QByteArray::number(int(next() % 120)));
            t.SetData(catchrec::Gewicht, QByteArray::number(int(next() % 20000)));
            t.SetData(catchrec::Faenger, anglers[next() % 4]);
            t.SetData(catchrec::Gewaesser, waters[next() % 4]);
            t.SetData(catchrec::Stelle, "Steg 3");
            t.SetData(catchrec::Uferdistanz, "15");
            t.SetData(catchrec::Fangtiefe, "2,5");
            t.SetData(catchrec::Fangmethode, "Pose");
            t.SetData(catchrec::Koeder, "Tauwurm");
            t.SetData(catchrec::Wetter, "bew\xF6lkt");
            t.SetData(catchrec::Bemerkungen, next() % 4 ? QByteArray("Ein ganz normaler Fangtag am Wasser.")
                                                        : QByteArray("Biss beim Einholen;\r\nzweite Zeile \"kurz\"."));
            t.SetData(catchrec::Sonnenaufgang, "05:51:13");
            t.SetData(catchrec::Sonnenuntergang, "21:02:47");
            t.SetData(catchrec::Mondaufgang, "13:20:05");
            t.SetData(catchrec::Monduntergang, "02:11:59");
            t.SetData(catchrec::Mondphase, "zunehmender Mond");
            t.SetData(catchrec::Lufttemperatur, "18");
            t.SetData(catchrec::Wassertemperatur, "14");
            t.SetData(catchrec::Wasserstand, "normal");
            t.SetData(catchrec::Wassertruebung, "klar");
            t.SetData(catchrec::Windrichtung, "SW");
            t.SetData(catchrec::Windstaerke, "3");
            t.SetData(catchrec::Luftdruck, "1013");
            t.SetData(catchrec::zurueckgesetzt, next() % 3 ? "0" : "-1");
        }
        return t;
    }();
    return db;
}

QTemporaryDir& dir()
{
    static QTemporaryDir d;
    return d;
}

void BM_ExportXml(benchmark::State& state)
{
    const QString path = dir().filePath(QStringLiteral("fang.xml"));
    const TTextTable& db = bigTable();
    for (auto _ : state)
        xmlexchange::exportFile(db, catchdb::Kind::Catches, path);
    state.SetLabel(QStringLiteral("100000 catches, %1 MB").arg(QFile(path).size() / 1e6, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_ExportXml)->Unit(benchmark::kMillisecond);

void BM_ImportXml(benchmark::State& state)
{
    const QString xml = dir().filePath(QStringLiteral("in.xml"));
    const QString db = dir().filePath(QStringLiteral("importiert.fdb"));
    xmlexchange::exportFile(bigTable(), catchdb::Kind::Catches, xml);
    for (auto _ : state) {
        TTextTable table = catchdb::emptyTable(catchdb::Kind::Catches);
        if (xmlexchange::importFile(table, db, catchdb::Kind::Catches, xml) != 100000)
            state.SkipWithError("wrong row count");
    }
    state.SetLabel("100000 catches, read, appended and saved");
}
BENCHMARK(BM_ImportXml)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    const QString path = dir().filePath(QStringLiteral("fang.csv"));
    const TTextTable& db = bigTable();
    for (auto _ : state)
        csvexchange::exportFile(db, path);
    state.SetLabel(QStringLiteral("100000 catches, %1 MB").arg(QFile(path).size() / 1e6, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state)
{
    const QString csv = dir().filePath(QStringLiteral("in.csv"));
    const QString db = dir().filePath(QStringLiteral("importiert.fdb"));
    csvexchange::exportFile(bigTable(), csv);
    for (auto _ : state) {
        TTextTable table = catchdb::emptyTable(catchdb::Kind::Catches);
        if (csvexchange::importFile(table, db, csv) != 100000)
            state.SkipWithError("wrong row count");
    }
    state.SetLabel("100000 catches, read, appended and saved");
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

} // namespace
