#include "pdf/PdfTypes.h"
#include "base/Win1252.h"

#include <cmath>

namespace pdf {

char* formatInteger(char* p, qint64 value)
{
    static const char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                "8081828384858687888990919293949596979899";
    char buf[24];
    char* end = buf + sizeof buf;
    char* q = end;
    const bool negative = value < 0;
    quint64 v = negative ? quint64(0) - quint64(value) : quint64(value);
    // Two digits per division; coordinates and offsets are small, so this is hot.
    while (v >= 100) {
        const unsigned r = unsigned(v % 100);
        v /= 100;
        *--q = pairs[2 * r + 1];
        *--q = pairs[2 * r];
    }
    if (v >= 10) {
        *--q = pairs[2 * v + 1];
        *--q = pairs[2 * v];
    } else {
        *--q = char('0' + v);
    }
    if (negative)
        *p++ = '-';
    std::memcpy(p, q, size_t(end - q));
    return p + (end - q);
}

char* formatNumber(char* p, double value)
{
    // A nan or an absurd coordinate would make a file no reader opens; refuse it here.
    if (!std::isfinite(value) || std::fabs(value) > 1e12)
        throw EPdfError(QStringLiteral("WriteNumber --invalid number."));
    // The small addend rounds decimal halves that binary cannot hold exactly (2.675).
    const qint64 hundredths = qint64(std::floor(std::fabs(value) * 100.0 + 0.5 + 1e-7));
    if (hundredths == 0) {
        *p++ = '0';
        return p;
    }
    if (value < 0)
        *p++ = '-';
    p = formatInteger(p, hundredths / 100);
    const int frac = int(hundredths % 100);
    if (frac) {
        *p++ = '.';
        *p++ = char('0' + frac / 10);
        if (frac % 10)
            *p++ = char('0' + frac % 10);
    }
    return p;
}

void appendInteger(QByteArray& out, qint64 value)
{
    char buf[24];
    put(out, buf, formatInteger(buf, value) - buf);
}

void appendNumber(QByteArray& out, double value)
{
    char buf[kMaxNumberLength];
    put(out, buf, formatNumber(buf, value) - buf);
}

QByteArray number(double value)
{
    QByteArray out;
    appendNumber(out, value);
    return out;
}

void appendLiteral(QByteArray& out, const QByteArray& bytes)
{
    // Escapes are rare: copy runs of plain bytes in one piece.
    put(out, "(", 1);
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        const char* escape = nullptr;
        switch (c) {
        case '(': escape = "\\("; break;
        case ')': escape = "\\)"; break;
        case '\\': escape = "\\\\"; break;
        case '\r': escape = "\\r"; break;
        case '\n': escape = "\\n"; break;
        case '\t': escape = "\\t"; break;
        case '\b': escape = "\\b"; break;
        case '\f': escape = "\\f"; break;
        default: continue;
        }
        put(out, data + run, i - run);
        put(out, escape, 2);
        run = i + 1;
    }
    put(out, data + run, n - run);
    put(out, ")", 1);
}

void appendName(QByteArray& out, const QByteArray& name)
{
    static const char hex[] = "0123456789ABCDEF";
    auto needsEscape = [](unsigned char c) {
        return c < '!' || c > '~' || c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{'
               || c == '}' || c == '/' || c == '%' || c == '#';
    };
    put(out, "/");
    bool plain = true;
    for (const char ch : name)
        plain = plain && !needsEscape(static_cast<unsigned char>(ch));
    if (plain) {
        put(out, name.constData(), name.size());
        return;
    }
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (needsEscape(c)) {
            const char escaped[3] = {'#', hex[c >> 4], hex[c & 15]};
            put(out, escaped, 3);
        } else {
            put(out, &ch, 1);
        }
    }
}

} // namespace pdf

TPdfObject::~TPdfObject() = default;

void TPdfObject::writeTo(QByteArray& out) const
{
    if (m_objectNumber > 0) {
        pdf::appendInteger(out, m_objectNumber);
        pdf::put(out, " 0 R");
    } else {
        writeValue(out);
    }
}

TPdfHeld::TPdfHeld(TPdfObject* object) : m_object(object), m_owned(false)
{
    if (!object)
        throw EPdfError(QStringLiteral("AddItem --item is null."));
    if (!object->isIndirect()) {
        if (object->m_owned)
            throw EPdfError(QStringLiteral("AddItem --object already has an owner."));
        object->m_owned = true;
        m_owned = true;
    }
}

TPdfHeld::~TPdfHeld()
{
    if (m_owned)
        delete m_object;
}

TPdfHeld& TPdfHeld::operator=(TPdfHeld&& other) noexcept
{
    if (this != &other) {
        if (m_owned)
            delete m_object;
        m_object = std::exchange(other.m_object, nullptr);
        m_owned = std::exchange(other.m_owned, false);
    }
    return *this;
}

void TPdfNull::writeValue(QByteArray& out) const { pdf::put(out, "null"); }
void TPdfBoolean::writeValue(QByteArray& out) const { out += Value ? "true" : "false"; }
void TPdfNumber::writeValue(QByteArray& out) const { pdf::appendInteger(out, Value); }
void TPdfReal::writeValue(QByteArray& out) const { pdf::appendNumber(out, Value); }
void TPdfName::writeValue(QByteArray& out) const { pdf::appendName(out, Value); }
void TPdfBinary::writeValue(QByteArray& out) const { out += Bytes; }

void TPdfText::writeValue(QByteArray& out) const
{
    // Bytes that PDFDocEncoding reads like Windows-1252 stay a plain literal.
    bool plain = true;
    for (const char ch : Value) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 0x7F && c <= 0xA0) || c == 0xAD || (c < 0x20 && c != '\r' && c != '\n' && c != '\t' && c != '\b' && c != '\f')) {
            plain = false;
            break;
        }
    }
    if (plain) {
        pdf::appendLiteral(out, Value);
        return;
    }
    static const char hex[] = "0123456789ABCDEF";
    pdf::put(out, "<FEFF");
    for (const QChar ch : win1252::decode(Value)) {
        const char16_t u = ch.unicode();
        out += hex[(u >> 12) & 15];
        out += hex[(u >> 8) & 15];
        out += hex[(u >> 4) & 15];
        out += hex[u & 15];
    }
    pdf::put(out, ">");
}

void TPdfArray::writeValue(QByteArray& out) const
{
    pdf::put(out, "[");
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (i)
            pdf::put(out, " ");
        m_items[i].get()->writeTo(out);
    }
    pdf::put(out, "]");
}

TPdfObject* TPdfArray::add(TPdfObject* item)
{
    m_items.emplace_back(item);
    return item;
}

void TPdfDictionary::writeValue(QByteArray& out) const
{
    pdf::put(out, "<<\r\n");
    writeEntries(out);
    pdf::put(out, ">>");
}

void TPdfDictionary::writeEntries(QByteArray& out) const
{
    for (const auto& [key, held] : m_entries) {
        pdf::appendName(out, key);
        pdf::put(out, " ");
        held.get()->writeTo(out);
        pdf::put(out, "\r\n");
    }
}

TPdfObject* TPdfDictionary::add(const QByteArray& key, TPdfObject* value)
{
    TPdfHeld held(value);
    for (auto& entry : m_entries) {
        if (entry.first == key) {
            entry.second = std::move(held);
            return value;
        }
    }
    m_entries.emplace_back(key, std::move(held));
    return value;
}

TPdfObject* TPdfDictionary::value(const QByteArray& key) const
{
    for (const auto& entry : m_entries)
        if (entry.first == key)
            return entry.second.get();
    return nullptr;
}

bool TPdfDictionary::remove(const QByteArray& key)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->first == key) {
            m_entries.erase(it);
            return true;
        }
    }
    return false;
}

void TPdfStream::writeHead(QByteArray& out) const
{
    // Length is written first so a reader sees it before the data.
    pdf::put(out, "<<\r\n/Length ");
    pdf::appendInteger(out, m_data.size());
    pdf::put(out, "\r\n");
    m_attributes.writeEntries(out);
    pdf::put(out, ">>\r\nstream\r\n");
}

void TPdfStream::writeValue(QByteArray& out) const
{
    writeHead(out);
    out += m_data;
    pdf::put(out, kTail);
}

TPdfXref::TPdfXref() = default;
TPdfXref::~TPdfXref() = default;

void TPdfXref::addObject(TPdfObject* object)
{
    if (!object)
        throw EPdfError(QStringLiteral("AddXRefObject --object is null."));
    if (object->isIndirect() || object->m_owned)
        throw EPdfError(QStringLiteral("AddXRefObject --object already registered or held."));
    m_objects.emplace_back(object);
    object->m_objectNumber = int(m_objects.size());
}

bool TPdfXref::writeObjects(const std::function<bool(const char*, qsizetype)>& put, qint64& position,
                            std::vector<qint64>& offsets) const
{
    offsets.clear();
    offsets.reserve(m_objects.size());
    // Small objects gather here; stream data (page contents, pictures) is passed on as it is.
    constexpr qsizetype kBlock = 64 * 1024;
    QByteArray buffer;
    buffer.reserve(2 * kBlock);
    qint64 flushed = position; // file position of buffer[0]
    auto flush = [&] {
        if (buffer.isEmpty())
            return true;
        const bool ok = put(buffer.constData(), buffer.size());
        flushed += buffer.size();
        buffer.resize(0); // keeps the allocation
        return ok;
    };
    for (const auto& object : m_objects) {
        offsets.push_back(flushed + buffer.size());
        pdf::appendInteger(buffer, object->objectNumber());
        pdf::put(buffer, " 0 obj\r\n");
        const auto* stream = dynamic_cast<const TPdfStream*>(object.get());
        if (stream && stream->data().size() > kBlock / 4) {
            stream->writeHead(buffer);
            if (!flush() || !put(stream->data().constData(), stream->data().size()))
                return false;
            flushed += stream->data().size();
            pdf::put(buffer, TPdfStream::kTail);
        } else {
            object->writeValue(buffer);
        }
        pdf::put(buffer, "\r\nendobj\r\n");
        if (buffer.size() >= kBlock && !flush())
            return false;
    }
    if (!flush())
        return false;
    position = flushed;
    return true;
}
