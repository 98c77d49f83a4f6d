#include "storage/TTextTable.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <bit>
#include <cstring>

namespace {

QString fold(const QByteArray& name)
{
    return win1252::decode(name).toCaseFolded();
}

QString foldedUtf16(const QString& name)
{
    // Names given as QString come from code (ASCII) or the window layer; compare through
    // the same code page so both overloads agree.
    return win1252::decode(win1252::encodeLossy(name)).toCaseFolded();
}

} // namespace

// ---- Row ---------------------------------------------------------------------------------

QByteArray TTextTable::Row::get(int index) const
{
    const uint32_t begin = index == 0 ? 0 : ends[index - 1] + 1;
    // Always a copy: a row may still point into the loaded file's bytes.
    return QByteArray(data.constData() + begin, qsizetype(ends[index] - begin));
}

void TTextTable::Row::set(int index, const QByteArray& value)
{
    const uint32_t begin = index == 0 ? 0 : ends[index - 1] + 1;
    const uint32_t oldLen = ends[index] - begin;
    data.replace(begin, oldLen, value);
    for (char ch : value)
        if (ch == ';' || ch == '\\' || ch == '\r' || ch == '\n') {
            plain = false;
            break;
        }
    const int64_t delta = int64_t(value.size()) - int64_t(oldLen);
    for (size_t k = size_t(index); k < ends.size(); ++k)
        ends[k] = uint32_t(int64_t(ends[k]) + delta);
}

// ---- fields ------------------------------------------------------------------------------

int TTextTable::findField(const QString& folded) const
{
    for (int i = 0; i < m_foldedFields.size(); ++i)
        if (m_foldedFields[i] == folded)
            return i + 1;
    return 0;
}

bool TTextTable::AddField(const QByteArray& name)
{
    qsizetype start = 0;
    while (start < name.size() && name[start] == ' ')
        ++start;
    if (start == name.size())
        return false;
    const QString folded = fold(name);
    if (findField(folded) != 0)
        return false;
    m_fields.append(name);
    m_foldedFields.append(folded);
    m_asciiFields.push_back(std::all_of(name.begin(), name.end(), [](char ch) { return uchar(ch) < 0x80; }));
    for (Row& row : m_rows)
        row.appendEmpty();
    m_buffer.append(QByteArray());
    return true;
}

bool TTextTable::AddField(const QString& name)
{
    return AddField(win1252::encodeLossy(name));
}

QByteArray TTextTable::GetFieldName(int column) const
{
    if (column < 1 || column > m_fields.size())
        return {};
    return m_fields[column - 1];
}

int TTextTable::FieldIndex(const QByteArray& name) const
{
    // Field names are plain ASCII almost always: compare those without building a QString.
    bool ascii = true;
    for (char ch : name)
        if (uchar(ch) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        bool allAscii = true;
        for (int i = 0; i < m_fields.size(); ++i) {
            const QByteArray& f = m_fields[i];
            if (m_asciiFields[i]) {
                if (f.size() == name.size() && qstrnicmp(f.constData(), name.constData(), f.size()) == 0)
                    return i + 1;
            } else {
                allAscii = false;
            }
        }
        if (allAscii)
            return 0;
    }
    return findField(fold(name));
}

int TTextTable::FieldIndex(const QString& name) const
{
    return findField(foldedUtf16(name));
}

// ---- rows and cursor ---------------------------------------------------------------------

bool TTextTable::AddRow()
{
    Row row;
    for (int i = 0; i < FieldCount(); ++i)
        row.appendEmpty();
    m_rows.push_back(std::move(row));
    return GoLast();
}

bool TTextTable::DeleteRow()
{
    const int n = m_cursor;
    bool removed = false;
    if (n >= 1 && n <= RowCount()) {
        m_rows.erase(m_rows.begin() + (n - 1));
        removed = true;
    }
    if (n == 0 || n > RowCount())
        GoLast();
    return removed;
}

bool TTextTable::GoFirst()
{
    if (m_rows.empty()) {
        m_cursor = 0;
        setFlags(true, true);
        return false;
    }
    m_cursor = 1;
    setFlags(false, false);
    return true;
}

bool TTextTable::GoLast()
{
    if (m_rows.empty()) {
        m_cursor = 0;
        setFlags(true, true);
        return false;
    }
    m_cursor = RowCount();
    setFlags(false, false);
    return true;
}

bool TTextTable::GoNext()
{
    if (!m_rows.empty() && m_cursor < RowCount()) {
        ++m_cursor;
        setFlags(false, false);
        return true;
    }
    setFlags(m_rows.empty(), true);
    return false;
}

bool TTextTable::GoPrior()
{
    if (!m_rows.empty() && m_cursor >= 2) {
        --m_cursor;
        setFlags(false, false);
        return true;
    }
    setFlags(true, m_rows.empty());
    return false;
}

bool TTextTable::GoToRow(int row)
{
    if (row >= 1 && row <= RowCount()) {
        m_cursor = row;
        setFlags(false, false);
        return true;
    }
    setFlags(true, true);
    return false;
}

void TTextTable::ClearRows()
{
    m_rows.clear();
    m_source.clear();
    m_cursor = 0;
    setFlags(true, true);
    m_distinct = false;
    m_lastErrorCode = 0;
    m_lastErrorText.clear();
}

void TTextTable::clearAll()
{
    ClearRows();
    m_fields.clear();
    m_foldedFields.clear();
    m_asciiFields.clear();
    m_buffer.clear();
}

// ---- values ------------------------------------------------------------------------------

QByteArray TTextTable::GetData(const QByteArray& field) const
{
    return value(m_cursor, FieldIndex(field));
}

QByteArray TTextTable::GetData(const QString& field) const
{
    return value(m_cursor, FieldIndex(field));
}

bool TTextTable::SetData(const QByteArray& field, const QByteArray& v)
{
    return setValue(m_cursor, FieldIndex(field), v);
}

bool TTextTable::SetData(const QString& field, const QByteArray& v)
{
    return setValue(m_cursor, FieldIndex(field), v);
}

QByteArray TTextTable::value(int row, int column) const
{
    if (row < 1 || row > RowCount() || column < 1 || column > FieldCount())
        return {};
    return m_rows[size_t(row - 1)].get(column - 1);
}

QByteArrayView TTextTable::view(int row, int column) const
{
    if (row < 1 || row > RowCount() || column < 1 || column > FieldCount())
        return {};
    const Row& r = m_rows[size_t(row - 1)];
    const uint32_t begin = column == 1 ? 0 : r.ends[size_t(column - 2)] + 1;
    return QByteArrayView(r.data.constData() + begin, qsizetype(r.ends[size_t(column - 1)] - begin));
}

bool TTextTable::setValue(int row, int column, const QByteArray& v)
{
    if (row < 1 || row > RowCount() || column < 1 || column > FieldCount())
        return false;
    m_rows[size_t(row - 1)].set(column - 1, v);
    return true;
}

bool TTextTable::CopyRowToBuffer()
{
    if (m_rows.empty() || m_cursor < 1)
        return false;
    for (int c = 0; c < FieldCount(); ++c)
        m_buffer[c] = m_rows[size_t(m_cursor - 1)].get(c);
    return true;
}

bool TTextTable::PasteRowFromBuffer()
{
    if (m_rows.empty() || m_cursor < 1)
        return false;
    for (int c = 0; c < FieldCount(); ++c)
        m_rows[size_t(m_cursor - 1)].set(c, m_buffer[c]);
    return true;
}

// ---- file format -------------------------------------------------------------------------

namespace {

// Escapes one value (or field name) for the file: CR as "\n", LF dropped, "\" and ";"
// behind a backslash. Writes at most two bytes per byte.
char* writeEscaped(char* w, const char* d, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const char ch = d[i];
        switch (ch) {
        case '\r': *w++ = '\\'; *w++ = 'n'; break;
        case '\n': break;
        case '\\': *w++ = '\\'; *w++ = '\\'; break;
        case ';': *w++ = '\\'; *w++ = ';'; break;
        default: *w++ = ch;
        }
    }
    return w;
}

} // namespace

QByteArray TTextTable::toBytes() const
{
    if (m_fields.isEmpty())
        return {};
    // Every byte escapes to at most two: size for the worst case, write through a pointer,
    // then cut to what was written.
    qsizetype worst = 2;
    for (const QByteArray& f : m_fields)
        worst += 2 * f.size() + 1;
    for (const Row& r : m_rows)
        worst += 2 * r.data.size() + 2;
    QByteArray out(worst, Qt::Uninitialized);
    char* w = out.data();
    // Field names take the same escapes as values, so a header read with "\;" or "\n"
    // in it is written back as it was read.
    for (qsizetype k = 0; k < m_fields.size(); ++k) {
        if (k)
            *w++ = ';';
        w = writeEscaped(w, m_fields[k].constData(), size_t(m_fields[k].size()));
    }
    *w++ = '\r';
    *w++ = '\n';
    for (const Row& r : m_rows) {
        const char* d = r.data.constData();
        if (r.plain) {
            // Nothing to escape: the buffer is the line.
            std::memcpy(w, d, size_t(r.data.size()));
            w += r.data.size();
            *w++ = '\r';
            *w++ = '\n';
            continue;
        }
        uint32_t begin = 0;
        for (size_t k = 0; k < r.ends.size(); ++k) {
            if (k)
                *w++ = ';';
            w = writeEscaped(w, d + begin, size_t(r.ends[k] - begin));
            begin = r.ends[k] + 1;
        }
        *w++ = '\r';
        *w++ = '\n';
    }
    out.truncate(w - out.constData());
    return out;
}

bool TTextTable::SaveToFile(const QString& path)
{
    m_lastErrorCode = 0;
    m_lastErrorText.clear();
    QString reason;
    if (!safefile::write(path, toBytes(), &reason)) {
        m_lastErrorCode = 3;
        m_lastErrorText = QStringLiteral("1-Unable to open the file for writing");
        m_saveReason = reason;
        return false;
    }
    return true;
}

void TTextTable::saveOrThrow(const QString& path)
{
    if (!SaveToFile(path))
        throw EFileError(m_saveReason);
}

namespace {

// Splits one line into the row layout: unescaped values with one gap byte between them.
// The next ";" in [p, end), or end. Values are short, so eight bytes at a time without a
// call per value beats memchr here.
const char* findSeparator(const char* p, const char* end)
{
    constexpr uint64_t ones = 0x0101010101010101ULL;
    constexpr uint64_t highs = 0x8080808080808080ULL;
    constexpr uint64_t pattern = ones * uint64_t(';');
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        const uint64_t x = word ^ pattern;
        const uint64_t found = (x - ones) & ~x & highs;
        if (found) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(found)
                                                                          : std::countl_zero(found);
            return p + bit / 8;
        }
        p += 8;
    }
    while (p < end && *p != ';')
        ++p;
    return p;
}

// Returns true when the row holds nothing that needs escaping on save.
bool splitLine(const char* p, const char* lineEnd, QByteArray& data, std::vector<uint32_t>& ends)
{
    const size_t len = size_t(lineEnd - p);
    // Nothing escaped (the usual case): the line is its own row buffer and the separators
    // are the gaps, so one pass finds the value ends.
    if (!std::memchr(p, '\\', len)) {
        for (const char* sep = findSeparator(p, lineEnd); sep < lineEnd; sep = findSeparator(sep + 1, lineEnd))
            ends.push_back(uint32_t(sep - p));
        ends.push_back(uint32_t(len));
        // Points into the table's copy of the file until the row is first changed.
        data = QByteArray::fromRawData(p, qsizetype(len));
        return std::memchr(p, '\r', len) == nullptr;
    }
    // Unescaping never makes a line longer ("\\n" becomes CR LF, two bytes for two).
    data = QByteArray(qsizetype(len), Qt::Uninitialized);
    char* const out = data.data();
    char* w = out;
    for (const char* c = p; c < lineEnd; ++c) {
        if (*c == '\\') {
            if (c + 1 < lineEnd) {
                ++c;
                if (*c == 'n' || *c == 'N') {
                    *w++ = '\r';
                    *w++ = '\n';
                } else {
                    *w++ = *c;
                }
            } else {
                *w++ = '\\';
            }
        } else if (*c == ';') {
            ends.push_back(uint32_t(w - out));
            *w++ = ';';
        } else {
            *w++ = *c;
        }
    }
    ends.push_back(uint32_t(w - out));
    data.truncate(w - out);
    return false;
}

} // namespace

void TTextTable::loadFromBytes(QByteArray bytes, const QString& origin)
{
    TTextTable fresh;
    // Rows without escapes share these bytes instead of copying them (copy on first change).
    bytes.detach();
    // Lines ended by a lone CR only (old Mac editors): read as line ends. By the letter such
    // a file is one header line, its catches silently turned into field names. The program
    // never writes a raw CR into a value, so a file with CRs and no LF has no other meaning.
    if (!bytes.contains('\n') && bytes.contains('\r'))
        bytes.replace('\r', '\n');
    fresh.m_source = bytes;
    const char* p = fresh.m_source.constData();
    const char* const end = p + fresh.m_source.size();
    size_t lines = 1;
    for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\n', size_t(end - q)))); ++q)
        ++lines;
    fresh.m_rows.reserve(lines);
    int lineNo = 0;
    bool header = true;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = nl ? nl : end;
        const char* next = nl ? nl + 1 : end;
        if (nl && lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        ++lineNo;
        if (!header) {
            const char* q = p;
            while (q < lineEnd && *q == ' ')
                ++q;
            if (q == lineEnd) {
                p = next;
                continue;
            }
        }
        Row row;
        row.ends.reserve(size_t(std::max(fresh.FieldCount(), 1)));
        row.plain = splitLine(p, lineEnd, row.data, row.ends);
        if (header) {
            // More fields than this make a file no table of this program (a wrong file, or
            // one without line ends): refused with a message instead of exhausting memory.
            constexpr size_t kMaxFields = 65536;
            if (row.ends.size() > kMaxFields)
                throw EFileError(QStringLiteral("Die Datei \"%1\" ist keine Tabelle dieses Programms: ihre erste Zeile "
                                                "nennt %2 Felder (höchstens %3).")
                                     .arg(origin).arg(row.ends.size()).arg(kMaxFields));
            // AddField's rules, with a set instead of its search: no quadratic time for a
            // long header. The table has no rows yet.
            QSet<QString> seen;
            seen.reserve(qsizetype(row.ends.size()));
            for (int k = 0; k < int(row.ends.size()); ++k) {
                const QByteArray name = row.get(k);
                if (name.count(' ') == name.size())
                    continue; // empty or blanks only
                const QString folded = fold(name);
                if (seen.contains(folded))
                    continue;
                seen.insert(folded);
                fresh.m_fields.append(name);
                fresh.m_foldedFields.append(folded);
                fresh.m_asciiFields.push_back(std::all_of(name.begin(), name.end(), [](char ch) { return uchar(ch) < 0x80; }));
                fresh.m_buffer.append(QByteArray());
            }
            header = false;
        } else {
            if (int(row.ends.size()) > fresh.FieldCount())
                throw EFileError(QStringLiteral(
                    "Die Datei \"%1\" ist beschädigt: Zeile %2 hat %3 Werte, die Tabelle aber nur %4 Felder.")
                                     .arg(origin).arg(lineNo).arg(row.ends.size()).arg(fresh.FieldCount()));
            while (int(row.ends.size()) < fresh.FieldCount())
                row.appendEmpty();
            fresh.m_rows.push_back(std::move(row));
        }
        p = next;
    }
    fresh.GoLast();
    fresh.m_tableName = m_tableName;
    *this = std::move(fresh);
}

bool TTextTable::LoadFromFile(const QString& path)
{
    m_lastErrorCode = 0;
    m_lastErrorText.clear();
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (path.trimmed().isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        m_lastErrorCode = 3;
        m_lastErrorText = QStringLiteral("1-Unable to open the file for reading");
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2").arg(shown, file.errorString()));
    loadFromBytes(std::move(bytes), shown);
    const QString fileName = QFileInfo(path).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    m_tableName = dot < 0 ? QString() : fileName.left(dot);
    return true;
}
