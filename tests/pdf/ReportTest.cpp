#include "pdf/Report.h"
#include "PdfTools.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

TEST(ReportLabel, AlignmentJustificationAndClipping)
{
    OnePage t;
    label(t.band, 10, 10, 100, 12, "Hallo");
    label(t.band, 10, 30, 100, 12, "Hallo")->Alignment = taRightJustify; // Arial 10: 22.78 wide
    auto* centre = label(t.band, 10, 50, 100, 12, "Hallo");
    centre->Alignment = taCenter;
    centre->FontBold = true; // 24.45 wide: (100 - 24.45) / 2 = 37.78 -> 38
    centre->FontColor = clNavy;
    // 5.56 + 5.56 + 5 + 2 x 2.78 = 21.68 -> (100 - 21.68) / 2 = 39.16 per blank
    auto* justified = label(t.band, 10, 70, 100, 12, "a b c");
    justified->AlignJustified = true;
    justified->Clipping = true;
    label(t.band, 0, 0, 10, 10, "");
    label(t.band, 0, 0, 100, 10, "unsichtbar")->Printable = false;

    EXPECT_EQ(t.content(), "/F0 10 Tf\nBT\n10 81.5 Td\n(Hallo) Tj\nET\n"   // top 100-10, baseline -8.5
                           "BT\n87 61.5 Td\n(Hallo) Tj\nET\n"               // 100 - 22.78 -> 77
                           "/F1 10 Tf\n0 0 0.5 rg\nBT\n48 41.5 Td\n(Hallo) Tj\nET\n"
                           "q\n10 18 100 12 re\nW\nn\n/F0 10 Tf\n0 0 0 rg\n39.16 Tw\nBT\n10 21.5 Td\n(a b c) Tj\nET\nQ\n");
}

TEST(ReportLabel, FontsByNameAndWinAnsiBytes)
{
    OnePage t;
    const std::pair<TReportFontName, QByteArray> fonts[] = {
        {fnFixedWidth, "Courier"}, {fnArial, "Helvetica"}, {fnTimesRoman, "Times"}};
    int top = 0;
    for (const auto& [name, base] : fonts) {
        for (int style = 0; style < 4; ++style) {
            auto* l = label(t.band, 0, top, 200, 8, "x");
            top += 6;
            l->FontName = name;
            l->FontSize = 5;
            l->FontBold = style & 1;
            l->FontItalic = style & 2;
        }
    }
    // ä ß € ° Ø, a tab, an unused code and a control character.
    label(t.band, 0, 80, 200, 10, "\xE4\xDF\x80\xB0\xD8\t\x81\x01(x)");
    const QByteArray file = t.run();
    for (const char* base : {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique", "Helvetica",
                             "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique", "Times-Roman",
                             "Times-Bold", "Times-Italic", "Times-BoldItalic"})
        EXPECT_TRUE(file.contains(QByteArray("/BaseFont /") + base + "\r\n")) << base;
    EXPECT_TRUE(file.contains("(\xE4\xDF\x80\xB0\xD8 ??\\(x\\)) Tj"));
    EXPECT_TRUE(pdfText(t.report.FileName).contains(QString::fromUtf8("äß€°Ø ?\?(x)")));
}

TEST(ReportText, WrapsCutsAndStopsAboveTheBottom)
{
    OnePage t;
    auto* text = place<TReportText>(t.band, 10, 10, 60, 62);
    text->WordWrap = true;
    text->Leading = 12;
    text->Lines = {"Der Hecht biss am Abend", "Langerwortderpasstnichtmehr", "eins", "zwei  ", ""};
    // Arial 10 in 60 points: "Der Hecht biss" is 65.57 wide, "biss am Abend" 66.14, so the
    // words break there. Bottom at 28: baselines 81.5 .. 45.5 are shown, 33.5 would lie less
    // than one font size above it. The long word is cut after "Langerwortd" (55.58; "e" would
    // give 61.14).
    EXPECT_EQ(t.content(), "/F0 10 Tf\n12 TL\nBT\n10 81.5 Td\n(Der Hecht) Tj\nT*\n(biss am) Tj\nT*\n(Abend) Tj\nT*\n"
                           "(Langerwortd) Tj\nET\n");
    EXPECT_EQ(text->printedLineCount(), 4);
    EXPECT_EQ(text->layoutLines(60), QList<QByteArray>({"Der Hecht", "biss am", "Abend", "Langerwortderpasstnichtmehr",
                                                        "eins", "zwei"}));
    text->WordWrap = false;
    EXPECT_EQ(text->layoutLines(60).first(), "Der Hecht biss am Abend");
}

TEST(ReportRect, LinesDashesAndFill)
{
    OnePage t;
    auto add = [&](int l, int top, int w, int h) { return place<TReportRect>(t.band, l, top, w, h); };
    add(10, 10, 50, 20);                          // solid frame
    add(10, 40, 1, 30)->LineStyle = psDot;        // thin: vertical rule on the left edge
    auto* h = add(20, 40, 40, 0);                 // low: horizontal rule on the top edge
    h->LineStyle = psDashDotDot;
    h->LineColor = clRed;
    auto* filled = add(70, 10, 20, 20);
    filled->FillColor = clSilver;
    filled->LineStyle = psDash;
    filled->LineWidth = 2;
    auto* fillOnly = add(100, 10, 20, 20);
    fillOnly->FillColor = clWhite;
    fillOnly->LineColor = clNone;
    add(130, 10, 20, 20)->LineStyle = psClear;    // nothing at all
    add(160, 10, 1, 20)->LineColor = clNone;      // nothing at all
    add(170, 10, 20, 20)->LineStyle = psDashDot;
    EXPECT_EQ(t.content(), "10 70 50 20 re\nS\n"
                           "[3] 0 d\n10 60 m\n10 30 l\nS\n"
                           "1 0 0 RG\n[8 4 2 4 2 4] 0 d\n20 60 m\n60 60 l\nS\n"
                           "0 0 0 RG\n2 w\n[16 8] 0 d\n0.75 0.75 0.75 rg\n70 70 20 20 re\nb\n"
                           "1 1 1 rg\n100 70 20 20 re\nf\n"
                           "1 w\n[8 7 2 7] 0 d\n170 70 20 20 re\nS\n");
}

TEST(ReportGridPanel, PageLayoutCellsAndEvents)
{
    TReportPage page; // A4 with margins of 32 points
    page.MarginBottom = 20;
    auto* title = page.add<TReportLayoutPanel>("Titel");
    title->Align = alTop;
    title->Height = 30;
    auto* footer = page.add<TReportLayoutPanel>("Fuss");
    footer->Align = alBottom;
    footer->Height = 10;
    page.add<TReportGridPanel>("Grid")->Align = alClient;
    page.add<TReportLayoutPanel>("Frei")->setBounds(5, 6, 7, 8);
    const std::vector<QRect> rects = page.layout();
    EXPECT_EQ(rects[0], QRect(32, 32, 532, 30));
    EXPECT_EQ(rects[1], QRect(32, 812, 532, 10));
    EXPECT_EQ(rects[2], QRect(32, 62, 532, 750));
    EXPECT_EQ(rects[3], QRect(5, 6, 7, 8));

    // 2 columns over 533 and 3 rows over 50: 266 x 16 each, the remainder dropped.
    OnePage t(600, 100);
    auto* grid = t.band->add<TReportGridPanel>("Grid");
    grid->ColCount = 2;
    grid->RowCount = 3;
    grid->setBounds(0, 0, 533, 50);
    auto* cellText = label(grid, 2, 1, 100, 10, "");
    std::vector<QRect> cells;
    std::vector<QByteArray> order;
    grid->BeforePrintChild = [&](TReportGridPanel& g, const QRect& cell) {
        cells.push_back(cell);
        cellText->Caption = QByteArray::number(g.currentRow()) + "/" + QByteArray::number(g.currentCol());
        cellText->Printable = g.currentRow() != 1;
    };
    grid->AfterPrint = [&](TReportGridPanel&, const QRect&) { order.push_back(cellText->Caption); };
    t.run();
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0], QRect(0, 0, 266, 16));
    EXPECT_EQ(cells[1], QRect(266, 0, 266, 16));
    EXPECT_EQ(cells[2], QRect(0, 16, 266, 16));
    EXPECT_EQ(cells[5], QRect(266, 33, 266, 16));
    EXPECT_EQ(order, (std::vector<QByteArray>{"0/0", "0/1", "1/0", "1/1", "2/0", "2/1"}));
    const QString text = pdfText(t.report.FileName);
    EXPECT_TRUE(text.contains("0/0") && text.contains("2/1"));
    EXPECT_FALSE(text.contains("1/0")) << "a row made not printable by the event is skipped";
}

TEST(ReportJpegImage, SharedUniqueStretchAndClip)
{
    OnePage t(300, 200);
    auto* logo = place<TReportJpegImage>(t.band, 10, 10, 80, 60, "Logo");
    logo->SharedImage = true;
    logo->Stretch = true;
    logo->setJpeg(testJpeg(40, 30));
    auto* photo = place<TReportJpegImage>(t.band, 100, 10, 20, 20, "Foto");
    photo->setJpeg(testJpeg(40, 30));
    place<TReportJpegImage>(t.band, 0, 0, 5, 5, "Leer");

    const QByteArray file = t.run(3);
    EXPECT_EQ(file.count("/Subtype /Image"), 4) << "one shared picture, three unique ones";
    EXPECT_EQ(file.count("/Logo Do"), 3);
    EXPECT_TRUE(file.contains("q\n80 0 0 60 10 130 cm\n/Logo Do\nQ\n"));
    // Own size 40 x 30 points from the top left, clipped to the 20 x 20 item.
    const QRegularExpression clipped("q\n100 170 20 20 re\nW\nn\n40 0 0 30 100 160 cm\n/Foto(\\d+) Do\nQ\n");
    auto it = clipped.globalMatch(QString::fromLatin1(file));
    QStringList names;
    while (it.hasNext())
        names << it.next().captured(1);
    EXPECT_EQ(names.size(), 3);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 3) << "each print gets a new name";
    EXPECT_TRUE(qpdfClean(t.report.FileName));
    EXPECT_EQ(renderedPages(t.report.FileName), 3);
    EXPECT_EQ(t.run(3), file) << "the same report gives the same file";

    EXPECT_EQ(errorText([&] { photo->setJpeg("GIF89a......"); }), "only jpeg image is allowed.");
    EXPECT_TRUE(errorText([&] { photo->setJpeg(testJpeg().left(25)); }).startsWith("Das JPEG-Bild kann nicht"));
    EXPECT_TRUE(errorText([&] { photo->loadFromFile(t.dir.filePath("fehlt.jpg")); }).contains("fehlt.jpg"));
}

TEST(ReportJpegImage, NameSpaceRunsOut)
{
    TReport report;
    report.beginDoc();
    TPdfDocument& doc = report.document();
    const QByteArray jpg = testJpeg(4, 4);
    for (int i = 0; i < 65535; ++i)
        doc.registerXObject(TPdfJpegImage::create(jpg), "B" + QByteArray::number(i));
    EXPECT_EQ(errorText([&] { report.uniqueImageName("B"); }), "image count over max value..");
    EXPECT_EQ(report.uniqueImageName("C").left(1), "C");
    report.abort();
}

TEST(Report, MisuseAndFailuresLeaveNoFile)
{
    OnePage t(100, 100);
    TReport& report = t.report;
    TReportPage& page = t.page;
    for (const auto& [op, f] : std::vector<std::pair<QString, std::function<void()>>>{
             {"SetOpenAction", [&] { report.SetOpenAction(nullptr); }},
             {"GetOpenAction", [&] { report.GetOpenAction(); }},
             {"CreateDestination", [&] { report.CreateDestination(); }},
             {"GetOutlineRoot", [&] { report.GetOutlineRoot(); }},
             {"EndDoc", [&] { report.endDoc(); }}}) {
        EXPECT_EQ(errorText(f), op + " --invalid operation.");
    }
    EXPECT_EQ(errorText([&] { report.print(page); }), "Print --invalid operation.");
    report.beginDoc();
    EXPECT_EQ(errorText([&] { report.beginDoc(); }), "BeginDoc --invalid operation.");
    EXPECT_EQ(errorText([&] { report.GetOutlineRoot(); }), "GetOutlineRoot --not use outline mode..");
    report.abort();

    // A damaged picture stops the report while printing; no file appears.
    QTemporaryDir& dir = t.dir;
    report.FileName = dir.filePath("kaputt.pdf");
    auto* photo = place<TReportJpegImage>(t.band, 0, 0, 50, 50, "Foto");
    const QByteArray jpg = testJpeg(64, 64);
    photo->setJpeg(jpg.left(jpg.size() - 60)); // header fine, data cut off
    report.beginDoc();
    EXPECT_TRUE(errorText([&] { report.print(page); }).contains("Premature end of JPEG file"));
    report.abort();
    EXPECT_FALSE(QFile::exists(report.FileName));

    // An unwritable target: error naming the file, document freed, nothing left behind.
    photo->clear();
    report.FileName = dir.filePath("fehlt/bericht.pdf");
    report.beginDoc();
    report.print(page);
    const QString error = errorText([&] { report.endDoc(); });
    EXPECT_TRUE(error.contains("bericht.pdf")) << error.toStdString();
    EXPECT_FALSE(report.isOpen());
    report.FileName = dir.path(); // a folder
    report.beginDoc();
    EXPECT_TRUE(errorText([&] { report.endDoc(); }).contains("Ordner"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

    // An existing file is replaced whole.
    report.FileName = dir.filePath("alt.pdf");
    safefile::writeOrThrow(report.FileName, QByteArray(100000, 'x'));
    report.beginDoc();
    report.endDoc();
    const QByteArray now = safefile::readOrThrow(report.FileName);
    EXPECT_TRUE(now.startsWith("%PDF-1.2") && now.endsWith("%%EOF\r\n") && !now.contains("xxx"));
    EXPECT_TRUE(qpdfClean(report.FileName)) << "a document without pages is still a valid file";
}

TEST(Report, DocumentPropertiesOpenActionAndBookmarks)
{
    OnePage t(596, 842);
    TReport& report = t.report;
    report.Title = "Fischkladde";
    report.Author = "J\xFCrgen";
    report.Subject = "Kosten 12 \x80";
    report.CreationDate = QDateTime(QDate(2006, 5, 7), QTime(8, 9, 10));
    report.PageLayout = TPdfPageLayout::OneColumn;
    report.PageMode = TPdfPageMode::UseOutlines;
    report.NonFullScreenPageMode = TPdfPageMode::UseThumbs;
    report.ViewerPreference = vpHideToolbar | vpCenterWindow;
    report.UseOutlines = true;
    t.page.OnPrintPage = [&](TReportPage&) {
        if (report.pageNumber() == 1)
            report.SetOpenAction(report.CreateDestination());
        TPdfOutlineEntry* entry = report.GetOutlineRoot()->AddChild();
        entry->Title = "Seite " + QByteArray::number(report.pageNumber());
        entry->SetDest(report.CreateDestination());
        TPdfOutlineEntry* row = entry->AddChild();
        row->Title = "Zeile";
        row->SetDest(report.CreateDestination(32, 100));
    };
    const QByteArray file = t.run(2);
    // The open action goes to the first page (object 6).
    EXPECT_TRUE(file.contains("/PageLayout /OneColumn\r\n/PageMode /UseOutlines\r\n/ViewerPreferences <<\r\n"
                              "/HideToolbar true\r\n/CenterWindow true\r\n/NonFullScreenPageMode /UseThumbs\r\n>>\r\n"
                              "/OpenAction [6 0 R /XYZ 0 842 1]\r\n"));
    EXPECT_TRUE(file.contains("/Author (J\xFCrgen)\r\n/CreationDate (D:20060507080910)\r\n/Title (Fischkladde)\r\n"
                              "/Subject <FEFF004B006F007300740065006E002000310032002020AC>\r\n"));
    EXPECT_TRUE(file.contains("/Dest [6 0 R /XYZ 32 742 1]"));
    EXPECT_EQ(outlineTitles(report.FileName), QStringList({"Seite 1", "  Zeile", "Seite 2", "  Zeile"}));
    const ToolResult info = runTool("pdfinfo", {report.FileName});
    EXPECT_TRUE(info.out.contains(" Kosten 12 \xE2\x82\xAC\n")) << info.out.constData();
    EXPECT_TRUE(info.out.contains(" J\xC3\xBCrgen\n"));
    EXPECT_TRUE(info.out.contains(" Fischkladde PDF 1.0\n"));
}
