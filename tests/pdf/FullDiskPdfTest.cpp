// The PDF writer on a full disk: the report and the manual fail with a message and leave the
// PDF that was there before.
#include "PdfTools.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "FullDisk.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FullDiskPdf, ReportAndManualKeepTheOldFile)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = "%PDF-1.3 alt";
    ASSERT_TRUE(disk.write(QStringLiteral("bericht.pdf"), old));
    ASSERT_TRUE(disk.write(QStringLiteral("Anleitung.pdf"), old));

    OnePage one;
    label(one.band, 10, 10, 100, 20, "Hecht");
    one.report.FileName = disk.file(QStringLiteral("bericht.pdf"));
    const QString error = errorText<EFileError>([&] { one.run(); });
    EXPECT_TRUE(error.contains(QStringLiteral("konnte nicht geschrieben werden"))) << error.toStdString();
    EXPECT_EQ(disk.read(QStringLiteral("bericht.pdf")), old);

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("a.txt"));
    safefile::writeOrThrow(source, "@titel Test\n= Eins\nText.\n");
    const ToolResult r = runTool(FK_BUILD_DIR "/make_manual", {source, disk.file(QStringLiteral("Anleitung.pdf"))});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("konnte nicht geschrieben werden")) << r.err.constData();
    EXPECT_EQ(disk.read(QStringLiteral("Anleitung.pdf")), old);

    disk.release();
    one.run();
    EXPECT_TRUE(qpdfClean(one.report.FileName));
}
