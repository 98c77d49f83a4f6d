// Pictures whose header promises more than the file holds.
#include "base/Jpeg.h"
#include "support/ErrorText.h"

#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// A real small JPEG whose frame header is changed to the given size.
QByteArray withFrameSize(int width, int height)
{
    QImage image(16, 16, QImage::Format_RGB888);
    image.fill(QColor(30, 90, 160));
    QByteArray bytes = jpeg::encode(image, 80);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    bytes[sof + 5] = char(height >> 8);
    bytes[sof + 6] = char(height & 0xFF);
    bytes[sof + 7] = char(width >> 8);
    bytes[sof + 8] = char(width & 0xFF);
    return bytes;
}

} // namespace

TEST(JpegHostile, AHugeFrameInATinyFileIsRefusedBeforeAnyAllocation)
{
    const QByteArray huge = withFrameSize(65500, 65500);
    jpeg::Info info;
    ASSERT_TRUE(jpeg::readInfo(huge, &info));
    EXPECT_EQ(info.width, 65500);
    QElapsedTimer timer;
    timer.start();
    const QString error = errorText<EFileError>([&] { jpeg::decode(huge, QSize(), QStringLiteral("karte.jpg")); });
    EXPECT_EQ(error, QStringLiteral("Das JPEG-Bild \"karte.jpg\" kann nicht gelesen werden: "
                                    "Das Bild hat mit 65500 × 65500 Pixeln zu viele Bildpunkte."));
    EXPECT_LT(timer.elapsed(), 2000);

    // Scaled down to what is asked for, the same file is within the limit: the limit is on
    // what is decoded, not on the header.
    const QByteArray wide = withFrameSize(40000, 20000);
    const QSize scaled = jpeg::scaledSize(40000, 20000, QSize(100, 100));
    EXPECT_EQ(scaled, QSize(5000, 2500));
    EXPECT_NE(errorText<EFileError>([&] { jpeg::decode(wide); }), QStringLiteral("<no error>"));
    const QImage small = jpeg::decode(wide, QSize(100, 100));
    EXPECT_EQ(small.size(), scaled);
}
