#pragma once
// A disk that fails in the middle of the data: the program's write calls (write, pwrite,
// writev, fwrite) on files under one folder succeed for a given number of bytes and then fail
// with EIO, or every fsync there fails. Works in the test program itself (link the test with
// WriteFault.cpp) and in a child program started with LD_PRELOAD=<libfk_writefault.so> and
//     FK_WRITE_FAULT=after:BYTES   or   FK_WRITE_FAULT=sync
//     FK_WRITE_FAULT_DIR=/folder
// Nothing outside the folder is touched, so the test's own output goes on.
#include <QFile>
#include <QString>

extern "C" {
void fk_writefault_fail_after(const char* dir, long long bytes);
void fk_writefault_fail_sync(const char* dir);
void fk_writefault_off();
long long fk_writefault_hits();
}

namespace writefault {

inline void failAfter(const QString& dir, qint64 bytes) { fk_writefault_fail_after(QFile::encodeName(dir).constData(), bytes); }
inline void failSync(const QString& dir) { fk_writefault_fail_sync(QFile::encodeName(dir).constData()); }
inline void off() { fk_writefault_off(); }
// How many calls failed since the last arming: a fault that was never hit proves nothing.
inline long long hits() { return fk_writefault_hits(); }

// Switched off at the end of a scope, also when an assertion leaves it early.
struct Scope {
    ~Scope() { off(); }
};

} // namespace writefault
