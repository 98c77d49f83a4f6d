// The two big reports: the catch report of 1,000 catches each with its own ~100 KB picture, and
// the species statistics of 200 species over 100,000 catches, each written to a file.
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "data/CatchRecord.h"
#include "reports/PdfReports.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray pictureOfAbout100KB(quint32 seed)
{
    QImage img(640, 480, QImage::Format_RGB888);
    for (int y = 0; y < img.height(); ++y) {
        uchar* row = img.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 40);
            row[3 * x] = uchar(30 + x * 150 / img.width() + noise);
            row[3 * x + 1] = uchar(80 + noise);
            row[3 * x + 2] = uchar(200 - y * 120 / img.height() + noise);
        }
    }
    return jpeg::encode(img, 85);
}

TTextTable emptyCatches()
{
    TTextTable t;
    for (const QByteArray& name : catchrec::fieldNames())
        t.AddField(name);
    return t;
}

void BM_CatchReport1000WithPictures(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString img = dir.filePath("img");
    QDir().mkpath(img);
    TTextTable db = emptyCatches();
    const QByteArray base = pictureOfAbout100KB(7);
    for (int i = 0; i < 1000; ++i) {
        // Each file its own bytes (a comment segment after the start marker) so nothing is shared.
        QByteArray bytes = base;
        bytes.insert(2, QByteArray("\xFF\xFE\x00\x08", 4) + QByteArray::number(100000 + i).left(6));
        const QString name = QStringLiteral("fang%1.jpg").arg(i);
        safefile::writeOrThrow(img + '/' + name, bytes);
        db.AddRow();
        db.SetData(catchrec::Fangdatum, QByteArray::number(10 + i % 18) + ".06.2006");
        db.SetData(catchrec::Fangzeit, "06:15");
        db.SetData(catchrec::Fischart, "Hecht");
        db.SetData(catchrec::Laenge, QByteArray::number(40 + i % 60));
        db.SetData(catchrec::Gewicht, QByteArray::number(800 + i));
        db.SetData(catchrec::Faenger, "Paul");
        db.SetData(catchrec::Koeder, "Gummifisch");
        db.SetData(catchrec::Bild, name.toLatin1());
        db.SetData(catchrec::Bemerkungen, "Am Schilfrand kurz nach Sonnenaufgang, Wasser leicht trueb.");
    }
    const QString out = dir.filePath("faenge.pdf");
    for (auto _ : state)
        reports::writeCatchReport(db, QString(), 0, img, out);
    const double pages = 334;
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["picture_KB"] = double(base.size()) / 1e3;
    state.counters["file_MB"] = double(QFileInfo(out).size()) / 1e6;
}
BENCHMARK(BM_CatchReport1000WithPictures)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_StatistikReport200Species(benchmark::State& state)
{
    TTextTable db = emptyCatches();
    for (int i = 0; i < 100000; ++i) {
        db.AddRow();
        db.SetData(catchrec::Fangdatum, QByteArray::number(10 + i % 18) + ".0" + QByteArray::number(1 + i % 9) + ".20" +
                                            QByteArray::number(10 + i % 12));
        db.SetData(catchrec::Fangzeit, "06:15");
        db.SetData(catchrec::Fischart, "Art " + QByteArray::number(100 + i % 200));
        db.SetData(catchrec::Laenge, QByteArray::number(20 + i % 70));
        db.SetData(catchrec::Gewicht, QByteArray::number(200 + i % 5000));
        db.SetData(catchrec::Faenger, i % 3 ? "Paul" : "Anna");
        db.SetData(catchrec::Koeder, i % 2 ? "Tauwurm" : "Made");
        db.SetData(catchrec::Wetter, "sonnig");
        db.SetData(catchrec::Gewaesser, "See");
    }
    const statistik::Lists lists{{"Tauwurm", "Made"}, {"sonnig"}, {"See"}};
    QTemporaryDir dir;
    const QString out = dir.filePath("statistik.pdf");
    for (auto _ : state)
        reports::writeStatistikReport(db, lists, QString(), 0, out);
    const double pages = 5; // 200 species and the total row, 50 rows a page
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_StatistikReport200Species)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
