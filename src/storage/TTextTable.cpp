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
#include <memory>

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

// A field name as it reads back after a save: a lone LF is not written and a CR comes back
// as CR LF. Names are compared in this form, so two that a save would make one are one.
QByteArray storedName(const QByteArray& name)
{
    if (!name.contains('\r') && !name.contains('\n'))
        return name;
    QByteArray out;
    out.reserve(name.size() + 8);
    for (char ch : name) {
        if (ch == '\n')
            continue;
        out.append(ch);
        if (ch == '\r')
            out.append('\n');
    }
    return out;
}

// By length, not up to a NUL byte: a name may hold any byte of the file.
bool sameAsciiIgnoringCase(const char* a, const char* b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

// ---- values of one row ---------------------------------------------------------------------------------

QByteArray TTextTable::cell(size_t row, int index) const
{
    const uint32_t* ends = endsOf(row);
    const uint32_t begin = index == 0 ? 0 : ends[index - 1] + 1;
    // Always a copy: a row may still point into the loaded file's bytes.
    return QByteArray(m_rows[row].data.constData() + begin, qsizetype(ends[index] - begin));
}

void TTextTable::setCell(size_t row, int index, const QByteArray& value)
{
    Row& r = m_rows[row];
    uint32_t* ends = endsOf(row);
    const uint32_t begin = index == 0 ? 0 : ends[index - 1] + 1;
    const uint32_t oldLen = ends[index] - begin;
    r.data.replace(begin, oldLen, value);
    r.verbatim = false;
    for (char ch : value)
        if (ch == ';' || ch == '\\' || ch == '\r' || ch == '\n') {
            r.plain = false;
            break;
        }
    const int64_t delta = int64_t(value.size()) - int64_t(oldLen);
    for (int k = index; k < FieldCount(); ++k)
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

bool TTextTable::AddField(const QByteArray& given)
{
    const QByteArray name = storedName(given);
    qsizetype start = 0;
    while (start < name.size() && name[start] == ' ')
        ++start;
    if (start == name.size())
        return false;
    const QString folded = fold(name);
    if (findField(folded) != 0)
        return false;
    m_pristine = false;
    // Every row gets an empty value at its end: the ends array is laid out anew, one wider.
    const size_t width = size_t(m_fields.size());
    std::vector<uint32_t> ends;
    ends.reserve(m_rows.size() * (width + 1));
    for (size_t r = 0; r < m_rows.size(); ++r) {
        Row& row = m_rows[r];
        ends.insert(ends.end(), m_ends.begin() + ptrdiff_t(r * width), m_ends.begin() + ptrdiff_t((r + 1) * width));
        if (width > 0)
            row.data.append(';');
        row.verbatim = false;
        ends.push_back(uint32_t(row.data.size()));
    }
    m_ends = std::move(ends);
    m_fields.append(name);
    m_foldedFields.append(folded);
    m_asciiFields.push_back(std::all_of(name.begin(), name.end(), [](char ch) { return uchar(ch) < 0x80; }));
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
                if (f.size() == name.size() && sameAsciiIgnoringCase(f.constData(), name.constData(), f.size()))
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
    if (FieldCount() > 0)
        row.data = QByteArray(FieldCount() - 1, ';');
    for (int i = 0; i < FieldCount(); ++i)
        m_ends.push_back(uint32_t(i));
    m_rows.push_back(std::move(row));
    m_pristine = false;
    return GoLast();
}

bool TTextTable::DeleteRow()
{
    const int n = m_cursor;
    bool removed = false;
    if (n >= 1 && n <= RowCount()) {
        m_rows.erase(m_rows.begin() + (n - 1));
        const auto first = m_ends.begin() + ptrdiff_t(size_t(n - 1) * size_t(FieldCount()));
        m_ends.erase(first, first + FieldCount());
        removed = true;
        m_pristine = false;
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
    m_ends.clear();
    m_source.clear();
    m_pristine = false;
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
    return cell(size_t(row - 1), column - 1);
}

QByteArrayView TTextTable::view(int row, int column) const
{
    if (row < 1 || row > RowCount() || column < 1 || column > FieldCount())
        return {};
    const uint32_t* ends = endsOf(size_t(row - 1));
    const uint32_t begin = column == 1 ? 0 : ends[column - 2] + 1;
    return QByteArrayView(m_rows[size_t(row - 1)].data.constData() + begin, qsizetype(ends[column - 1] - begin));
}

bool TTextTable::setValue(int row, int column, const QByteArray& v)
{
    if (row < 1 || row > RowCount() || column < 1 || column > FieldCount())
        return false;
    setCell(size_t(row - 1), column - 1, v);
    m_pristine = false;
    return true;
}

bool TTextTable::CopyRowToBuffer()
{
    if (m_rows.empty() || m_cursor < 1)
        return false;
    for (int c = 0; c < FieldCount(); ++c)
        m_buffer[c] = cell(size_t(m_cursor - 1), c);
    return true;
}

bool TTextTable::PasteRowFromBuffer()
{
    if (m_rows.empty() || m_cursor < 1)
        return false;
    for (int c = 0; c < FieldCount(); ++c)
        setCell(size_t(m_cursor - 1), c, m_buffer[c]);
    m_pristine = false;
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

bool TTextTable::writeBytes(const std::function<bool(const char*, qsizetype)>& put) const
{
    if (m_fields.isEmpty())
        return true;
    // Large pieces: the kernel writes them in large page groups, a third cheaper than 64 KiB
    // ones; still a fixed buffer, not the whole file.
    constexpr size_t kLargestBlock = 1024 * 1024;
    // A small table gets a small buffer (every byte escapes to at most two).
    size_t blockSize = 2;
    for (const QByteArray& f : m_fields)
        blockSize += 2 * size_t(f.size()) + 1;
    for (size_t r = 0; r < m_rows.size() && blockSize < kLargestBlock; ++r)
        blockSize += 2 * size_t(m_rows[r].data.size()) + 2;
    blockSize = std::min(blockSize, kLargestBlock);
    const std::unique_ptr<char[]> block(new char[blockSize]);
    char* const begin = block.get();
    char* const limit = begin + blockSize;
    char* w = begin;
    auto flush = [&] {
        const qsizetype n = w - begin;
        w = begin;
        return n == 0 || put(begin, n);
    };
    auto raw = [&](const char* d, size_t n) {
        if (n > size_t(limit - w)) {
            if (!flush())
                return false;
            if (n > blockSize)
                return put(d, qsizetype(n));
        }
        std::memcpy(w, d, n);
        w += n;
        return true;
    };
    // Every byte escapes to at most two: take as much of the value as surely fits.
    auto escaped = [&](const char* d, size_t n) {
        while (n > 0) {
            if (limit - w < 2 && !flush())
                return false;
            const size_t take = std::min(n, size_t(limit - w) / 2);
            w = writeEscaped(w, d, take);
            d += take;
            n -= take;
        }
        return true;
    };
    static constexpr char kLineEnd[] = {'\r', '\n'};

    // Field names take the same escapes as values, so a header read with "\;" or "\n"
    // in it is written back as it was read.
    for (qsizetype k = 0; k < m_fields.size(); ++k)
        if ((k && !raw(";", 1)) || !escaped(m_fields[k].constData(), size_t(m_fields[k].size())))
            return false;
    if (!raw(kLineEnd, 2))
        return false;

    // A row unchanged since the load still points into the loaded bytes, followed there by
    // its CR LF; neighbours that follow each other there form one run, written as it is.
    const auto sourceBegin = reinterpret_cast<uintptr_t>(m_source.constData());
    const auto sourceEnd = sourceBegin + uintptr_t(m_source.size());
    const char* runBegin = nullptr;
    const char* runEnd = nullptr;
    auto flushRun = [&] {
        if (!runBegin)
            return true;
        const char* b = runBegin;
        runBegin = nullptr;
        // A short run is cheaper copied than written on its own.
        if (size_t(runEnd - b) <= blockSize / 4)
            return raw(b, size_t(runEnd - b));
        return flush() && put(b, runEnd - b);
    };
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const Row& r = m_rows[row];
        const char* d = r.data.constData();
        const auto n = size_t(r.data.size());
        const auto at = reinterpret_cast<uintptr_t>(d);
        // The flag spares reading the line end: the loaded bytes are mostly out of the cache.
        if (r.verbatim && at >= sourceBegin && at + n + 2 <= sourceEnd) {
            if (runBegin && runEnd == d) {
                runEnd = d + n + 2;
            } else {
                if (!flushRun())
                    return false;
                runBegin = d;
                runEnd = d + n + 2;
            }
            continue;
        }
        if (!flushRun())
            return false;
        if (r.plain) {
            // Nothing to escape: the buffer is the line.
            if (!raw(d, n) || !raw(kLineEnd, 2))
                return false;
            continue;
        }
        const uint32_t* ends = endsOf(row);
        uint32_t from = 0;
        for (int k = 0; k < FieldCount(); ++k) {
            if ((k && !raw(";", 1)) || !escaped(d + from, size_t(ends[k] - from)))
                return false;
            from = ends[k] + 1;
        }
        if (!raw(kLineEnd, 2))
            return false;
    }
    return flushRun() && flush();
}

QByteArray TTextTable::toBytes() const
{
    QByteArray out;
    qsizetype size = 2;
    for (const QByteArray& f : m_fields)
        size += f.size() + 1;
    for (const Row& r : m_rows)
        size += r.data.size() + 2;
    out.reserve(size);
    writeBytes([&out](const char* d, qsizetype n) {
        out.append(d, n);
        return true;
    });
    return out;
}

bool TTextTable::SaveToFile(const QString& path)
{
    m_lastErrorCode = 0;
    m_lastErrorText.clear();
    QString reason;
    if (!safefile::writeStreamed(path, [this](const safefile::Put& put) { return writeBytes(put); }, &reason)) {
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

// Appends the offset (from `base`) of every ";" in [p, end) to `ends`. Values are short, so
// one pass eight bytes at a time that marks each ";" exactly beats a search per value.
void collectSeparators(const char* base, const char* p, const char* end, std::vector<uint32_t>& ends)
{
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t lows = 0x7F7F7F7F7F7F7F7FULL;
        constexpr uint64_t highs = ~lows;
        constexpr uint64_t pattern = 0x0101010101010101ULL * uint64_t(';');
        for (; end - p >= 8; p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            const uint64_t x = word ^ pattern; // a ";" became a zero byte
            // High bit set exactly for the zero bytes (no borrow between bytes).
            uint64_t found = ~(((x & lows) + lows) | x) & highs;
            while (found) {
                ends.push_back(uint32_t(p - base) + uint32_t(std::countr_zero(found) / 8));
                found &= found - 1;
            }
        }
    }
    for (; p < end; ++p)
        if (*p == ';')
            ends.push_back(uint32_t(p - base));
}

// Returns true when the row holds nothing that needs escaping on save. `canonical` turns
// false when saving would not give the line back as it stands (a bare CR, "\N", "\x" ...).
bool splitLine(const char* p, const char* lineEnd, QByteArray& data, std::vector<uint32_t>& ends, bool& canonical)
{
    const size_t len = size_t(lineEnd - p);
    // Nothing escaped (the usual case): the line is its own row buffer and the separators
    // are the gaps, so one pass finds the value ends.
    if (!std::memchr(p, '\\', len)) {
        collectSeparators(p, p, lineEnd, ends);
        ends.push_back(uint32_t(len));
        // Points into the table's copy of the file until the row is first changed.
        data = QByteArray::fromRawData(p, qsizetype(len));
        const bool plain = std::memchr(p, '\r', len) == nullptr;
        canonical = canonical && plain;
        return plain;
    }
    // Unescaping never makes a line longer ("\\n" becomes CR LF, two bytes for two).
    data = QByteArray(qsizetype(len), Qt::Uninitialized);
    char* const out = data.data();
    char* w = out;
    bool canon = canonical; // kept in a register, not written back per byte
    const char* c = p;
    while (c < lineEnd) {
        // Copy the plain stretch up to the next byte that means something, in one piece.
        const char* s = c;
        while (s < lineEnd && *s != '\\' && *s != ';' && *s != '\r')
            ++s;
        std::memcpy(w, c, size_t(s - c));
        w += s - c;
        c = s;
        if (c == lineEnd)
            break;
        if (*c == '\\') {
            if (c + 1 < lineEnd) {
                ++c;
                canon = canon && (*c == 'n' || *c == '\\' || *c == ';');
                if (*c == 'n' || *c == 'N') {
                    *w++ = '\r';
                    *w++ = '\n';
                } else {
                    *w++ = *c;
                }
            } else {
                *w++ = '\\';
                canon = false;
            }
        } else if (*c == ';') {
            ends.push_back(uint32_t(w - out));
            *w++ = ';';
        } else {
            canon = false; // a bare CR
            *w++ = *c;
        }
        ++c;
    }
    canonical = canon;
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
    size_t filled = 0; // values missing from short rows, filled up with empty ones
    for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\n', size_t(end - q)))); ++q)
        ++lines;
    fresh.m_rows.reserve(lines);
    int lineNo = 0;
    bool header = true;
    bool canonical = true; // the save would give these bytes back
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = nl ? nl : end;
        const char* next = nl ? nl + 1 : end;
        const bool crlf = nl && lineEnd > p && lineEnd[-1] == '\r';
        if (crlf)
            --lineEnd;
        else
            canonical = false; // LF alone, or no line end at the end of the file
        ++lineNo;
        if (!header) {
            const char* q = p;
            while (q < lineEnd && *q == ' ')
                ++q;
            if (q == lineEnd) {
                canonical = false;
                p = next;
                continue;
            }
        }
        if (header) {
            QByteArray data;
            std::vector<uint32_t> ends;
            splitLine(p, lineEnd, data, ends, canonical);
            // More fields than this make a file no table of this program (a wrong file, or
            // one without line ends): refused with a message instead of exhausting memory.
            constexpr size_t kMaxFields = 65536;
            if (ends.size() > kMaxFields)
                throw EFileError(QStringLiteral("Die Datei \"%1\" ist keine Tabelle dieses Programms: ihre erste Zeile "
                                                "nennt %2 Felder (höchstens %3).")
                                     .arg(origin).arg(ends.size()).arg(kMaxFields));
            // AddField's rules, with a set instead of its search: no quadratic time for a
            // long header. The table has no rows yet.
            QSet<QString> seen;
            seen.reserve(qsizetype(ends.size()));
            for (size_t k = 0; k < ends.size(); ++k) {
                const uint32_t begin = k == 0 ? 0 : ends[k - 1] + 1;
                const QByteArray read = data.mid(begin, qsizetype(ends[k] - begin));
                const QByteArray name = storedName(read);
                canonical = canonical && name.size() == read.size();
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
            // A blank or repeated name is dropped, and so missing from the next save.
            canonical = canonical && fresh.FieldCount() == int(ends.size());
            // Room for every row, but never more than the file's size in values: a hostile
            // header with many fields over many empty lines would otherwise ask for gigabytes.
            fresh.m_ends.reserve(std::min(lines * size_t(fresh.FieldCount()), size_t(fresh.m_source.size()) + lines));
            header = false;
        } else {
            const size_t width = size_t(fresh.FieldCount());
            const size_t first = fresh.m_ends.size();
            Row row;
            row.plain = splitLine(p, lineEnd, row.data, fresh.m_ends, canonical);
            row.verbatim = row.plain && crlf;
            size_t count = fresh.m_ends.size() - first;
            if (count > width)
                throw EFileError(QStringLiteral(
                    "Die Datei \"%1\" ist beschädigt: Zeile %2 hat %3 Werte, die Tabelle aber nur %4 Felder.")
                                     .arg(origin).arg(lineNo).arg(count).arg(width));
            if (count < width) {
                // Short rows are filled up in memory. A small file of many fields over many
                // near-empty lines would ask for far more than any real log: refused instead.
                constexpr size_t kMaxFilledValues = size_t(1) << 26;
                filled += width - count;
                if (filled > kMaxFilledValues)
                    throw EFileError(QStringLiteral("Die Datei \"%1\" ist keine Tabelle dieses Programms: ihren Zeilen "
                                                    "fehlen mehr als %2 Werte (bis Zeile %3).")
                                         .arg(origin).arg(kMaxFilledValues).arg(lineNo));
                canonical = false;
                row.verbatim = false;
                for (; count < width; ++count) {
                    row.data.append(';');
                    fresh.m_ends.push_back(uint32_t(row.data.size()));
                }
            }
            fresh.m_rows.push_back(std::move(row));
        }
        p = next;
    }
    fresh.GoLast();
    fresh.m_tableName = m_tableName;
    fresh.m_pristine = canonical;
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
