// The layout of the program's catch report: a framed block per catch in a grid, with a
// picture, labels and wrapped remarks, bookmarks per page and catch, over as many pages as
// the catches need.
#include "pdf/Report.h"
#include "PdfTools.h"
#include "storage/SafeFile.h"

TEST(ReportLayouts, CatchBlocksWithPicturesOverTwoPages)
{
    OnePage t(600, 700);
    t.report.UseOutlines = true;
    auto* grid = place<TReportGridPanel>(t.band, 32, 27, 536, 671);
    grid->RowCount = 3;
    place<TReportRect>(grid, 0, 0, 536, 222);
    auto* heading = place<TReportText>(grid, 6, 6, 320, 14);
    heading->FontSize = 12;
    heading->FontBold = true;
    label(grid, 6, 34, 90, 12, "K\xF6" "der:");
    auto* temp = label(grid, 100, 34, 220, 12, "");
    auto* picture = place<TReportJpegImage>(grid, 330, 6, 200, 150, "Bild");
    picture->Stretch = true;
    auto* remarks = place<TReportText>(grid, 6, 189, 524, 32); // two lines fit, the third would sit on the frame
    remarks->WordWrap = true;
    remarks->Leading = 11;

    const QByteArray photo = testJpeg(160, 120);
    int left = 4;
    TPdfOutlineEntry* pageEntry = nullptr;
    t.page.OnPrintPage = [&](TReportPage&) {
        pageEntry = t.report.GetOutlineRoot()->AddChild();
        pageEntry->Title = "Seite " + QByteArray::number(t.report.pageNumber());
        pageEntry->SetDest(t.report.CreateDestination());
    };
    grid->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        for (const auto& child : grid->children())
            child->Printable = left > 0;
        if (left == 0)
            return;
        heading->Lines = {"Hecht, " + QByteArray::number(60 + left) + " cm"};
        temp->Caption = "14,5 \xB0" "C";
        remarks->Lines = {"Am Schilfrand kurz nach Sonnenaufgang, Wasser leicht tr\xFC" "b. Der Fisch nahm den K\xF6"
                          "der beim Absinken und wurde nach dem Foto zur\xFC" "ckgesetzt. Dieser Satz steht schon in "
                          "der dritten Zeile und wird nicht mehr gedruckt, weil er umbrochen wird."};
        picture->clear();
        if (left != 2) // one catch without picture
            picture->setJpeg(photo);
        TPdfOutlineEntry* entry = pageEntry->AddChild();
        entry->Title = heading->Lines.first();
        entry->SetDest(t.report.CreateDestination(cell.left(), cell.top()));
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
    EXPECT_EQ(outlineTitles(path), QStringList({"Seite 1", "  Hecht, 64 cm", "  Hecht, 63 cm", "  Hecht, 62 cm",
                                                "Seite 2", "  Hecht, 61 cm"}));
    const QString text = pdfText(path);
    for (const char* s : {"Köder:", "14,5 °C", "leicht trüb", "zurückgesetzt"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_FALSE(text.contains("umbrochen")) << "the third line of the remarks does not fit";
    EXPECT_EQ(text.count(QString::fromUtf8("Köder:")), 4);
}
