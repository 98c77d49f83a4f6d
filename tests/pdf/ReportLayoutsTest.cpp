// The layout of the program's catch report: a framed block per catch in a grid, with a
// picture and wrapped remarks, over as many pages as the catches need. Bookmarks and cell
// destinations are covered by the reference document.
#include "pdf/Report.h"
#include "PdfTools.h"
#include "base/SafeFile.h"

TEST(ReportLayouts, CatchBlocksWithPicturesOverTwoPages)
{
    OnePage t(600, 700);
    auto* grid = place<TReportGridPanel>(t.band, 32, 27, 536, 671);
    grid->RowCount = 3;
    place<TReportRect>(grid, 0, 0, 536, 222);
    auto* heading = label(grid, 6, 6, 320, 14, "");
    heading->FontBold = true;
    auto* picture = place<TReportJpegImage>(grid, 330, 6, 200, 150, "Bild");
    picture->Stretch = true;
    auto* remarks = place<TReportText>(grid, 6, 189, 524, 32); // two lines fit, the third would sit on the frame
    remarks->WordWrap = true;
    remarks->Leading = 11;
    remarks->Lines = {"Am Schilfrand kurz nach Sonnenaufgang, Wasser leicht tr\xFC" "b, 14,5 \xB0" "C. Der Fisch nahm den K\xF6"
                      "der beim Absinken und wurde nach dem Foto zur\xFC" "ckgesetzt. Dieser Satz steht schon in "
                      "der dritten Zeile und wird nicht mehr gedruckt, weil er umbrochen wird."};

    const QByteArray photo = testJpeg(160, 120);
    int left = 4;
    grid->BeforePrintChild = [&](TReportGridPanel&, const QRect&) {
        for (const auto& child : grid->children())
            child->Printable = left > 0;
        if (left == 0)
            return;
        heading->Caption = "Hecht, " + QByteArray::number(60 + left) + " cm";
        picture->clear();
        if (left != 2) // one catch without picture
            picture->setJpeg(photo);
        --left;
    };
    t.report.beginDoc();
    while (left > 0)
        t.report.print(t.page);
    t.report.endDoc();

    const QString path = t.report.FileName;
    EXPECT_TRUE(qpdfClean(path));
    EXPECT_EQ(renderedPages(path), 2);
    const QByteArray file = safefile::readOrThrow(path);
    EXPECT_EQ(file.count("/Subtype /Image"), 3);
    EXPECT_EQ(file.count(" 536 222 re\nS\n"), 4) << "the empty blocks of the last page are not framed";
    const QString text = pdfText(path);
    for (const char* s : {"Hecht, 64 cm", "Hecht, 61 cm", "14,5 °C", "leicht trüb", "zurückgesetzt"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_FALSE(text.contains("umbrochen")) << "the third line of the remarks does not fit";
    EXPECT_EQ(text.count(QString::fromUtf8("zurückgesetzt")), 4);
    EXPECT_EQ(text.section('\f', 1).count("Hecht"), 1) << "the fourth catch alone on the second page";
}
