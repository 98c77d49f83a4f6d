#include "reports/CsvExchange.h"
#include "reports/ExchangeCommon.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"

#include <algorithm>
#include <string>
#include <vector>

namespace csvexchange {
namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

bool needsQuotes(QByteArrayView v)
{
    for (char c : v)
        if (c == ';' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}

bool isAscii(QByteArrayView v)
{
    for (char c : v)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

void appendValue(QByteArray& out, QByteArrayView stored)
{
    const QByteArray utf8 = isAscii(stored) ? QByteArray() : win1252::decode(stored.toByteArray()).toUtf8();
    const QByteArrayView v = utf8.isNull() ? stored : QByteArrayView(utf8);
    if (!needsQuotes(v)) {
        out.append(v);
        return;
    }
    out.append('"');
    for (char c : v) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

// Reads the records of UTF-8 text one by one. Quoted values may hold ";", CR, LF and doubled
// quotes; a record ends at CR LF, LF or CR; lines without any character are skipped.
class Records {
public:
    explicit Records(const QByteArray& utf8) : m_p(utf8.constData()), m_end(m_p + utf8.size()) {}

    // The next record's values; false at the end. line() is where it started.
    bool next(std::vector<std::string>& values)
    {
        while (m_p != m_end && (*m_p == '\r' || *m_p == '\n'))
            lineEnd();
        if (m_p == m_end)
            return false;
        m_recordLine = m_line;
        size_t count = 0;
        for (;;) {
            if (values.size() <= count)
                values.emplace_back();
            std::string& value = values[count++];
            value.clear();
            if (*m_p == '"') {
                const int startLine = m_line;
                ++m_p;
                for (;;) {
                    if (m_p == m_end)
                        throw FkError(QStringLiteral("CSV Fehler: Zeile %1: Ein Wert in Anführungszeichen wird nicht "
                                                     "geschlossen.")
                                          .arg(startLine));
                    const char c = *m_p;
                    if (c == '"') {
                        if (m_p + 1 != m_end && m_p[1] == '"') {
                            value += '"';
                            m_p += 2;
                            continue;
                        }
                        ++m_p;
                        break;
                    }
                    if (c == '\n' || (c == '\r' && !(m_p + 1 != m_end && m_p[1] == '\n')))
                        ++m_line;
                    value += c;
                    ++m_p;
                }
                // Text between the closing quote and the next separator is kept as typed.
                const char* start = m_p;
                while (m_p != m_end && *m_p != ';' && *m_p != '\r' && *m_p != '\n')
                    ++m_p;
                value.append(start, size_t(m_p - start));
            } else {
                const char* start = m_p;
                while (m_p != m_end && *m_p != ';' && *m_p != '\r' && *m_p != '\n')
                    ++m_p;
                value.assign(start, size_t(m_p - start));
            }
            if (m_p != m_end && *m_p == ';') {
                ++m_p;
                if (m_p == m_end || *m_p == '\r' || *m_p == '\n') { // an empty last value
                    if (values.size() <= count)
                        values.emplace_back();
                    values[count++].clear();
                    break;
                }
                continue;
            }
            break;
        }
        values.resize(count);
        if (m_p != m_end)
            lineEnd();
        return true;
    }
    int line() const { return m_recordLine; }

private:
    void lineEnd()
    {
        if (*m_p == '\r' && m_p + 1 != m_end && m_p[1] == '\n')
            ++m_p;
        ++m_p;
        ++m_line;
    }

    const char* m_p;
    const char* m_end;
    int m_line = 1;
    int m_recordLine = 1;
};

// The file as UTF-8: with a mark it must be UTF-8; without, UTF-8 when valid, else the
// Windows code page a spreadsheet program saved it in.
QByteArray decodeFile(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom)) {
        if (!exchange::isValidUtf8(QByteArrayView(bytes).sliced(kBom.size())))
            throw FkError(QStringLiteral("CSV Fehler: Die Datei ist als UTF-8 gekennzeichnet, enthält aber Bytes, "
                                         "die kein UTF-8 sind."));
        return bytes.mid(kBom.size());
    }
    return exchange::isValidUtf8(bytes) ? bytes : win1252::decode(bytes).toUtf8();
}

} // namespace

QByteArray exportTable(const TTextTable& table)
{
    QByteArray out;
    out.reserve(64 + qsizetype(table.RowCount()) * 12 * (table.FieldCount() + 1));
    out.append(kBom);
    for (int col = 1; col <= table.FieldCount(); ++col) {
        if (col > 1)
            out.append(';');
        appendValue(out, table.GetFieldName(col));
    }
    out.append("\r\n");
    for (int row = 1; row <= table.RowCount(); ++row) {
        for (int col = 1; col <= table.FieldCount(); ++col) {
            if (col > 1)
                out.append(';');
            appendValue(out, table.view(row, col));
        }
        out.append("\r\n");
    }
    return out;
}

int appendRows(TTextTable& table, const QByteArray& csv)
{
    const QByteArray text = decodeFile(csv);
    Records records(text);
    std::vector<std::string> values;
    if (!records.next(values))
        throw FkError(QStringLiteral("CSV Fehler: Die Datei enthält keine Kopfzeile mit Feldnamen."));

    // Header names to table columns; the first column of a name counts.
    std::vector<int> columns;
    std::vector<bool> taken(size_t(table.FieldCount()) + 1);
    bool any = false;
    for (const std::string& name : values) {
        int col = table.FieldIndex(QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed());
        if (col > 0 && taken[size_t(col)])
            col = 0;
        if (col > 0) {
            taken[size_t(col)] = true;
            any = true;
        }
        columns.push_back(col);
    }
    if (!any)
        throw FkError(QStringLiteral("CSV Fehler: Keine Spalte der Kopfzeile passt zu einem Feld der Datenbank. "
                                     "Ist es die richtige Datei?"));

    TTextTable work = table;
    int added = 0;
    while (records.next(values)) {
        work.AddRow();
        ++added;
        const int row = work.RowCount();
        const size_t n = std::min(values.size(), columns.size());
        for (size_t i = 0; i < n; ++i) {
            const std::string& v = values[i];
            if (columns[i] <= 0 || v.empty())
                continue;
            if (isAscii(v)) {
                work.setValue(row, columns[i], QByteArray(v.data(), qsizetype(v.size())));
                continue;
            }
            const QString value = QString::fromUtf8(v.data(), qsizetype(v.size()));
            QByteArray stored;
            if (!win1252::encode(value, &stored))
                exchange::throwUnencodable(value, QStringLiteral("CSV Fehler: Zeile %1").arg(records.line()),
                                           QString::fromLatin1(table.GetFieldName(columns[i])));
            work.setValue(row, columns[i], stored);
        }
    }
    table = std::move(work);
    return added;
}

void exportFile(const TTextTable& table, const QString& path)
{
    safefile::writeOrThrow(path, exportTable(table));
}

int importFile(TTextTable& table, const QString& tablePath, const QString& path)
{
    const QByteArray bytes = safefile::readOrThrow(path);
    return exchange::appendAndSave(table, tablePath, [&](TTextTable& work) { return appendRows(work, bytes); });
}

} // namespace csvexchange
