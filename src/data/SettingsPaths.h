#pragma once
// Database paths read from the settings file that can name no file.
#include <QString>

namespace catchdb {

// The message for a database path in the settings that holds a NUL (a damaged file);
// `section` is "DB" or "AKDB".
QString nulInPath(const QString& section);

} // namespace catchdb
