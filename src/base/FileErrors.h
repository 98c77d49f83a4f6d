#pragma once
// German reasons for failed file operations (the system's own texts are English).
#include <QFileDevice>
#include <QString>

namespace safefile {

// The reason of a failed open or write, from the system's error number taken right after the
// failing call.
QString germanReason(QFileDevice::FileError error, int errorNumber);

} // namespace safefile
