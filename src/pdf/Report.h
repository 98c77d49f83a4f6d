#pragma once
// The report layer: pages laid out like forms from panels and items, printed one by one
// onto the pages of a PDF document. Design coordinates are whole points from the top left
// of the page. Texts are Windows-1252 bytes (callers convert).
#include "pdf/PdfDoc.h"

#include <QRect>
#include <functional>
#include <random>

enum TReportFontName { fnFixedWidth, fnArial, fnTimesRoman };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// How a component on a page takes its place: at Left/Top (alNone, page coordinates), or
// stacked inside the margins from the top or bottom, or filling what is left (alClient).
enum TReportAlign { alNone, alTop, alBottom, alClient };

class TReport;

class TReportComponent {
public:
    explicit TReportComponent(QByteArray name) : Name(std::move(name)) {}
    virtual ~TReportComponent();
    TReportComponent(const TReportComponent&) = delete;
    TReportComponent& operator=(const TReportComponent&) = delete;

    // Prints the component into `rect` (page design coordinates).
    virtual void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) = 0;
    QRect bounds() const { return QRect(Left, Top, Width, Height); }
    void setBounds(int left, int top, int width, int height)
    {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

    QByteArray Name;
    int Left = 0, Top = 0, Width = 0, Height = 0; // relative to the parent's rectangle
    bool Printable = true;                          // false: skipped when printing
    TReportAlign Align = alNone;                    // used by the page for its own children
};

// Children are printed in order, each at its Left/Top inside the panel's rectangle.
class TReportPanel : public TReportComponent {
public:
    using TReportComponent::TReportComponent;
    template <class T> T* add(const QByteArray& name)
    {
        auto child = std::make_unique<T>(name);
        T* raw = child.get();
        m_children.push_back(std::move(child));
        return raw;
    }
    TReportComponent* findChild(const QByteArray& name) const;
    const std::vector<std::unique_ptr<TReportComponent>>& children() const { return m_children; }

protected:
    void printChildren(TReport& report, TPdfCanvas& canvas, const QRect& rect);

private:
    std::vector<std::unique_ptr<TReportComponent>> m_children;
};

// A band of items.
class TReportLayoutPanel : public TReportPanel {
public:
    using TReportPanel::TReportPanel;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;
};

// Repeats its items in ColCount x RowCount cells of equal size, rows from the top, columns
// from the left. The items are designed for the first cell.
class TReportGridPanel : public TReportPanel {
public:
    using TReportPanel::TReportPanel;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;

    int ColCount = 1;
    int RowCount = 1;
    // Fired with the cell rectangle (page coordinates) before the cell is printed, so the
    // handler can fill the items; AfterPrint follows the cell.
    std::function<void(TReportGridPanel& sender, const QRect& cell)> BeforePrintChild;
    std::function<void(TReportGridPanel& sender, const QRect& cell)> AfterPrint;
    int currentRow() const { return m_row; }
    int currentCol() const { return m_col; }

private:
    int m_row = -1, m_col = -1;
};

// Common font settings of labels and texts.
class TReportTextItem : public TReportComponent {
public:
    using TReportComponent::TReportComponent;
    TReportFontName FontName = fnArial;
    double FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;
    TColor FontColor = clBlack;
    double CharSpace = 0;
    double WordSpace = 0;

    // "Arial-Bold" ... from FontName and the bold/italic flags.
    QByteArray requestedFontName() const;
    // Column of the base font in the width table.
    int baseIndex() const;
    double textWidth(const QByteArray& text) const;

protected:
    void applyFont(TPdfCanvas& canvas, double wordSpace) const;
};

class TReportLabel : public TReportTextItem {
public:
    using TReportTextItem::TReportTextItem;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;

    QByteArray Caption;
    TAlignment Alignment = taLeftJustify;
    bool AlignJustified = false; // spread the words over the width
    bool Clipping = false;
};

class TReportText : public TReportTextItem {
public:
    using TReportTextItem::TReportTextItem;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;

    QList<QByteArray> Lines;
    double Leading = 0; // 0: 1.2 x FontSize
    bool WordWrap = false;

    double effectiveLeading() const { return Leading > 0 ? Leading : FontSize * 1.2; }
    // The lines as laid out for the width (before cutting to the width): the text of Lines
    // joined by line breaks, trailing blanks and breaks removed, broken at each line break
    // and, with WordWrap, before the word that would pass the right edge.
    QList<QByteArray> layoutLines(double width) const;
    // Lines shown by the last print().
    int printedLineCount() const { return m_printed; }

private:
    int m_printed = 0;
};

class TReportRect : public TReportComponent {
public:
    using TReportComponent::TReportComponent;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;

    TColor LineColor = clBlack;
    TColor FillColor = clNone;
    double LineWidth = 1;
    TPenStyle LineStyle = psSolid;

    static const std::vector<double>& dashPattern(TPenStyle style);
};

// A picture, embedded as JPEG. Any bitmap can be given; it is stored as JPEG (quality 90).
class TReportImage : public TReportComponent {
public:
    using TReportComponent::TReportComponent;
    void print(TReport& report, TPdfCanvas& canvas, const QRect& rect) override;

    void setPicture(const QImage& image, int quality = 90);
    void clear() { m_jpeg.clear(); }
    bool hasPicture() const { return !m_jpeg.isEmpty(); }
    const QByteArray& jpegBytes() const { return m_jpeg; }

    // Registered once under Name and reused by every later page; otherwise each print
    // registers it anew under Name + a random number.
    bool SharedImage = false;
    // Drawn scaled to the rectangle; otherwise at its own size (pixels as points) from the
    // top left, clipped to the rectangle.
    bool Stretch = false;

protected:
    QByteArray m_jpeg;
};

// A JPEG picture whose bytes go into the document unchanged.
class TReportJpegImage : public TReportImage {
public:
    using TReportImage::TReportImage;
    // Raises "only jpeg image is allowed." for other data, EFileError for a damaged header.
    void setJpeg(const QByteArray& bytes);
    void loadFromFile(const QString& path);
};

class TReportPage {
public:
    explicit TReportPage(QByteArray name = "ReportPage") : Name(std::move(name)) {}
    template <class T> T* add(const QByteArray& name)
    {
        auto child = std::make_unique<T>(name);
        T* raw = child.get();
        m_children.push_back(std::move(child));
        return raw;
    }
    TReportComponent* findChild(const QByteArray& name) const;
    // The rectangles of the children as laid out on this page, in child order.
    std::vector<QRect> layout() const;
    const std::vector<std::unique_ptr<TReportComponent>>& children() const { return m_children; }

    QByteArray Name;
    int PageWidth = 596;
    int PageHeight = 842;
    int MarginTop = 32, MarginLeft = 32, MarginRight = 32, MarginBottom = 32;
    // Fired after the PDF page is added and before the children are printed.
    std::function<void(TReportPage& sender)> OnPrintPage;

private:
    std::vector<std::unique_ptr<TReportComponent>> m_children;
};

class TReport {
public:
    TReport();
    ~TReport();

    QString FileName = QStringLiteral("default.pdf");
    QByteArray Author, Creator, Keywords, Subject, Title; // Windows-1252
    QDateTime CreationDate, ModDate;
    TPdfPageLayout PageLayout = TPdfPageLayout::SinglePage;
    TPdfPageMode PageMode = TPdfPageMode::UseNone;
    TPdfPageMode NonFullScreenPageMode = TPdfPageMode::UseNone;
    unsigned ViewerPreference = 0;
    bool UseOutlines = false;

    // Starts a document in memory.
    void beginDoc();
    // Adds a PDF page and prints the page component onto it.
    void print(TReportPage& page);
    // Writes the file FileName (via a temporary file that replaces it when complete) and
    // frees the document, also when writing fails.
    void endDoc();
    // Drops the document without writing anything.
    void abort();
    bool isOpen() const { return m_doc.hasDoc(); }

    // Number of the page being printed (1-based), 0 before the first.
    int pageNumber() const;
    TPdfDocument& document();
    TPdfCanvas& canvas();

    // A destination on the current page: type XYZ, zoom 1, at the page's top left, or at
    // the given design position.
    TPdfDestination* CreateDestination();
    TPdfDestination* CreateDestination(int designLeft, int designTop);
    TPdfDestination* GetOpenAction();
    void SetOpenAction(TPdfDestination* dest);
    TPdfOutlineRoot* GetOutlineRoot();

    // A not yet registered image name: base + a random number below 65535.
    QByteArray uniqueImageName(const QByteArray& base);

private:
    void requireOpen(const char* operation) const;
    TPdfDocument m_doc;
    std::minstd_rand m_random;
};

namespace pdf {
// Bytes that WinAnsiEncoding shows no glyph for (controls, 0x7F and the five unused codes
// 0x81, 0x8D, 0x8F, 0x90, 0x9D) become "?"; a tab becomes a blank.
QByteArray printableWinAnsi(const QByteArray& text);
// As printableWinAnsi, with line breaks as blanks (a label has one line).
QByteArray printableLine(const QByteArray& text);
} // namespace pdf
