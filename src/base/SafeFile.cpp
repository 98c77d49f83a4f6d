#include "base/SafeFile.h"
#include "base/FkError.h"
#include "base/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace safefile {

namespace {

// The system's reason is English; a full disk, the usual one, is named in German.
QString failureReason(const QFileDevice& file, const QString& path, qsizetype needed)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < needed + 64 * 1024)
        return QStringLiteral("Auf dem Datenträger ist nicht genug Platz frei.");
    return file.errorString();
}

} // namespace

bool writeStreamed(const QString& path, const std::function<bool(const Put&)>& produce, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                         .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("Es ist ein Ordner."));
    // An exception from `produce` destroys the save file uncommitted: the old file stays.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    qsizetype attempted = 0; // what the disk needed room for
    bool failed = false;
    const Put put = [&](const char* data, qsizetype size) {
        if (failed)
            return false;
        attempted += size;
        failed = size > 0 && file.write(data, size) != size;
        return !failed;
    };
    // Small files stay in the device's buffer until the end: a failed write shows only at
    // the flush, and the commit would not notice it. Check each step and reach the disk
    // before the old file is replaced.
    QString reason;
    if (!produce(put) || failed || !file.flush())
        reason = failureReason(file, path, attempted);
    else if (!platform::syncFile(file.handle(), &reason))
        reason = QStringLiteral("Die Daten erreichen den Datenträger nicht (%1).").arg(reason);
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void writeStreamedOrThrow(const QString& path, const std::function<bool(const Put&)>& produce)
{
    QString error;
    if (!writeStreamed(path, produce, &error))
        throw EFileError(error);
}

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    return writeStreamed(path, [&](const Put& put) { return put(bytes.constData(), bytes.size()); }, error);
}

void writeOrThrow(const QString& path, const QByteArray& bytes)
{
    QString error;
    if (!write(path, bytes, &error))
        throw EFileError(error);
}

QByteArray readOrThrow(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir())
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: Es ist ein Ordner.").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2").arg(shown, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2").arg(shown, file.errorString()));
    return bytes;
}

} // namespace safefile
