// Interposed write calls for tests (see tests/support/WriteFault.h). Plain C++ without Qt, so
// that the same file also builds the LD_PRELOAD library for child programs.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

enum Mode { Off = 0, Budget = 1, Sync = 2 };

std::atomic<int> g_mode{Off};
std::atomic<long long> g_budget{0};
std::atomic<long long> g_hits{0};
char g_dir[4096];
size_t g_dirLength = 0;

template <class F>
F real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Only regular files below the folder: pipes, terminals and other files pass.
bool targeted(int fd)
{
    if (g_mode.load() == Off || fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n < 0 || size_t(n) < g_dirLength)
        return false;
    return std::memcmp(target, g_dir, g_dirLength) == 0 && (size_t(n) == g_dirLength || target[g_dirLength] == '/');
}

// Takes up to `wanted` bytes from the budget; 0 means the device has failed.
size_t take(size_t wanted)
{
    long long left = g_budget.load();
    for (;;) {
        const long long granted = left < (long long)wanted ? left : (long long)wanted;
        if (g_budget.compare_exchange_weak(left, left - granted))
            return size_t(granted);
    }
}

ssize_t failed()
{
    ++g_hits;
    errno = EIO;
    return -1;
}

void arm(const char* dir, int mode, long long bytes)
{
    g_mode = Off;
    std::strncpy(g_dir, dir, sizeof g_dir - 1);
    g_dirLength = std::strlen(g_dir);
    while (g_dirLength > 1 && g_dir[g_dirLength - 1] == '/')
        g_dir[--g_dirLength] = '\0';
    g_budget = bytes;
    g_hits = 0;
    g_mode = mode;
}

__attribute__((constructor)) void fromEnvironment()
{
    const char* fault = std::getenv("FK_WRITE_FAULT");
    const char* dir = std::getenv("FK_WRITE_FAULT_DIR");
    if (!fault || !dir)
        return;
    if (std::strncmp(fault, "after:", 6) == 0)
        arm(dir, Budget, std::atoll(fault + 6));
    else if (std::strcmp(fault, "sync") == 0)
        arm(dir, Sync, 0);
}

} // namespace

extern "C" {

void fk_writefault_fail_after(const char* dir, long long bytes) { arm(dir, Budget, bytes); }
void fk_writefault_fail_sync(const char* dir) { arm(dir, Sync, 0); }
void fk_writefault_off() { g_mode = Off; }
long long fk_writefault_hits() { return g_hits.load(); }

ssize_t write(int fd, const void* buf, size_t n)
{
    static auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (n == 0 || g_mode.load() != Budget || !targeted(fd))
        return next(fd, buf, n);
    const size_t granted = take(n);
    return granted == 0 ? failed() : next(fd, buf, granted);
}

ssize_t pwrite(int fd, const void* buf, size_t n, off_t offset)
{
    static auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (n == 0 || g_mode.load() != Budget || !targeted(fd))
        return next(fd, buf, n, offset);
    const size_t granted = take(n);
    return granted == 0 ? failed() : next(fd, buf, granted, offset);
}

ssize_t pwrite64(int fd, const void* buf, size_t n, off64_t offset)
{
    static auto next = real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (n == 0 || g_mode.load() != Budget || !targeted(fd))
        return next(fd, buf, n, offset);
    const size_t granted = take(n);
    return granted == 0 ? failed() : next(fd, buf, granted, offset);
}

ssize_t writev(int fd, const struct iovec* iov, int count)
{
    static auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (g_mode.load() != Budget || !targeted(fd))
        return next(fd, iov, count);
    // Only the first buffer, cut to the budget: a short write, as a failing device gives.
    for (int i = 0; i < count; ++i) {
        if (iov[i].iov_len == 0)
            continue;
        const size_t granted = take(iov[i].iov_len);
        if (granted == 0)
            return failed();
        static auto plain = real<ssize_t (*)(int, const void*, size_t)>("write");
        return plain(fd, iov[i].iov_base, granted);
    }
    return 0;
}

size_t fwrite(const void* ptr, size_t size, size_t items, FILE* stream)
{
    static auto next = real<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
    const size_t n = size * items;
    if (n == 0 || g_mode.load() != Budget || !targeted(fileno(stream)))
        return next(ptr, size, items, stream);
    const size_t granted = take(n);
    if (granted == n)
        return next(ptr, size, items, stream);
    size_t done = granted / size ? next(ptr, size, granted / size, stream) : 0;
    failed();
    return done;
}

int fsync(int fd)
{
    static auto next = real<int (*)(int)>("fsync");
    if (g_mode.load() == Sync && targeted(fd))
        return int(failed());
    return next(fd);
}

int fdatasync(int fd)
{
    static auto next = real<int (*)(int)>("fdatasync");
    if (g_mode.load() == Sync && targeted(fd))
        return int(failed());
    return next(fd);
}

} // extern "C"
