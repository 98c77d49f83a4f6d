#include "data/Clock.h"
#include "base/Jpeg.h"
#include "entry/PictureImport.h"
#include "support/ErrorText.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct FixedClock : Clock {
    QDateTime at;
    QDateTime now() const override { return at; }
};

struct QueuedRandom : RandomSource {
    QList<int> values;
    int bounded(int bound) override
    {
        const int v = values.isEmpty() ? 0 : values.takeFirst();
        EXPECT_EQ(bound, 200);
        return v;
    }
};

class PictureImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.at = QDateTime(QDate(2006, 5, 7), QTime(14, 30, 5));
        setAppClock(&clock);
        setAppRandom(&random);
        img = dir.filePath("img");
    }
    void TearDown() override
    {
        setAppClock(nullptr);
        setAppRandom(nullptr);
    }

    // Left half red, right half blue, so a stretch can be seen in the result.
    static QImage halves(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, x < w / 2 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
        return image;
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        safefile::writeOrThrow(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    QString jpegFile(const QString& name, int w, int h) { return writeFile(name, jpeg::encode(halves(w, h), 90)); }
    QString bmpFile(const QString& name, int w, int h)
    {
        EXPECT_TRUE(halves(w, h).save(dir.filePath(name), "BMP"));
        return dir.filePath(name);
    }
    QByteArray stored(const QString& name) { return safefile::readOrThrow(img + QLatin1Char('/') + name); }
    QStringList imgFiles() const { return QDir(img).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir dir;
    QString img;
    FixedClock clock;
    QueuedRandom random;
};

} // namespace

TEST_F(PictureImport, NewPicturesShareTheStemAndAreStored640x480)
{
    random.values = {17};
    const QString j = jpegFile(QStringLiteral("wide.jpeg"), 1000, 300);
    const QString b = bmpFile(QStringLiteral("small.bmp"), 40, 90);
    QList<QPair<int, QString>> reported;
    const QStringList names = pictures::importPictures({j, b}, img, [&](int i, const QString& n) { reported.append({i, n}); });

    EXPECT_EQ(names, (QStringList{"0705200614300517_0.jpg", "0705200614300517_1.jpg"}));
    EXPECT_EQ(reported, (QList<QPair<int, QString>>{{0, names[0]}, {1, names[1]}}));
    EXPECT_EQ(imgFiles(), names); // no temporary files left behind
    for (const QString& n : names) {
        // A foreign reader finds size, type and quality.
        QProcess identify;
        identify.start(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h %Q"), img + '/' + n});
        ASSERT_TRUE(identify.waitForFinished(30000));
        EXPECT_EQ(identify.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(identify.readAllStandardOutput()).trimmed(), QStringLiteral("JPEG 640 480 90"));
    }
    // 1000 x 300 fits as 640 x 192 between black bands, neither stretched nor cropped.
    const QImage first = jpeg::decode(stored(names[0]));
    EXPECT_TRUE(qRed(first.pixel(5, 240)) > 150 && qBlue(first.pixel(634, 240)) > 150) << "full width";
    EXPECT_TRUE(qRed(first.pixel(300, 240)) > 150 && qBlue(first.pixel(340, 240)) > 150);
    EXPECT_LT(qGray(first.pixel(320, 130)), 20) << "band above";
    EXPECT_LT(qGray(first.pixel(320, 350)), 20) << "band below";
    EXPECT_GT(qRed(first.pixel(5, 150)), 150);
    EXPECT_GT(qBlue(first.pixel(634, 329)), 150);
}

namespace {
// Extent of the dark pixels of a picture, in pixels across and down.
QSize darkExtent(const QImage& image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 80 && qRed(image.pixel(x, y)) < 80) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QSize() : QSize(right - left + 1, bottom - top + 1);
}
} // namespace

TEST_F(PictureImport, PortraitAndPanoramaPhotosKeepTheirProportions)
{
    // A round disc on a light ground must stay round when the photo is upright or wide.
    struct Shape { int w, h; } shapes[] = {{3000, 4000}, {4000, 1000}};
    for (const Shape& shape : shapes) {
        QImage photo(shape.w, shape.h, QImage::Format_RGB32);
        photo.fill(qRgb(240, 230, 200));
        const int d = std::min(shape.w, shape.h) / 2;
        for (int y = 0; y < shape.h; ++y)
            for (int x = 0; x < shape.w; ++x) {
                const int dx = x - shape.w / 2, dy = y - shape.h / 2;
                if (4 * (dx * dx + dy * dy) <= d * d)
                    photo.setPixel(x, y, qRgb(10, 10, 60));
            }
        const QString path = writeFile(QStringLiteral("photo.jpg"), jpeg::encode(photo, 90));
        const QImage result = jpeg::decode(pictures::convertToStored(path));
        ASSERT_EQ(result.size(), QSize(640, 480));
        // The black bands are dark too, so measure the disc inside the light ground only.
        const double scale = std::min(640.0 / shape.w, 480.0 / shape.h);
        const int gw = qRound(shape.w * scale), gh = qRound(shape.h * scale);
        const QImage ground = result.copy((640 - gw) / 2 + 2, (480 - gh) / 2 + 2, gw - 4, gh - 4);
        const QSize disc = darkExtent(ground);
        ASSERT_TRUE(disc.isValid()) << shape.w << "x" << shape.h;
        EXPECT_NEAR(double(disc.width()) / disc.height(), 1.0, 0.03) << shape.w << "x" << shape.h << ": " << disc.width() << "x" << disc.height();
        EXPECT_NEAR(disc.width(), d * scale, 3);
        // The light ground fills the fitted area and no more.
        EXPECT_GT(qGray(result.pixel(640 / 2 - gw / 2 + 3, 240 - gh / 2 + 3)), 180);
        if (gw < 640) {
            EXPECT_LT(qGray(result.pixel((640 - gw) / 4, 240)), 20) << "band left";
        }
        if (gh < 480) {
            EXPECT_LT(qGray(result.pixel(320, (480 - gh) / 4)), 20) << "band above";
        }
    }
}

TEST_F(PictureImport, StoredNamesStayAndTakenNamesAreNotReplaced)
{
    QDir().mkpath(img);
    // An earlier save in the same second drew 17 and stored position 1.
    safefile::writeOrThrow(img + QStringLiteral("/0705200614300517_1.jpg"), "earlier picture");

    random.values = {17, 17, 42};
    const QString j = jpegFile(QStringLiteral("neu.jpg"), 800, 600);
    const QStringList names = pictures::importPictures({QStringLiteral("alt name.jpg"), j}, img);
    EXPECT_EQ(names, (QStringList{"alt name.jpg", "0705200614300542_1.jpg"}));
    EXPECT_EQ(stored(QStringLiteral("0705200614300517_1.jpg")), QByteArray("earlier picture"));
    EXPECT_TRUE(random.values.isEmpty());

    // Only stored names: nothing is converted, no number drawn, nothing written.
    random.values = {99};
    EXPECT_EQ(pictures::importPictures(names, img), names);
    EXPECT_EQ(random.values.size(), 1);
    EXPECT_EQ(imgFiles().size(), 2);
    EXPECT_TRUE(pictures::importPictures({}, img).isEmpty());
}

TEST_F(PictureImport, DamagedFileStopsTheSaveAfterTheGoodOnes)
{
    random.values = {3};
    const QString good1 = jpegFile(QStringLiteral("a.jpg"), 700, 500);
    QByteArray truncated = jpeg::encode(halves(700, 500), 90);
    truncated.truncate(200);
    const QString bad = writeFile(QStringLiteral("b.jpg"), truncated);
    const QString good2 = jpegFile(QStringLiteral("c.jpg"), 700, 500);

    QStringList done;
    const QString error = errorText<EFileError>(
        [&] { pictures::importPictures({good1, bad, good2}, img, [&](int, const QString& n) { done << n; }); });
    EXPECT_TRUE(error.contains(QStringLiteral("b.jpg"))) << error.toStdString();
    EXPECT_EQ(done, QStringList{"070520061430053_0.jpg"});
    EXPECT_EQ(imgFiles(), done);
}

TEST_F(PictureImport, ExtensionDecidesTheReader)
{
    // A bitmap named .jpg and one named .BMP are both read as JPEG and fail with libjpeg's text.
    const QString bmpBytesAsJpg = bmpFile(QStringLiteral("x.jpg"), 10, 10);
    const QString upper = bmpFile(QStringLiteral("y.BMP"), 10, 10);
    for (const QString& path : {bmpBytesAsJpg, upper})
        EXPECT_TRUE(errorText<EFileError>([&] { pictures::readSource(path); }).contains("Not a JPEG file")) << path.toStdString();
    // A JPEG named .bmp is read as a bitmap and refused.
    const QString jpgAsBmp = jpegFile(QStringLiteral("z.bmp"), 10, 10);
    EXPECT_THROW(pictures::readSource(jpgAsBmp), EFileError);
    EXPECT_THROW(pictures::readSource(dir.path() + QStringLiteral("/fehlt.jpg")), EFileError);

    // A large photo is decoded at the smallest DCT scale that still covers 640 x 480.
    const QString big = jpegFile(QStringLiteral("big.jpg"), 2000, 1500);
    EXPECT_EQ(pictures::readSource(big).size(), QSize(750, 563));
    EXPECT_EQ(pictures::readSource(bmpFile(QStringLiteral("b.bmp"), 33, 21)).size(), QSize(33, 21));

    EXPECT_TRUE(pictures::hasFolderPart(QStringLiteral("/home/a/b.jpg")));
    EXPECT_TRUE(pictures::hasFolderPart(QStringLiteral("C:\\Bilder\\b.jpg")));
    EXPECT_FALSE(pictures::hasFolderPart(QStringLiteral("0705_0.jpg")));
}
