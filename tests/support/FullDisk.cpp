#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef __linux__
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace {
const char* const kFiller = ".filler";
}

FullDisk::FullDisk()
{
#ifdef __linux__
    m_mustWork = geteuid() == 0;
    if (!m_dir.isValid()) {
        m_problem = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray dir = QFile::encodeName(m_dir.path());
    if (::mount("tmpfs", dir.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=1m,mode=0777") != 0) {
        m_problem = QStringLiteral("mount -t tmpfs -o size=1m on %1 failed: %2 (needs root with CAP_SYS_ADMIN)")
                        .arg(m_dir.path(), QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
    if (!fill()) {
        m_problem = QStringLiteral("the tmpfs on %1 could not be filled").arg(m_dir.path());
        m_mounted = false;
        ::umount2(dir.constData(), MNT_DETACH);
    }
#else
    m_problem = QStringLiteral("tmpfs mounts need Linux");
#endif
}

FullDisk::~FullDisk()
{
#ifdef __linux__
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
#endif
}

bool FullDisk::fill()
{
    QFile filler(file(QString::fromLatin1(kFiller)));
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray chunk(64 * 1024, 'x');
    while (filler.write(chunk) > 0) {
    }
    // Nothing more fits, not even one byte in a fresh file.
    QFile probe(file(QStringLiteral(".probe")));
    bool full = probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && probe.write("x", 1) != 1;
    probe.close();
    probe.remove();
    return full;
}

bool FullDisk::write(const QString& relative, const QByteArray& bytes)
{
    release();
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    const bool written = f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
    f.close();
    return fill() && written;
}

QByteArray FullDisk::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void FullDisk::release()
{
    QFile::remove(file(QString::fromLatin1(kFiller)));
}

qint64 FullDisk::freeBytes() const
{
#ifdef __linux__
    struct statvfs st;
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &st) != 0)
        return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
#else
    return -1;
#endif
}

bool FullDisk::leaveFree(qint64 bytes)
{
    if (!m_mounted)
        return false;
    release();
    if (bytes <= 0)
        return fill();
    QFile filler(file(QString::fromLatin1(kFiller)));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 surplus = freeBytes() - bytes;
    const QByteArray chunk(4096, 'x');
    while (surplus >= chunk.size()) {
        if (filler.write(chunk) != chunk.size())
            return false;
        surplus -= chunk.size();
    }
    filler.close();
    return freeBytes() >= 0 && freeBytes() <= bytes + 4096;
}
