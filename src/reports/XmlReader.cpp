#include "reports/XmlReader.h"
#include "base/Win1252.h"
#include "reports/ExchangeCommon.h"

#include <QStringDecoder>
#include <cstdint>
#include <cstring>
#include <vector>

namespace xmlreader {
namespace {

// The value of encoding="..." in a leading declaration, lower case; empty when none.
QByteArray declaredEncoding(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return {};
    const QByteArray decl = bytes.left(end);
    qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return {};
    at = decl.indexOf('=', at);
    if (at < 0)
        return {};
    ++at;
    while (at < decl.size() && (decl[at] == ' ' || decl[at] == '\t' || decl[at] == '\r' || decl[at] == '\n'))
        ++at;
    if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\''))
        return {};
    const qsizetype close = decl.indexOf(decl[at], at + 1);
    return close < 0 ? QByteArray() : decl.mid(at + 1, close - at - 1).toLower();
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isNameStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}
bool isNameChar(unsigned char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool isXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

void appendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

class Parser {
public:
    Parser(const QByteArray& text, Handler& handler)
        : m_begin(text.constData()), m_p(m_begin), m_end(m_begin + text.size()), m_handler(handler) {}

    void run()
    {
        if (startsWith("<?xml") && m_p + 5 < m_end && (isSpace(m_p[5]) || m_p[5] == '?'))
            processingInstruction(true);
        bool seenRoot = false;
        bool seenDoctype = false;
        for (;;) {
            while (m_p < m_end && isSpace(*m_p))
                ++m_p;
            if (m_p == m_end) {
                if (!seenRoot)
                    fail(QStringLiteral("Die Datei enthält kein Wurzelelement."));
                return;
            }
            if (startsWith("<!--")) {
                comment();
            } else if (startsWith("<?")) {
                processingInstruction(false);
            } else if (startsWith("<!DOCTYPE") && !seenRoot && !seenDoctype) {
                doctype();
                seenDoctype = true;
            } else if (*m_p == '<' && m_p + 1 < m_end && isNameStart(uchar(m_p[1])) && !seenRoot) {
                element();
                seenRoot = true;
            } else {
                fail(seenRoot ? QStringLiteral("Nach dem Wurzelelement folgt weiterer Inhalt.")
                              : QStringLiteral("Unerwartetes Zeichen vor dem Wurzelelement."));
            }
        }
    }

private:
    [[noreturn]] void fail(const QString& reason) const { failAt(m_p, reason); }
    [[noreturn]] void failAt(const char* at, const QString& reason) const
    {
        int line = 1;
        int column = 1;
        for (const char* q = m_begin; q < at && q < m_end; ++q) {
            if (*q == '\n') {
                ++line;
                column = 1;
            } else if ((uchar(*q) & 0xC0) != 0x80) {
                ++column;
            }
        }
        throw SyntaxError(QStringLiteral("%1 (Zeile %2, Spalte %3)").arg(reason).arg(line).arg(column));
    }
    [[noreturn]] void unexpectedEnd() const { fail(QStringLiteral("Unerwartetes Dateiende.")); }

    bool startsWith(const char* s) const
    {
        const size_t n = std::strlen(s);
        return size_t(m_end - m_p) >= n && std::memcmp(m_p, s, n) == 0;
    }
    // Moves past the next occurrence of `s`; fails at the end of the file.
    const char* skipPast(const char* s)
    {
        const std::string_view rest(m_p, size_t(m_end - m_p));
        const size_t at = rest.find(s);
        if (at == std::string_view::npos) {
            m_p = m_end;
            unexpectedEnd();
        }
        const char* found = m_p + at;
        m_p = found + std::strlen(s);
        return found;
    }
    void checkChars(const char* from, const char* to) const
    {
        for (const char* q = from; q < to; ++q) {
            const uchar c = uchar(*q);
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                failAt(q, QStringLiteral("Unerlaubtes Steuerzeichen 0x%1.").arg(c, 2, 16, QLatin1Char('0')));
        }
    }

    std::string_view name()
    {
        const char* start = m_p;
        if (m_p == m_end)
            unexpectedEnd();
        if (!isNameStart(uchar(*m_p)))
            fail(QStringLiteral("Ein Name wird erwartet."));
        while (m_p < m_end && isNameChar(uchar(*m_p)))
            ++m_p;
        return {start, size_t(m_p - start)};
    }
    void skipSpace()
    {
        while (m_p < m_end && isSpace(*m_p))
            ++m_p;
    }

    void comment()
    {
        m_p += 4;
        const char* start = m_p;
        const char* close = skipPast("--");
        if (m_p == m_end || *m_p != '>')
            failAt(close, QStringLiteral("\"--\" ist in einem Kommentar nicht erlaubt."));
        ++m_p;
        checkChars(start, close);
    }

    void processingInstruction(bool declarationAllowed)
    {
        m_p += 2;
        const char* at = m_p;
        const std::string_view target = name();
        const bool isXml = target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm'
                           && (target[2] | 0x20) == 'l';
        if (isXml && !declarationAllowed)
            failAt(at, QStringLiteral("Die XML-Deklaration darf nur am Anfang der Datei stehen."));
        if (m_p < m_end && !isSpace(*m_p) && !startsWith("?>"))
            fail(QStringLiteral("Ungültige Verarbeitungsanweisung."));
        const char* start = m_p;
        const char* close = skipPast("?>");
        checkChars(start, close);
        if (isXml && std::string_view(start, size_t(close - start)).find("version") == std::string_view::npos)
            failAt(start, QStringLiteral("Der XML-Deklaration fehlt die Version."));
    }

    void doctype()
    {
        m_p += 9;
        // Up to the closing ">" outside quotes and the internal subset.
        int bracket = 0;
        char quote = 0;
        for (; m_p < m_end; ++m_p) {
            const char c = *m_p;
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++bracket;
            } else if (c == ']') {
                --bracket;
            } else if (c == '>' && bracket <= 0) {
                ++m_p;
                return;
            }
        }
        unexpectedEnd();
    }

    // A reference after "&"; appends its character to `out`.
    void reference(std::string& out)
    {
        const char* at = m_p;
        ++m_p;
        if (m_p < m_end && *m_p == '#') {
            ++m_p;
            const bool hex = m_p < m_end && *m_p == 'x';
            if (hex)
                ++m_p;
            uint32_t code = 0;
            const char* digits = m_p;
            while (m_p < m_end && *m_p != ';') {
                const char c = *m_p;
                int d;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                else
                    failAt(at, QStringLiteral("Ungültiger Zeichenverweis."));
                code = code * (hex ? 16 : 10) + uint32_t(d);
                if (code > 0x10FFFF)
                    failAt(at, QStringLiteral("Ungültiger Zeichenverweis."));
                ++m_p;
            }
            if (m_p == m_end)
                unexpectedEnd();
            if (m_p == digits || !isXmlChar(code))
                failAt(at, QStringLiteral("Ungültiger Zeichenverweis."));
            ++m_p;
            appendUtf8(out, code);
            return;
        }
        if (m_p == m_end)
            unexpectedEnd();
        if (!isNameStart(uchar(*m_p)))
            failAt(at, QStringLiteral("Ein \"&\" muss einen Verweis wie \"&amp;\" beginnen."));
        const std::string_view entity = name();
        if (m_p == m_end)
            unexpectedEnd();
        if (*m_p != ';')
            failAt(at, QStringLiteral("Ein \"&\" muss einen Verweis wie \"&amp;\" beginnen."));
        ++m_p;
        if (entity == "amp")
            out += '&';
        else if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else
            failAt(at, QStringLiteral("Unbekannte Entität \"&%1;\".").arg(QString::fromUtf8(entity.data(), qsizetype(entity.size()))));
    }

    // Attributes and the end of a start tag; returns true for an empty-element tag.
    bool startTagRest()
    {
        m_attributes.clear();
        for (;;) {
            const bool spaced = m_p < m_end && isSpace(*m_p);
            skipSpace();
            if (m_p == m_end)
                unexpectedEnd();
            if (*m_p == '>') {
                ++m_p;
                return false;
            }
            if (startsWith("/>")) {
                m_p += 2;
                return true;
            }
            if (!spaced)
                fail(QStringLiteral("Ein Leerzeichen, \">\" oder \"/>\" wird erwartet."));
            const char* at = m_p;
            const std::string_view attribute = name();
            for (std::string_view seen : m_attributes)
                if (seen == attribute)
                    failAt(at, QStringLiteral("Das Attribut \"%1\" steht doppelt.")
                                   .arg(QString::fromUtf8(attribute.data(), qsizetype(attribute.size()))));
            m_attributes.push_back(attribute);
            skipSpace();
            if (m_p == m_end)
                unexpectedEnd();
            if (*m_p != '=')
                fail(QStringLiteral("Nach dem Attributnamen wird \"=\" erwartet."));
            ++m_p;
            skipSpace();
            if (m_p == m_end)
                unexpectedEnd();
            const char quote = *m_p;
            if (quote != '"' && quote != '\'')
                fail(QStringLiteral("Ein Attributwert muss in Anführungszeichen stehen."));
            ++m_p;
            m_scratch.clear();
            for (;;) {
                if (m_p == m_end)
                    unexpectedEnd();
                const char c = *m_p;
                if (c == quote) {
                    ++m_p;
                    break;
                }
                if (c == '<')
                    fail(QStringLiteral("\"<\" ist in einem Attributwert nicht erlaubt."));
                if (c == '&') {
                    reference(m_scratch);
                    continue;
                }
                checkChars(m_p, m_p + 1);
                ++m_p;
            }
        }
    }

    void element()
    {
        std::vector<std::string_view> open;
        ++m_p;
        open.push_back(name());
        m_handler.startElement(open.back());
        if (startTagRest()) {
            m_handler.endElement();
            return;
        }
        while (!open.empty()) {
            text();
            if (m_p == m_end)
                fail(QStringLiteral("Unerwartetes Dateiende: <%1> wird nicht geschlossen.")
                         .arg(QString::fromUtf8(open.back().data(), qsizetype(open.back().size()))));
            // At "<".
            if (startsWith("</")) {
                const char* at = m_p;
                m_p += 2;
                const std::string_view closing = name();
                if (closing != open.back())
                    failAt(at, QStringLiteral("Das Ende-Tag </%1> passt nicht zu <%2>.")
                                   .arg(QString::fromUtf8(closing.data(), qsizetype(closing.size())),
                                        QString::fromUtf8(open.back().data(), qsizetype(open.back().size()))));
                skipSpace();
                if (m_p == m_end)
                    unexpectedEnd();
                if (*m_p != '>')
                    fail(QStringLiteral("\">\" wird erwartet."));
                ++m_p;
                open.pop_back();
                m_handler.endElement();
            } else if (startsWith("<!--")) {
                comment();
            } else if (startsWith("<![CDATA[")) {
                m_p += 9;
                const char* start = m_p;
                const char* close = skipPast("]]>");
                checkChars(start, close);
                emitNormalised(start, close);
            } else if (startsWith("<?")) {
                processingInstruction(false);
            } else {
                ++m_p;
                if (m_p < m_end && !isNameStart(uchar(*m_p)))
                    fail(QStringLiteral("Ungültiges Zeichen nach \"<\"."));
                open.push_back(name());
                m_handler.startElement(open.back());
                if (startTagRest()) {
                    open.pop_back();
                    m_handler.endElement();
                }
            }
        }
    }

    // Character data up to the next "<" (or the end).
    void text()
    {
        const char* run = m_p;
        while (m_p < m_end) {
            const uchar c = uchar(*m_p);
            if (c >= 0x20 && c != '<' && c != '&' && c != ']') {
                ++m_p;
                continue;
            }
            if (c == '<')
                break;
            if (c == ']') {
                if (startsWith("]]>"))
                    fail(QStringLiteral("\"]]>\" ist im Text nicht erlaubt."));
                ++m_p;
                continue;
            }
            if (c == '&') {
                flush(run, m_p);
                m_scratch.clear();
                reference(m_scratch);
                m_handler.characters(m_scratch);
                run = m_p;
                continue;
            }
            if (c == '\r') { // CR LF and a lone CR become LF
                flush(run, m_p);
                m_handler.characters("\n");
                ++m_p;
                if (m_p < m_end && *m_p == '\n')
                    ++m_p;
                run = m_p;
                continue;
            }
            if (c != '\t' && c != '\n')
                fail(QStringLiteral("Unerlaubtes Steuerzeichen 0x%1.").arg(c, 2, 16, QLatin1Char('0')));
            ++m_p;
        }
        flush(run, m_p);
    }
    void flush(const char* from, const char* to)
    {
        if (to > from)
            m_handler.characters(std::string_view(from, size_t(to - from)));
    }
    void emitNormalised(const char* from, const char* to)
    {
        const char* run = from;
        for (const char* q = from; q < to; ++q) {
            if (*q != '\r')
                continue;
            flush(run, q);
            m_handler.characters("\n");
            if (q + 1 < to && q[1] == '\n')
                ++q;
            run = q + 1;
        }
        flush(run, to);
    }

    const char* m_begin;
    const char* m_p;
    const char* m_end;
    Handler& m_handler;
    std::string m_scratch;
    std::vector<std::string_view> m_attributes;
};

} // namespace

QByteArray toUtf8(const QByteArray& file)
{
    if (file.startsWith("\xEF\xBB\xBF"))
        return file.mid(3);
    if (file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(file.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = decoder.decode(QByteArrayView(file).sliced(2));
        if (decoder.hasError())
            throw SyntaxError(QStringLiteral("Die Datei ist kein gültiges UTF-16."));
        return text.toUtf8();
    }
    const QByteArray encoding = declaredEncoding(file);
    if (encoding.isEmpty())
        return exchange::isValidUtf8(file) ? file : win1252::decode(file).toUtf8(); // older versions' files
    if (encoding == "utf-8" || encoding == "utf8")
        return file;
    if (encoding == "windows-1252" || encoding == "cp1252")
        return win1252::decode(file).toUtf8();
    if (encoding == "iso-8859-1" || encoding == "latin1" || encoding == "latin-1" || encoding == "us-ascii")
        return QString::fromLatin1(file).toUtf8();
    throw SyntaxError(QStringLiteral("Die Kodierung \"%1\" wird nicht unterstützt.").arg(QString::fromLatin1(encoding)));
}

void parse(const QByteArray& utf8, Handler& handler)
{
    if (!exchange::isValidUtf8(utf8))
        throw SyntaxError(QStringLiteral("Die Datei enthält Bytes, die kein gültiges UTF-8 sind."));
    Parser(utf8, handler).run();
}

} // namespace xmlreader
