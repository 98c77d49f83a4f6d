#pragma once
// The step trace "error.log" in the program folder: "dd.mm - hh:nn:ss -->" + text per line,
// Windows-1252, CR LF, appended. The switch lives in memory only and starts off.
#include <QString>

namespace trace {

bool enabled();
void setEnabled(bool on);
// Appends a step line only when the switch is on.
void step(const QString& text);
// The line Trace would write for `text` at the app clock's now (without CR LF).
QString line(const QString& text);
// Appends one line; raises EFileError (German, naming the file) when it cannot. A line that
// fails halfway is taken back, so the log keeps its earlier bytes and never a broken line.
void append(const QString& text);

} // namespace trace

// Appends one line whatever the switch says (the callers decide). A log that cannot be
// written must not stop the step being traced: false then, and nothing else happens.
bool Trace(const QString& text);
