#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace safefile {

// Writes the bytes to a temporary file beside `path` and replaces `path` only when the
// write is complete, so a full disk or a crash never leaves a truncated file.
// Returns false and fills *error (German, naming the file) on failure; the old file stays.
bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// As write(), but raises EFileError on failure.
void writeOrThrow(const QString& path, const QByteArray& bytes);

// Appends bytes to the file being written; false once a write failed (stop producing then).
using Put = std::function<bool(const char* data, qsizetype size)>;
// As write(), with the bytes handed over in pieces by `produce` as they are made, so no
// whole-file buffer is needed. `produce` returns false when a put failed; an exception it
// raises passes through and leaves the old file as it was.
bool writeStreamed(const QString& path, const std::function<bool(const Put&)>& produce, QString* error = nullptr);
void writeStreamedOrThrow(const QString& path, const std::function<bool(const Put&)>& produce);

// Reads a whole file; raises EFileError (German, naming the file) when it cannot.
QByteArray readOrThrow(const QString& path);

} // namespace safefile
