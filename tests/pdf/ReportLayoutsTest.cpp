// The writer carries the layouts of the program's reports: a statistics table page and a
// catch page with framed blocks and pictures.
#include "pdf/Report.h"
#include "PdfTools.h"
#include "storage/SafeFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ReportLayouts, StatisticsTableWithTotalRowAndBlankRows)
{
    QTemporaryDir dir;
    TReport report;
    report.FileName = dir.filePath("statistik.pdf");
    report.Title = "Fischkladde";
    report.PageLayout = TPdfPageLayout::OneColumn;
    report.PageMode = TPdfPageMode::UseOutlines;
    report.UseOutlines = true;

    TReportPage page("ReportPage1");
    page.MarginBottom = 20;
    auto* titleBand = page.add<TReportLayoutPanel>("ReportLayoutPanel2");
    titleBand->Align = alTop;
    titleBand->Height = 30;
    auto* year = titleBand->add<TReportLabel>("ReportLabel7");
    year->setBounds(0, 0, 532, 30);
    year->Caption = "2005";
    year->FontSize = 20;
    year->FontBold = true;
    year->Alignment = taCenter;
    auto* header = page.add<TReportLayoutPanel>("ReportLayoutPanel1");
    header->Align = alTop;
    header->Height = 24;
    const int left[6] = {0, 152, 208, 288, 368, 448};
    const int width[6] = {153, 57, 81, 81, 81, 81};
    const char* headings[6] = {"Fischart:", "Anzahl:", "\xD8 L\xE4nge:", "\xD8 Gewicht:", "L\xE4ngster:", "Schwerster:"};
    for (int i = 0; i < 6; ++i) {
        header->add<TReportRect>("Box")->setBounds(left[i], 0, width[i], 24);
        auto* h = header->add<TReportLabel>("Kopf");
        h->setBounds(left[i] + 3, 5, width[i] - 6, 14);
        h->Caption = headings[i];
        h->FontSize = 12;
        h->FontBold = true;
        h->FontColor = clNavy;
    }
    auto* grid = page.add<TReportGridPanel>("ReportGridPanel1");
    grid->Align = alClient;
    grid->RowCount = 50;
    TReportLabel* cells[6];
    for (int i = 0; i < 6; ++i) {
        cells[i] = grid->add<TReportLabel>("Zelle");
        cells[i]->setBounds(left[i] + 3, 2, width[i] - 6, 12);
        cells[i]->Alignment = i >= 2 ? taRightJustify : taLeftJustify;
    }
    std::vector<TReportRect*> rules;
    rules.push_back(grid->add<TReportRect>("Unten"));
    rules.back()->setBounds(0, 13, 529, 1);
    for (const int x : {0, 152, 208, 288, 368, 448, 528}) {
        rules.push_back(grid->add<TReportRect>("Senkrecht"));
        rules.back()->setBounds(x, 0, 1, 14);
        rules.back()->LineStyle = psDot;
    }

    const QByteArray rows[4][6] = {{"Barsch", "3", "24,33 cm", "310,00 g", "31 cm", "420 g"},
                                   {"Hecht", "1", "87,00 cm", "4200,00 g", "87 cm", "4200 g"},
                                   {"Zander", "2", "55,50 cm", "1650,00 g", "61 cm", "2100 g"},
                                   {"Gesamt", "6", "44,17 cm", "1368,33 g", "87 cm", "4200 g"}};
    int next = 0;
    int blankRows = 0;
    TPdfOutlineEntry* pageEntry = nullptr;
    page.OnPrintPage = [&](TReportPage&) {
        if (report.pageNumber() == 1)
            report.SetOpenAction(report.CreateDestination());
        pageEntry = report.GetOutlineRoot()->AddChild();
        pageEntry->Title = "Seite " + QByteArray::number(report.pageNumber());
        pageEntry->SetDest(report.CreateDestination());
    };
    grid->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        const bool filled = next < 4;
        for (auto* r : rules)
            r->Printable = filled;
        for (int i = 0; i < 6; ++i) {
            cells[i]->Caption = filled ? rows[next][i] : QByteArray();
            cells[i]->FontBold = next == 3;
        }
        if (!filled) {
            ++blankRows;
            return;
        }
        TPdfOutlineEntry* entry = pageEntry->AddChild();
        entry->Title = rows[next][0];
        entry->SetDest(report.CreateDestination(cell.left(), cell.top()));
        ++next;
    };
    report.beginDoc();
    report.print(page);
    report.endDoc();

    EXPECT_EQ(blankRows, 46);
    const QByteArray file = safefile::readOrThrow(report.FileName);
    EXPECT_EQ(file.count(" l\nS\n"), 4 * 8) << "rules only in the four filled rows";
    EXPECT_TRUE(file.contains("/BaseFont /Helvetica-Bold"));
    EXPECT_EQ(outlineTitles(report.FileName), QStringList({"Seite 1", "  Barsch", "  Hecht", "  Zander", "  Gesamt"}));
    const QString text = pdfText(report.FileName);
    for (const char* s : {"2005", "Ø Länge:", "Schwerster:", "Barsch", "24,33 cm", "4200,00 g", "Gesamt", "1368,33 g"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    bool clean = false;
    EXPECT_TRUE((qpdfCheck(report.FileName, &clean), clean));
    if (qEnvironmentVariableIsSet("FK_KEEP_PDF"))
        safefile::writeOrThrow(qEnvironmentVariable("FK_KEEP_PDF") + "/statistik.pdf", file);
}

TEST(ReportLayouts, CatchBlocksWithPicturesAndWrappedRemarks)
{
    QTemporaryDir dir;
    TReport report;
    report.FileName = dir.filePath("faenge.pdf");
    report.UseOutlines = true;
    TReportPage page("ReportPage1");
    page.PageWidth = 600;
    page.PageHeight = 700;
    page.MarginTop = page.MarginBottom = 2;
    auto* titleBand = page.add<TReportLayoutPanel>("Titel");
    titleBand->Align = alTop;
    titleBand->Height = 25;
    auto* title = titleBand->add<TReportLabel>("ReportLabel11");
    title->setBounds(0, 0, 536, 25);
    title->FontSize = 20;
    title->Alignment = taCenter;
    title->Caption = "2006";
    auto* grid = page.add<TReportGridPanel>("ReportGridPanel1");
    grid->Align = alClient;
    grid->RowCount = 3;
    auto* frame = grid->add<TReportRect>("Rahmen");
    frame->setBounds(0, 0, 536, 222);
    auto* heading = grid->add<TReportText>("ReportText2");
    heading->setBounds(6, 6, 320, 14);
    heading->FontSize = 12;
    heading->FontBold = true;
    heading->FontColor = clNavy;
    auto* when = grid->add<TReportText>("ReportText3");
    when->setBounds(6, 19, 320, 12);
    grid->add<TReportRect>("Linie1")->setBounds(6, 32, 320, 1);
    auto* picture = grid->add<TReportJpegImage>("Bild");
    picture->setBounds(330, 6, 200, 150);
    picture->Stretch = true;
    auto* pictureFrame = grid->add<TReportRect>("Bildrahmen");
    pictureFrame->setBounds(330, 6, 200, 150);
    auto* baitLabel = grid->add<TReportLabel>("KoederLabel");
    baitLabel->setBounds(6, 34, 90, 12);
    baitLabel->FontBold = true;
    baitLabel->Caption = "K\xF6" "der:";
    auto* bait = grid->add<TReportLabel>("Koeder");
    bait->setBounds(100, 34, 220, 12);
    auto* tempLabel = grid->add<TReportLabel>("LuftLabel");
    tempLabel->setBounds(6, 105, 90, 12);
    tempLabel->FontBold = true;
    tempLabel->Caption = "Lufttemp.:";
    auto* temp = grid->add<TReportLabel>("Luft");
    temp->setBounds(100, 105, 220, 12);
    grid->add<TReportRect>("Linie2")->setBounds(6, 187, 524, 1);
    auto* remarks = grid->add<TReportText>("Bemerkungen");
    remarks->setBounds(6, 189, 524, 32); // two lines fit, the third would sit on the frame
    remarks->WordWrap = true;
    remarks->Leading = 11;

    const QByteArray photo = testJpeg(160, 120);
    int left = 4;
    TPdfOutlineEntry* pageEntry = nullptr;
    page.OnPrintPage = [&](TReportPage&) {
        pageEntry = report.GetOutlineRoot()->AddChild();
        pageEntry->Title = "Seite " + QByteArray::number(report.pageNumber());
        pageEntry->SetDest(report.CreateDestination());
    };
    grid->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        const bool filled = left > 0;
        for (const auto& child : grid->children())
            child->Printable = filled;
        if (!filled)
            return;
        heading->Lines = {"Hecht, " + QByteArray::number(60 + left) + " cm, 2300 g"};
        when->Lines = {"gefangen am 07.05.2006 um 06:30 Uhr"};
        bait->Caption = "Gummifisch";
        temp->Caption = "14,5 \xB0" "C";
        remarks->Lines = {"Am Schilfrand kurz nach Sonnenaufgang, Wasser leicht tr\xFC" "b. Der Fisch nahm den K\xF6"
                          "der beim Absinken und wurde nach dem Foto zur\xFC" "ckgesetzt. Dieser Satz steht schon in der dritten Zeile und wird nicht mehr gedruckt, weil er umbrochen wird."};
        picture->clear();
        if (left != 2) // one catch without picture
            picture->setJpeg(photo);
        pictureFrame->Printable = picture->hasPicture();
        TPdfOutlineEntry* entry = pageEntry->AddChild();
        entry->Title = heading->Lines.first();
        entry->SetDest(report.CreateDestination(cell.left(), cell.top()));
        --left;
    };
    report.beginDoc();
    while (left > 0)
        report.print(page);
    report.endDoc();

    EXPECT_EQ(renderedPages(report.FileName), 2);
    const QByteArray file = safefile::readOrThrow(report.FileName);
    EXPECT_EQ(file.count("/Subtype /Image"), 3);
    EXPECT_EQ(outlineTitles(report.FileName),
              QStringList({"Seite 1", "  Hecht, 64 cm, 2300 g", "  Hecht, 63 cm, 2300 g", "  Hecht, 62 cm, 2300 g",
                           "Seite 2", "  Hecht, 61 cm, 2300 g"}));
    const QString text = pdfText(report.FileName);
    for (const char* s : {"Köder:", "Gummifisch", "14,5 °C", "leicht trüb", "zurückgesetzt"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_FALSE(text.contains("umbrochen")) << "the third line of the remarks does not fit";
    EXPECT_EQ(text.count("Gummifisch"), 4);
    bool clean = false;
    EXPECT_TRUE((qpdfCheck(report.FileName, &clean), clean));
    if (qEnvironmentVariableIsSet("FK_KEEP_PDF"))
        safefile::writeOrThrow(qEnvironmentVariable("FK_KEEP_PDF") + "/faenge.pdf", file);
}
