#include "base/Platform.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace platform {

bool syncFile(int handle, QString* reason)
{
#ifdef _WIN32
    if (_commit(handle) == 0)
        return true;
#else
    if (::fsync(handle) == 0 || errno == EINVAL || errno == ENOTSUP)
        return true;
#endif
    if (reason)
        *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace platform
