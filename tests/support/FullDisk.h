#pragma once
// A full file system for tests of failing writes: a 1 MB tmpfs mounted on a temporary folder
// and filled up by a filler file, so that creating a file still works but writing to it fails
// with "no space left", as on a real full disk. Unmounted again by the destructor.
//
// Mounting needs root (CAP_SYS_ADMIN), which CI has. When it is impossible the test fails
// with the reason as root and is skipped otherwise, so that it never passes unseen:
//
//     FullDisk disk;
//     FK_REQUIRE_FULL_DISK(disk);                    // GoogleTest; Qt Test: FK_QREQUIRE_FULL_DISK
//     disk.write("db.fdb", oldBytes);                // placed while the disk stays full
//     EXPECT_FALSE(table.SaveToFile(disk.file("db.fdb")));
//     EXPECT_EQ(disk.read("db.fdb"), oldBytes);
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // True when the file system is mounted and full.
    bool ready() const { return m_mounted; }
    // Why it is not ready; and whether that is a failure (root) rather than a skip.
    QString problem() const { return m_problem; }
    bool mustWork() const { return m_mustWork; }

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    // Places a file (folders created) and fills the disk up again; false when it does not fit.
    bool write(const QString& relative, const QByteArray& bytes);
    QByteArray read(const QString& relative) const;
    // Removes the filler: writes succeed again (to show that the program goes on).
    void release();
    // Fills the disk up to about `bytes` of free space (whole pages): a write larger than
    // that fails in the middle of its data. False when the disk cannot be set so.
    bool leaveFree(qint64 bytes);
    qint64 freeBytes() const;

private:
    bool fill();
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_mustWork = false;
    QString m_problem;
};

#define FK_FULL_DISK_MESSAGE(disk) ("no full file system for this test: " + (disk).problem().toStdString())

#define FK_REQUIRE_FULL_DISK(disk)                      \
    do {                                                \
        if (!(disk).ready()) {                          \
            if ((disk).mustWork())                      \
                FAIL() << FK_FULL_DISK_MESSAGE(disk);   \
            else                                        \
                GTEST_SKIP() << FK_FULL_DISK_MESSAGE(disk); \
        }                                               \
    } while (0)

#define FK_QREQUIRE_FULL_DISK(disk)                                      \
    do {                                                                 \
        if (!(disk).ready()) {                                           \
            if ((disk).mustWork())                                       \
                QFAIL(FK_FULL_DISK_MESSAGE(disk).c_str());               \
            else                                                         \
                QSKIP(FK_FULL_DISK_MESSAGE(disk).c_str());               \
        }                                                                \
    } while (0)
