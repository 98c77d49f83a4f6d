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

} // namespace trace

// Appends one line whatever the switch says (the callers decide).
void Trace(const QString& text);
