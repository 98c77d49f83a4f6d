#include "reports/XmlExchange.h"
#include "reports/ExchangeCommon.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <array>
#include <vector>

namespace xmlexchange {
namespace {

// An element of the file and the table field it holds.
struct Mapping {
    const char* element;
    const char* field;
};

// The catch fields in the order the file lists them; picture and map stay out of the export.
constexpr std::array<Mapping, 30> kCatchExport = {{
    {catchrec::Fischart, catchrec::Fischart},           {catchrec::Faenger, catchrec::Faenger},
    {catchrec::Laenge, catchrec::Laenge},               {catchrec::Gewicht, catchrec::Gewicht},
    {catchrec::Fangdatum, catchrec::Fangdatum},         {catchrec::Fangzeit, catchrec::Fangzeit},
    {catchrec::Koeder, catchrec::Koeder},               {catchrec::Gewaesser, catchrec::Gewaesser},
    {catchrec::Stelle, catchrec::Stelle},               {catchrec::Fangmethode, catchrec::Fangmethode},
    {catchrec::Fangtiefe, catchrec::Fangtiefe},         {catchrec::Uferdistanz, catchrec::Uferdistanz},
    {catchrec::Wetter, catchrec::Wetter},               {catchrec::Bemerkungen, catchrec::Bemerkungen},
    {catchrec::Mondphase, catchrec::Mondphase},         {catchrec::Angelbeginn, catchrec::Angelbeginn},
    {catchrec::Angelende, catchrec::Angelende},         {catchrec::Angeldauer, catchrec::Angeldauer},
    {catchrec::Sonnenaufgang, catchrec::Sonnenaufgang}, {catchrec::Sonnenuntergang, catchrec::Sonnenuntergang},
    {catchrec::Mondaufgang, catchrec::Mondaufgang},     {catchrec::Monduntergang, catchrec::Monduntergang},
    {catchrec::Lufttemperatur, catchrec::Lufttemperatur}, {catchrec::Wassertemperatur, catchrec::Wassertemperatur},
    {catchrec::zurueckgesetzt, catchrec::zurueckgesetzt}, {catchrec::Luftdruck, catchrec::Luftdruck},
    {catchrec::Windrichtung, catchrec::Windrichtung},   {catchrec::Windstaerke, catchrec::Windstaerke},
    {catchrec::Wassertruebung, catchrec::Wassertruebung}, {catchrec::Wasserstand, catchrec::Wasserstand},
}};

constexpr std::array<Mapping, 7> kCosts = {{
    {"Datum", costrec::Kaufdatum},
    {costrec::Geschaeft, costrec::Geschaeft},
    {costrec::Artikel, costrec::Artikel},
    {costrec::Menge, costrec::Menge},
    {costrec::Einzelpreis, costrec::Einzelpreis},
    {costrec::Gesamtpreis, costrec::Gesamtpreis},
    {costrec::GesamtpreisVersand, costrec::GesamtpreisVersand},
}};

struct Shape {
    const char* root;
    const char* record;
    std::vector<Mapping> fields; // export order
    std::vector<Mapping> read;   // what the import takes
};

const Shape& shape(catchdb::Kind kind)
{
    static const Shape catches = [] {
        Shape s{"Fischkladde", "Fang", {kCatchExport.begin(), kCatchExport.end()}, {}};
        // The import reads every catch field, the picture and the map too when a file has them.
        for (const catchrec::Field& f : catchrec::kFields)
            s.read.push_back({f.name, f.name});
        return s;
    }();
    static const Shape costs{"Angelkosten", "Kosten", {kCosts.begin(), kCosts.end()}, {kCosts.begin(), kCosts.end()}};
    return kind == catchdb::Kind::Catches ? catches : costs;
}

// "&#N;" for the bytes beyond ASCII, by their Windows-1252 character.
const std::array<QByteArray, 128>& highReferences()
{
    static const std::array<QByteArray, 128> refs = [] {
        std::array<QByteArray, 128> r;
        for (int b = 0x80; b <= 0xFF; ++b)
            r[b - 0x80] = "&#" + QByteArray::number(win1252::decodeByte(uchar(b)).unicode()) + ';';
        return r;
    }();
    return refs;
}

// Appends the value escaped; returns the offending byte of a control character XML cannot
// carry, else -1.
int appendEscaped(QByteArray& out, QByteArrayView value)
{
    const auto& refs = highReferences();
    const char* p = value.data();
    const char* end = p + value.size();
    const char* run = p;
    for (; p != end; ++p) {
        const uchar c = uchar(*p);
        if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>')
            continue;
        if (c == '\t')
            continue;
        out.append(run, p - run);
        run = p + 1;
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '\r': out.append("&#13;"); break;
        case '\n': out.append("&#10;"); break;
        default:
            if (c < 0x20)
                return c;
            out.append(refs[c - 0x80]);
        }
    }
    out.append(run, p - run);
    return -1;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// A declaration naming an encoding is left to the parser.
bool declaresEncoding(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml"))
        return false;
    const qsizetype end = bytes.indexOf("?>");
    return end > 0 && bytes.left(end).contains("encoding");
}

} // namespace

QByteArray exportTable(const TTextTable& table, catchdb::Kind kind)
{
    const Shape& s = shape(kind);
    std::vector<int> columns;
    std::vector<QByteArray> open, close;
    for (const Mapping& m : s.fields) {
        columns.push_back(table.FieldIndex(m.field));
        open.push_back('<' + QByteArray(m.element) + '>');
        close.push_back("</" + QByteArray(m.element) + ">\r\n");
    }
    const QByteArray recordOpen = '<' + QByteArray(s.record) + ">\r\n";
    const QByteArray recordClose = "</" + QByteArray(s.record) + ">\r\n";

    QByteArray out;
    out.reserve(64 + qsizetype(table.RowCount()) * 40 * qsizetype(s.fields.size()));
    out.append("<?xml version=\"1.0\" ?>\r\n<").append(s.root).append(">\r\n");
    for (int row = 1; row <= table.RowCount(); ++row) {
        out.append(recordOpen);
        for (size_t i = 0; i < columns.size(); ++i) {
            out.append(open[i]);
            if (columns[i] > 0) {
                const int bad = appendEscaped(out, table.view(row, columns[i]));
                if (bad >= 0)
                    throw FkError(QStringLiteral("Zeile %1, Feld %2: Das Steuerzeichen %3 kann nicht in eine XML-Datei "
                                                 "geschrieben werden.")
                                      .arg(row)
                                      .arg(QLatin1String(s.fields[i].field))
                                      .arg(QStringLiteral("0x") + QString::number(bad, 16).toUpper().rightJustified(2, QLatin1Char('0'))));
            }
            out.append(close[i]);
        }
        out.append(recordClose);
    }
    out.append("</").append(s.root).append(">\r\n");
    return out;
}

int appendRecords(TTextTable& table, catchdb::Kind kind, const QByteArray& xml)
{
    const Shape& s = shape(kind);
    const int n = int(s.read.size());
    std::vector<QLatin1String> names;
    std::vector<int> columns;
    for (const Mapping& m : s.read) {
        names.emplace_back(m.element);
        columns.push_back(table.FieldIndex(m.field));
    }
    const QLatin1String recordName(s.record);

    // Older versions wrote raw Windows-1252 bytes under a declaration without encoding.
    QXmlStreamReader reader;
    if (!declaresEncoding(xml) && !isValidUtf8(xml))
        reader.addData(win1252::decode(xml));
    else
        reader.addData(xml);

    TTextTable work = table;
    const int rowsBefore = work.RowCount();
    std::vector<QString> values(n);
    std::vector<bool> found(n);
    int depth = 0;
    int records = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        if (depth != 2)
            continue;
        if (reader.name() != recordName) {
            reader.skipCurrentElement();
            --depth;
            continue;
        }
        // One record: the first child element of each name counts, with all its text.
        ++records;
        std::fill(found.begin(), found.end(), false);
        int guess = 0;
        while (reader.readNextStartElement()) {
            const QStringView name = reader.name();
            int index = -1;
            for (int k = 0; k < n; ++k) {
                const int i = (guess + k) % n;
                if (name == names[i]) {
                    index = i;
                    break;
                }
            }
            if (index < 0 || found[index]) {
                reader.skipCurrentElement();
                continue;
            }
            guess = index + 1;
            found[index] = true;
            values[index] = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        }
        --depth; // readNextStartElement consumed the record's end tag
        if (reader.hasError())
            break;
        work.AddRow();
        const int row = work.RowCount();
        QByteArray stored;
        for (int i = 0; i < n; ++i) {
            if (!found[i] || columns[i] <= 0 || values[i].isEmpty())
                continue;
            if (!win1252::encode(values[i], &stored))
                exchange::throwUnencodable(values[i], QStringLiteral("XML Fehler: Eintrag %1").arg(records),
                                           QLatin1String(s.read[i].field));
            work.setValue(row, columns[i], stored);
        }
    }
    if (reader.hasError())
        throw FkError(QStringLiteral("XML Fehler: %1 (Zeile %2, Spalte %3)")
                          .arg(reader.errorString())
                          .arg(reader.lineNumber())
                          .arg(reader.columnNumber()));
    table = std::move(work);
    return table.RowCount() - rowsBefore;
}

void exportFile(const TTextTable& table, catchdb::Kind kind, const QString& path)
{
    safefile::writeOrThrow(path, exportTable(table, kind));
}

int importFile(TTextTable& table, const QString& tablePath, catchdb::Kind kind, const QString& path)
{
    const QByteArray bytes = safefile::readOrThrow(path);
    return exchange::appendAndSave(table, tablePath, [&](TTextTable& work) { return appendRecords(work, kind, bytes); });
}

} // namespace xmlexchange
