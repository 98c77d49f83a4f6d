#include "pdf/PdfDoc.h"
#include "pdf/PdfFontWidths.h"
#include "base/Jpeg.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

struct FontName {
    const char* requested;
    int baseIndex; // column of the width table
};

// Requested names and their base fonts; the table's columns run Courier, Courier-Bold,
// Courier-Oblique, Courier-BoldOblique, Helvetica ..., Times-Roman ....
constexpr std::array<FontName, 12> kFontNames = {{
    {"FixedWidth", 0},
    {"FixedWidth-Bold", 1},
    {"FixedWidth-Italic", 2},
    {"FixedWidth-BoldItalic", 3},
    {"Arial", 4},
    {"Arial-Bold", 5},
    {"Arial-Italic", 6},
    {"Arial-BoldItalic", 7},
    {"Times-Roman", 8},
    {"Times-Bold", 9},
    {"Times-Italic", 10},
    {"Times-BoldItalic", 11},
}};

QByteArray pageModeName(TPdfPageMode mode)
{
    switch (mode) {
    case TPdfPageMode::UseNone: return "UseNone";
    case TPdfPageMode::UseOutlines: return "UseOutlines";
    case TPdfPageMode::UseThumbs: return "UseThumbs";
    case TPdfPageMode::FullScreen: return "FullScreen";
    }
    return "UseNone";
}

QByteArray pageLayoutName(TPdfPageLayout layout)
{
    switch (layout) {
    case TPdfPageLayout::SinglePage: return "SinglePage";
    case TPdfPageLayout::OneColumn: return "OneColumn";
    case TPdfPageLayout::TwoColumnLeft: return "TwoColumnLeft";
    case TPdfPageLayout::TwoColumnRight: return "TwoColumnRight";
    }
    return "SinglePage";
}

void appendDate(QByteArray& out, const QDateTime& date)
{
    pdf::appendLiteral(out, "D:" + date.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1());
}

void appendRef(QByteArray& out, const TPdfObject* object)
{
    object->writeTo(out);
}

void appendOptional(QByteArray& out, const std::optional<double>& value)
{
    if (value)
        pdf::appendNumber(out, *value);
    else
        pdf::put(out, "null");
}

int textWidthUnits(const unsigned short* widths, const QByteArray& text, int* spaces)
{
    int units = 0;
    int blanks = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        units += widths[c];
        blanks += c == ' ';
    }
    *spaces = blanks;
    return units;
}

} // namespace

// ---- fonts ----

TPdfFont::TPdfFont(const QByteArray& requestedName, int baseIndex, int number)
    : m_requestedName(requestedName), m_resourceName("F" + QByteArray::number(number)), m_baseIndex(baseIndex)
{
    addName("Type", "Font");
    addName("Subtype", "Type1");
    addName("Name", m_resourceName);
    addName("BaseFont", baseFont());
    addName("Encoding", "WinAnsiEncoding");
}

QByteArray TPdfFont::baseFont() const { return pdffonts::kBaseFontNames[m_baseIndex]; }

int TPdfFont::charWidth(unsigned char c) const { return pdffonts::kWidths[m_baseIndex][c]; }

int TPdfFont::baseIndexOf(const QByteArray& requestedName)
{
    for (const auto& f : kFontNames)
        if (requestedName == f.requested)
            return f.baseIndex;
    return -1;
}

namespace pdf {

double textWidth(const QByteArray& requestedFont, double size, const QByteArray& text, double charSpace,
                 double wordSpace, double hScaling)
{
    const int index = TPdfFont::baseIndexOf(requestedFont);
    if (index < 0)
        throw EPdfError(QStringLiteral("CreateFont --InvalidFontName:") + QString::fromLatin1(requestedFont));
    return textWidth(index, size, text, charSpace, wordSpace, hScaling);
}

double textWidth(int index, double size, const QByteArray& text, double charSpace, double wordSpace, double hScaling)
{
    if (index < 0 || index >= 12)
        throw EPdfError(QStringLiteral("TextWidth --invalid font."));
    int spaces = 0;
    const int units = textWidthUnits(pdffonts::kWidths[index], text, &spaces);
    return (units * size / 1000.0 + charSpace * double(text.size()) + wordSpace * spaces) * hScaling / 100.0;
}

} // namespace pdf

// ---- images ----

std::unique_ptr<TPdfJpegImage> TPdfJpegImage::create(const QByteArray& jpegBytes)
{
    if (jpegBytes.size() < 3 || static_cast<unsigned char>(jpegBytes[0]) != 0xFF
        || static_cast<unsigned char>(jpegBytes[1]) != 0xD8)
        throw EPdfError(QStringLiteral("only jpeg image is allowed."));
    jpeg::Info info;
    QString error;
    if (!jpeg::readInfo(jpegBytes, &info, &error) || !jpeg::verify(jpegBytes, &error))
        throw EFileError(error);
    std::unique_ptr<TPdfJpegImage> image(new TPdfJpegImage);
    image->m_width = info.width;
    image->m_height = info.height;
    auto& a = image->attributes();
    a.addName("Type", "XObject");
    a.addName("Subtype", "Image");
    // The colour space must match the picture's components, or gray and CMYK pictures
    // come out garbled.
    if (info.components == 1) {
        a.addName("ColorSpace", "DeviceGray");
    } else if (info.components == 4) {
        a.addName("ColorSpace", "DeviceCMYK");
        if (info.adobeInverted) {
            auto* decode = new TPdfArray;
            for (int i = 0; i < 4; ++i) {
                decode->addNumber(1);
                decode->addNumber(0);
            }
            a.add("Decode", decode);
        }
    } else {
        a.addName("ColorSpace", "DeviceRGB");
    }
    a.addNumber("Width", info.width);
    a.addNumber("Height", info.height);
    a.addNumber("BitsPerComponent", 8);
    a.addName("Filter", "DCTDecode");
    image->data() = jpegBytes;
    return image;
}

std::unique_ptr<TPdfImage> createPdfImage(const QByteArray& creatorName, const QByteArray& bytes)
{
    if (creatorName == "Pdf-Jpeg")
        return TPdfJpegImage::create(bytes);
    throw EPdfError(QStringLiteral("CreateImage --InvalidImageClassName:") + QString::fromLatin1(creatorName));
}

// ---- destinations and outlines ----

TPdfDestination::TPdfDestination(TPdfPage* page) : m_page(page) {}

void TPdfDestination::setZoom(double zoom)
{
    if (zoom < 0)
        throw EPdfError(QStringLiteral("Zoom property cannot set to under 0."));
    if (zoom > kPdfMaxZoom)
        throw EPdfError(QStringLiteral("Zoom property cannot set to over %1.").arg(kPdfMaxZoom));
    m_zoom = zoom;
}

void TPdfDestination::writeValue(QByteArray& out) const
{
    pdf::put(out, "[");
    appendRef(out, m_page);
    switch (DestinationType) {
    case TPdfDestinationType::XYZ:
        pdf::put(out, " /XYZ ");
        appendOptional(out, Left);
        pdf::put(out, " ");
        appendOptional(out, Top);
        pdf::put(out, " ");
        pdf::appendNumber(out, m_zoom);
        break;
    case TPdfDestinationType::Fit: pdf::put(out, " /Fit"); break;
    case TPdfDestinationType::FitH:
        pdf::put(out, " /FitH ");
        appendOptional(out, Top);
        break;
    case TPdfDestinationType::FitV:
        pdf::put(out, " /FitV ");
        appendOptional(out, Left);
        break;
    case TPdfDestinationType::FitR:
        pdf::put(out, " /FitR ");
        appendOptional(out, Left);
        pdf::put(out, " ");
        appendOptional(out, Bottom);
        pdf::put(out, " ");
        appendOptional(out, Right);
        pdf::put(out, " ");
        appendOptional(out, Top);
        break;
    case TPdfDestinationType::FitB: pdf::put(out, " /FitB"); break;
    case TPdfDestinationType::FitBH:
        pdf::put(out, " /FitBH ");
        appendOptional(out, Top);
        break;
    case TPdfDestinationType::FitBV:
        pdf::put(out, " /FitBV ");
        appendOptional(out, Left);
        break;
    }
    pdf::put(out, "]");
}

TPdfOutlineEntry* TPdfOutlineEntry::AddChild() { return m_doc->createOutlineEntry(this); }

int TPdfOutlineEntry::childCount() const
{
    int n = 0;
    for (auto* e = m_first; e; e = e->m_next)
        ++n;
    return n;
}

int TPdfOutlineEntry::visibleDescendants() const
{
    int n = 0;
    for (auto* e = m_first; e; e = e->m_next) {
        ++n;
        if (e->Opened)
            n += e->visibleDescendants();
    }
    return n;
}

void TPdfOutlineEntry::writeLinks(QByteArray& out) const
{
    auto link = [&](const char* key, const TPdfObject* object) {
        if (!object)
            return;
        out += key;
        appendRef(out, object);
        pdf::put(out, "\r\n");
    };
    link("/First ", m_first);
    link("/Last ", m_last);
}

void TPdfOutlineEntry::writeValue(QByteArray& out) const
{
    pdf::put(out, "<<\r\n/Title ");
    TPdfText(Title).writeValue(out);
    pdf::put(out, "\r\n/Parent ");
    appendRef(out, m_parent);
    pdf::put(out, "\r\n");
    if (m_dest) {
        pdf::put(out, "/Dest ");
        m_dest->writeValue(out);
        pdf::put(out, "\r\n");
    }
    writeLinks(out);
    if (m_prev) {
        pdf::put(out, "/Prev ");
        appendRef(out, m_prev);
        pdf::put(out, "\r\n");
    }
    if (m_next) {
        pdf::put(out, "/Next ");
        appendRef(out, m_next);
        pdf::put(out, "\r\n");
    }
    if (m_first) {
        // Negative: closed, the number of entries shown once opened.
        pdf::put(out, "/Count ");
        const int visible = visibleDescendants();
        pdf::appendInteger(out, Opened ? visible : -visible);
        pdf::put(out, "\r\n");
    }
    pdf::put(out, ">>");
}

void TPdfOutlineRoot::writeValue(QByteArray& out) const
{
    pdf::put(out, "<<\r\n/Type /Outlines\r\n");
    writeLinks(out);
    pdf::put(out, "/Count ");
    pdf::appendInteger(out, visibleDescendants());
    pdf::put(out, "\r\n>>");
}

// ---- catalog and info ----

void TPdfCatalog::writeValue(QByteArray& out) const
{
    pdf::put(out, "<<\r\n/Type /Catalog\r\n/Pages ");
    appendRef(out, m_pages);
    pdf::put(out, "\r\n");
    if (m_outlines) {
        pdf::put(out, "/Outlines ");
        appendRef(out, m_outlines);
        pdf::put(out, "\r\n");
    }
    if (PageLayout != TPdfPageLayout::SinglePage) {
        out += "/PageLayout /" + pageLayoutName(PageLayout) + "\r\n";
    }
    if (PageMode != TPdfPageMode::UseNone) {
        out += "/PageMode /" + pageModeName(PageMode) + "\r\n";
    }
    if (ViewerPreference != 0 || NonFullScreenPageMode != TPdfPageMode::UseNone) {
        pdf::put(out, "/ViewerPreferences <<\r\n");
        const std::pair<unsigned, const char*> flags[] = {
            {vpHideToolbar, "/HideToolbar true\r\n"}, {vpHideMenubar, "/HideMenubar true\r\n"},
            {vpHideWindowUI, "/HideWindowUI true\r\n"}, {vpFitWindow, "/FitWindow true\r\n"},
            {vpCenterWindow, "/CenterWindow true\r\n"}};
        for (const auto& [flag, line] : flags)
            if (ViewerPreference & flag)
                out += line;
        if (NonFullScreenPageMode != TPdfPageMode::UseNone)
            out += "/NonFullScreenPageMode /" + pageModeName(NonFullScreenPageMode) + "\r\n";
        pdf::put(out, ">>\r\n");
    }
    if (OpenAction) {
        pdf::put(out, "/OpenAction ");
        OpenAction->writeValue(out);
        pdf::put(out, "\r\n");
    }
    pdf::put(out, ">>");
}

void TPdfInfo::writeValue(QByteArray& out) const
{
    pdf::put(out, "<<\r\n/Producer (Fischkladde PDF 1.0)\r\n");
    auto text = [&](const char* key, const QByteArray& value) {
        if (value.isEmpty())
            return;
        out += key;
        TPdfText(value).writeValue(out);
        pdf::put(out, "\r\n");
    };
    auto date = [&](const char* key, const QDateTime& value) {
        if (!value.isValid())
            return;
        out += key;
        appendDate(out, value);
        pdf::put(out, "\r\n");
    };
    text("/Author ", Author);
    date("/CreationDate ", CreationDate);
    date("/ModDate ", ModDate);
    text("/Creator ", Creator);
    text("/Title ", Title);
    text("/Subject ", Subject);
    text("/Keywords ", Keywords);
    pdf::put(out, ">>");
}

// ---- pages ----

TPdfPage::TPdfPage(TPdfDocument& doc, TPdfObject* parent, double width, double height)
    : m_width(width), m_height(height)
{
    m_contents = doc.xref().add(new TPdfStream);
    addName("Type", "Page");
    add("Parent", parent);
    auto* box = new TPdfArray;
    box->addNumber(0);
    box->addNumber(0);
    box->addNumber(qRound64(width));
    box->addNumber(qRound64(height));
    add("MediaBox", box);
    auto* resources = new TPdfDictionary;
    m_fonts = static_cast<TPdfDictionary*>(resources->add("Font", new TPdfDictionary));
    m_xobjects = static_cast<TPdfDictionary*>(resources->add("XObject", new TPdfDictionary));
    auto* procSet = new TPdfArray;
    procSet->addName("PDF");
    procSet->addName("Text");
    procSet->addName("ImageC");
    resources->add("ProcSet", procSet);
    add("Resources", resources);
    add("Contents", m_contents);
    m_canvas = std::make_unique<TPdfCanvas>(doc, *this);
}

TPdfPage::~TPdfPage() = default;

void TPdfPage::addFont(TPdfFont* font)
{
    for (const TPdfFont* used : m_usedFonts)
        if (used == font)
            return;
    m_usedFonts.push_back(font);
    m_fonts->add(font->resourceName(), font);
}

void TPdfPage::addXObject(const QByteArray& name, TPdfXObject* object)
{
    if (m_xobjects->value(name) != object)
        m_xobjects->add(name, object);
}

// ---- canvas ----

TPdfCanvas::TPdfCanvas(TPdfDocument& doc, TPdfPage& page)
    : m_doc(doc), m_page(page), m_out(page.contents().data())
{
}

namespace {

// One operator line built on the stack and appended in one piece.
struct OpLine {
    char buf[8 * pdf::kMaxNumberLength + 16];
    char* p = buf;
    OpLine& num(double v)
    {
        p = pdf::formatNumber(p, v);
        *p++ = ' ';
        return *this;
    }
    void end(QByteArray& out, const char* name, int length)
    {
        std::memcpy(p, name, size_t(length));
        p += length;
        *p++ = '\n';
        pdf::put(out, buf, p - buf);
    }
};

} // namespace

void TPdfCanvas::op(const char* line)
{
    pdf::put(m_out, line, qsizetype(std::strlen(line)));
}

void TPdfCanvas::op(double a, const char* name)
{
    OpLine line;
    line.num(a);
    line.end(m_out, name + 1, int(std::strlen(name)) - 1); // name starts with its blank
}

void TPdfCanvas::op(double a, double b, const char* name)
{
    OpLine line;
    line.num(a).num(b);
    line.end(m_out, name + 1, int(std::strlen(name)) - 1);
}

void TPdfCanvas::gSave()
{
    m_saved.push_back(m_state);
    op("q\n");
}

void TPdfCanvas::gRestore()
{
    if (m_saved.empty())
        throw EPdfError(QStringLiteral("GRestore --no saved graphics state."));
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
    op("Q\n");
}

void TPdfCanvas::concat(double a, double b, double c, double d, double e, double f)
{
    OpLine line;
    line.num(a).num(b).num(c).num(d).num(e).num(f);
    line.end(m_out, "cm", 2);
}

void TPdfCanvas::setDash(const std::vector<double>& dashes, double phase)
{
    pdf::put(m_out, "[");
    for (size_t i = 0; i < dashes.size(); ++i) {
        if (i)
            pdf::put(m_out, " ");
        pdf::appendNumber(m_out, dashes[i]);
    }
    pdf::put(m_out, "] ");
    op(phase, " d");
    m_state.dash = dashes;
    m_state.dashPhase = phase;
}

void TPdfCanvas::setLineWidth(double width)
{
    op(width, " w");
    m_state.lineWidth = width;
}

void TPdfCanvas::moveTo(double x, double y) { op(x, y, " m"); }
void TPdfCanvas::lineTo(double x, double y) { op(x, y, " l"); }

void TPdfCanvas::rectangle(double x, double y, double w, double h)
{
    OpLine line;
    line.num(x).num(y).num(w).num(h);
    line.end(m_out, "re", 2);
}

void TPdfCanvas::closePath() { op("h\n"); }
void TPdfCanvas::endPath() { op("n\n"); }
void TPdfCanvas::stroke() { op("S\n"); }
void TPdfCanvas::closePathStroke() { op("s\n"); }
void TPdfCanvas::fill() { op("f\n"); }
void TPdfCanvas::fillStroke() { op("b\n"); }
void TPdfCanvas::clip() { op("W\n"); }

void TPdfCanvas::setCharSpace(double space)
{
    op(space, " Tc");
    m_state.charSpace = space;
}

void TPdfCanvas::setWordSpace(double space)
{
    op(space, " Tw");
    m_state.wordSpace = space;
}

void TPdfCanvas::setHorizontalScaling(double percent)
{
    op(percent, " Tz");
    m_state.hScaling = percent;
}

void TPdfCanvas::setLeading(double leading)
{
    op(leading, " TL");
    m_state.leading = leading;
}

void TPdfCanvas::setFont(const QByteArray& requestedName, double size)
{
    TPdfFont* font = m_doc.createFont(requestedName);
    m_page.addFont(font);
    pdf::appendName(m_out, font->resourceName());
    pdf::put(m_out, " ");
    op(size, " Tf");
    m_state.font = font;
    m_state.fontSize = size;
}

void TPdfCanvas::beginText() { op("BT\n"); }
void TPdfCanvas::endText() { op("ET\n"); }
void TPdfCanvas::moveTextPoint(double x, double y) { op(x, y, " Td"); }
void TPdfCanvas::moveToNextLine() { op("T*\n"); }

void TPdfCanvas::showText(const QByteArray& text)
{
    if (!m_state.font)
        throw EPdfError(QStringLiteral("ShowText --font is not set."));
    pdf::appendLiteral(m_out, text);
    pdf::put(m_out, " Tj\n", 4);
}

void TPdfCanvas::executeXObject(const QByteArray& name)
{
    TPdfXObject* object = m_doc.getXObject(name);
    m_page.addXObject(name, object);
    pdf::appendName(m_out, name);
    op(" Do\n");
}

void TPdfCanvas::setRGBFillColor(double r, double g, double b)
{
    OpLine line;
    line.num(r).num(g).num(b);
    line.end(m_out, "rg", 2);
    m_state.fill = 0xFFFFFFFF;
}

void TPdfCanvas::setRGBStrokeColor(double r, double g, double b)
{
    OpLine line;
    line.num(r).num(g).num(b);
    line.end(m_out, "RG", 2);
    m_state.stroke = 0xFFFFFFFF;
}

void TPdfCanvas::setFillColor(TColor color)
{
    setRGBFillColor(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0);
    m_state.fill = color;
}

void TPdfCanvas::setStrokeColor(TColor color)
{
    setRGBStrokeColor(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0);
    m_state.stroke = color;
}

double TPdfCanvas::textWidth(const QByteArray& text) const
{
    if (!m_state.font)
        throw EPdfError(QStringLiteral("TextWidth --font is not set."));
    int spaces = 0;
    const int units = textWidthUnits(pdffonts::kWidths[m_state.font->baseIndex()], text, &spaces);
    return (units * m_state.fontSize / 1000.0 + m_state.charSpace * double(text.size())
            + m_state.wordSpace * spaces) * m_state.hScaling / 100.0;
}

int TPdfCanvas::measureText(const QByteArray& text, double width) const
{
    if (!m_state.font)
        throw EPdfError(QStringLiteral("MeasureText --font is not set."));
    const unsigned short* widths = pdffonts::kWidths[m_state.font->baseIndex()];
    const double scale = m_state.hScaling / 100.0;
    double used = 0;
    for (int i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        double w = widths[c] * m_state.fontSize / 1000.0 + m_state.charSpace + (c == ' ' ? m_state.wordSpace : 0);
        used += w * scale;
        if (used > width + 1e-6)
            return i;
    }
    return int(text.size());
}

// ---- document ----

TPdfDocument::TPdfDocument() = default;
TPdfDocument::~TPdfDocument() = default;

TPdfXref& TPdfDocument::xref()
{
    if (!m_xref)
        throw EPdfError(QStringLiteral("GetXref --there is no document."));
    return *m_xref;
}

void TPdfDocument::newDoc()
{
    freeDoc();
    m_xref = std::make_unique<TPdfXref>();
    m_catalog = m_xref->add(new TPdfCatalog);
    m_info = m_xref->add(new TPdfInfo);
    m_pagesNode = m_xref->add(new TPdfDictionary);
    m_pagesNode->addName("Type", "Pages");
    m_kids = static_cast<TPdfArray*>(m_pagesNode->add("Kids", new TPdfArray));
    m_pagesNode->addNumber("Count", 0);
    m_catalog->m_pages = m_pagesNode;
    if (UseOutlines) {
        m_outlineRoot = m_xref->add(new TPdfOutlineRoot(this));
        m_catalog->m_outlines = m_outlineRoot;
    }
}

void TPdfDocument::freeDoc()
{
    m_destinations.clear();
    m_xobjects.clear();
    m_fonts.clear();
    m_pages.clear();
    m_currentPage = nullptr;
    m_outlineRoot = nullptr;
    m_kids = nullptr;
    m_pagesNode = nullptr;
    m_info = nullptr;
    m_catalog = nullptr;
    m_xref.reset();
}

TPdfPage* TPdfDocument::addPage(double width, double height)
{
    if (!m_pagesNode)
        throw EPdfError(QStringLiteral("AddPage --current pages null."));
    if (!(width > 0 && height > 0 && width <= 14400 && height <= 14400))
        throw EPdfError(QStringLiteral("AddPage --invalid page size."));
    auto* page = m_xref->add(new TPdfPage(*this, m_pagesNode, width, height));
    // Pages of a report are much alike: start with room for what the last one needed
    // instead of growing through many copies.
    if (!m_pages.empty()) {
        const qsizetype last = m_pages.back()->contents().data().size();
        page->contents().data().reserve(last + last / 8);
    }
    m_kids->add(page);
    m_pages.push_back(page);
    static_cast<TPdfNumber*>(m_pagesNode->value("Count"))->Value = qint64(m_pages.size());
    m_currentPage = page;
    return page;
}

TPdfCanvas& TPdfDocument::canvas()
{
    if (!m_currentPage)
        throw EPdfError(QStringLiteral("GetCanvas --current page null."));
    return m_currentPage->canvas();
}

TPdfCatalog* TPdfDocument::catalog() const
{
    if (!m_catalog)
        throw EPdfError(QStringLiteral("GetCatalog --there is no document."));
    return m_catalog;
}

TPdfInfo* TPdfDocument::info() const
{
    if (!m_info)
        throw EPdfError(QStringLiteral("GetInfo --there is no document."));
    return m_info;
}

TPdfOutlineRoot* TPdfDocument::outlineRoot() const
{
    if (!m_outlineRoot)
        throw EPdfError(QStringLiteral("GetOutlineRoot --not use outline mode.."));
    return m_outlineRoot;
}

TPdfFont* TPdfDocument::createFont(const QByteArray& requestedName)
{
    for (TPdfFont* font : m_fonts)
        if (font->requestedName() == requestedName)
            return font;
    const int index = TPdfFont::baseIndexOf(requestedName);
    if (index < 0)
        throw EPdfError(QStringLiteral("CreateFont --InvalidFontName:") + QString::fromLatin1(requestedName));
    auto* font = xref().add(new TPdfFont(requestedName, index, int(m_fonts.size())));
    m_fonts.push_back(font);
    return font;
}

TPdfXObject* TPdfDocument::registerXObject(std::unique_ptr<TPdfXObject> object, const QByteArray& name)
{
    if (!object)
        throw EPdfError(QStringLiteral("RegisterXObject --object is null."));
    if (name.isEmpty())
        throw EPdfError(QStringLiteral("RegisterXObject --name is empty."));
    if (m_xobjects.contains(name))
        throw EPdfError(QStringLiteral("RegisterXObject --dupulicate name: %1").arg(QString::fromLatin1(name)));
    TPdfXObject* registered = xref().add(object.release());
    if (!registered->attributes().value("Name"))
        registered->attributes().addName("Name", name);
    m_xobjects.insert(name, registered);
    return registered;
}

TPdfXObject* TPdfDocument::getXObject(const QByteArray& name) const
{
    TPdfXObject* object = m_xobjects.value(name);
    if (!object)
        throw EPdfError(QStringLiteral("GetXObject --xobject not found: %1").arg(QString::fromLatin1(name)));
    return object;
}

TPdfDestination* TPdfDocument::createDestination()
{
    if (!m_currentPage)
        throw EPdfError(QStringLiteral("CreateDestination --current page null."));
    return createDestination(m_currentPage);
}

TPdfDestination* TPdfDocument::createDestination(TPdfPage* page)
{
    if (!page)
        throw EPdfError(QStringLiteral("CreateDestination --page is null."));
    auto dest = std::make_unique<TPdfDestination>(page);
    dest->Left = 0;
    dest->Top = page->height();
    m_destinations.push_back(std::move(dest));
    return m_destinations.back().get();
}

TPdfOutlineEntry* TPdfDocument::createOutlineEntry(TPdfOutlineEntry* parent)
{
    if (!m_xref || !parent)
        throw EPdfError(QStringLiteral("AddChild --there is no document."));
    auto* entry = m_xref->add(new TPdfOutlineEntry(this));
    entry->m_parent = parent;
    if (parent->m_last) {
        parent->m_last->m_next = entry;
        entry->m_prev = parent->m_last;
    } else {
        parent->m_first = entry;
    }
    parent->m_last = entry;
    return entry;
}

bool TPdfDocument::writeTo(const std::function<bool(const char*, qsizetype)>& put) const
{
    if (!m_xref)
        throw EPdfError(QStringLiteral("SaveToStream --there is no document to save."));
    static constexpr char kHeader[] = "%PDF-1.2 \r\n";
    if (!put(kHeader, qsizetype(sizeof kHeader - 1)))
        return false;
    qint64 position = qint64(sizeof kHeader - 1);
    std::vector<qint64> offsets;
    if (!m_xref->writeObjects(put, position, offsets))
        return false;
    const qint64 xrefOffset = position;
    QByteArray out;
    out.reserve(64 + 20 * qsizetype(offsets.size()) + 128);
    pdf::put(out, "xref\r\n0 ");
    pdf::appendInteger(out, m_xref->count());
    pdf::put(out, "\r\n0000000000 65535 f\r\n");
    // Each entry is exactly 20 bytes: ten-digit offset, generation 00000, "n", CR LF.
    char line[20] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', ' ', '0', '0', '0', '0', '0', ' ', 'n', '\r', '\n'};
    for (const qint64 offset : offsets) {
        qint64 v = offset;
        if (v > 9999999999LL)
            throw EPdfError(QStringLiteral("SaveToStream --file too large."));
        for (int i = 9; i >= 0; --i, v /= 10)
            line[i] = char('0' + v % 10);
        pdf::put(out, line, 20);
    }
    pdf::put(out, "trailer\r\n<<\r\n/Size ");
    pdf::appendInteger(out, m_xref->count());
    pdf::put(out, "\r\n/Root ");
    appendRef(out, m_catalog);
    pdf::put(out, "\r\n/Info ");
    appendRef(out, m_info);
    pdf::put(out, "\r\n>>\r\nstartxref\r\n");
    pdf::appendInteger(out, xrefOffset);
    pdf::put(out, "\r\n%%EOF\r\n");
    return put(out.constData(), out.size());
}

void TPdfDocument::saveToStream(QByteArray& out) const
{
    qint64 estimate = 4096 + qint64(m_xref ? m_xref->count() : 0) * 120;
    for (const TPdfPage* page : m_pages)
        estimate += page->contents().data().size();
    for (const TPdfXObject* object : m_xobjects)
        estimate += object->data().size();
    out.reserve(out.size() + estimate);
    writeTo([&out](const char* data, qsizetype size) {
        out.append(data, size);
        return true;
    });
}

QByteArray TPdfDocument::save() const
{
    QByteArray out;
    saveToStream(out);
    return out;
}
