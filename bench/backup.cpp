// Backup of a program folder with 200 pictures of about 100 KB and a 20,000-catch database,
// against `zip -9 -j` on the same files in the same run; and the restore of that archive.
#include "base/Jpeg.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/Session.h"
#include "reports/Backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

struct Folder {
    QTemporaryDir dir;
    QString home;
    QString db;
    QString akdb;
    Folder()
    {
        home = dir.path() + QStringLiteral("/home");
        QDir().mkpath(home + QStringLiteral("/img"));
        QDir().mkpath(home + QStringLiteral("/DATs"));
        QRandomGenerator rng(7);
        // Pictures as the import stores them: 640 x 480, smooth fields with grain.
        for (int i = 0; i < 200; ++i) {
            QImage image(640, 480, QImage::Format_RGB888);
            for (int y = 0; y < image.height(); ++y) {
                uchar* line = image.scanLine(y);
                for (int x = 0; x < image.width(); ++x) {
                    const int grain = int(rng.bounded(40u)) - 20;
                    line[3 * x] = uchar(qBound(0, (x + i * 7) * 255 / 640 + grain, 255));
                    line[3 * x + 1] = uchar(qBound(0, y * 255 / 480 + grain, 255));
                    line[3 * x + 2] = uchar(qBound(0, ((x + y + i) / 20) % 256 + grain, 255));
                }
            }
            write(home + QStringLiteral("/img/%1.jpg").arg(100000 + i), jpeg::encode(image, 90));
        }
        const char* lists[] = {"Faenger", "Fangmethode", "Wetter", "Stelle", "Gewaesser", "Koeder", "Fischarten"};
        for (const char* l : lists)
            write(home + QStringLiteral("/DATs/%1.dat").arg(QLatin1String(l)), "Eintrag eins\r\nEintrag zwei\r\nDrei\r\n");

        TTextTable table = catchdb::emptyTable(catchdb::Kind::Catches);
        const char* species[] = {"Hecht", "Zander", "Barsch", "Aal", "Karpfen", "Schleie"};
        for (int r = 0; r < 20000; ++r) {
            table.AddRow();
            table.SetData("Fangdatum", QStringLiteral("%1.%2.%3").arg(r % 28 + 1, 2, 10, QLatin1Char('0')).arg(r % 12 + 1, 2, 10, QLatin1Char('0')).arg(1990 + r % 35).toLatin1());
            table.SetData("Fangzeit", "07:45");
            table.SetData("Angelbeginn", "06:00");
            table.SetData("Angelende", "11:30");
            table.SetData("Angeldauer", "05:30");
            table.SetData("Fischart", species[r % 6]);
            table.SetData("Laenge", QByteArray::number(20 + r % 80));
            table.SetData("Gewicht", QByteArray::number(200 + (r * 37) % 9000));
            table.SetData("Faenger", r % 3 ? "Tom" : "Anna");
            table.SetData("Gewaesser", "Baggersee Nord");
            table.SetData("Stelle", "Steg " + QByteArray::number(r % 9));
            table.SetData("Koeder", r % 2 ? "Tauwurm" : "Gummifisch 10 cm");
            table.SetData("Bemerkungen", "Biss nach " + QByteArray::number(r % 40) + " Minuten, Drill kurz");
            table.SetData("Sonnenaufgang", "05:12:00");
            table.SetData("Sonnenuntergang", "21:03:00");
            table.SetData("Mondphase", "zunehmender Mond");
            table.SetData("Bild", QStringLiteral("%1.jpg").arg(100000 + r % 200).toLatin1());
            table.SetData("zurueckgesetzt", "0");
        }
        db = home + QStringLiteral("/fang.fdb");
        table.saveOrThrow(db);
        akdb = home + QStringLiteral("/kosten.akdb");
        catchdb::createFile(akdb, catchdb::Kind::Costs);
        write(home + QStringLiteral("/Fischkladde.ini"), "[DB]\r\nFile=" + db.toLocal8Bit() + "\r\n[AKDB]\r\nFile=" + akdb.toLocal8Bit() + "\r\n");
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
    // The archive's files in its order, for zip.
    QStringList files() const
    {
        QStringList out;
        for (const backup::Entry& e : backup::collectEntries(home, db, akdb))
            out.append(e.path);
        return out;
    }
};

Folder& folder()
{
    static Folder f;
    return f;
}

void BM_BackupLibzipParallel(benchmark::State& state)
{
    Folder& f = folder();
    const QString archive = f.dir.path() + QStringLiteral("/fk.zip");
    for (auto _ : state)
        backup::createBackup(archive, f.home, f.db, f.akdb);
    state.counters["bytes"] = double(QFileInfo(archive).size());
}
BENCHMARK(BM_BackupLibzipParallel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Zip9(benchmark::State& state)
{
    Folder& f = folder();
    const QString archive = f.dir.path() + QStringLiteral("/zip9.zip");
    const QStringList files = f.files();
    for (auto _ : state) {
        QFile::remove(archive);
        QProcess p;
        p.start(QStringLiteral("zip"), QStringList{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"), archive} + files);
        if (!p.waitForFinished(300000) || p.exitCode() != 0) {
            state.SkipWithError("zip failed");
            return;
        }
    }
    state.counters["bytes"] = double(QFileInfo(archive).size());
}
BENCHMARK(BM_Zip9)->Unit(benchmark::kMillisecond)->UseRealTime();

struct FixedClock : Clock {
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(12, 0)); }
};

// Restore = check every entry + safety backup of the current data + extraction.
void BM_Restore(benchmark::State& state)
{
    Folder& f = folder();
    const QString archive = f.dir.path() + QStringLiteral("/restore.zip");
    backup::createBackup(archive, f.home, f.db, f.akdb);
    FixedClock clock;
    for (auto _ : state) {
        Session session;
        session.dbPath = f.db;
        session.akdbPath = f.akdb;
        backup::restore(archive, f.home, session, clock);
        state.PauseTiming();
        QDir(f.home + QStringLiteral("/Sicherungen")).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Unzip(benchmark::State& state)
{
    Folder& f = folder();
    const QString archive = f.dir.path() + QStringLiteral("/restore.zip");
    const QString target = f.dir.path() + QStringLiteral("/unzip");
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral("unzip"), {QStringLiteral("-o"), QStringLiteral("-q"), archive, QStringLiteral("-d"), target});
        if (!p.waitForFinished(300000) || p.exitCode() != 0) {
            state.SkipWithError("unzip failed");
            return;
        }
    }
}
BENCHMARK(BM_Unzip)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
