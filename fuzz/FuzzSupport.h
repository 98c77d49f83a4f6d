#pragma once
// Shared by the fuzz targets: a scratch folder for the readers that take a path, and a check
// that ends the run with a message, so libFuzzer keeps the input as a finding.
#include "base/FkError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line, const QString& detail)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n%s\n", file, line, condition, detail.toLocal8Bit().constData());
    std::abort();
}

// A folder for the whole run, in memory where the machine offers one.
inline const QString& scratch()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fk-fuzz-XXXXXX")
                                                       : QDir::tempPath() + QStringLiteral("/fk-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

inline QString writeScratch(const QString& name, const QByteArray& bytes)
{
    const QString path = scratch() + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fail("scratch file written", __FILE__, __LINE__, path);
    return path;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace fuzz

#define FUZZ_CHECK(condition, detail)                                                                      \
    do {                                                                                                   \
        if (!(condition))                                                                                  \
            ::fuzz::fail(#condition, __FILE__, __LINE__, (detail));                                        \
    } while (false)
