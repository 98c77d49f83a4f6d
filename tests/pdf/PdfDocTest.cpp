#include "pdf/PdfDoc.h"
#include "PdfTools.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"

#include <QImage>
#include <limits>

namespace {

QByteArray written(const TPdfObject& o)
{
    QByteArray out;
    o.writeTo(out);
    return out;
}

} // namespace

TEST(PdfTypes, NumbersAreRoundedHalfUpToTheShortestForm)
{
    const std::pair<double, const char*> numbers[] = {
        {12, "12"}, {12.5, "12.5"}, {1.0 / 3, "0.33"}, {0.125, "0.13"},
        {2.675, "2.68"}, // binary 2.67499..., still the decimal half
        {128 / 255.0, "0.5"}, {-1.005, "-1.01"}, {-0.004, "0"}, {841.999, "842"}, {1234567.891, "1234567.89"}};
    for (const auto& [value, text] : numbers)
        EXPECT_EQ(pdf::number(value), text) << value;
    QByteArray ints;
    for (const qint64 v : {qint64(0), qint64(7), qint64(10), qint64(99), qint64(100), qint64(-305), qint64(1000001),
                           std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()}) {
        pdf::appendInteger(ints, v);
        ints += ' ';
    }
    EXPECT_EQ(ints, "0 7 10 99 100 -305 1000001 9223372036854775807 -9223372036854775808 ");
    EXPECT_THROW(pdf::number(std::nan("")), EPdfError);
    EXPECT_THROW(pdf::number(1e300), EPdfError);
}

TEST(PdfTypes, StringsNamesAndContainersAreWrittenAsTheFileFormatSays)
{
    EXPECT_EQ(written(TPdfText("a(b)c\\d\r\n\t\b\f")), "(a\\(b\\)c\\\\d\\r\\n\\t\\b\\f)");
    EXPECT_EQ(written(TPdfText("Fl\xE4" "che")), "(Fl\xE4" "che)");
    // The euro sign sits elsewhere in the viewers' text encoding: UTF-16 with byte-order mark.
    EXPECT_EQ(written(TPdfText("5 \x80")), "<FEFF0035002020AC>");
    EXPECT_EQ(written(TPdfName("A B/C#(1)")), "/A#20B#2FC#23#281#29");
    EXPECT_EQ(written(TPdfName("F\xE4")), "/F#E4");
    EXPECT_EQ(written(TPdfNull()), "null");
    EXPECT_EQ(written(TPdfBoolean(false)), "false");
    EXPECT_EQ(written(TPdfReal(0.5)), "0.5");

    TPdfArray array;
    array.addNumber(0);
    array.addReal(595.5);
    array.addName("Fit");
    EXPECT_EQ(written(array), "[0 595.5 /Fit]");

    TPdfDictionary dict;
    dict.addName("Type", "Font");
    dict.addNumber("Count", 3);
    dict.addNumber("Count", 4); // replaces
    EXPECT_EQ(written(dict), "<<\r\n/Type /Font\r\n/Count 4\r\n>>");

    TPdfStream stream;
    stream.attributes().addName("Filter", "DCTDecode");
    stream.data() = "abc";
    EXPECT_EQ(written(stream), "<<\r\n/Length 3\r\n/Filter /DCTDecode\r\n>>\r\nstream\r\nabc\nendstream");

    // A direct object has one owner.
    auto* shared = new TPdfNumber(1);
    TPdfArray a, b;
    a.add(shared);
    EXPECT_THROW(b.add(shared), EPdfError);
}

TEST(PdfDocument, FileLayoutAndCrossReferenceTable)
{
    TPdfDocument doc;
    doc.newDoc();
    doc.addPage(595.3, 841.9);
    doc.canvas().setFont("Arial", 12);
    doc.canvas().beginText();
    doc.canvas().moveTextPoint(10, 800);
    doc.canvas().showText("Hallo");
    doc.canvas().endText();
    const QByteArray file = doc.save();

    ASSERT_TRUE(file.startsWith("%PDF-1.2 \r\n1 0 obj\r\n<<\r\n/Type /Catalog\r\n"));
    ASSERT_TRUE(file.endsWith("\r\n%%EOF\r\n"));
    const qsizetype startxref = file.lastIndexOf("startxref\r\n");
    const qsizetype xrefAt = file.mid(startxref + 11).split('\r').first().toLongLong();
    ASSERT_EQ(file.mid(xrefAt, 6), "xref\r\n");

    // catalog, info, pages, content stream, page, font
    const QList<QByteArray> xref = file.mid(xrefAt).split('\n');
    EXPECT_EQ(xref[1], "0 7\r");
    EXPECT_EQ(xref[2], "0000000000 65535 f\r");
    for (int n = 1; n <= 6; ++n) {
        const QByteArray entry = xref[2 + n];
        ASSERT_EQ(entry.size(), 19) << entry.constData(); // 20 bytes with the LF
        ASSERT_TRUE(entry.endsWith(" 00000 n\r"));
        EXPECT_EQ(file.mid(entry.left(10).toLongLong(), 8), QByteArray::number(n) + " 0 obj\r");
    }
    EXPECT_TRUE(file.contains("trailer\r\n<<\r\n/Size 7\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>\r\nstartxref\r\n"));
    // The rest of the dictionaries is pinned byte for byte by the reference document.
    EXPECT_TRUE(file.contains("/MediaBox [0 0 595 842]"));
    EXPECT_TRUE(file.contains("/F0 12 Tf\nBT\n10 800 Td\n(Hallo) Tj\nET\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath("doc.pdf");
    safefile::writeOrThrow(path, file);
    EXPECT_TRUE(qpdfClean(path));
    EXPECT_TRUE(pdfText(path).contains("Hallo"));
}

TEST(PdfDocument, MisuseRaisesTheOperationAndReason)
{
    TPdfDocument doc;
    EXPECT_EQ(errorText([&] { doc.addPage(); }), "AddPage --current pages null.");
    EXPECT_EQ(errorText([&] { doc.save(); }), "SaveToStream --there is no document to save.");
    doc.newDoc();
    EXPECT_EQ(errorText([&] { doc.outlineRoot(); }), "GetOutlineRoot --not use outline mode..");
    EXPECT_EQ(errorText([&] { doc.createFont("Arial-Black"); }), "CreateFont --InvalidFontName:Arial-Black");
    EXPECT_EQ(errorText([&] { doc.createDestination(); }), "CreateDestination --current page null.");
    doc.addPage();
    EXPECT_EQ(errorText([&] { doc.canvas().showText("x"); }), "ShowText --font is not set.");
    EXPECT_EQ(errorText([&] { doc.canvas().gRestore(); }), "GRestore --no saved graphics state.");
    EXPECT_EQ(errorText([&] { doc.canvas().executeXObject("Bild"); }), "GetXObject --xobject not found: Bild");

    doc.registerXObject(TPdfJpegImage::create(testJpeg()), "Bild");
    EXPECT_EQ(errorText([&] { doc.registerXObject(TPdfJpegImage::create(testJpeg()), "Bild"); }),
              "RegisterXObject --dupulicate name: Bild");

    TPdfDestination* dest = doc.createDestination();
    EXPECT_EQ(errorText([&] { dest->setZoom(-0.1); }), "Zoom property cannot set to under 0.");
    EXPECT_EQ(errorText([&] { dest->setZoom(kPdfMaxZoom + 0.5); }), "Zoom property cannot set to over 10.");
    dest->setZoom(kPdfMaxZoom);
    dest->setZoom(0);
    EXPECT_EQ(dest->zoom(), 0);
}

TEST(PdfDocument, FontsAreAddedOnFirstUseAndMeasuredWithThePublishedWidths)
{
    TPdfDocument doc;
    doc.newDoc();
    doc.addPage();
    TPdfCanvas& c = doc.canvas();
    c.setFont("Times-Bold", 10);
    c.setFont("FixedWidth-BoldItalic", 10);
    c.setFont("Times-Bold", 20);
    const QByteArray file = doc.save();
    EXPECT_TRUE(file.contains("/F0 10 Tf\n/F1 10 Tf\n/F0 20 Tf\n"));
    EXPECT_TRUE(file.contains("/Name /F0\r\n/BaseFont /Times-Bold"));
    EXPECT_TRUE(file.contains("/Font <<\r\n/F0 6 0 R\r\n/F1 7 0 R\r\n>>"));

    // Helvetica "ä" 556, "€" 556; Courier 600 each.
    EXPECT_DOUBLE_EQ(pdf::textWidth("Arial", 10, "\xE4\x80"), 11.12);
    EXPECT_DOUBLE_EQ(pdf::textWidth("FixedWidth", 12, "abc d", 1, 2), 5 * 7.2 + 5 + 2);
    EXPECT_DOUBLE_EQ(pdf::textWidth("Arial-Bold", 10, "\x81"), 0); // unused code

    c.setFont("Arial", 10);
    c.setCharSpace(0.5);
    EXPECT_DOUBLE_EQ(c.textWidth("ab"), 5.56 * 2 + 1);
    EXPECT_EQ(c.measureText("aaaa", 12.2), 2);
    EXPECT_EQ(c.measureText("aaaa", 100), 4);
}

TEST(PdfDocument, CanvasOperatorsAndTheirNumberFormat)
{
    TPdfDocument doc;
    doc.newDoc();
    doc.addPage(600, 700);
    TPdfCanvas& c = doc.canvas();
    c.gSave();
    c.concat(200, 0, 0, 150.5, 32, 0.333);
    c.setDash({8, 7, 2, 7}, 0);
    c.setLineWidth(0.5);
    c.moveTo(1, 2);
    c.lineTo(3.14159, 4);
    c.rectangle(10, 20, 30, 40);
    c.closePath();
    c.endPath();
    c.stroke();
    c.closePathStroke();
    c.fill();
    c.fillStroke();
    c.clip();
    c.setCharSpace(1);
    c.setWordSpace(2.5);
    c.setLeading(12);
    c.setHorizontalScaling(90);
    c.setFillColor(clNavy);
    c.setStrokeColor(clGreen);
    c.setRGBFillColor(1, 0, 0);
    c.setFont("Times-Italic", 9);
    c.moveToNextLine();
    c.gRestore();
    EXPECT_EQ(c.font(), nullptr) << "restore brings back the saved state";
    EXPECT_EQ(c.dash(), std::vector<double>{});
    const QByteArray expected = "q\n200 0 0 150.5 32 0.33 cm\n[8 7 2 7] 0 d\n0.5 w\n1 2 m\n3.14 4 l\n10 20 30 40 re\n"
                                "h\nn\nS\ns\nf\nb\nW\n1 Tc\n2.5 Tw\n12 TL\n90 Tz\n0 0 0.5 rg\n0 0.5 0 RG\n1 0 0 rg\n"
                                "/F0 9 Tf\nT*\nQ\n";
    EXPECT_EQ(doc.currentPage()->contents().data(), expected);
}

TEST(PdfDocument, JpegImagesKeepTheirBytesAndRefuseOtherData)
{
    const QByteArray jpg = testJpeg(40, 30);
    auto image = TPdfJpegImage::create(jpg);
    EXPECT_EQ(image->width(), 40);
    EXPECT_EQ(image->height(), 30);
    EXPECT_EQ(image->data(), jpg);
    QByteArray dict;
    image->writeValue(dict);
    EXPECT_TRUE(dict.startsWith("<<\r\n/Length " + QByteArray::number(jpg.size())
                                + "\r\n/Type /XObject\r\n/Subtype /Image\r\n/ColorSpace /DeviceRGB\r\n/Width 40\r\n"
                                  "/Height 30\r\n/BitsPerComponent 8\r\n/Filter /DCTDecode\r\n>>\r\nstream\r\n"));

    QImage gray(8, 8, QImage::Format_Grayscale8);
    gray.fill(90);
    QByteArray grayDict;
    TPdfJpegImage::create(jpeg::encode(gray))->writeValue(grayDict);
    EXPECT_TRUE(grayDict.contains("/ColorSpace /DeviceGray")) << "a gray JPEG is not RGB";

    const auto createError = [](const QByteArray& bytes) { return errorText([&] { TPdfJpegImage::create(bytes); }); };
    EXPECT_EQ(createError("\x89PNG\r\n\x1a\n...."), "only jpeg image is allowed.");
    EXPECT_TRUE(createError(jpg.left(30)).startsWith("Das JPEG-Bild kann nicht gelesen werden:"));
    EXPECT_EQ(errorText([&] { createPdfImage("Pdf-Png", jpg); }), "CreateImage --InvalidImageClassName:Pdf-Png");
}

TEST(PdfDocument, OutlinesFormATreeWithCounts)
{
    TPdfDocument doc;
    doc.UseOutlines = true;
    doc.newDoc();
    doc.addPage();
    TPdfOutlineRoot* root = doc.outlineRoot();
    TPdfOutlineEntry* a = root->AddChild();
    a->Title = "Seite 1";
    a->SetDest(doc.createDestination());
    TPdfOutlineEntry* a1 = a->AddChild();
    a1->Title = "Barsch";
    TPdfOutlineEntry* a2 = a->AddChild();
    a2->Title = "Summe 2,25 \x80";
    TPdfOutlineEntry* b = root->AddChild();
    b->Title = "Seite 2";
    b->Opened = true;
    b->AddChild()->Title = "Zander";

    EXPECT_EQ(a2->prev(), a1);

    QByteArray out;
    root->writeValue(out);
    EXPECT_TRUE(out.contains("/Count 3")) << out.constData(); // a, b, and b's open child
    out.clear();
    a->writeValue(out);
    EXPECT_TRUE(out.contains("/Count -2")) << "closed entry: negative count";
    EXPECT_TRUE(out.contains("/Dest [6 0 R /XYZ 0 842 1]")) << out.constData();

    // A foreign reader walks the tree in order; the euro sign arrives as UTF-16.
    QTemporaryDir dir;
    const QString path = dir.filePath("outline.pdf");
    safefile::writeOrThrow(path, doc.save());
    EXPECT_TRUE(qpdfClean(path));
    EXPECT_EQ(outlineTitles(path), QStringList({"Seite 1", "  Barsch", "  Summe 2,25 \u20AC", "Seite 2", "  Zander"}));
}
