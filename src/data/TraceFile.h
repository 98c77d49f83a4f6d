#pragma once
// The checked form of Trace, for the places that must tell the user when the step trace
// "error.log" cannot be written (switching the trace on or off).
#include <QString>

namespace trace {

// Appends one line; raises EFileError (German, naming the file) when it cannot. A line that
// fails halfway is taken back, so the log keeps its earlier bytes and never a broken line.
void append(const QString& text);

} // namespace trace
