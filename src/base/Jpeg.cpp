#include "base/Jpeg.h"
#include "base/FkError.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports fatal errors through error_exit, which by default calls exit(). We jump
// back instead. setjmp/longjmp must not cross C++ objects with destructors, so every
// function below that calls setjmp holds plain pointers and numbers only; the C++ side
// (QImage, QString, exceptions) lives in the callers.

namespace {

struct ErrorTrap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncationIsError; // data ending early is only a warning to libjpeg
};

extern "C" void trapErrorExit(j_common_ptr cinfo)
{
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings (e.g. extraneous bytes) are not shown on stderr; the picture is still usable.
// A file that ends early is turned into an error where asked for.
extern "C" void trapMessage(j_common_ptr cinfo, int level)
{
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    if (level < 0 && trap->truncationIsError && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        (*cinfo->err->format_message)(cinfo, trap->message);
        std::longjmp(trap->jump, 1);
    }
}

void initTrap(ErrorTrap& trap)
{
    jpeg_std_error(&trap.pub);
    trap.pub.error_exit = trapErrorExit;
    trap.pub.emit_message = trapMessage;
    trap.message[0] = '\0';
    trap.truncationIsError = false;
}

QString readError(const QString& name, const QString& text)
{
    if (name.isEmpty())
        return QStringLiteral("Das JPEG-Bild kann nicht gelesen werden: %1").arg(text);
    return QStringLiteral("Das JPEG-Bild \"%1\" kann nicht gelesen werden: %2").arg(name, text);
}

bool guardedHeader(j_decompress_ptr cinfo, ErrorTrap* trap, const unsigned char* data, unsigned long size)
{
    if (setjmp(trap->jump))
        return false;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    return true;
}

// Picks the smallest M/8 scale meeting the minimum and fixes the output colour space.
bool guardedPrepare(j_decompress_ptr cinfo, ErrorTrap* trap, int minWidth, int minHeight)
{
    if (setjmp(trap->jump))
        return false;
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    cinfo->scale_denom = 8;
    cinfo->scale_num = 8;
    if (minWidth > 0 && minHeight > 0) {
        for (unsigned m = 1; m <= 8; ++m) {
            cinfo->scale_num = m;
            jpeg_calc_output_dimensions(cinfo);
            if (cinfo->output_width >= unsigned(minWidth) && cinfo->output_height >= unsigned(minHeight))
                break;
        }
    }
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

bool guardedPixels(j_decompress_ptr cinfo, ErrorTrap* trap, unsigned char* bits, long bytesPerLine)
{
    if (setjmp(trap->jump))
        return false;
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = bits + long(cinfo->output_scanline) * bytesPerLine;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

bool guardedEncode(j_compress_ptr cinfo, ErrorTrap* trap, const unsigned char* bits, long bytesPerLine,
                   int width, int height, bool gray, int quality,
                   unsigned char** out, unsigned long* outSize)
{
    if (setjmp(trap->jump))
        return false;
    jpeg_mem_dest(cinfo, out, outSize);
    cinfo->image_width = JDIMENSION(width);
    cinfo->image_height = JDIMENSION(height);
    cinfo->input_components = gray ? 1 : 3;
    cinfo->in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<unsigned char*>(bits) + long(cinfo->next_scanline) * bytesPerLine;
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

// Adobe writers store CMYK inverted; others store it plain.
void cmykToRgb(QImage& image, bool inverted)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* px = reinterpret_cast<unsigned char*>(image.scanLine(y));
        auto* out = reinterpret_cast<QRgb*>(px);
        for (int x = 0; x < image.width(); ++x) {
            int c = px[4 * x], m = px[4 * x + 1], yy = px[4 * x + 2], k = px[4 * x + 3];
            if (!inverted) {
                c = 255 - c; m = 255 - m; yy = 255 - yy; k = 255 - k;
            }
            out[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
        }
    }
}

} // namespace

namespace jpeg {

bool readSize(const QByteArray& bytes, int* width, int* height, QString* error)
{
    Info info;
    if (!readInfo(bytes, &info, error))
        return false;
    if (width)
        *width = info.width;
    if (height)
        *height = info.height;
    return true;
}

bool readInfo(const QByteArray& bytes, Info* info, QString* error)
{
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    initTrap(trap);
    cinfo.err = &trap.pub;
    jpeg_create_decompress(&cinfo);
    const bool ok = guardedHeader(&cinfo, &trap, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                  static_cast<unsigned long>(bytes.size()));
    if (ok) {
        info->width = int(cinfo.image_width);
        info->height = int(cinfo.image_height);
        info->components = cinfo.num_components;
        info->adobeInverted = cinfo.saw_Adobe_marker;
    } else if (error) {
        *error = readError(QString(), QString::fromLocal8Bit(trap.message));
    }
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

QSize scaledSize(int width, int height, const QSize& minimumSize)
{
    if (!minimumSize.isValid() || minimumSize.isEmpty())
        return QSize(width, height);
    for (int m = 1; m <= 8; ++m) {
        const int w = int((qint64(width) * m + 7) / 8);
        const int h = int((qint64(height) * m + 7) / 8);
        if (w >= minimumSize.width() && h >= minimumSize.height())
            return QSize(w, h);
    }
    return QSize(width, height);
}

namespace {

QImage decodeImpl(const QByteArray& bytes, const QSize& minimumSize, const QString& name, bool strict)
{
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    initTrap(trap);
    trap.truncationIsError = strict;
    cinfo.err = &trap.pub;
    jpeg_create_decompress(&cinfo);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const int minW = minimumSize.isValid() ? minimumSize.width() : 0;
    const int minH = minimumSize.isValid() ? minimumSize.height() : 0;
    if (!guardedHeader(&cinfo, &trap, data, static_cast<unsigned long>(bytes.size()))
        || !guardedPrepare(&cinfo, &trap, minW, minH)) {
        jpeg_destroy_decompress(&cinfo);
        throw EFileError(readError(name, QString::fromLocal8Bit(trap.message)));
    }
    // A header may promise up to 65500 × 65500 pixels in a file of a few hundred bytes:
    // refuse what no camera or scanner makes before asking for gigabytes.
    if (qint64(cinfo.output_width) * cinfo.output_height > jpeg::kMaxPixels) {
        const QString size = QStringLiteral("%1 × %2").arg(cinfo.output_width).arg(cinfo.output_height);
        jpeg_destroy_decompress(&cinfo);
        throw EFileError(readError(name, QStringLiteral("Das Bild hat mit %1 Pixeln zu viele Bildpunkte.").arg(size)));
    }
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    const bool inverted = cinfo.saw_Adobe_marker;
    QImage image(int(cinfo.output_width), int(cinfo.output_height),
                 cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        throw EFileError(readError(name, QStringLiteral("Das Bild ist zu groß (%1 × %2 Pixel).")
                                              .arg(cinfo.output_width).arg(cinfo.output_height)));
    }
    const bool ok = guardedPixels(&cinfo, &trap, image.bits(), long(image.bytesPerLine()));
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        throw EFileError(readError(name, QString::fromLocal8Bit(trap.message)));
    if (cmyk)
        cmykToRgb(image, inverted);
    return image;
}

} // namespace

QImage decode(const QByteArray& bytes, const QSize& minimumSize, const QString& name)
{
    return decodeImpl(bytes, minimumSize, name, false);
}

QByteArray encode(const QImage& source, int quality)
{
    if (source.isNull())
        throw EFileError(QStringLiteral("Ein leeres Bild kann nicht als JPEG gespeichert werden."));
    const bool gray = source.format() == QImage::Format_Grayscale8;
    QImage image;
    if (gray) {
        image = source;
    } else if (source.hasAlphaChannel()) {
        // JPEG has no transparency: lay the picture on white rather than on black.
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        image = QImage(argb.size(), QImage::Format_RGB888);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            uchar* out = image.scanLine(y);
            for (int x = 0; x < argb.width(); ++x) {
                const int a = qAlpha(in[x]);
                out[3 * x] = uchar((qRed(in[x]) * a + 255 * (255 - a)) / 255);
                out[3 * x + 1] = uchar((qGreen(in[x]) * a + 255 * (255 - a)) / 255);
                out[3 * x + 2] = uchar((qBlue(in[x]) * a + 255 * (255 - a)) / 255);
            }
        }
    } else {
        image = source.convertToFormat(QImage::Format_RGB888);
    }

    jpeg_compress_struct cinfo;
    ErrorTrap trap;
    initTrap(trap);
    cinfo.err = &trap.pub;
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool ok = guardedEncode(&cinfo, &trap, image.constBits(), long(image.bytesPerLine()), image.width(),
                                  image.height(), gray, qBound(1, quality, 100), &out, &outSize);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    if (!ok)
        throw EFileError(QStringLiteral("Das Bild kann nicht als JPEG gespeichert werden: %1")
                             .arg(QString::fromLocal8Bit(trap.message)));
    return bytes;
}

bool verify(const QByteArray& bytes, QString* error)
{
    try {
        decodeImpl(bytes, QSize(1, 1), QString(), true);
    } catch (const EFileError& e) {
        if (error)
            *error = e.message();
        return false;
    }
    return true;
}

} // namespace jpeg
