#include "reports/PdfReports.h"

#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/CommaText.h"
#include "data/GermanFormat.h"
#include "pdf/Report.h"
#include "storage/TTextTable.h"

#include <QFileInfo>

#include <QHash>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <thread>

namespace reports {
namespace {

QByteArray bytes(const QString& text)
{
    return win1252::encodeLossy(text);
}

int pagesFor(int rows, int perPage)
{
    return (rows + perPage - 1) / perPage;
}

// Document settings every report shares, the page bookmarks and the all-or-nothing end.
struct Document {
    TReport report;
    TPdfOutlineEntry* pageEntry = nullptr;

    explicit Document(const QString& path)
    {
        report.FileName = path;
        report.Title = "Fischkladde";
        report.PageLayout = TPdfPageLayout::OneColumn;
        report.PageMode = TPdfPageMode::UseOutlines;
        report.UseOutlines = true;
    }
    ~Document()
    {
        if (report.isOpen())
            report.abort();
    }

    void startPage()
    {
        if (report.pageNumber() == 1)
            report.SetOpenAction(report.CreateDestination());
        pageEntry = report.GetOutlineRoot()->AddChild();
        pageEntry->Title = "Seite " + QByteArray::number(report.pageNumber());
        pageEntry->SetDest(report.CreateDestination());
    }

    void rowBookmark(const QRect& cell, const QByteArray& title)
    {
        TPdfOutlineEntry* entry = pageEntry->AddChild();
        entry->Title = pdf::printableLine(title);
        entry->SetDest(report.CreateDestination(cell.left(), cell.top()));
    }

    // Prints the page while `more` holds, then writes the file.
    void run(TReportPage& page, const std::function<bool()>& more, int pages, const Progress& progress)
    {
        page.OnPrintPage = [this](TReportPage&) { startPage(); };
        report.beginDoc();
        while (more()) {
            report.print(page);
            if (progress)
                progress(report.pageNumber(), std::max(pages, report.pageNumber()));
        }
        report.endDoc();
    }
};

template <class T> T* place(TReportPanel* panel, int left, int top, int width, int height, const QByteArray& name)
{
    T* item = panel->add<T>(name);
    item->setBounds(left, top, width, height);
    return item;
}

TReportLabel* label(TReportPanel* panel, int left, int top, int width, int height, const QByteArray& name,
                    double size = 10, bool bold = false)
{
    auto* item = place<TReportLabel>(panel, left, top, width, height, name);
    item->FontName = fnArial;
    item->FontSize = size;
    item->FontBold = bold;
    return item;
}

TReportLayoutPanel* band(TReportPage& page, const QByteArray& name, int height)
{
    auto* panel = page.add<TReportLayoutPanel>(name);
    panel->Align = alTop;
    panel->Height = height;
    return panel;
}

// A centred Arial 20 title across the page.
TReportLabel* titleBand(TReportPage& page, const QByteArray& panelName, const QByteArray& labelName, int height,
                        bool bold)
{
    auto* panel = band(page, panelName, height);
    auto* title = label(panel, 0, 0, page.PageWidth - page.MarginLeft - page.MarginRight, height, labelName, 20, bold);
    title->Alignment = taCenter;
    return title;
}

struct Column {
    int left;
    int width;
    const char* heading; // Windows-1252
};

// Framed boxes with the navy headings in Arial 12 bold.
void headerBand(TReportPage& page, const QByteArray& name, const std::vector<Column>& columns)
{
    auto* panel = band(page, name, 24);
    for (const Column& c : columns) {
        place<TReportRect>(panel, c.left, 0, c.width, 24, "Rahmen");
        auto* heading = label(panel, c.left + 3, 5, c.width - 6, 14, "Kopf", 12, true);
        heading->Caption = c.heading;
        heading->FontColor = clNavy;
    }
}

TReportGridPanel* grid(TReportPage& page, const QByteArray& name, int rows)
{
    auto* g = page.add<TReportGridPanel>(name);
    g->Align = alClient;
    g->RowCount = rows;
    return g;
}

int gridCellHeight(const TReportPage& page, const TReportGridPanel* g)
{
    const std::vector<QRect> rects = page.layout();
    for (size_t i = 0; i < page.children().size(); ++i)
        if (page.children()[i].get() == g)
            return rects[i].height() / g->RowCount;
    return 0;
}

TReportRect* rule(TReportPanel* panel, int left, int top, int width, int height, TPenStyle style = psSolid)
{
    auto* r = place<TReportRect>(panel, left, top, width, height, "Linie");
    r->LineStyle = style;
    return r;
}

QByteArray field(const TTextTable& t, int row, int column)
{
    return column <= 0 ? QByteArray() : t.value(row, column);
}

} // namespace

// ---- species statistics --------------------------------------------------------------------

void writeStatistikReport(const TTextTable& db, const statistik::Lists& lists, const QString& angler, int year,
                          const QString& path, const Progress& progress)
{
    const QStringList species = statistik::cbload(db, angler, year); // "--Gesamt--" first
    const int n = int(species.size()) - 1;
    if (n <= 0)
        throw NoDataError();

    Document doc(path);
    TReportPage page("ReportPage1");
    page.MarginBottom = 20;
    titleBand(page, "ReportLayoutPanel2", "ReportLabel7", 30, true)->Caption = year ? QByteArray::number(year) : QByteArray();
    const std::vector<Column> columns = {{0, 153, "Fischart:"},       {152, 57, "Anzahl:"},
                                         {208, 81, "\xD8 L\xE4nge:"}, {288, 81, "\xD8 Gewicht:"},
                                         {368, 81, "L\xE4ngster:"},   {448, 81, "Schwerster:"}};
    headerBand(page, "ReportLayoutPanel1", columns);
    auto* g = grid(page, "ReportGridPanel1", 50);
    const int h = gridCellHeight(page, g);
    const char* names[6] = {"fischart", "anzahl", "dlaenge", "dgewicht", "rlaenge", "rgewicht"};
    TReportLabel* cells[6];
    for (int i = 0; i < 6; ++i) {
        cells[i] = label(g, columns[size_t(i)].left + 3, 2, columns[size_t(i)].width - 6, 12, names[i]);
        cells[i]->Alignment = i >= 2 ? taRightJustify : taLeftJustify;
    }
    std::vector<TReportRect*> rules = {rule(g, 0, h - 1, 530, 1)};
    for (const int x : {0, 152, 208, 288, 368, 448, 529})
        rules.push_back(rule(g, x, 0, 1, h, psDot));

    const int lengthColumn = db.FieldIndex(catchrec::Laenge);
    const int weightColumn = db.FieldIndex(catchrec::Gewicht);
    int rowsLeft = n;
    int index = 1;
    g->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        const bool filled = rowsLeft != 0;
        for (TReportRect* r : rules)
            r->Printable = filled;
        if (!filled) {
            for (TReportLabel* c : cells)
                c->Caption.clear();
            return;
        }
        const statistik::ItemPage figures =
            statistik::statistikfischart(db, lists, angler, species[index], year);
        if (index == 0)
            rowsLeft = 0;
        for (TReportLabel* c : cells)
            c->FontBold = index == 0;
        cells[0]->Caption = index == 0 ? QByteArray("Gesamt") : bytes(species[index]);
        cells[1]->Caption = QByteArray::number(figures.count);
        cells[2]->Caption = bytes(figures.laenge) + " cm";
        cells[3]->Caption = bytes(figures.gewicht) + " g";
        // No catch above 0 g: no record fish, so nothing to show.
        const bool record = figures.recordRow > 0;
        cells[4]->Caption = record ? field(db, figures.recordRow, lengthColumn) + " cm" : QByteArray();
        cells[5]->Caption = record ? field(db, figures.recordRow, weightColumn) + " g" : QByteArray();
        doc.rowBookmark(cell, cells[0]->Caption);
        ++index;
        if (rowsLeft == 1) {
            rowsLeft = 2;
            index = 0;
        }
        if (rowsLeft != 0)
            --rowsLeft;
    };
    doc.run(page, [&] { return rowsLeft != 0; }, pagesFor(n + 1, 50), progress);
}

// ---- cost list -------------------------------------------------------------------------------

namespace {

// The cost pages: 50 rows under the title and header bands, margins of 32 all round.
TReportGridPanel* costPage(TReportPage& page, const std::vector<Column>& columns, TReportLabel** title)
{
    *title = titleBand(page, "ReportLayoutPanel2", "ReportLabel1", 25, false);
    headerBand(page, "ReportLayoutPanel1", columns);
    return grid(page, "ReportGridPanel1", 50);
}

} // namespace

void writeCostListReport(const TTextTable& akdb, int year, const QString& path, const Progress& progress)
{
    const QList<int> selection = costs::rowsOfYear(akdb, year);
    if (selection.isEmpty())
        throw NoDataError();

    Document doc(path);
    TReportPage page("ReportPage2");
    page.MarginBottom = 32;
    const std::vector<Column> columns = {
        {0, 72, "Datum:"}, {72, 130, "Gesch\xE4" "ft:"}, {202, 200, "Artikel:"}, {402, 40, "#:"}, {442, 90, "Preis:"}};
    TReportLabel* title;
    auto* g = costPage(page, columns, &title);
    title->Caption = year ? QByteArray::number(year) : QByteArray();
    const int h = gridCellHeight(page, g);
    TReportLabel* cells[5];
    for (int i = 0; i < 5; ++i)
        cells[i] = label(g, columns[size_t(i)].left + 3, 2, columns[size_t(i)].width - 6, 12, "Zeile");
    cells[3]->Alignment = taCenter;
    cells[4]->Alignment = taRightJustify;
    cells[4]->FontColor = clRed;
    TReportRect* bottom = rule(g, 0, h - 1, 532, 1);

    const int cDate = akdb.FieldIndex(costrec::Kaufdatum), cShop = akdb.FieldIndex(costrec::Geschaeft),
              cArticle = akdb.FieldIndex(costrec::Artikel), cQty = akdb.FieldIndex(costrec::Menge),
              cTotal = akdb.FieldIndex(costrec::Gesamtpreis), cShipped = akdb.FieldIndex(costrec::GesamtpreisVersand);
    int counter = int(selection.size());
    bool totalPending = false;
    long double sumShipped = 0, sumTotal = 0;
    g->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        cells[0]->FontBold = false;
        cells[4]->FontBold = false;
        if (counter == 0) {
            for (TReportLabel* c : cells)
                c->Caption.clear();
            bottom->Printable = false;
            return;
        }
        const int row = selection[counter - 1]; // the selection is printed from its end
        if (totalPending) {
            cells[0]->FontBold = true;
            cells[0]->Caption =
                bytes(QStringLiteral("Summe (inkl. %1 € Versandkosten):").arg(costs::formatMoney(sumShipped - sumTotal)));
            cells[1]->Caption.clear();
            cells[2]->Caption.clear();
            cells[3]->Caption.clear();
            cells[4]->Caption = bytes(costs::moneyLabel(sumShipped));
            cells[4]->FontBold = true;
            bottom->Printable = false;
            counter = 0;
            totalPending = false;
            doc.rowBookmark(cell, "Summe");
            return;
        }
        const auto text = [&](int column) { return column <= 0 ? QString() : win1252::decode(akdb.value(row, column)); };
        try {
            sumShipped += costs::readMoney(text(cShipped));
            sumTotal += costs::readMoney(text(cTotal));
        } catch (const EConvertError& e) {
            throw EConvertError(QStringLiteral("Angelkosten Zeile %1: %2").arg(row).arg(e.message()));
        }
        cells[0]->Caption = field(akdb, row, cDate);
        cells[1]->Caption = field(akdb, row, cShop);
        cells[2]->Caption = field(akdb, row, cArticle);
        cells[3]->Caption = field(akdb, row, cQty);
        cells[4]->Caption = field(akdb, row, cTotal) + " \x80";
        bottom->Printable = true;
        doc.rowBookmark(cell, cells[0]->Caption + " " + cells[2]->Caption);
        totalPending = counter == 1;
        if (totalPending)
            counter = 2;
        --counter;
    };
    doc.run(page, [&] { return counter != 0; }, pagesFor(int(selection.size()) + 1, 50), progress);
}

// ---- year overview -------------------------------------------------------------------------

void writeYearOverviewReport(const TTextTable& akdb, int currentYear, const QString& path, const Progress& progress)
{
    const QList<costs::YearLine> lines = costs::yearOverview(akdb, currentYear);
    if (lines.isEmpty())
        throw NoDataError();

    Document doc(path);
    TReportPage page("ReportPage3");
    const std::vector<Column> columns = {{0, 133, "Jahr:"},
                                         {133, 133, "Betrag:"},
                                         {266, 133, "+/- Vorjahr (\x80):"},
                                         {399, 133, "+/- Vorjahr (%):"}};
    TReportLabel* title;
    auto* g = costPage(page, columns, &title);
    const int h = gridCellHeight(page, g);
    const char* names[4] = {"ju_jahr", "ju_betrag", "pvorjahre", "pvorjahrp"};
    TReportLabel* cells[4];
    for (int i = 0; i < 4; ++i) {
        cells[i] = label(g, columns[size_t(i)].left + 3, 2, columns[size_t(i)].width - 6, 12, names[i]);
        cells[i]->Alignment = taCenter;
    }
    std::vector<TReportRect*> frame = {rule(g, 0, h - 1, 532, 1)};
    for (const int x : {0, 133, 266, 399, 531})
        frame.push_back(rule(g, x, 0, 1, h));

    int counter = int(lines.size());
    int index = 0;
    g->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        for (TReportRect* r : frame)
            r->Printable = counter != 0;
        if (counter == 0) {
            for (TReportLabel* c : cells)
                c->Caption.clear();
            return;
        }
        const costs::YearLine& line = lines[index];
        cells[0]->Caption = QByteArray::number(line.year);
        cells[1]->Caption = bytes(line.amount) + " \x80";
        cells[2]->Caption = bytes(line.diffEuro) + " \x80";
        cells[3]->Caption = bytes(line.diffPercent) + " %";
        const TColor colour = line.trend > 0 ? clRed : line.trend < 0 ? clGreen : clBlack;
        for (TReportLabel* c : cells)
            c->FontColor = colour;
        doc.rowBookmark(cell, cells[0]->Caption);
        --counter;
        ++index;
    };
    doc.run(page, [&] { return counter != 0; }, pagesFor(int(lines.size()), 50), progress);
}

// ---- catches -------------------------------------------------------------------------------

QList<int> selectCatches(const TTextTable& db, const QString& angler, int year)
{
    const int cDate = db.FieldIndex(catchrec::Fangdatum);
    const int cAngler = db.FieldIndex(catchrec::Faenger);
    const QByteArray wanted = bytes(angler);
    QList<int> rows;
    for (int row = 1; row <= db.RowCount(); ++row) {
        const QDate date = german::parseDate(field(db, row, cDate));
        if ((angler.isEmpty() || field(db, row, cAngler) == wanted) && (year == 0 || date.year() == year))
            rows.append(row);
    }
    return rows;
}

QString firstPicture(const QByteArray& bild)
{
    const QStringList pictures = commatext::split(win1252::decode(bild));
    return pictures.isEmpty() ? QString() : pictures.first();
}

namespace {

struct Picture {
    QByteArray bytes;
    QString error; // German, naming the file
};

// Reads and decodes the catches' pictures on all cores before printing: decoding is what the
// catch report spends its time on. Only files that exist are listed.
QHash<QString, Picture> loadPictures(const QStringList& files)
{
    std::vector<Picture> results(size_t(files.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i; (i = next++) < files.size();) {
            Picture& p = results[size_t(i)];
            QString error;
            try {
                p.bytes = safefile::readOrThrow(files[i]);
            } catch (const FkError& e) {
                error = e.message();
            }
            if (error.isEmpty() && !jpeg::verify(p.bytes, &error))
                p.bytes.clear();
            if (!error.isEmpty())
                p.error = QStringLiteral("Das Bild „%1“ lässt sich nicht als JPEG lesen: %2").arg(files[i], error);
        }
    };
    const unsigned helpers = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), 8) - 1;
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < helpers && t + 1 < unsigned(files.size()); ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    QHash<QString, Picture> byFile;
    for (qsizetype i = 0; i < files.size(); ++i)
        byFile.insert(files[i], std::move(results[size_t(i)]));
    return byFile;
}

} // namespace

void writeCatchReport(const TTextTable& db, const QString& angler, int year, const QString& imageFolder,
                      const QString& path, const Progress& progress)
{
    const QList<int> selection = selectCatches(db, angler, year);
    if (selection.isEmpty())
        throw NoDataError();

    Document doc(path);
    TReportPage page("ReportPage1");
    page.PageWidth = 600;
    page.PageHeight = 700;
    page.MarginTop = page.MarginBottom = 2;
    titleBand(page, "ReportLayoutPanel1", "ReportLabel11", 25, false)->Caption = year ? QByteArray::number(year) : QByteArray();
    auto* g = grid(page, "ReportGridPanel1", 3);
    const int blockWidth = page.PageWidth - page.MarginLeft - page.MarginRight;
    const int h = gridCellHeight(page, g);

    std::vector<TReportComponent*> items; // everything printed only for a filled block
    const auto keep = [&](TReportComponent* c) {
        items.push_back(c);
        return c;
    };
    keep(place<TReportRect>(g, 0, 0, blockWidth, h, "Rahmen"));
    auto* heading = label(g, 6, 6, 318, 14, "ReportText2", 12, true);
    heading->FontColor = clNavy;
    keep(heading);
    auto* caught = label(g, 6, 19, 318, 12, "ReportText3");
    keep(caught);
    keep(rule(g, 6, 32, 318, 1));
    keep(rule(g, 6, 196, blockWidth - 12, 1));
    auto* picture = place<TReportJpegImage>(g, 330, 6, 200, 150, "Bild");
    picture->Stretch = true;
    keep(picture);
    auto* pictureFrame = place<TReportRect>(g, 330, 6, 200, 150, "Bildrahmen");

    struct Line {
        int top;
        const char* caption; // Windows-1252
        std::function<QByteArray(int row)> value;
        int left = 6;
    };
    const auto f = [&](const char* name) {
        const int column = db.FieldIndex(name);
        return [&db, column](int row) { return field(db, row, column); };
    };
    const auto fx = [&](const char* name, QByteArray suffix) {
        const int column = db.FieldIndex(name);
        return [&db, column, suffix](int row) { return field(db, row, column) + suffix; };
    };
    const int cStrength = db.FieldIndex(catchrec::Windstaerke), cDirection = db.FieldIndex(catchrec::Windrichtung);
    const std::vector<Line> lines = {
        {34, "K\xF6" "der:", f(catchrec::Koeder)},
        {47, "Fangmethode:", f(catchrec::Fangmethode)},
        {61, "Gew\xE4sser:", f(catchrec::Gewaesser)},
        {76, "Stelle:", f(catchrec::Stelle)},
        {91, "Mondphase:", f(catchrec::Mondphase)},
        {105, "Lufttemp.:", fx(catchrec::Lufttemperatur, " \xB0" "C")},
        {118, "Wassertemp.:", fx(catchrec::Wassertemperatur, " \xB0" "C")},
        {131, "Luftdruck:", fx(catchrec::Luftdruck, " hPa")},
        {143, "Wetter:", f(catchrec::Wetter)},
        {156, "Wind:", [&](int row) { return field(db, row, cStrength) + ", " + field(db, row, cDirection); }},
        {165, "F\xE4nger:", f(catchrec::Faenger), 330},
        {170, "Wassertr\xFC" "bung:", f(catchrec::Wassertruebung)},
        {183, "Wasserstand:", f(catchrec::Wasserstand)},
    };
    std::vector<TReportLabel*> values;
    for (const Line& line : lines) {
        auto* caption = label(g, line.left, line.top, 84, 12, "Bezeichnung", 10, true);
        caption->Caption = line.caption;
        keep(caption);
        values.push_back(label(g, line.left + 86, line.top, line.left == 6 ? 232 : 114, 12, "Wert"));
        keep(values.back());
    }
    auto* remarksCaption = label(g, 6, 197, 84, 12, "Bezeichnung", 10, true);
    remarksCaption->Caption = "Bemerkungen:";
    keep(remarksCaption);
    auto* remarks = place<TReportText>(g, 92, 198, blockWidth - 98, h - 199, "Bemerkungen");
    remarks->FontName = fnArial;
    remarks->FontSize = 10;
    remarks->WordWrap = true;
    remarks->Leading = 11;
    keep(remarks);

    const int cSpecies = db.FieldIndex(catchrec::Fischart), cLength = db.FieldIndex(catchrec::Laenge),
              cWeight = db.FieldIndex(catchrec::Gewicht), cDate = db.FieldIndex(catchrec::Fangdatum),
              cTime = db.FieldIndex(catchrec::Fangzeit), cPicture = db.FieldIndex(catchrec::Bild),
              cRemarks = db.FieldIndex(catchrec::Bemerkungen);
    // The picture of a catch: the first of its list, when that file exists.
    const auto pictureFile = [&](int row) {
        const QString name = firstPicture(field(db, row, cPicture));
        return name.isEmpty() ? QString() : imageFolder + QLatin1Char('/') + name;
    };
    QStringList files;
    QSet<QString> listed;
    for (const int row : selection) {
        const QString file = pictureFile(row);
        if (!file.isEmpty() && !listed.contains(file) && QFileInfo(file).isFile()) {
            listed.insert(file);
            files << file;
        }
    }
    const QHash<QString, Picture> pictures = loadPictures(files);

    int counter = int(selection.size());
    g->BeforePrintChild = [&](TReportGridPanel&, const QRect& cell) {
        for (TReportComponent* c : items)
            c->Printable = counter != 0;
        picture->clear();
        pictureFrame->Printable = false;
        if (counter == 0)
            return;
        const int row = selection[counter - 1];
        heading->Caption = field(db, row, cSpecies) + ", " + field(db, row, cLength) + " cm, " +
                           field(db, row, cWeight) + " g";
        caught->Caption = "gefangen am " + field(db, row, cDate) + " um " + field(db, row, cTime) + " Uhr";
        for (size_t i = 0; i < lines.size(); ++i)
            values[i]->Caption = lines[i].value(row);
        remarks->Lines = {field(db, row, cRemarks)};
        const auto found = pictures.constFind(pictureFile(row));
        if (found != pictures.constEnd()) {
            if (!found->error.isEmpty())
                throw FkError(found->error);
            try {
                picture->setJpeg(found->bytes);
            } catch (const FkError& e) {
                throw FkError(QStringLiteral("Das Bild „%1“ lässt sich nicht als JPEG lesen: %2").arg(found.key(), e.message()));
            }
        }
        pictureFrame->Printable = picture->hasPicture();
        doc.rowBookmark(cell, heading->Caption);
        --counter;
    };
    doc.run(page, [&] { return counter != 0; }, pagesFor(int(selection.size()), 3), progress);
}

// ---- HTML year list --------------------------------------------------------------------------

QByteArray costYearsHtml(const QList<costs::CostLine>& lines, const QStringList& years)
{
    QString html;
    const QString font = QStringLiteral("<font size=\"1\" face=\"Verdana\">");
    for (int y = 0; y < years.size(); ++y) {
        const bool last = y == years.size() - 1;
        html += QStringLiteral("<p align=\"center\"><font size=\"3\" face=\"Verdana\"><b>Angelkosten ") + years[y] +
                QStringLiteral("</b></font></p><div align=\"center\"><center><table ") +
                (last ? QString() : QStringLiteral("style=\"page-break-after: always\" ")) +
                QStringLiteral(
                    "border=\"1\"width=\"643\" cellspacing=\"0\" bordercolor=\"#C0C0C0\"><tr><td width=\"51\" "
                    "align=\"left\"><font size=\"1\" face=\"Verdana\"><b>Datum:</b></font></td><td width=\"126\" "
                    "align=\"left\"><font size=\"1\" face=\"Verdana\"><b>Geschäft:</b></font></td><td width=\"214\" "
                    "align=\"left\"><font size=\"1\" face=\"Verdana\"><b>Artikel:</b></font></td><td width=\"50\" "
                    "align=\"left\"><font size=\"1\" face=\"Verdana\"><b>Menge:</b></font></td><td width=\"83\" "
                    "align=\"left\"><font size=\"1\" face=\"Verdana\"><b>Einzelpreis:</b></font></td><td "
                    "width=\"93\" align=\"left\"><font size=\"1\" face=\"Verdana\"><b>GP + "
                    "Versand:</b></font></td></tr>");
        const int year = years[y].toInt();
        long double sum = 0;
        for (const costs::CostLine& line : lines) {
            if (german::parseDate(line.kaufdatum).year() != year)
                continue;
            // Stored texts go in escaped: a shop named "A&B" or "<Angelhaus>" must not break the page.
            const auto cell = [&](const QString& value, bool centred) {
                const QString v = value.toHtmlEscaped();
                return QStringLiteral("<td width=\"0\">") + font + (centred ? QStringLiteral("<center>") + v + QStringLiteral("</center>") : v) +
                       QStringLiteral("</font></td>");
            };
            html += QStringLiteral("<tr>") + cell(line.kaufdatum, false) + cell(line.geschaeft, false) +
                    cell(line.artikel, false) + cell(line.menge, true) + cell(line.einzelpreis + QStringLiteral(" €"), true) +
                    cell(line.gesamtpreisVersand + QStringLiteral(" €"), true) + QStringLiteral("</tr>");
            sum += costs::readMoney(line.gesamtpreisVersand);
        }
        html += QStringLiteral(
                    "<td bgcolor=\"#E5E5E5\" width=\"0\" valign=\"top\"><font size=\"1\" "
                    "face=\"Verdana\"><b>Summe:</b></font></td> <td bgcolor=\"#E5E5E5\" width=\"0\" colspan=\"4\" "
                    "valign=\"top\"><font size=\"1\" face=\"Verdana\">&nbsp;</font></td> <td bgcolor=\"#E5E5E5\" "
                    "width=\"0\" valign=\"top\"><font color=\"#FF0000\" size=\"1\" face=\"Verdana\"><center><b>") +
                costs::formatMoney(sum) + QStringLiteral(" €</b></center></font></td> </table></center></div>");
    }
    return bytes(html);
}

QByteArray costYearsHtml(const TTextTable& akdb, const QDate& today)
{
    costs::CostList list = costs::fillCostList(akdb, costs::kAlle, costs::kAlle);
    costs::CostListSorter().afterFill(list.lines);
    return costYearsHtml(list.lines, costs::filterBoxes(akdb, today).years.mid(1));
}

} // namespace reports
