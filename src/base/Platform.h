#pragma once
// The few calls that differ between operating systems; everything else uses Qt.
#include <QString>

namespace platform {

// Forces the written bytes of an open file to the disk. False, with the reason, when the
// system reports an error; a file system without the call counts as success.
bool syncFile(int handle, QString* reason);

} // namespace platform
