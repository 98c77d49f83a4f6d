#include "base/Jpeg.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace {

QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    return img;
}

int maxChannelDiff(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

QString decodeError(const QByteArray& bytes, const QString& name = QString())
{
    return errorText<EFileError>([&] { jpeg::decode(bytes, QSize(), name); });
}

} // namespace

TEST(Jpeg, RoundTripKeepsSizeAndColoursGrayAndTransparentToo)
{
    const QImage src = gradient(97, 61); // not a multiple of the 8x8 blocks
    const QByteArray bytes = jpeg::encode(src, 95);
    ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
    ASSERT_TRUE(bytes.endsWith("\xFF\xD9"));

    int w = 0, h = 0;
    QString error;
    ASSERT_TRUE(jpeg::readSize(bytes, &w, &h, &error)) << error.toStdString();
    EXPECT_EQ(w, 97);
    EXPECT_EQ(h, 61);

    const QImage back = jpeg::decode(bytes);
    ASSERT_EQ(back.size(), src.size());
    int worst = 0;
    for (int y = 0; y < src.height(); y += 5)
        for (int x = 0; x < src.width(); x += 5)
            worst = std::max(worst, maxChannelDiff(src.pixel(x, y), back.pixel(x, y)));
    EXPECT_LE(worst, 12);

    // Lower quality gives fewer bytes: the setting reaches the encoder.
    EXPECT_LT(jpeg::encode(src, 20).size(), bytes.size());

    QImage gray(40, 30, QImage::Format_Grayscale8);
    gray.fill(200);
    EXPECT_LE(maxChannelDiff(jpeg::decode(jpeg::encode(gray)).pixel(20, 15), qRgb(200, 200, 200)), 2);
    QImage clear(16, 16, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_LE(maxChannelDiff(jpeg::decode(jpeg::encode(clear)).pixel(8, 8), qRgb(255, 255, 255)), 2)
        << "transparent must become white";
    EXPECT_THROW(jpeg::encode(QImage()), EFileError);
}

TEST(Jpeg, DamagedDataGivesTheDecoderMessage)
{
    int w = -1, h = -1;
    QString error;
    EXPECT_FALSE(jpeg::readSize("GIF89a not a jpeg", &w, &h, &error));
    EXPECT_TRUE(error.contains("Not a JPEG file")) << error.toStdString();
    EXPECT_EQ(w, -1);

    EXPECT_FALSE(jpeg::readSize(QByteArray(), &w, &h, &error));
    EXPECT_FALSE(error.isEmpty());

    const QString named = decodeError("PNG....", "fang.jpg");
    EXPECT_TRUE(named.contains("fang.jpg")) << named.toStdString();
    EXPECT_TRUE(named.contains("Not a JPEG file")) << named.toStdString();

    // Cut inside the header: the decoder must report it, not end the program.
    const QByteArray whole = jpeg::encode(gradient(64, 64));
    const QString cut = decodeError(whole.left(40));
    EXPECT_TRUE(cut.startsWith("Das JPEG-Bild kann nicht gelesen werden: ")) << cut.toStdString();
    EXPECT_FALSE(jpeg::readSize(whole.left(40), &w, &h, &error));

    // A broken frame header (zero width) is an error even though the markers are in place.
    QByteArray zeroWidth = whole;
    const qsizetype sof = zeroWidth.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    zeroWidth[sof + 7] = 0;
    zeroWidth[sof + 8] = 0;
    EXPECT_NE(decodeError(zeroWidth), "<no error>");
}

TEST(Jpeg, ScaledDecodeIsTheSmallestSizeNotBelowTheMinimum)
{
    const QByteArray photo = jpeg::encode(gradient(2000, 1500), 80);

    // 2/8 would give 500 x 375, below 640 x 480; 3/8 gives 750 x 563 (rounded up).
    const QImage small = jpeg::decode(photo, QSize(640, 480));
    EXPECT_EQ(small.size(), QSize(750, 563));
    EXPECT_EQ(jpeg::scaledSize(2000, 1500, QSize(640, 480)), QSize(750, 563));
    EXPECT_LE(maxChannelDiff(small.pixel(375, 281), qRgb(127, 127, 128)), 12);

    EXPECT_EQ(jpeg::decode(photo, QSize(100, 100)).size(), QSize(250, 188));   // 1/8
    EXPECT_EQ(jpeg::decode(photo, QSize(1001, 10)).size(), QSize(1250, 938));  // width decides: 5/8
    EXPECT_EQ(jpeg::decode(photo, QSize(4000, 3000)).size(), QSize(2000, 1500)); // never enlarged
    EXPECT_EQ(jpeg::decode(photo).size(), QSize(2000, 1500));
}

TEST(Jpeg, HeaderInfoAndFullCheck)
{
    const QByteArray colour = jpeg::encode(gradient(64, 48));
    jpeg::Info info;
    ASSERT_TRUE(jpeg::readInfo(colour, &info));
    EXPECT_EQ(QSize(info.width, info.height), QSize(64, 48));
    EXPECT_EQ(info.components, 3);
    EXPECT_FALSE(info.adobeInverted);

    // The header alone reads fine from a file cut short; the full check finds the missing end.
    const QByteArray cut = colour.left(colour.size() - 50);
    QString error;
    EXPECT_TRUE(jpeg::readInfo(cut, &info));
    EXPECT_FALSE(jpeg::verify(cut, &error));
    EXPECT_TRUE(error.contains("Premature end of JPEG file")) << error.toStdString();
    EXPECT_NO_THROW(jpeg::decode(cut)) << "decoding stays lenient, as viewers are";
    EXPECT_TRUE(jpeg::verify(colour, &error));
}
