#include "pdf/Report.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"

#include <cmath>
#include <cstring>

namespace pdf {

namespace {
bool unprintable(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

QByteArray cleaned(const QByteArray& text, bool breaksToBlanks)
{
    // Most texts are clean: hand them back without a copy.
    qsizetype i = 0;
    while (i < text.size() && !unprintable(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == text.size())
        return text;
    QByteArray out = text;
    for (; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c == '\t' || (breaksToBlanks && (c == '\r' || c == '\n')))
            out[i] = ' ';
        else if (unprintable(c))
            out[i] = '?';
    }
    return out;
}
} // namespace

QByteArray printableWinAnsi(const QByteArray& text) { return cleaned(text, false); }
QByteArray printableLine(const QByteArray& text) { return cleaned(text, true); }

} // namespace pdf

namespace {

// Page design coordinates (y down) to PDF coordinates (y up).
double pdfY(const TPdfCanvas& canvas, double designY) { return canvas.pageHeight() - designY; }

} // namespace

TReportComponent::~TReportComponent() = default;

// ---- panels ----

namespace {
// Depth-first search by name through a component list and the panels in it.
TReportComponent* findIn(const std::vector<std::unique_ptr<TReportComponent>>& children, const QByteArray& name)
{
    for (const auto& child : children) {
        if (child->Name == name)
            return child.get();
        if (auto* panel = dynamic_cast<TReportPanel*>(child.get()))
            if (auto* found = panel->findChild(name))
                return found;
    }
    return nullptr;
}
} // namespace

TReportComponent* TReportPanel::findChild(const QByteArray& name) const
{
    return findIn(m_children, name);
}

void TReportPanel::printChildren(TReport& report, TPdfCanvas& canvas, const QRect& rect)
{
    for (const auto& child : m_children) {
        if (!child->Printable)
            continue;
        child->print(report, canvas, QRect(rect.x() + child->Left, rect.y() + child->Top, child->Width, child->Height));
    }
}

void TReportLayoutPanel::print(TReport& report, TPdfCanvas& canvas, const QRect& rect)
{
    printChildren(report, canvas, rect);
}

void TReportGridPanel::print(TReport& report, TPdfCanvas& canvas, const QRect& rect)
{
    if (ColCount < 1 || RowCount < 1)
        throw EPdfError(QStringLiteral("Print --invalid ColCount or RowCount."));
    const int cellWidth = rect.width() / ColCount;
    const int cellHeight = rect.height() / RowCount;
    for (int row = 0; row < RowCount; ++row) {
        for (int col = 0; col < ColCount; ++col) {
            m_row = row;
            m_col = col;
            const QRect cell(rect.x() + rect.width() * col / ColCount, rect.y() + rect.height() * row / RowCount,
                             cellWidth, cellHeight);
            if (BeforePrintChild)
                BeforePrintChild(*this, cell);
            printChildren(report, canvas, cell);
            if (AfterPrint)
                AfterPrint(*this, cell);
        }
    }
    m_row = m_col = -1;
}

// ---- text items ----

namespace {
// Requested font names by FontName and style (regular, bold, italic, both).
const char* const kRequestedNames[3][4] = {
    {"FixedWidth", "FixedWidth-Bold", "FixedWidth-Italic", "FixedWidth-BoldItalic"},
    {"Arial", "Arial-Bold", "Arial-Italic", "Arial-BoldItalic"},
    {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"},
};
} // namespace

QByteArray TReportTextItem::requestedFontName() const
{
    const char* name = kRequestedNames[FontName][(FontBold ? 1 : 0) + (FontItalic ? 2 : 0)];
    return QByteArray::fromRawData(name, qsizetype(std::strlen(name)));
}

int TReportTextItem::baseIndex() const
{
    // The width table runs Courier, Helvetica, Times, each regular, bold, italic, both.
    return int(FontName) * 4 + (FontBold ? 1 : 0) + (FontItalic ? 2 : 0);
}

double TReportTextItem::textWidth(const QByteArray& text) const
{
    return pdf::textWidth(baseIndex(), FontSize, text, CharSpace, WordSpace);
}

void TReportTextItem::applyFont(TPdfCanvas& canvas, double wordSpace) const
{
    if (!canvas.font() || canvas.font()->baseIndex() != baseIndex() || canvas.fontSize() != FontSize)
        canvas.setFont(requestedFontName(), FontSize);
    if (canvas.fillColor() != FontColor)
        canvas.setFillColor(FontColor);
    if (canvas.charSpace() != CharSpace)
        canvas.setCharSpace(CharSpace);
    if (canvas.wordSpace() != wordSpace)
        canvas.setWordSpace(wordSpace);
}

void TReportLabel::print(TReport&, TPdfCanvas& canvas, const QRect& rect)
{
    if (Caption.isEmpty() || FontColor == clNone)
        return;
    QByteArray text = pdf::printableLine(Caption);

    double wordSpace = WordSpace;
    if (AlignJustified) {
        // One blank between two words takes the share of the free width.
        const int blanks = int(text.trimmed().count(' '));
        if (blanks > 0) {
            const double free = rect.width() - pdf::textWidth(baseIndex(), FontSize, text.trimmed(), CharSpace, 0);
            if (free >= 0)
                wordSpace = free / blanks;
        }
        text = text.trimmed();
    }
    double offset = 0;
    if (Alignment != taLeftJustify && !AlignJustified) {
        const double width = pdf::textWidth(baseIndex(), FontSize, text, CharSpace, wordSpace);
        offset = Alignment == taRightJustify ? std::round(rect.width() - width)
                                              : std::round((rect.width() - width) / 2);
    }
    if (Clipping) {
        canvas.gSave();
        canvas.rectangle(rect.x(), pdfY(canvas, rect.y() + rect.height()), rect.width(), rect.height());
        canvas.clip();
        canvas.endPath();
    }
    applyFont(canvas, wordSpace);
    canvas.beginText();
    canvas.moveTextPoint(rect.x() + offset, pdfY(canvas, rect.y()) - 0.85 * FontSize);
    canvas.showText(text);
    canvas.endText();
    if (Clipping)
        canvas.gRestore();
}

QList<QByteArray> TReportText::layoutLines(double width) const
{
    QByteArray text = Lines.join("\r\n");
    while (!text.isEmpty() && (text.endsWith(' ') || text.endsWith('\r') || text.endsWith('\n') || text.endsWith('\t')))
        text.chop(1);
    QList<QByteArray> out;
    if (text.isEmpty())
        return out;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    const int font = baseIndex();
    for (const QByteArray& paragraph : text.split('\n')) {
        const QByteArray clean = pdf::printableWinAnsi(paragraph);
        if (!WordWrap) {
            out.append(clean);
            continue;
        }
        QByteArray line;
        bool started = false;
        for (const QByteArray& word : clean.split(' ')) {
            if (!started) {
                line = word;
                started = true;
                continue;
            }
            const QByteArray candidate = line + ' ' + word;
            if (!line.isEmpty() && pdf::textWidth(font, FontSize, candidate, CharSpace, WordSpace) > width + 1e-6) {
                out.append(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        out.append(line);
    }
    return out;
}

void TReportText::print(TReport&, TPdfCanvas& canvas, const QRect& rect)
{
    m_printed = 0;
    if (FontColor == clNone)
        return;
    const QList<QByteArray> lines = layoutLines(rect.width());
    if (lines.isEmpty())
        return;
    const double leading = effectiveLeading();
    const double bottom = pdfY(canvas, rect.y() + rect.height());
    double baseline = pdfY(canvas, rect.y()) - 0.85 * FontSize;
    applyFont(canvas, WordSpace);
    if (canvas.leading() != leading)
        canvas.setLeading(leading);
    canvas.beginText();
    canvas.moveTextPoint(rect.x(), baseline);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            if (baseline - leading - bottom < FontSize)
                break;
            baseline -= leading;
            canvas.moveToNextLine();
        }
        const QByteArray& line = lines[i];
        canvas.showText(line.left(canvas.measureText(line, rect.width())));
        ++m_printed;
    }
    canvas.endText();
}

// ---- rectangles ----

const std::vector<double>& TReportRect::dashPattern(TPenStyle style)
{
    static const std::vector<double> solid, dash{16, 8}, dot{3}, dashDot{8, 7, 2, 7}, dashDotDot{8, 4, 2, 4, 2, 4};
    switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    case psSolid:
    case psClear: break;
    }
    return solid;
}

void TReportRect::print(TReport&, TPdfCanvas& canvas, const QRect& rect)
{
    const bool stroke = LineColor != clNone && LineStyle != psClear;
    const bool fill = FillColor != clNone;
    if (stroke) {
        if (canvas.strokeColor() != LineColor)
            canvas.setStrokeColor(LineColor);
        if (canvas.lineWidth() != LineWidth)
            canvas.setLineWidth(LineWidth);
        const std::vector<double>& dash = dashPattern(LineStyle);
        if (canvas.dash() != dash)
            canvas.setDash(dash, 0);
    }
    const double left = rect.x();
    const double top = pdfY(canvas, rect.y());
    if (rect.width() < 2 || rect.height() < 2) {
        // A thin rectangle is a rule along its left or top edge.
        if (!stroke)
            return;
        canvas.moveTo(left, top);
        if (rect.width() < 2)
            canvas.lineTo(left, pdfY(canvas, rect.y() + rect.height()));
        else
            canvas.lineTo(left + rect.width(), top);
        canvas.stroke();
        return;
    }
    if (!stroke && !fill)
        return;
    if (fill && canvas.fillColor() != FillColor)
        canvas.setFillColor(FillColor);
    canvas.rectangle(left, pdfY(canvas, rect.y() + rect.height()), rect.width(), rect.height());
    if (fill && stroke)
        canvas.fillStroke();
    else if (fill)
        canvas.fill();
    else
        canvas.stroke();
}

// ---- pictures ----

void TReportImage::setPicture(const QImage& image, int quality) { m_jpeg = jpeg::encode(image, quality); }

void TReportImage::print(TReport& report, TPdfCanvas& canvas, const QRect& rect)
{
    if (m_jpeg.isEmpty())
        return;
    TPdfDocument& doc = report.document();
    QByteArray name;
    if (SharedImage) {
        if (Name.isEmpty())
            throw EPdfError(QStringLiteral("Print --a shared image needs a name."));
        name = Name;
        if (!doc.hasXObject(name))
            doc.registerXObject(createPdfImage("Pdf-Jpeg", m_jpeg), name);
    } else {
        std::unique_ptr<TPdfImage> image = createPdfImage("Pdf-Jpeg", m_jpeg);
        name = report.uniqueImageName(Name);
        doc.registerXObject(std::move(image), name);
    }
    const auto* image = static_cast<const TPdfImage*>(doc.getXObject(name));
    const double left = rect.x();
    canvas.gSave();
    if (Stretch) {
        canvas.concat(rect.width(), 0, 0, rect.height(), left, pdfY(canvas, rect.y() + rect.height()));
    } else {
        canvas.rectangle(left, pdfY(canvas, rect.y() + rect.height()), rect.width(), rect.height());
        canvas.clip();
        canvas.endPath();
        canvas.concat(image->width(), 0, 0, image->height(), left, pdfY(canvas, rect.y()) - image->height());
    }
    canvas.executeXObject(name);
    canvas.gRestore();
}

void TReportJpegImage::setJpeg(const QByteArray& bytes)
{
    if (bytes.size() < 3 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xD8)
        throw EPdfError(QStringLiteral("only jpeg image is allowed."));
    QString error;
    if (!jpeg::readSize(bytes, nullptr, nullptr, &error))
        throw EFileError(error);
    m_jpeg = bytes;
}

void TReportJpegImage::loadFromFile(const QString& path)
{
    const QByteArray bytes = safefile::readOrThrow(path);
    try {
        setJpeg(bytes);
    } catch (const EFileError& e) {
        throw EFileError(QStringLiteral("%1 (%2)").arg(e.message(), path));
    }
}

// ---- page ----

TReportComponent* TReportPage::findChild(const QByteArray& name) const
{
    return findIn(m_children, name);
}

std::vector<QRect> TReportPage::layout() const
{
    int top = MarginTop;
    int bottom = PageHeight - MarginBottom;
    const int left = MarginLeft;
    const int width = PageWidth - MarginLeft - MarginRight;
    std::vector<QRect> rects(m_children.size());
    for (size_t i = 0; i < m_children.size(); ++i) {
        const auto& c = m_children[i];
        if (c->Align == alTop) {
            rects[i] = QRect(left, top, width, c->Height);
            top += c->Height;
        } else if (c->Align == alNone) {
            rects[i] = c->bounds();
        }
    }
    for (size_t i = 0; i < m_children.size(); ++i) {
        const auto& c = m_children[i];
        if (c->Align == alBottom) {
            bottom -= c->Height;
            rects[i] = QRect(left, bottom, width, c->Height);
        }
    }
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i]->Align == alClient)
            rects[i] = QRect(left, top, width, std::max(0, bottom - top));
    return rects;
}

// ---- report ----

TReport::TReport() = default;
TReport::~TReport() = default;

void TReport::requireOpen(const char* operation) const
{
    if (!m_doc.hasDoc())
        throw EPdfError(QString::fromLatin1(operation) + QStringLiteral(" --invalid operation."));
}

void TReport::beginDoc()
{
    if (m_doc.hasDoc())
        throw EPdfError(QStringLiteral("BeginDoc --invalid operation."));
    m_doc.UseOutlines = UseOutlines;
    m_doc.newDoc();
    // Same seed per document: the same report gives the same file.
    m_random.seed(1);
}

void TReport::print(TReportPage& page)
{
    requireOpen("Print");
    TPdfPage* pdfPage = m_doc.addPage(page.PageWidth, page.PageHeight);
    if (page.OnPrintPage)
        page.OnPrintPage(page);
    TPdfCanvas& canvas = pdfPage->canvas();
    const std::vector<QRect> rects = page.layout();
    for (size_t i = 0; i < page.children().size(); ++i) {
        TReportComponent* child = page.children()[i].get();
        if (child->Printable)
            child->print(*this, canvas, rects[i]);
    }
}

void TReport::endDoc()
{
    requireOpen("EndDoc");
    try {
        if (FileName.isEmpty())
            throw EPdfError(QStringLiteral("EndDoc --file name is empty."));
        TPdfCatalog* catalog = m_doc.catalog();
        catalog->PageLayout = PageLayout;
        catalog->PageMode = PageMode;
        catalog->NonFullScreenPageMode = NonFullScreenPageMode;
        catalog->ViewerPreference = ViewerPreference;
        TPdfInfo* info = m_doc.info();
        info->Author = Author;
        info->Creator = Creator;
        info->Keywords = Keywords;
        info->Subject = Subject;
        info->Title = Title;
        info->CreationDate = CreationDate;
        info->ModDate = ModDate;
        // Straight into the file as it is made: no copy of the whole document in memory.
        safefile::writeStreamedOrThrow(FileName, [this](const safefile::Put& put) { return m_doc.writeTo(put); });
    } catch (...) {
        m_doc.freeDoc();
        throw;
    }
    m_doc.freeDoc();
}

void TReport::abort() { m_doc.freeDoc(); }

int TReport::pageNumber() const { return m_doc.hasDoc() ? m_doc.pageCount() : 0; }

TPdfDocument& TReport::document()
{
    requireOpen("GetDocument");
    return m_doc;
}

TPdfCanvas& TReport::canvas()
{
    requireOpen("GetCanvas");
    return m_doc.canvas();
}

TPdfDestination* TReport::CreateDestination()
{
    requireOpen("CreateDestination");
    return m_doc.createDestination();
}

TPdfDestination* TReport::CreateDestination(int designLeft, int designTop)
{
    TPdfDestination* dest = CreateDestination();
    dest->Left = designLeft;
    dest->Top = dest->page()->height() - designTop;
    return dest;
}

TPdfDestination* TReport::GetOpenAction()
{
    requireOpen("GetOpenAction");
    return m_doc.catalog()->OpenAction;
}

void TReport::SetOpenAction(TPdfDestination* dest)
{
    requireOpen("SetOpenAction");
    m_doc.catalog()->OpenAction = dest;
}

TPdfOutlineRoot* TReport::GetOutlineRoot()
{
    requireOpen("GetOutlineRoot");
    return m_doc.outlineRoot();
}

QByteArray TReport::uniqueImageName(const QByteArray& base)
{
    requireOpen("GetImageName");
    std::uniform_int_distribution<int> below(0, 65534);
    for (int attempt = 0; attempt < 65535; ++attempt) {
        const QByteArray name = base + QByteArray::number(below(m_random));
        if (!m_doc.hasXObject(name))
            return name;
    }
    throw EPdfError(QStringLiteral("image count over max value.."));
}
