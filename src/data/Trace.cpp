#include "data/Trace.h"
#include "data/Clock.h"
#include "data/ProgramFolder.h"
#include "base/Win1252.h"

#include <QFile>

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

} // namespace trace

void Trace(const QString& text)
{
    // Appending keeps the earlier entries byte for byte; a log that cannot be written must
    // not stop the step being traced, so failures are ignored here.
    QFile file(ProgramFolder::file(QStringLiteral("error.log")));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return;
    // Same content as rewriting the whole file: an unterminated last line gets its CR LF.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.peek(1) != "\n")
        file.write("\r\n");
    file.write(win1252::encodeLossy(trace::line(text)) + "\r\n");
}
