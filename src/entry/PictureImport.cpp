#include "entry/PictureImport.h"
#include "data/Clock.h"
#include "data/GermanFormat.h"
#include "base/Jpeg.h"
#include "base/FkError.h"
#include "base/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace pictures {

bool hasFolderPart(const QString& item)
{
    return item.contains(QLatin1Char('/')) || item.contains(QLatin1Char('\\'));
}

QImage readSource(const QString& path)
{
    const QByteArray bytes = safefile::readOrThrow(path);
    const QString name = QFileInfo(path).fileName();
    if (path.endsWith(QLatin1String(".bmp"), Qt::CaseSensitive)) {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, "bmp");
        reader.setDecideFormatFromContent(false);
        QImage image = reader.read();
        if (image.isNull())
            throw EFileError(QStringLiteral("Das Bitmap \"%1\" kann nicht gelesen werden: %2")
                                 .arg(name, reader.errorString()));
        return image;
    }
    return jpeg::decode(bytes, QSize(StoredWidth, StoredHeight), name);
}

QByteArray convertToStored(const QString& path)
{
    const QImage source = readSource(path);
    return jpeg::encode(fitStored(source), StoredQuality);
}

QImage fitStored(const QImage& source)
{
    // A stretched fish is a wrong picture: keep the proportions, fill the rest black.
    const QImage scaled = source.scaled(StoredWidth, StoredHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage stored(StoredWidth, StoredHeight, QImage::Format_RGB32);
    stored.fill(Qt::black);
    QPainter painter(&stored);
    painter.drawImage((StoredWidth - scaled.width()) / 2, (StoredHeight - scaled.height()) / 2, scaled);
    return stored;
}

QString momentText(const QDateTime& now)
{
    QString text = german::formatDate(now.date()) + german::formatLongTime(now.time());
    text.remove(QLatin1Char('.'));
    text.remove(QLatin1Char(':'));
    return text;
}

QString storedName(const QString& stem, int index)
{
    return stem + QLatin1Char('_') + QString::number(index) + QStringLiteral(".jpg");
}

QStringList importPictures(const QStringList& items, const QString& imgFolder, const ItemDone& done)
{
    QStringList names;
    QString moment;
    int number = -1; // the random part of the stem; chosen at the first conversion
    for (int i = 0; i < items.size(); ++i) {
        const QString& item = items[i];
        if (!hasFolderPart(item)) {
            names << item;
            if (done)
                done(i, item);
            continue;
        }
        const QByteArray jpeg = convertToStored(item);
        if (!QFileInfo(imgFolder).isDir() && !QDir().mkpath(imgFolder))
            throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.")
                                 .arg(QDir::toNativeSeparators(imgFolder)));
        if (number < 0) {
            moment = momentText(appClock().now());
            number = appRandom().bounded(200);
        }
        // Two saves in the same second may draw the same number: never write over a stored
        // picture. After many taken draws count upwards past the random range, which ends.
        QString name = storedName(moment + QString::number(number), i);
        for (int tries = 1; QFileInfo::exists(imgFolder + QLatin1Char('/') + name); ++tries) {
            number = tries < 100 ? appRandom().bounded(200) : 100 + tries;
            name = storedName(moment + QString::number(number), i);
        }
        safefile::writeOrThrow(imgFolder + QLatin1Char('/') + name, jpeg);
        names << name;
        if (done)
            done(i, name);
    }
    return names;
}

} // namespace pictures
