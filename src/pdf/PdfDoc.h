#pragma once
// The document layer: a PDF document held as a tree of TPdfObject, its pages with their
// canvases, the twelve standard fonts, JPEG images, destinations and outlines, written as
// a PDF 1.2 file by saveToStream().
#include "pdf/PdfTypes.h"

#include <QDateTime>
#include <QHash>
#include <optional>

// Colours are 0xRRGGBB; clNone means "no colour" (nothing drawn).
using TColor = quint32;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNavy = 0x000080;
constexpr TColor clRed = 0xFF0000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clNone = 0x1FFFFFFF;

enum class TPdfPageLayout { SinglePage, OneColumn, TwoColumnLeft, TwoColumnRight };
enum class TPdfPageMode { UseNone, UseOutlines, UseThumbs, FullScreen };
// Flags of the viewer preferences.
enum TPdfViewerPreference : unsigned {
    vpHideToolbar = 1,
    vpHideMenubar = 2,
    vpHideWindowUI = 4,
    vpFitWindow = 8,
    vpCenterWindow = 16,
};
enum class TPdfDestinationType { XYZ, Fit, FitH, FitV, FitR, FitB, FitBH, FitBV };

constexpr int kPdfMaxZoom = 10;

class TPdfDocument;
class TPdfPage;

// One of the twelve standard fonts, WinAnsiEncoding, named "F" + its number in the font list.
class TPdfFont : public TPdfDictionary {
public:
    TPdfFont(const QByteArray& requestedName, int baseIndex, int number);
    const QByteArray& requestedName() const { return m_requestedName; }
    const QByteArray& resourceName() const { return m_resourceName; }
    QByteArray baseFont() const;
    // Advance width of a WinAnsi byte in 1/1000 em (0 for codes without a glyph).
    int charWidth(unsigned char c) const;
    int baseIndex() const { return m_baseIndex; }

    // The base font index for a requested name ("Arial-Bold" ...), or -1.
    static int baseIndexOf(const QByteArray& requestedName);

private:
    QByteArray m_requestedName;
    QByteArray m_resourceName;
    int m_baseIndex;
};

// A JPEG picture as image XObject: the file's bytes unchanged, decoded by the viewer.
class TPdfJpegImage : public TPdfImage {
public:
    // Raises "only jpeg image is allowed." for other data and EFileError with the
    // decoder's message for a damaged JPEG.
    static std::unique_ptr<TPdfJpegImage> create(const QByteArray& jpegBytes);

private:
    TPdfJpegImage() = default;
};

// Makes an image XObject from picture bytes with the creator registered under `creatorName`
// ("Pdf-Jpeg" is the one the reports use).
std::unique_ptr<TPdfImage> createPdfImage(const QByteArray& creatorName, const QByteArray& bytes);

class TPdfDestination : public TPdfObject {
public:
    explicit TPdfDestination(TPdfPage* page);
    void writeValue(QByteArray& out) const override;

    TPdfPage* page() const { return m_page; }
    TPdfDestinationType DestinationType = TPdfDestinationType::XYZ;
    // In the page's own coordinates (origin bottom left); unset values are written as null.
    std::optional<double> Left, Top, Right, Bottom;
    double zoom() const { return m_zoom; }
    void setZoom(double zoom); // 0 .. kPdfMaxZoom

private:
    TPdfPage* m_page;
    double m_zoom = 1;
};

class TPdfOutlineEntry : public TPdfObject {
public:
    void writeValue(QByteArray& out) const override;
    // A new last child of this entry.
    TPdfOutlineEntry* AddChild();
    void SetDest(TPdfDestination* dest) { m_dest = dest; }
    TPdfDestination* dest() const { return m_dest; }
    TPdfOutlineEntry* parent() const { return m_parent; }
    TPdfOutlineEntry* first() const { return m_first; }
    TPdfOutlineEntry* last() const { return m_last; }
    TPdfOutlineEntry* next() const { return m_next; }
    TPdfOutlineEntry* prev() const { return m_prev; }
    int childCount() const;

    QByteArray Title; // Windows-1252
    bool Opened = false; // children shown when the viewer opens the file

protected:
    explicit TPdfOutlineEntry(TPdfDocument* doc) : m_doc(doc) {}
    int visibleDescendants() const;
    void writeLinks(QByteArray& out) const;

private:
    friend class TPdfDocument;
    TPdfDocument* m_doc;
    TPdfDestination* m_dest = nullptr;
    TPdfOutlineEntry* m_parent = nullptr;
    TPdfOutlineEntry* m_first = nullptr;
    TPdfOutlineEntry* m_last = nullptr;
    TPdfOutlineEntry* m_prev = nullptr;
    TPdfOutlineEntry* m_next = nullptr;
};

class TPdfOutlineRoot : public TPdfOutlineEntry {
public:
    void writeValue(QByteArray& out) const override;

private:
    friend class TPdfDocument;
    explicit TPdfOutlineRoot(TPdfDocument* doc) : TPdfOutlineEntry(doc) {}
};

class TPdfCatalog : public TPdfObject {
public:
    void writeValue(QByteArray& out) const override;
    TPdfPageLayout PageLayout = TPdfPageLayout::SinglePage;
    TPdfPageMode PageMode = TPdfPageMode::UseNone;
    TPdfPageMode NonFullScreenPageMode = TPdfPageMode::UseNone;
    unsigned ViewerPreference = 0; // TPdfViewerPreference flags
    TPdfDestination* OpenAction = nullptr;

private:
    friend class TPdfDocument;
    TPdfCatalog() = default;
    TPdfObject* m_pages = nullptr;
    TPdfObject* m_outlines = nullptr;
};

class TPdfInfo : public TPdfObject {
public:
    void writeValue(QByteArray& out) const override;
    // Windows-1252 texts; empty ones are left out.
    QByteArray Author, Creator, Title, Subject, Keywords;
    QDateTime CreationDate, ModDate; // left out when invalid

private:
    friend class TPdfDocument;
    TPdfInfo() = default;
};

class TPdfCanvas;

class TPdfPage : public TPdfDictionary {
public:
    double width() const { return m_width; }
    double height() const { return m_height; }
    TPdfCanvas& canvas() { return *m_canvas; }
    TPdfStream& contents() { return *m_contents; }
    const TPdfStream& contents() const { return *m_contents; }
    void addFont(TPdfFont* font);
    void addXObject(const QByteArray& name, TPdfXObject* object);
    ~TPdfPage() override;

private:
    friend class TPdfDocument;
    TPdfPage(TPdfDocument& doc, TPdfObject* parent, double width, double height);
    double m_width, m_height;
    TPdfStream* m_contents = nullptr;
    TPdfDictionary* m_fonts = nullptr;
    TPdfDictionary* m_xobjects = nullptr;
    std::vector<const TPdfFont*> m_usedFonts;
    std::unique_ptr<TPdfCanvas> m_canvas;
};

// Draws onto a page: each call appends one content-stream operator line ending with LF.
// The canvas keeps the text and graphics state set through it (saved and restored with
// gSave/gRestore) so callers can leave out settings that are already in force.
class TPdfCanvas {
public:
    TPdfCanvas(TPdfDocument& doc, TPdfPage& page);

    void gSave();
    void gRestore();
    void concat(double a, double b, double c, double d, double e, double f);
    void setDash(const std::vector<double>& dashes, double phase);
    void setLineWidth(double width);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void rectangle(double x, double y, double w, double h);
    void closePath();
    void endPath();
    void stroke();
    void closePathStroke();
    void fill();
    void fillStroke();
    void clip();
    void setCharSpace(double space);
    void setWordSpace(double space);
    void setHorizontalScaling(double percent);
    void setLeading(double leading);
    void setFont(const QByteArray& requestedName, double size);
    void beginText();
    void endText();
    void moveTextPoint(double x, double y);
    void moveToNextLine();
    void showText(const QByteArray& text);
    void executeXObject(const QByteArray& name);
    void setRGBFillColor(double r, double g, double b);
    void setRGBStrokeColor(double r, double g, double b);
    void setFillColor(TColor color);
    void setStrokeColor(TColor color);

    // Width in points of the text in the current font, size and spacing.
    double textWidth(const QByteArray& text) const;
    // How many leading bytes of the text fit into the width.
    int measureText(const QByteArray& text, double width) const;

    const TPdfFont* font() const { return m_state.font; }
    double fontSize() const { return m_state.fontSize; }
    double charSpace() const { return m_state.charSpace; }
    double wordSpace() const { return m_state.wordSpace; }
    double horizontalScaling() const { return m_state.hScaling; }
    double leading() const { return m_state.leading; }
    TColor fillColor() const { return m_state.fill; }
    TColor strokeColor() const { return m_state.stroke; }
    double lineWidth() const { return m_state.lineWidth; }
    const std::vector<double>& dash() const { return m_state.dash; }
    TPdfPage& page() { return m_page; }
    double pageHeight() const { return m_page.height(); }
    double pageWidth() const { return m_page.width(); }

private:
    struct State {
        const TPdfFont* font = nullptr;
        double fontSize = 0;
        double charSpace = 0, wordSpace = 0, hScaling = 100, leading = 0;
        TColor fill = clBlack, stroke = clBlack; // 0xFFFFFFFF: set by components
        double lineWidth = 1;
        std::vector<double> dash;
        double dashPhase = 0;
    };
    void op(double a, const char* name);
    void op(double a, double b, const char* name);
    void op(const char* line); // with its LF

    TPdfDocument& m_doc;
    TPdfPage& m_page;
    QByteArray& m_out;
    State m_state;
    std::vector<State> m_saved;
};

// Measures text with the published widths, without a document.
namespace pdf {
double textWidth(const QByteArray& requestedFont, double size, const QByteArray& text, double charSpace = 0,
                 double wordSpace = 0, double hScaling = 100);
// By the base font's column in the width table (TPdfFont::baseIndex()).
double textWidth(int baseIndex, double size, const QByteArray& text, double charSpace = 0, double wordSpace = 0,
                 double hScaling = 100);
}

class TPdfDocument {
public:
    TPdfDocument();
    ~TPdfDocument();
    TPdfDocument(const TPdfDocument&) = delete;
    TPdfDocument& operator=(const TPdfDocument&) = delete;

    bool UseOutlines = false; // takes effect at newDoc()

    void newDoc();
    void freeDoc();
    bool hasDoc() const { return m_xref != nullptr; }

    // A new page; becomes the current page with its canvas.
    TPdfPage* addPage(double width = 596, double height = 842);
    TPdfPage* currentPage() const { return m_currentPage; }
    TPdfCanvas& canvas();
    int pageCount() const { return int(m_pages.size()); }
    TPdfPage* page(int index) const { return m_pages.at(size_t(index)); }

    TPdfCatalog* catalog() const;
    TPdfInfo* info() const;
    TPdfOutlineRoot* outlineRoot() const;

    // The font for a requested name; added to the font list on first use.
    TPdfFont* createFont(const QByteArray& requestedName);
    // Takes ownership; a name may be registered once.
    TPdfXObject* registerXObject(std::unique_ptr<TPdfXObject> object, const QByteArray& name);
    TPdfXObject* getXObject(const QByteArray& name) const;
    bool hasXObject(const QByteArray& name) const { return m_xobjects.contains(name); }

    // A destination on the current page (type XYZ, zoom 1, top left of the page).
    TPdfDestination* createDestination();
    TPdfDestination* createDestination(TPdfPage* page);
    TPdfOutlineEntry* createOutlineEntry(TPdfOutlineEntry* parent);

    // Writes the whole file.
    void saveToStream(QByteArray& out) const;
    // The same bytes handed to `put` as they are made (stream data without a copy); false
    // as soon as `put` returns false.
    bool writeTo(const std::function<bool(const char* data, qsizetype size)>& put) const;
    QByteArray save() const;

    TPdfXref& xref();

private:
    std::unique_ptr<TPdfXref> m_xref;
    TPdfCatalog* m_catalog = nullptr;
    TPdfInfo* m_info = nullptr;
    TPdfDictionary* m_pagesNode = nullptr;
    TPdfArray* m_kids = nullptr;
    TPdfOutlineRoot* m_outlineRoot = nullptr;
    std::vector<TPdfPage*> m_pages;
    TPdfPage* m_currentPage = nullptr;
    std::vector<TPdfFont*> m_fonts;
    QHash<QByteArray, TPdfXObject*> m_xobjects;
    std::vector<std::unique_ptr<TPdfDestination>> m_destinations;
};
