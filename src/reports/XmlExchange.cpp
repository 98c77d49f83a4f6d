#include "reports/XmlExchange.h"
#include "reports/ExchangeCommon.h"
#include "reports/XmlReader.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
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

namespace {

// Collects the records: the first child element of each known name, with all its text.
class RecordReader : public xmlreader::Handler {
public:
    RecordReader(TTextTable& table, const Shape& shape) : m_table(table), m_shape(shape)
    {
        for (const Mapping& m : shape.read) {
            m_names.emplace_back(m.element);
            m_columns.push_back(table.FieldIndex(m.field));
        }
        m_values.resize(m_names.size());
        m_found.resize(m_names.size());
    }
    int records() const { return m_records; }

    void startElement(std::string_view name) override
    {
        ++m_depth;
        if (m_depth == 2) {
            m_inRecord = name == m_shape.record;
            if (m_inRecord)
                std::fill(m_found.begin(), m_found.end(), false);
        } else if (m_depth == 3 && m_inRecord) {
            const int n = int(m_names.size());
            for (int k = 0; k < n; ++k) {
                const int i = (m_guess + k) % n; // files list the fields in a fixed order
                if (name == m_names[size_t(i)]) {
                    if (!m_found[size_t(i)]) {
                        m_found[size_t(i)] = true;
                        m_collecting = i;
                        m_values[size_t(i)].clear();
                        m_guess = i + 1;
                    }
                    break;
                }
            }
        }
    }
    void endElement() override
    {
        if (m_depth == 3)
            m_collecting = -1;
        else if (m_depth == 2 && m_inRecord)
            addRow();
        --m_depth;
    }
    void characters(std::string_view utf8) override
    {
        if (m_collecting >= 0)
            m_values[size_t(m_collecting)].append(utf8);
    }

private:
    void addRow()
    {
        ++m_records;
        m_table.AddRow();
        const int row = m_table.RowCount();
        for (size_t i = 0; i < m_names.size(); ++i) {
            if (!m_found[i] || m_columns[i] <= 0 || m_values[i].empty())
                continue;
            const std::string& v = m_values[i];
            bool ascii = true;
            for (char c : v)
                ascii = ascii && uchar(c) < 0x80;
            if (ascii) {
                m_table.setValue(row, m_columns[i], QByteArray(v.data(), qsizetype(v.size())));
                continue;
            }
            const QString text = QString::fromUtf8(v.data(), qsizetype(v.size()));
            QByteArray stored;
            if (!win1252::encode(text, &stored))
                exchange::throwUnencodable(text, QStringLiteral("XML Fehler: Eintrag %1").arg(m_records),
                                           QLatin1String(m_shape.read[i].field));
            m_table.setValue(row, m_columns[i], stored);
        }
    }

    TTextTable& m_table;
    const Shape& m_shape;
    std::vector<std::string_view> m_names;
    std::vector<int> m_columns;
    std::vector<std::string> m_values;
    std::vector<bool> m_found;
    int m_depth = 0;
    bool m_inRecord = false;
    int m_collecting = -1;
    int m_guess = 0;
    int m_records = 0;
};

} // namespace

int appendRecords(TTextTable& table, catchdb::Kind kind, const QByteArray& xml)
{
    TTextTable work = table;
    RecordReader reader(work, shape(kind));
    try {
        xmlreader::parse(xmlreader::toUtf8(xml), reader);
    } catch (const xmlreader::SyntaxError& e) {
        throw FkError(QStringLiteral("XML Fehler: ") + e.message());
    }
    table = std::move(work);
    return reader.records();
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
