#include "data/Trace.h"
#include "data/TraceFile.h"
#include "data/Clock.h"
#include "data/ProgramFolder.h"
#include "base/FkError.h"
#include "base/FileErrors.h"
#include "base/Win1252.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace {
bool g_enabled = false;
}

namespace trace {

bool enabled() { return g_enabled; }
void setEnabled(bool on) { g_enabled = on; }

void step(const QString& text)
{
    if (g_enabled)
        Trace(text);
}

QString line(const QString& text)
{
    return appClock().now().toString(QStringLiteral("dd.MM - HH:mm:ss")) + QStringLiteral(" -->") + text;
}

void append(const QString& text)
{
    const QString path = ProgramFolder::file(QStringLiteral("error.log"));
    QFile file(path);
    const auto fail = [&](const QString& reason) {
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(path), reason));
    };
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        fail(safefile::germanReason(file.error(), errno));
    const qint64 oldSize = file.size();
    // Same content as rewriting the whole file: an unterminated last line gets its CR LF.
    QByteArray bytes = win1252::encodeLossy(line(text)) + "\r\n";
    if (oldSize > 0 && file.seek(oldSize - 1) && file.peek(1) != "\n")
        bytes.prepend("\r\n");
    if (file.write(bytes) != bytes.size()) {
        const int code = errno;
        // Appending keeps the earlier entries byte for byte; cut off what got through.
        file.resize(oldSize);
        fail(safefile::germanReason(QFileDevice::WriteError, code));
    }
}

} // namespace trace

void Trace(const QString& text)
{
    // A log that cannot be written must not stop the step being traced.
    try {
        trace::append(text);
    } catch (const FkError&) {
    }
}
