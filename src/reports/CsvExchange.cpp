#include "reports/CsvExchange.h"
#include "reports/ExchangeCommon.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"

#include <QStringDecoder>
#include <algorithm>
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

// Splits the text into records of values. Quoted values may hold ";", CR, LF and doubled
// quotes; a record ends at CR LF, LF or CR. Lines without any character are skipped. Each
// record remembers the line it starts on, for messages.
struct Record {
    int line;
    std::vector<QString> values;
};

std::vector<Record> parse(const QString& text)
{
    std::vector<Record> records;
    const QChar* p = text.constData();
    const QChar* end = p + text.size();
    int line = 1;
    while (p != end) {
        if (*p == u'\r' || *p == u'\n') { // empty line
            if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
                ++p;
            ++p;
            ++line;
            continue;
        }
        Record rec{line, {}};
        for (;;) {
            QString value;
            if (p != end && *p == u'"') {
                const int startLine = line;
                ++p;
                for (;;) {
                    if (p == end)
                        throw FkError(QStringLiteral("CSV Fehler: Zeile %1: Ein Wert in Anführungszeichen wird nicht "
                                                     "geschlossen.")
                                          .arg(startLine));
                    if (*p == u'"') {
                        if (p + 1 != end && p[1] == u'"') {
                            value.append(u'"');
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    if (*p == u'\n' || (*p == u'\r' && !(p + 1 != end && p[1] == u'\n')))
                        ++line;
                    value.append(*p++);
                }
                // Text between the closing quote and the next separator is kept as typed.
                while (p != end && *p != u';' && *p != u'\r' && *p != u'\n')
                    value.append(*p++);
            } else {
                const QChar* start = p;
                while (p != end && *p != u';' && *p != u'\r' && *p != u'\n')
                    ++p;
                value = QString(start, p - start);
            }
            rec.values.push_back(std::move(value));
            if (p != end && *p == u';') {
                ++p;
                continue;
            }
            break;
        }
        if (p != end) { // line end
            if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
                ++p;
            ++p;
            ++line;
        }
        records.push_back(std::move(rec));
    }
    return records;
}

QString decodeFile(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom)) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(QByteArrayView(bytes).sliced(kBom.size()));
        if (decoder.hasError())
            throw FkError(QStringLiteral("CSV Fehler: Die Datei ist als UTF-8 gekennzeichnet, enthält aber Bytes, "
                                         "die kein UTF-8 sind."));
        return text;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    // Saved by a spreadsheet program in the Windows code page.
    return win1252::decode(bytes);
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
    const std::vector<Record> records = parse(decodeFile(csv));
    if (records.empty())
        throw FkError(QStringLiteral("CSV Fehler: Die Datei enthält keine Kopfzeile mit Feldnamen."));

    // Header names to table columns; the first column of a name counts.
    const Record& header = records.front();
    std::vector<int> columns;
    std::vector<bool> taken(size_t(table.FieldCount()) + 1);
    bool any = false;
    for (const QString& name : header.values) {
        int col = table.FieldIndex(name.trimmed());
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
    QByteArray stored;
    for (size_t r = 1; r < records.size(); ++r) {
        const Record& rec = records[r];
        work.AddRow();
        const int row = work.RowCount();
        const size_t n = std::min(rec.values.size(), columns.size());
        for (size_t i = 0; i < n; ++i) {
            if (columns[i] <= 0 || rec.values[i].isEmpty())
                continue;
            if (!win1252::encode(rec.values[i], &stored))
                exchange::throwUnencodable(rec.values[i], QStringLiteral("CSV Fehler: Zeile %1").arg(rec.line),
                                           QString::fromLatin1(table.GetFieldName(columns[i])));
            work.setValue(row, columns[i], stored);
        }
    }
    table = std::move(work);
    return int(records.size()) - 1;
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
