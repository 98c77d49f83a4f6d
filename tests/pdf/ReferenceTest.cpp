#include "pdf/Report.h"
#include "PdfTools.h"
#include "base/SafeFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A small one-page document compared byte for byte with a reference checked by hand.
// Set FK_UPDATE_PDF_REFERENCE=1 to rewrite the reference after a deliberate change.
namespace {

void buildSmallReport(TReport& report)
{
    report.Title = "Fischkladde";
    report.PageLayout = TPdfPageLayout::OneColumn;
    report.PageMode = TPdfPageMode::UseOutlines;
    report.UseOutlines = true;

    TReportPage page;
    page.PageWidth = 300;
    page.PageHeight = 200;
    page.MarginTop = page.MarginLeft = page.MarginRight = page.MarginBottom = 10;

    auto* title = page.add<TReportLayoutPanel>("Titel");
    title->Align = alTop;
    title->Height = 30;
    auto* heading = place<TReportLabel>(title, 0, 4, 280, 20, "Ueberschrift");
    heading->Caption = "Fangbuch 2006";
    heading->FontSize = 16;
    heading->FontBold = true;
    heading->Alignment = taCenter;
    auto* frame = place<TReportRect>(title, 0, 0, 280, 28, "Rahmen");
    frame->LineStyle = psDash;
    frame->LineColor = clNavy;

    auto* body = page.add<TReportLayoutPanel>("Inhalt");
    body->Align = alClient;
    auto* picture = place<TReportJpegImage>(body, 200, 4, 64, 48, "Bild");
    picture->SharedImage = true;
    picture->loadFromFile(QStringLiteral(FK_TEST_DATA "/pdf/fisch.jpg"));
    auto* note = place<TReportLabel>(body, 200, 56, 64, 10, "Notiz");
    note->Caption = "Gr\xF6\xDF" "e \xB0";
    note->FontName = fnTimesRoman;
    note->FontItalic = true;
    note->FontSize = 8;
    note->Alignment = taRightJustify;

    auto* grid = place<TReportGridPanel>(body, 0, 4, 180, 40, "Tabelle");
    grid->RowCount = 2;
    auto* species = place<TReportLabel>(grid, 2, 3, 100, 12, "fischart");
    auto* length = place<TReportLabel>(grid, 100, 3, 78, 12, "laenge");
    length->FontName = fnFixedWidth;
    length->Alignment = taRightJustify;
    place<TReportRect>(grid, 0, 19, 180, 1, "Linie");

    const QByteArray rows[2][2] = {{"Barsch", "31 cm"}, {"Hecht", "87 cm"}};
    TPdfOutlineEntry* pageEntry = nullptr;
    page.OnPrintPage = [&](TReportPage&) {
        report.SetOpenAction(report.CreateDestination());
        pageEntry = report.GetOutlineRoot()->AddChild();
        pageEntry->Title = "Seite 1";
        pageEntry->Opened = true;
        pageEntry->SetDest(report.CreateDestination());
    };
    grid->BeforePrintChild = [&](TReportGridPanel& g, const QRect& cell) {
        species->Caption = rows[g.currentRow()][0];
        length->Caption = rows[g.currentRow()][1];
        TPdfOutlineEntry* entry = pageEntry->AddChild();
        entry->Title = species->Caption;
        entry->SetDest(report.CreateDestination(cell.left(), cell.top()));
    };
    report.beginDoc();
    report.print(page);
    report.endDoc();
}

} // namespace

TEST(PdfReference, SmallDocumentMatchesTheCheckedFile)
{
    QTemporaryDir dir;
    TReport report;
    report.FileName = dir.filePath("klein.pdf");
    buildSmallReport(report);
    const QByteArray made = safefile::readOrThrow(report.FileName);
    const QString referencePath = QStringLiteral(FK_TEST_DATA "/pdf/reference_small.pdf");
    if (qEnvironmentVariableIsSet("FK_UPDATE_PDF_REFERENCE"))
        safefile::writeOrThrow(referencePath, made);
    const QByteArray reference = safefile::readOrThrow(referencePath);
    EXPECT_EQ(made.size(), reference.size());
    EXPECT_TRUE(made == reference) << "differs from " << referencePath.toStdString() << " at byte "
                                   << std::mismatch(made.begin(), made.end(), reference.begin(), reference.end()).first - made.begin();

    EXPECT_TRUE(qpdfClean(report.FileName));
    EXPECT_EQ(outlineTitles(report.FileName), QStringList({"Seite 1", "  Barsch", "  Hecht"}));
    const QString text = pdfText(report.FileName);
    for (const char* s : {"Fangbuch 2006", "Barsch", "31 cm", "Hecht", "87 cm", "Größe °"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(renderedPages(report.FileName), 1);
}
