// CMYK pictures keep their colours whether or not the Adobe marker says they are inverted,
// and importing onto a full disk fails without touching the stored pictures.
#include "entry/PictureImport.h"
#include "base/FkError.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "FullDisk.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <gtest/gtest.h>

namespace {

struct Cmyk {
    int c, m, y, k; // ink amounts, 0 = none
};

// A CMYK JPEG whose left half is `left` and right half `right`. Adobe writers store the ink
// inverted and say so with their marker; other writers store it plain without a marker.
QByteArray cmykJpeg(Cmyk left, Cmyk right, bool adobe)
{
    const int w = 32, h = 16;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, JCS_CMYK);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, 98, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(w) * 4);
    for (int x = 0; x < w; ++x) {
        const Cmyk& p = x < w / 2 ? left : right;
        const int ink[4] = {p.c, p.m, p.y, p.k};
        for (int i = 0; i < 4; ++i)
            row[size_t(4 * x + i)] = (unsigned char)(adobe ? 255 - ink[i] : ink[i]);
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

void expectNear(QRgb got, QRgb want, const char* what)
{
    const int diff = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                               std::abs(qBlue(got) - qBlue(want))});
    EXPECT_LE(diff, 12) << what << ": got " << qRed(got) << "," << qGreen(got) << "," << qBlue(got)
                        << " want " << qRed(want) << "," << qGreen(want) << "," << qBlue(want);
}

} // namespace

TEST(CmykPictures, ImportedInTheirColoursWithAndWithoutAdobeMarker)
{
    // Red (magenta and yellow ink) beside a light grey (a quarter of black).
    const Cmyk red{0, 255, 255, 0};
    const Cmyk grey{0, 0, 0, 64};
    QTemporaryDir dir;
    for (bool adobe : {true, false}) {
        SCOPED_TRACE(adobe ? "Adobe marker, inverted" : "no marker, plain");
        const QByteArray bytes = cmykJpeg(red, grey, adobe);
        jpeg::Info info;
        ASSERT_TRUE(jpeg::readInfo(bytes, &info));
        EXPECT_EQ(info.components, 4);
        EXPECT_EQ(info.adobeInverted, adobe);

        const QImage decoded = jpeg::decode(bytes);
        expectNear(decoded.pixel(4, 8), qRgb(255, 0, 0), "decoded red");
        expectNear(decoded.pixel(27, 8), qRgb(191, 191, 191), "decoded grey");

        // The import, which also scales the picture to the stored size.
        const QString path = dir.filePath(adobe ? QStringLiteral("adobe.jpg") : QStringLiteral("plain.jpg"));
        safefile::writeOrThrow(path, bytes);
        const QImage stored = jpeg::decode(pictures::convertToStored(path));
        ASSERT_EQ(stored.size(), QSize(pictures::StoredWidth, pictures::StoredHeight));
        expectNear(stored.pixel(100, 240), qRgb(255, 0, 0), "stored red");
        expectNear(stored.pixel(540, 240), qRgb(191, 191, 191), "stored grey");
    }
}

TEST(CmykPictures, ImportOntoAFullDiskKeepsStoredPictures)
{
    QTemporaryDir source;
    const QString chosen = source.filePath(QStringLiteral("fang.jpg"));
    safefile::writeOrThrow(chosen, cmykJpeg({0, 255, 255, 0}, {0, 0, 0, 64}, true));
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = jpeg::encode(QImage(8, 8, QImage::Format_RGB888));
    ASSERT_TRUE(disk.write(QStringLiteral("img/alt_0.jpg"), old));
    const QStringList before = QDir(disk.file(QStringLiteral("img"))).entryList(QDir::Files);

    QStringList reported;
    const QString img = disk.file(QStringLiteral("img"));
    try {
        pictures::importPictures({QStringLiteral("alt_0.jpg"), chosen}, img,
                                 [&](int, const QString& name) { reported << name; });
        ADD_FAILURE() << "the import onto a full disk reported success";
    } catch (const EFileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("konnte nicht geschrieben werden"))) << e.message().toStdString();
    }
    EXPECT_EQ(reported, QStringList{QStringLiteral("alt_0.jpg")}) << "only the taken-over name";
    EXPECT_EQ(QDir(img).entryList(QDir::Files), before) << "no half-written picture";
    EXPECT_EQ(disk.read(QStringLiteral("img/alt_0.jpg")), old);

    disk.release();
    EXPECT_EQ(pictures::importPictures({chosen}, img).size(), 1);
}
