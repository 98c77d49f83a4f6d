#pragma once
// JPEG reading and writing over libjpeg. Decoder failures never end the program: they come
// back as EFileError whose message carries libjpeg's own text.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace jpeg {

// Reads width and height from the frame header only (no pixel data is decoded).
// Returns false and fills *error (German, with the decoder's text) when the bytes are no
// readable JPEG.
bool readSize(const QByteArray& bytes, int* width, int* height, QString* error = nullptr);

// What an embedding writer needs to know from the header.
struct Info {
    int width = 0;
    int height = 0;
    int components = 0;   // 1 gray, 3 colour, 4 CMYK/YCCK
    bool adobeInverted = false; // CMYK stored inverted (Adobe marker)
};
bool readInfo(const QByteArray& bytes, Info* info, QString* error = nullptr);

// Decodes the whole picture at 1/8 size to prove it is readable: fails on decoder errors
// and on data that ends before the picture does. Cheap even for large photos.
bool verify(const QByteArray& bytes, QString* error = nullptr);

// The most pixels decode() produces (after scaling); larger pictures are refused.
inline constexpr qint64 kMaxPixels = qint64(1) << 28;

// Decodes to an RGB888 image. With a valid minimumSize the decoder scales by M/8
// (M = 1..8) to the smallest size whose width and height are both not below the minimum;
// a picture already smaller than that is decoded at full size (never enlarged).
// `name` (a file name, may be empty) is put into the error message.
// Raises EFileError on failure and for a result above kMaxPixels.
QImage decode(const QByteArray& bytes, const QSize& minimumSize = QSize(), const QString& name = QString());

// The size decode() would return for a picture of the given full size.
QSize scaledSize(int width, int height, const QSize& minimumSize);

// Encodes the image as baseline JPEG (quality 1..100). Transparent pixels are laid on
// white; grayscale images stay grayscale. Raises EFileError on failure.
QByteArray encode(const QImage& image, int quality = 90);

} // namespace jpeg
