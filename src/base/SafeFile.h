#pragma once
#include <QByteArray>
#include <QString>

namespace safefile {

// Writes the bytes to a temporary file beside `path` and replaces `path` only when the
// write is complete, so a full disk or a crash never leaves a truncated file.
// Returns false and fills *error (German, naming the file) on failure; the old file stays.
bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// As write(), but raises EFileError on failure.
void writeOrThrow(const QString& path, const QByteArray& bytes);

// Reads a whole file; raises EFileError (German, naming the file) when it cannot.
QByteArray readOrThrow(const QString& path);

} // namespace safefile
