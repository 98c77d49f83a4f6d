// The JPEG wrapper: any bytes are either read or refused with a message; never a crash, and a
// decoded picture has the size the header and the scaling promise.
#include "FuzzSupport.h"
#include "base/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the minimum size of the scaled decode, the rest is the file.
    const int pick = data[0];
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);

    jpeg::Info info;
    QString error;
    const bool header = jpeg::readInfo(bytes, &info, &error);
    if (!header) {
        FUZZ_CHECK(!error.isEmpty(), QString());
        FUZZ_CHECK(!jpeg::verify(bytes), QStringLiteral("verified without a header"));
        return 0;
    }
    FUZZ_CHECK(info.width > 0 && info.height > 0 && info.components > 0, QString());
    int w = 0, h = 0;
    FUZZ_CHECK(jpeg::readSize(bytes, &w, &h) && w == info.width && h == info.height, QString());

    const QSize minimum = pick == 0 ? QSize() : QSize(pick % 16 * 8 + 1, pick / 16 * 8 + 1);
    // Decoding a picture of many megapixels takes seconds whatever the file's size; the size
    // limit itself is a test of its own, here it would only slow the search down.
    const QSize full = jpeg::scaledSize(info.width, info.height, minimum);
    const QSize eighth = jpeg::scaledSize(info.width, info.height, QSize(1, 1));
    if (qint64(full.width()) * full.height() > 4'000'000 || qint64(eighth.width()) * eighth.height() > 4'000'000)
        return 0;
    const bool verified = jpeg::verify(bytes, &error);
    FUZZ_CHECK(verified || !error.isEmpty(), QString());
    try {
        const QImage image = jpeg::decode(bytes, minimum, QStringLiteral("fuzz.jpg"));
        FUZZ_CHECK(!image.isNull(), QString());
        FUZZ_CHECK(image.size() == jpeg::scaledSize(info.width, info.height, minimum),
                   QStringLiteral("%1x%2 decoded as %3x%4 for minimum %5x%6")
                       .arg(info.width).arg(info.height).arg(image.width()).arg(image.height())
                       .arg(minimum.width()).arg(minimum.height()));
        // What decodes encodes again.
        (void)jpeg::encode(image.width() * image.height() <= 1 << 16 ? image : image.scaled(64, 64), 75);
    } catch (const EFileError& e) {
        FUZZ_CHECK(!verified || !minimum.isValid(), QStringLiteral("verified but not decoded: ") + e.message());
        FUZZ_CHECK(e.message().contains(QLatin1String("fuzz.jpg")), e.message());
    }
    return 0;
}
