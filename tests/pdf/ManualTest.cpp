#include "PdfTools.h"
#include "base/SafeFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The user manual is rendered at build time by make_manual into the build folder.
TEST(Manual, BuiltBesideTheProgramWithTitleBookmarksPicturesAndPageNumbers)
{
    const QString path = QStringLiteral(FK_BUILD_DIR "/Anleitung.pdf");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(qpdfClean(path));

    const QStringList outline = outlineTitles(path);
    // First and last chapter, two-digit numbers and umlauts, one level down.
    for (const char* chapter : {"1  Willkommen", "10  Die Gewässerkarte", "11  Die Bissliste", "  3.1  Länge und Gewicht schätzen"})
        EXPECT_TRUE(outline.contains(QString::fromUtf8(chapter))) << chapter;

    const QString all = pdfText(path);
    const QString title = all.section('\f', 0, 0);
    EXPECT_TRUE(title.contains("Fischkladde"));
    EXPECT_TRUE(title.contains(QString::fromUtf8("Anleitung für Anglerinnen und Angler")));
    EXPECT_TRUE(all.contains(QString::fromUtf8("„Fang eintragen“")));
    EXPECT_TRUE(all.contains(QString::fromUtf8("Gewässerkarte")));
    const int pages = renderedPages(path);
    EXPECT_GE(pages, 8);
    EXPECT_TRUE(all.contains(QStringLiteral("Seite 3 von %1").arg(pages)));
    EXPECT_GE(safefile::readOrThrow(path).count("/Subtype /Image"), 2);
}

TEST(Manual, ToolRefusesBadSourcesWithoutWritingAFile)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("a.txt");
    const QString target = dir.filePath("a.pdf");
    // A rouble sign outside the fonts' code page, and a missing picture: the error names them.
    const std::pair<QByteArray, const char*> bad[] = {{"@titel Test\n= Kapitel\nPreis in \xE2\x82\xBD\n", "Zeile 3"},
                                                      {"@titel Test\n@bild fehlt.jpg | x\n", "fehlt.jpg"}};
    for (const auto& [text, named] : bad) {
        safefile::writeOrThrow(source, text);
        const ToolResult r = runTool(FK_BUILD_DIR "/make_manual", {source, target});
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(r.err.contains(named)) << r.err.constData();
        EXPECT_FALSE(QFile::exists(target));
    }
    safefile::writeOrThrow(source, "@titel Test\n= Eins\nText mit \xC3\xA4.\n");
    const ToolResult r = runTool(FK_BUILD_DIR "/make_manual", {source, target});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(pdfText(target).contains(QString::fromUtf8("Text mit ä.")));
}
