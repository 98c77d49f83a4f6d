#pragma once
// Turning the picture files a user chooses into the stored catch pictures: 640 x 480 JPEG,
// quality 90, in the folder "img", under a name from the moment of the save and the list
// position. Stored pictures are never replaced and each file is written whole or not at all.
#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace pictures {

constexpr int StoredWidth = 640;
constexpr int StoredHeight = 480;
constexpr int StoredQuality = 90;

// True for a chosen file (a path with a folder part), false for a name already stored in "img".
bool hasFolderPart(const QString& item);

// Reads a chosen file: exactly ".bmp" as a bitmap, every other extension as JPEG (decoded
// at the smallest DCT scale not below the stored size). Raises EFileError with the reader's
// message.
QImage readSource(const QString& path);

// The stored JPEG of a chosen file: fitted into 640 x 480, quality 90. Raises EFileError.
QByteArray convertToStored(const QString& path);

// The picture scaled into 640 x 480 with its proportions kept, centred on black.
QImage fitStored(const QImage& source);

// The moment part of a picture stem: short date and long time without "." and ":"
// (ddmmyyyyhhnnss).
QString momentText(const QDateTime& now);

// stem + "_" + index + ".jpg"
QString storedName(const QString& stem, int index);

// Called after each list item with its stored name (taken over or newly written).
using ItemDone = std::function<void(int index, const QString& storedName)>;

// Saves a picture list into imgFolder and returns the stored names in list order. Names
// without a folder part are taken over unchanged; chosen files are converted and written
// under stem + "_" + position + ".jpg", the stem being the moment of the first conversion
// and a random number from 0 to 199 (appClock, appRandom). When such a name is taken,
// another number is drawn until the name is free. Raises EFileError at the first file that
// cannot be read or written; pictures written before it stay (and were reported to `done`).
QStringList importPictures(const QStringList& items, const QString& imgFolder, const ItemDone& done = {});

} // namespace pictures
