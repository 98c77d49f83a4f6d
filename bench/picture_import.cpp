// A 24-megapixel photo turned into the stored 640 x 480 JPEG, against ImageMagick's
// `convert -resize 640x480! -quality 90` on the same file.
#include "base/Jpeg.h"
#include "entry/PictureImport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

struct Photo {
    QTemporaryDir dir;
    QString path;
    Photo()
    {
        // Smooth colour fields with grain, so the file is about as large as a camera's.
        QImage image(6000, 4000, QImage::Format_RGB888);
        QRandomGenerator rng(42);
        for (int y = 0; y < image.height(); ++y) {
            uchar* line = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                const int grain = int(rng.bounded(24u)) - 12;
                line[3 * x] = uchar(qBound(0, x * 255 / 6000 + grain, 255));
                line[3 * x + 1] = uchar(qBound(0, y * 255 / 4000 + grain, 255));
                line[3 * x + 2] = uchar(qBound(0, ((x + y) / 40) % 256 + grain, 255));
            }
        }
        path = dir.path() + QStringLiteral("/photo.jpg");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(jpeg::encode(image, 92)) < 0)
            std::abort();
    }
};

Photo& photo()
{
    static Photo p;
    return p;
}

void BM_ConvertToStored(benchmark::State& state)
{
    const QString path = photo().path;
    for (auto _ : state) {
        QByteArray stored = pictures::convertToStored(path);
        benchmark::DoNotOptimize(stored.data());
    }
}
BENCHMARK(BM_ConvertToStored)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole save of one chosen file: convert, pick a free name, write through a temporary file.
void BM_ImportOnePicture(benchmark::State& state)
{
    const QString path = photo().path;
    QTemporaryDir img;
    for (auto _ : state) {
        const QStringList names = pictures::importPictures({path}, img.path());
        benchmark::DoNotOptimize(names.size());
    }
}
BENCHMARK(BM_ImportOnePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImageMagickConvert(benchmark::State& state)
{
    const QString path = photo().path;
    const QString out = photo().dir.path() + QStringLiteral("/im.jpg");
    const std::string command = "convert '" + path.toStdString() + "' -resize '640x480!' -quality 90 '"
                                + out.toStdString() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    }
}
BENCHMARK(BM_ImageMagickConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
