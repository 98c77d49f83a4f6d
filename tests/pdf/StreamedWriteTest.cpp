// The document is written into the file as it is made, stream data without a copy. What a
// reader needs must still hold: every cross-reference entry points at its object, every
// stream is as long as its /Length says, startxref points at the table.
#include "pdf/PdfDoc.h"
#include "pdf/Report.h"
#include "PdfTools.h"
#include "FullDisk.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>

namespace {

QByteArray noisyJpeg(int size)
{
    QImage image(size, size, QImage::Format_RGB888);
    QRandomGenerator rng(42);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size * 3; ++x)
            image.scanLine(y)[x] = uchar(rng.bounded(256));
    return jpeg::encode(image, 90);
}

void expectReadable(const QByteArray& pdf)
{
    const qsizetype sx = pdf.lastIndexOf("startxref\r\n");
    ASSERT_GT(sx, 0);
    const qint64 xref = pdf.mid(sx + 11).split('\r').first().toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref\r\n0 "));
    const QByteArray countLine = pdf.mid(xref + 8).split('\r').first();
    const int count = countLine.toInt();
    ASSERT_GT(count, 1);
    qint64 entry = xref + 8 + countLine.size() + 2 + 20; // past entry 0
    int streams = 0;
    for (int i = 1; i < count; ++i, entry += 20) {
        const qint64 at = pdf.mid(entry, 10).toLongLong();
        ASSERT_TRUE(pdf.mid(at).startsWith(QByteArray::number(i) + " 0 obj\r\n")) << "object " << i;
        const qint64 body = at + QByteArray::number(i).size() + 8;
        if (!pdf.mid(body).startsWith("<<\r\n/Length "))
            continue;
        const qint64 length = pdf.mid(body + 12).split('\r').first().toLongLong();
        const qint64 data = pdf.indexOf(">>\r\nstream\r\n", body) + 12;
        EXPECT_TRUE(pdf.mid(data + length).startsWith("\nendstream\r\nendobj\r\n")) << "stream of object " << i;
        ++streams;
    }
    EXPECT_GT(streams, 0);
    EXPECT_TRUE(pdf.endsWith("%%EOF\r\n"));
}

// Pages of very different sizes (some far larger than the writer's buffer), a large and a
// small picture, bookmarks.
void fill(TPdfDocument& doc, const QByteArray& bigPicture)
{
    doc.UseOutlines = true;
    doc.newDoc();
    doc.registerXObject(TPdfJpegImage::create(bigPicture), "Gross");
    doc.registerXObject(TPdfJpegImage::create(testJpeg()), "Klein");
    for (int p = 0; p < 12; ++p) {
        TPdfPage* page = doc.addPage();
        TPdfCanvas& c = doc.canvas();
        page->addXObject("Gross", doc.getXObject("Gross"));
        c.setFont("Arial", 10);
        const int lines = p % 3 == 0 ? 3000 : p % 3 == 1 ? 2 : 400;
        for (int l = 0; l < lines; ++l) {
            c.beginText();
            c.moveTextPoint(20, 800 - l % 780);
            c.showText("Zeile " + QByteArray::number(l) + " (\\) Seite " + QByteArray::number(p));
            c.endText();
        }
        c.executeXObject("Gross");
        TPdfOutlineEntry* entry = doc.outlineRoot()->AddChild();
        entry->Title = "Seite " + QByteArray::number(p + 1);
        entry->SetDest(doc.createDestination());
    }
}

} // namespace

TEST(PdfStreamedWrite, PiecesFormTheSameReadableFile)
{
    const QByteArray big = noisyJpeg(300);
    ASSERT_GT(big.size(), 64 * 1024);
    TPdfDocument doc;
    fill(doc, big);
    QList<QByteArray> pieces;
    ASSERT_TRUE(doc.writeTo([&pieces](const char* d, qsizetype n) {
        pieces.append(QByteArray(d, n));
        return true;
    }));
    const QByteArray joined = pieces.join();
    expectReadable(joined);
    // The picture went out as one piece, not copied into a buffer.
    EXPECT_TRUE(pieces.contains(big));
    QByteArray inMemory = "davor";
    doc.saveToStream(inMemory);
    EXPECT_EQ(inMemory, "davor" + joined);

    // A failed write stops the writer at once.
    int calls = 0;
    EXPECT_FALSE(doc.writeTo([&calls](const char*, qsizetype) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.pdf"));
    safefile::writeStreamedOrThrow(path, [&doc](const safefile::Put& put) { return doc.writeTo(put); });
    EXPECT_EQ(safefile::readOrThrow(path), joined);
    EXPECT_TRUE(qpdfClean(path));
}

TEST(PdfStreamedWrite, ReportOnAFullDiskKeepsTheOldFile)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = "%PDF-1.2 alt";
    ASSERT_TRUE(disk.write(QStringLiteral("r.pdf"), old));
    OnePage t(596, 842);
    auto* photo = place<TReportJpegImage>(t.band, 0, 0, 300, 300, "Foto");
    photo->setJpeg(noisyJpeg(400)); // a new picture on each page: megabytes in all
    t.report.FileName = disk.file(QStringLiteral("r.pdf"));
    t.report.beginDoc();
    for (int i = 0; i < 12; ++i)
        t.report.print(t.page);
    const QString error = errorText([&] { t.report.endDoc(); });
    EXPECT_TRUE(error.contains(QStringLiteral("r.pdf"))) << error.toStdString();
    EXPECT_FALSE(t.report.isOpen());
    EXPECT_EQ(disk.read(QStringLiteral("r.pdf")), old);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral(".filler"), QStringLiteral("r.pdf")}));

    disk.release();
    t.report.beginDoc();
    t.report.print(t.page);
    t.report.endDoc();
    const QByteArray written = disk.read(QStringLiteral("r.pdf"));
    expectReadable(written);
    EXPECT_TRUE(qpdfClean(disk.file(QStringLiteral("r.pdf"))));
}
