// A 1,000-page report in the layout of the species statistics: title and header bands, a grid
// of 50 rows with six labels, a bottom rule and seven dotted column rules per row, a page
// bookmark with 50 row bookmarks, and the same ~100 KB JPEG (shared) on every page.
#include "base/Jpeg.h"
#include "pdf/Report.h"
#include "base/SafeFile.h"
#include "PeakMemory.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

int g_pages = 1000; // set per benchmark from its argument

QByteArray pictureOfAbout100KB()
{
    QImage img(640, 480, QImage::Format_RGB888);
    quint32 seed = 12345;
    for (int y = 0; y < img.height(); ++y) {
        uchar* row = img.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 40);
            row[3 * x] = uchar(30 + x * 150 / img.width() + noise);
            row[3 * x + 1] = uchar(80 + noise);
            row[3 * x + 2] = uchar(200 - y * 120 / img.height() + noise);
        }
    }
    return jpeg::encode(img, 85);
}

struct StatisticsLayout {
    TReport report;
    TReportPage page{"ReportPage1"};
    TReportLabel* cells[6];
    std::vector<TReportRect*> rules;
    TPdfOutlineEntry* pageEntry = nullptr;
    int rowsLeft = 0;
    int index = 0;

    explicit StatisticsLayout(const QByteArray& jpegBytes)
    {
        report.Title = "Fischkladde";
        report.PageLayout = TPdfPageLayout::OneColumn;
        report.PageMode = TPdfPageMode::UseOutlines;
        report.UseOutlines = true;
        page.MarginBottom = 20;

        auto* title = page.add<TReportLayoutPanel>("ReportLayoutPanel2");
        title->Align = alTop;
        title->Height = 30;
        auto* year = title->add<TReportLabel>("ReportLabel7");
        year->setBounds(0, 0, 532, 30);
        year->Caption = "2006";
        year->FontSize = 20;
        year->FontBold = true;
        year->Alignment = taCenter;
        auto* logo = title->add<TReportJpegImage>("Logo");
        logo->setBounds(492, 0, 40, 28);
        logo->SharedImage = true;
        logo->Stretch = true;
        logo->setJpeg(jpegBytes);

        const int left[6] = {0, 152, 208, 288, 368, 448};
        const int width[6] = {153, 57, 81, 81, 81, 81};
        const char* headings[6] = {"Fischart:", "Anzahl:", "\xD8 L\xE4nge:", "\xD8 Gewicht:", "L\xE4ngster:",
                                   "Schwerster:"};
        auto* header = page.add<TReportLayoutPanel>("ReportLayoutPanel1");
        header->Align = alTop;
        header->Height = 24;
        for (int i = 0; i < 6; ++i) {
            auto* box = header->add<TReportRect>("Box");
            box->setBounds(left[i], 0, width[i], 24);
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
        for (int i = 0; i < 6; ++i) {
            cells[i] = grid->add<TReportLabel>("Zelle");
            cells[i]->setBounds(left[i] + 3, 2, width[i] - 6, 12);
            cells[i]->Alignment = i >= 2 ? taRightJustify : taLeftJustify;
        }
        auto* bottom = grid->add<TReportRect>("Unten");
        bottom->setBounds(0, 13, 529, 1);
        rules.push_back(bottom);
        for (const int x : {0, 152, 208, 288, 368, 448, 528}) {
            auto* r = grid->add<TReportRect>("Senkrecht");
            r->setBounds(x, 0, 1, 14);
            r->LineStyle = psDot;
            rules.push_back(r);
        }

        page.OnPrintPage = [this](TReportPage&) {
            if (report.pageNumber() == 1)
                report.SetOpenAction(report.CreateDestination());
            pageEntry = report.GetOutlineRoot()->AddChild();
            pageEntry->Title = "Seite " + QByteArray::number(report.pageNumber());
            pageEntry->SetDest(report.CreateDestination());
        };
        grid->BeforePrintChild = [this](TReportGridPanel&, const QRect& cell) {
            const bool filled = rowsLeft > 0;
            for (auto* r : rules)
                r->Printable = filled;
            if (!filled) {
                for (auto* c : cells)
                    c->Caption.clear();
                return;
            }
            ++index;
            cells[0]->Caption = "Regenbogenforelle " + QByteArray::number(index);
            cells[1]->Caption = QByteArray::number(index % 97);
            cells[2]->Caption = QByteArray::number(30 + index % 50) + ",50 cm";
            cells[3]->Caption = QByteArray::number(1000 + index % 3000) + ",00 g";
            cells[4]->Caption = QByteArray::number(40 + index % 60) + " cm";
            cells[5]->Caption = QByteArray::number(2000 + index % 5000) + " g";
            TPdfOutlineEntry* row = pageEntry->AddChild();
            row->Title = cells[0]->Caption;
            row->SetDest(report.CreateDestination(cell.left(), cell.top()));
            --rowsLeft;
        };
    }

    void printAll()
    {
        rowsLeft = g_pages * 50;
        index = 0;
        while (rowsLeft > 0)
            report.print(page);
    }
};

const QByteArray& picture()
{
    static const QByteArray bytes = pictureOfAbout100KB();
    return bytes;
}

qint64 g_fileBytes = 0;

void setRates(benchmark::State& state, qint64 bytes)
{
    state.counters["pages/s"] = benchmark::Counter(double(g_pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = double(bytes) / 1e6;
    state.counters["jpeg_KB"] = double(picture().size()) / 1e3;
}

// The whole job: lay out and print 1,000 pages, serialise, write the file.
// The argument is the page count; 2,000 pages show that time and memory grow linearly.
void BM_ReportToFile(benchmark::State& state)
{
    g_pages = int(state.range(0));
    QTemporaryDir dir;
    StatisticsLayout layout(picture());
    layout.report.FileName = dir.filePath("statistik.pdf");
    for (auto _ : state) {
        layout.report.beginDoc();
        layout.printAll();
        layout.report.endDoc();
    }
    const qint64 bytes = QFileInfo(layout.report.FileName).size();
    if (g_pages == 1000)
        g_fileBytes = bytes;
    setRates(state, bytes);
    // How far the memory grows for the whole job: the pages in memory, and no copy of the file.
    state.counters["peak_growth_MB"] = benchmem::peakGrowthMB([&] {
        layout.report.beginDoc();
        layout.printAll();
        layout.report.endDoc();
    });
}
BENCHMARK(BM_ReportToFile)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only laying out and printing the pages into memory (content streams, objects).
void BM_ReportPagesOnly(benchmark::State& state)
{
    g_pages = 1000;
    StatisticsLayout layout(picture());
    for (auto _ : state) {
        layout.report.beginDoc();
        layout.printAll();
        layout.report.abort();
    }
    state.counters["pages/s"] = benchmark::Counter(double(g_pages), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReportPagesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// Serialising a finished 1,000-page document to bytes in memory.
void BM_SerialiseOnly(benchmark::State& state)
{
    g_pages = 1000;
    StatisticsLayout layout(picture());
    layout.report.beginDoc();
    layout.printAll();
    qint64 size = 0;
    for (auto _ : state) {
        QByteArray out;
        layout.report.document().saveToStream(out);
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    layout.report.abort();
    setRates(state, size);
}
BENCHMARK(BM_SerialiseOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writing a finished 1,000-page document into the file, as endDoc() does.
void BM_WriteFinishedDocument(benchmark::State& state)
{
    g_pages = 1000;
    QTemporaryDir dir;
    StatisticsLayout layout(picture());
    layout.report.beginDoc();
    layout.printAll();
    const QString path = dir.filePath("fertig.pdf");
    const TPdfDocument& doc = layout.report.document();
    for (auto _ : state)
        safefile::writeStreamedOrThrow(path, [&doc](const safefile::Put& put) { return doc.writeTo(put); });
    state.counters["write_peak_growth_MB"] = benchmem::peakGrowthMB([&] {
        safefile::writeStreamedOrThrow(path, [&doc](const safefile::Put& put) { return doc.writeTo(put); });
    });
    layout.report.abort();
    setRates(state, QFileInfo(path).size());
}
BENCHMARK(BM_WriteFinishedDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: writing the same number of bytes with the same safe file write.
void BM_PlainWriteSameBytes(benchmark::State& state)
{
    g_pages = 1000;
    QTemporaryDir dir;
    if (g_fileBytes == 0) {
        StatisticsLayout layout(picture());
        layout.report.FileName = dir.filePath("probe.pdf");
        layout.report.beginDoc();
        layout.printAll();
        layout.report.endDoc();
        g_fileBytes = QFileInfo(layout.report.FileName).size();
    }
    const QByteArray bytes(g_fileBytes, 'x');
    const QString path = dir.filePath("plain.bin");
    for (auto _ : state)
        safefile::writeOrThrow(path, bytes);
    setRates(state, g_fileBytes);
}
BENCHMARK(BM_PlainWriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
