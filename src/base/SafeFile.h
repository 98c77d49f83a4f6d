#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace safefile {

// Writes the bytes to a temporary file beside `path` and replaces `path` only when the
// write is complete, so a full disk or a crash never leaves a truncated file.
// Returns false and fills *error (German, naming the file) on failure; the old file stays.
bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// As write(), but raises EFileError on failure.
void writeOrThrow(const QString& path, const QByteArray& bytes);

// The reason of a failed open or write in German, from the system's error number taken
// right after the failing call (the system's own text is English).
QString germanReason(QFileDevice::FileError error, int errorNumber);

// Reads a whole file; raises EFileError (German, naming the file) when it cannot.
QByteArray readOrThrow(const QString& path);

} // namespace safefile
