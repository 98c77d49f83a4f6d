// Renders the user manual docs/Anleitung.txt into "Anleitung.pdf" with the program's own report
// layer; run at build time (cmake/parts/pdf.cmake).
//
//   make_manual <Anleitung.txt> <Anleitung.pdf>
//
// The source is UTF-8 with a small markup (see the head of the source file); pictures are
// JPEG files beside it.
#include "base/Win1252.h"
#include "base/Jpeg.h"
#include "pdf/Report.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kPageWidth = 596;
constexpr int kPageHeight = 842;
constexpr int kLeft = 64;
constexpr int kRight = 64;
constexpr int kTextWidth = kPageWidth - kLeft - kRight;
constexpr int kContentTop = 70;
constexpr int kContentBottom = kPageHeight - 64;

struct ManualError {
    QString message;
};

// ---- source ----

enum class BlockKind { Chapter, Section, Paragraph, Bullet, Picture };

struct Block {
    BlockKind kind;
    QByteArray text; // Windows-1252
    QString picture; // file path for Picture
};

struct Source {
    QByteArray title, subtitle, titleText;
    QString titlePicture;
    std::vector<Block> blocks;
};

QByteArray toWin1252(const QString& text, int lineNumber)
{
    QByteArray out;
    if (!win1252::encode(text, &out))
        throw ManualError{QStringLiteral("Zeile %1: das Zeichen \"%2\" gibt es in Windows-1252 nicht.")
                              .arg(lineNumber)
                              .arg(win1252::firstUnencodable(text))};
    return out;
}

Source parse(const QString& path)
{
    const QString text = QString::fromUtf8(safefile::readOrThrow(path));
    const QDir folder = QFileInfo(path).absoluteDir();
    Source source;
    QString paragraph;
    int paragraphLine = 0;
    BlockKind paragraphKind = BlockKind::Paragraph;
    auto flush = [&] {
        if (!paragraph.isEmpty())
            source.blocks.push_back({paragraphKind, toWin1252(paragraph, paragraphLine), {}});
        paragraph.clear();
    };
    auto picturePath = [&](const QString& name, int n) {
        const QString file = folder.filePath(name.trimmed());
        if (!QFileInfo::exists(file))
            throw ManualError{QStringLiteral("Zeile %1: Bild \"%2\" fehlt.").arg(n).arg(file)};
        return file;
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int n = i + 1;
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.isEmpty()) {
            flush();
            continue;
        }
        if (line.startsWith(QLatin1Char('@'))) {
            flush();
            const qsizetype blank = line.indexOf(QLatin1Char(' '));
            const QString key = line.mid(1, blank < 0 ? -1 : blank - 1);
            const QString value = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
            if (key == QLatin1String("titel"))
                source.title = toWin1252(value, n);
            else if (key == QLatin1String("untertitel"))
                source.subtitle = toWin1252(value, n);
            else if (key == QLatin1String("titeltext"))
                source.titleText = toWin1252(value, n);
            else if (key == QLatin1String("titelbild"))
                source.titlePicture = picturePath(value, n);
            else if (key == QLatin1String("bild")) {
                const QStringList parts = value.split(QLatin1Char('|'));
                source.blocks.push_back({BlockKind::Picture, toWin1252(parts.value(1).trimmed(), n),
                                         picturePath(parts.value(0), n)});
            } else
                throw ManualError{QStringLiteral("Zeile %1: unbekannte Angabe \"@%2\".").arg(n).arg(key)};
            continue;
        }
        if (line.startsWith(QLatin1String("=="))) {
            flush();
            source.blocks.push_back({BlockKind::Section, toWin1252(line.mid(2).trimmed(), n), {}});
            continue;
        }
        if (line.startsWith(QLatin1Char('='))) {
            flush();
            source.blocks.push_back({BlockKind::Chapter, toWin1252(line.mid(1).trimmed(), n), {}});
            continue;
        }
        if (line.startsWith(QLatin1String("- "))) {
            flush();
            paragraphKind = BlockKind::Bullet;
            paragraphLine = n;
            paragraph = line.mid(2).trimmed();
            continue;
        }
        if (paragraph.isEmpty()) {
            paragraphKind = BlockKind::Paragraph;
            paragraphLine = n;
            paragraph = line;
        } else {
            paragraph += QLatin1Char(' ') + line;
        }
    }
    flush();
    if (source.title.isEmpty())
        throw ManualError{QStringLiteral("Die Angabe @titel fehlt.")};
    return source;
}

// ---- layout ----

// One thing placed on a page, in page design coordinates.
struct Placed {
    enum Kind { Label, Picture, Rule };
    Placed(Kind k, const QRect& r, const QByteArray& t = {}) : kind(k), rect(r), text(t) {}
    Kind kind;
    QRect rect;
    QByteArray text;
    TReportFontName font = fnTimesRoman;
    double size = 11;
    bool bold = false, italic = false, justified = false;
    TAlignment align = taLeftJustify;
    TColor color = clBlack;
    QString picture;
    TPenStyle style = psSolid;
};

struct Mark {
    int level; // 0 chapter, 1 section
    QByteArray title;
    int top;
};

struct PageLayout {
    std::vector<Placed> items;
    std::vector<Mark> marks;
    QByteArray chapter;
};

Placed label(const QRect& rect, const QByteArray& text, TReportFontName font, double size, bool bold = false,
             bool italic = false)
{
    Placed p{Placed::Label, rect, text};
    p.font = font;
    p.size = size;
    p.bold = bold;
    p.italic = italic;
    return p;
}

QList<QByteArray> wrap(const QByteArray& text, TReportFontName font, double size, bool bold, bool italic, int width)
{
    TReportText measure("Messen");
    measure.FontName = font;
    measure.FontSize = size;
    measure.FontBold = bold;
    measure.FontItalic = italic;
    measure.WordWrap = true;
    measure.Lines = {text};
    return measure.layoutLines(width);
}

QSize pictureSize(const QString& path, int maxWidth, int maxHeight)
{
    int w = 0, h = 0;
    QString error;
    if (!jpeg::readSize(safefile::readOrThrow(path), &w, &h, &error))
        throw ManualError{QStringLiteral("%1: %2").arg(path, error)};
    const double scale = std::min({1.0, double(maxWidth) / w, double(maxHeight) / h});
    return QSize(int(w * scale), int(h * scale));
}

class Layouter {
public:
    std::vector<PageLayout> pages;

    void newPage(const QByteArray& chapter)
    {
        pages.push_back({});
        pages.back().chapter = chapter;
        m_y = kContentTop;
    }

    void run(const Source& source)
    {
        QByteArray chapter;
        for (size_t i = 0; i < source.blocks.size(); ++i) {
            const Block& b = source.blocks[i];
            switch (b.kind) {
            case BlockKind::Chapter:
                chapter = b.text;
                ++m_chapterNumber;
                m_sectionNumber = 0;
                chapterHeading(QByteArray::number(m_chapterNumber) + "  " + b.text, chapter);
                break;
            case BlockKind::Section:
                ++m_sectionNumber;
                sectionHeading(QByteArray::number(m_chapterNumber) + "." + QByteArray::number(m_sectionNumber)
                                   + "  " + b.text,
                               chapter);
                break;
            case BlockKind::Paragraph:
                paragraph(b.text, kLeft, kTextWidth, chapter, 7);
                break;
            case BlockKind::Bullet:
                bullet(b.text, chapter, i + 1 < source.blocks.size() && source.blocks[i + 1].kind == BlockKind::Bullet);
                break;
            case BlockKind::Picture:
                picture(b.picture, b.text, chapter);
                break;
            }
        }
    }

    std::vector<std::pair<QByteArray, int>> chapters; // title, page number (1-based)
    int firstPageNumber = 1; // number of the first page laid out here

private:
    static constexpr double kBodySize = 11;
    static constexpr int kLeading = 15;

    void ensure(int height, const QByteArray& chapter)
    {
        if (pages.empty() || m_y + height > kContentBottom)
            newPage(chapter);
    }

    void chapterHeading(const QByteArray& title, const QByteArray& chapter)
    {
        newPage(chapter);
        chapters.emplace_back(title, firstPageNumber + int(pages.size()) - 1);
        pages.back().marks.push_back({0, title, m_y});
        Placed p = label(QRect(kLeft, m_y, kTextWidth, 28), title, fnArial, 22, true);
        p.color = clNavy;
        pages.back().items.push_back(p);
        m_y += 32;
        Placed rule{Placed::Rule, QRect(kLeft, m_y, kTextWidth, 0)};
        rule.color = clNavy;
        pages.back().items.push_back(rule);
        m_y += 16;
    }

    void sectionHeading(const QByteArray& title, const QByteArray& chapter)
    {
        // Keep the heading together with two lines of what follows.
        ensure(8 + 18 + 2 * kLeading, chapter);
        if (m_y > kContentTop)
            m_y += 8;
        pages.back().marks.push_back({1, title, m_y});
        Placed p = label(QRect(kLeft, m_y, kTextWidth, 16), title, fnArial, 13, true);
        p.color = clNavy;
        pages.back().items.push_back(p);
        m_y += 22;
    }

    void paragraph(const QByteArray& text, int left, int width, const QByteArray& chapter, int spaceAfter)
    {
        const QList<QByteArray> lines = wrap(text, fnTimesRoman, kBodySize, false, false, width);
        for (int i = 0; i < lines.size(); ++i) {
            // No single first or last line of a paragraph alone on a page.
            const int rest = int(lines.size()) - i;
            ensure(kLeading * ((i == 0 && rest > 1) || rest == 2 ? 2 : 1), chapter);
            Placed p = label(QRect(left, m_y, width, kLeading), lines[i], fnTimesRoman, kBodySize);
            p.justified = i + 1 < lines.size();
            pages.back().items.push_back(p);
            m_y += kLeading;
        }
        m_y += spaceAfter;
    }

    void bullet(const QByteArray& text, const QByteArray& chapter, bool moreFollow)
    {
        ensure(kLeading, chapter);
        pages.back().items.push_back(label(QRect(kLeft + 4, m_y, 10, kLeading), "\x95", fnTimesRoman, kBodySize));
        paragraph(text, kLeft + 16, kTextWidth - 16, chapter, moreFollow ? 2 : 7);
    }

    void picture(const QString& path, const QByteArray& caption, const QByteArray& chapter)
    {
        const QSize size = pictureSize(path, 340, 260);
        ensure(size.height() + 30, chapter);
        m_y += 4;
        Placed pic{Placed::Picture, QRect(kLeft + (kTextWidth - size.width()) / 2, m_y, size.width(), size.height())};
        pic.picture = path;
        pages.back().items.push_back(pic);
        Placed frame{Placed::Rule, pic.rect};
        frame.color = clGray;
        pages.back().items.push_back(frame);
        m_y += size.height() + 6;
        for (const QByteArray& line : wrap(caption, fnArial, 9, false, true, kTextWidth - 40)) {
            Placed p = label(QRect(kLeft, m_y, kTextWidth, 12), line, fnArial, 9, false, true);
            p.align = taCenter;
            p.color = clGray;
            pages.back().items.push_back(p);
            m_y += 12;
        }
        m_y += 10;
    }

    int m_y = kContentTop;
    int m_chapterNumber = 0;
    int m_sectionNumber = 0;
};

// ---- printing ----

void addItem(TReportLayoutPanel& panel, const Placed& p, int index)
{
    const QByteArray name = "Item" + QByteArray::number(index);
    switch (p.kind) {
    case Placed::Label: {
        auto* l = panel.add<TReportLabel>(name);
        l->setBounds(p.rect.x(), p.rect.y(), p.rect.width(), p.rect.height());
        l->Caption = p.text;
        l->FontName = p.font;
        l->FontSize = p.size;
        l->FontBold = p.bold;
        l->FontItalic = p.italic;
        l->FontColor = p.color;
        l->Alignment = p.align;
        l->AlignJustified = p.justified;
        break;
    }
    case Placed::Picture: {
        auto* img = panel.add<TReportJpegImage>("Bild" + QFileInfo(p.picture).baseName().toLatin1());
        img->setBounds(p.rect.x(), p.rect.y(), p.rect.width(), p.rect.height());
        img->Stretch = true;
        img->SharedImage = true; // the same file is embedded once
        img->loadFromFile(p.picture);
        break;
    }
    case Placed::Rule: {
        auto* r = panel.add<TReportRect>(name);
        r->setBounds(p.rect.x(), p.rect.y(), p.rect.width(), p.rect.height());
        r->LineColor = p.color;
        r->LineStyle = p.style;
        r->LineWidth = p.rect.height() > 0 ? 0.5 : 1;
        break;
    }
    }
}

void render(const Source& source, const QString& target)
{
    // Title page and table of contents come first; the chapters start on page 3.
    Layouter body;
    body.firstPageNumber = 3;
    body.run(source);
    const int total = 2 + int(body.pages.size());

    PageLayout titlePage;
    {
        int y = 150;
        Placed t = label(QRect(kLeft, y, kTextWidth, 50), source.title, fnArial, 44, true);
        t.align = taCenter;
        t.color = clNavy;
        titlePage.items.push_back(t);
        y += 62;
        Placed s = label(QRect(kLeft, y, kTextWidth, 24), source.subtitle, fnArial, 18);
        s.align = taCenter;
        titlePage.items.push_back(s);
        y += 50;
        if (!source.titlePicture.isEmpty()) {
            const QSize size = pictureSize(source.titlePicture, 400, 260);
            Placed pic{Placed::Picture, QRect((kPageWidth - size.width()) / 2, y, size.width(), size.height())};
            pic.picture = source.titlePicture;
            titlePage.items.push_back(pic);
            y += size.height() + 30;
        }
        for (const QByteArray& line : wrap(source.titleText, fnTimesRoman, 13, false, true, kTextWidth - 60)) {
            Placed p = label(QRect(kLeft, y, kTextWidth, 17), line, fnTimesRoman, 13, false, true);
            p.align = taCenter;
            titlePage.items.push_back(p);
            y += 17;
        }
        Placed v = label(QRect(kLeft, kPageHeight - 110, kTextWidth, 14), "Version " FK_VERSION, fnArial, 10);
        v.align = taCenter;
        v.color = clGray;
        titlePage.items.push_back(v);
        titlePage.marks.push_back({0, source.title, 0});
    }

    PageLayout contents;
    contents.chapter = "Inhalt";
    {
        int y = kContentTop;
        Placed h = label(QRect(kLeft, y, kTextWidth, 28), "Inhalt", fnArial, 22, true);
        h.color = clNavy;
        contents.items.push_back(h);
        contents.marks.push_back({0, "Inhalt", y});
        y += 48;
        for (const auto& [title, page] : body.chapters) {
            Placed t = label(QRect(kLeft, y, kTextWidth - 40, 16), title, fnTimesRoman, 12);
            contents.items.push_back(t);
            const int textEnd = kLeft + int(pdf::textWidth("Times-Roman", 12, title)) + 6;
            Placed dots{Placed::Rule, QRect(textEnd, y + 12, kLeft + kTextWidth - 30 - textEnd, 0)};
            dots.style = psDot;
            dots.color = clGray;
            contents.items.push_back(dots);
            Placed n = label(QRect(kLeft + kTextWidth - 26, y, 26, 16), QByteArray::number(page), fnTimesRoman, 12);
            n.align = taRightJustify;
            contents.items.push_back(n);
            y += 22;
        }
    }

    std::vector<PageLayout> pages;
    pages.push_back(titlePage);
    pages.push_back(contents);
    pages.insert(pages.end(), body.pages.begin(), body.pages.end());

    TReport report;
    report.FileName = target;
    report.Title = "Fischkladde \x96 Anleitung";
    report.Subject = source.subtitle;
    report.Creator = "Fischkladde";
    report.PageLayout = TPdfPageLayout::OneColumn;
    report.PageMode = TPdfPageMode::UseOutlines;
    report.UseOutlines = true;
    report.beginDoc();
    try {
        TPdfOutlineEntry* chapterEntry = nullptr;
        for (size_t n = 0; n < pages.size(); ++n) {
            const PageLayout& layout = pages[n];
            TReportPage page("Seite");
            page.PageWidth = kPageWidth;
            page.PageHeight = kPageHeight;
            auto* panel = page.add<TReportLayoutPanel>("Blatt");
            panel->setBounds(0, 0, kPageWidth, kPageHeight);
            int index = 0;
            for (const Placed& p : layout.items)
                addItem(*panel, p, index++);
            if (n > 0) {
                Placed head = label(QRect(kLeft, 36, kTextWidth / 2, 12), "Fischkladde \x96 Anleitung", fnArial, 8);
                head.color = clGray;
                addItem(*panel, head, index++);
                Placed chapter = label(QRect(kLeft + kTextWidth / 2, 36, kTextWidth / 2, 12), layout.chapter, fnArial, 8);
                chapter.color = clGray;
                chapter.align = taRightJustify;
                addItem(*panel, chapter, index++);
                Placed rule{Placed::Rule, QRect(kLeft, 50, kTextWidth, 0)};
                rule.color = clSilver;
                addItem(*panel, rule, index++);
                Placed foot = label(QRect(kLeft, kPageHeight - 44, kTextWidth, 12),
                                    "Seite " + QByteArray::number(n + 1) + " von " + QByteArray::number(total), fnArial, 9);
                foot.align = taCenter;
                addItem(*panel, foot, index++);
            }
            page.OnPrintPage = [&](TReportPage&) {
                if (n == 0)
                    report.SetOpenAction(report.CreateDestination());
                for (const Mark& m : layout.marks) {
                    TPdfOutlineEntry* entry = m.level == 0 || !chapterEntry ? report.GetOutlineRoot()->AddChild()
                                                                            : chapterEntry->AddChild();
                    entry->Title = m.title;
                    entry->SetDest(report.CreateDestination(0, std::max(0, m.top - 12)));
                    if (m.level == 0)
                        chapterEntry = entry;
                }
            };
            report.print(page);
        }
    } catch (...) {
        report.abort();
        throw;
    }
    report.endDoc();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: make_manual <Anleitung.txt> <Anleitung.pdf>\n");
        return 2;
    }
    try {
        render(parse(QString::fromLocal8Bit(argv[1])), QString::fromLocal8Bit(argv[2]));
    } catch (const ManualError& e) {
        std::fprintf(stderr, "make_manual: %s: %s\n", argv[1], e.message.toUtf8().constData());
        return 1;
    } catch (const FkError& e) {
        std::fprintf(stderr, "make_manual: %s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
