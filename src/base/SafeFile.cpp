#include "base/SafeFile.h"
#include "base/FkError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace safefile {

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                         .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("Es ist ein Ordner."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
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
