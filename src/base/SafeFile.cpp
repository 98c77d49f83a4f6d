#include "base/SafeFile.h"
#include "base/FileErrors.h"
#include "base/FkError.h"
#include "base/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace safefile {

namespace {

QString failureReason(const QString& path, qsizetype needed, int errorNumber)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < needed + 64 * 1024)
        return QStringLiteral("Auf dem Datenträger ist nicht genug Platz frei.");
    return germanReason(QFileDevice::WriteError, errorNumber);
}

} // namespace

QString germanReason(QFileDevice::FileError error, int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Auf dem Datenträger ist nicht genug Platz frei.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Schreib- oder Lesefehler.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Der Zugriff wurde verweigert.");
    case ENOENT:
        return QStringLiteral("Der Ordner existiert nicht.");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß für den Datenträger.");
    default:
        break;
    }
    const QString detail = errorNumber ? QString::fromLocal8Bit(std::strerror(errorNumber)) : QString();
    const QString what = error == QFileDevice::OpenError ? QStringLiteral("Die Datei lässt sich nicht öffnen")
                                                         : QStringLiteral("Schreibfehler");
    return detail.isEmpty() ? what + QLatin1Char('.') : QStringLiteral("%1 (%2).").arg(what, detail);
}

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
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(germanReason(QFileDevice::OpenError, errno));
    qsizetype attempted = 0; // what the disk needed room for
    bool failed = false;
    int writeError = 0; // the system's reason, taken at once
    const Put put = [&](const char* data, qsizetype size) {
        if (failed)
            return false;
        attempted += size;
        errno = 0;
        failed = size > 0 && file.write(data, size) != size;
        if (failed)
            writeError = errno;
        return !failed;
    };
    // Small files stay in the device's buffer until the end: a failed write shows only at
    // the flush, and the commit would not notice it. Check each step and reach the disk
    // before the old file is replaced.
    QString reason;
    const bool produced = produce(put) && !failed;
    errno = 0;
    if (!produced || !file.flush())
        reason = failureReason(path, attempted, failed ? writeError : errno);
    else if (!platform::syncFile(file.handle(), &reason))
        reason = QStringLiteral("Die Daten erreichen den Datenträger nicht: %1").arg(germanReason(QFileDevice::WriteError, errno));
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return fail(reason);
    }
    errno = 0;
    if (!file.commit())
        return fail(germanReason(QFileDevice::RenameError, errno));
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
