// Saves onto a full file system: each must fail, say so in German, and leave the old file as
// it was, byte for byte.
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "storage/TTextTable.h"
#include "FullDisk.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(FullDisk, HelperGivesAFullFileSystem)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    ASSERT_TRUE(disk.write(QStringLiteral("a/old.txt"), "alt"));
    EXPECT_EQ(disk.read(QStringLiteral("a/old.txt")), "alt");
    QFile f(disk.file(QStringLiteral("new.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_NE(f.write("x", 1), 1);
    f.close();
    disk.release();
    EXPECT_TRUE(safefile::write(disk.file(QStringLiteral("new.txt")), QByteArray(100 * 1024, 'y')));
}

TEST(SafeFile, FullDiskKeepsTheOldFile)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = "Fangdatum;Fischart\r\n07.05.2006;Hecht\r\n";
    ASSERT_TRUE(disk.write(QStringLiteral("db.fdb"), old));
    const QString path = disk.file(QStringLiteral("db.fdb"));
    // Small writes stay in a buffer until the end; large ones fail on the way.
    for (qsizetype size : {qsizetype(10), qsizetype(15000), qsizetype(600 * 1024), qsizetype(3 * 1024 * 1024)}) {
        SCOPED_TRACE(size);
        QString error;
        EXPECT_FALSE(safefile::write(path, QByteArray(size, 'n'), &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: ")
                                         .arg(QDir::toNativeSeparators(path))))
            << error.toStdString();
        EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), old);
        EXPECT_THROW(safefile::writeOrThrow(path, QByteArray(size, 'n')), EFileError);
        EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), old);
    }
    // No temporary file is left behind.
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral(".filler"), QStringLiteral("db.fdb")}));
    // With space again the same save goes through.
    disk.release();
    EXPECT_TRUE(safefile::write(path, "neu"));
    EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), "neu");
}

TEST(TableFile, FullDiskKeepsOldFileAndReportsCode3)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = "A;B\r\n1;2\r\n";
    ASSERT_TRUE(disk.write(QStringLiteral("x.fdb"), old));
    TTextTable t;
    t.loadFromBytes(old, QStringLiteral("test"));
    t.AddRow();
    t.SetData("A", "3");
    EXPECT_FALSE(t.SaveToFile(disk.file(QStringLiteral("x.fdb"))));
    EXPECT_EQ(t.lastErrorCode(), 3);
    EXPECT_EQ(t.lastErrorText(), QStringLiteral("1-Unable to open the file for writing"));
    EXPECT_THROW(t.saveOrThrow(disk.file(QStringLiteral("x.fdb"))), EFileError);
    EXPECT_EQ(disk.read(QStringLiteral("x.fdb")), old);
    // The table keeps its new row for a later save.
    EXPECT_EQ(t.RowCount(), 2);
    disk.release();
    ASSERT_TRUE(t.SaveToFile(disk.file(QStringLiteral("x.fdb"))));
    EXPECT_EQ(disk.read(QStringLiteral("x.fdb")), "A;B\r\n1;2\r\n3;\r\n");
}
