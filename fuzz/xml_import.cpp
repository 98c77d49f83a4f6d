// The XML import: any bytes either append records or raise FkError with the table untouched;
// what was imported exports and imports again to the same values.
#include "FuzzSupport.h"
#include "data/CatchDatabase.h"
#include "reports/XmlExchange.h"
#include "reports/XmlReader.h"

namespace {

// Exported fields compared after a round trip (picture and map are not exported).
bool exported(const QByteArray& field)
{
    return field != "Bild" && field != "Karte";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the table, the rest is the file.
    const catchdb::Kind kind = data[0] & 1 ? catchdb::Kind::Costs : catchdb::Kind::Catches;
    const QByteArray xml = fuzz::bytesOf(data + 1, size - 1);

    TTextTable table = catchdb::emptyTable(kind);
    table.AddRow();
    table.setValue(1, 1, "schon da");
    const QByteArray before = table.toBytes();
    int added = 0;
    try {
        added = xmlexchange::appendRecords(table, kind, xml);
    } catch (const FkError& e) {
        FUZZ_CHECK(!e.message().isEmpty(), QString());
        FUZZ_CHECK(table.toBytes() == before, QStringLiteral("a refused import changed the table"));
        return 0;
    }
    FUZZ_CHECK(added >= 0 && table.RowCount() == 1 + added, QString());
    FUZZ_CHECK(table.value(1, 1) == "schon da", QString());

    // Export the imported rows and import them into an empty table.
    TTextTable imported = catchdb::emptyTable(kind);
    for (int row = 2; row <= table.RowCount(); ++row) {
        imported.AddRow();
        for (int col = 1; col <= table.FieldCount(); ++col)
            imported.setValue(imported.RowCount(), col, table.value(row, col));
    }
    QByteArray file;
    try {
        file = xmlexchange::exportTable(imported, kind);
    } catch (const FkError&) {
        // A control character XML cannot carry is refused by the export with a message.
        return 0;
    }
    TTextTable again = catchdb::emptyTable(kind);
    try {
        FUZZ_CHECK(xmlexchange::appendRecords(again, kind, file) == added, QString());
    } catch (const FkError& e) {
        fuzz::fail("an export imports", __FILE__, __LINE__, e.message() + QLatin1Char('\n') + QString::fromLatin1(file));
    }
    for (int row = 1; row <= added; ++row)
        for (int col = 1; col <= again.FieldCount(); ++col)
            if (exported(again.GetFieldName(col)))
                FUZZ_CHECK(again.value(row, col) == imported.value(row, col),
                           QStringLiteral("row %1 field %2: '%3' became '%4'")
                               .arg(row)
                               .arg(QString::fromLatin1(again.GetFieldName(col)),
                                    QString::fromLatin1(imported.value(row, col).toHex(' ')),
                                    QString::fromLatin1(again.value(row, col).toHex(' '))));

    // The reader itself on the raw bytes: it may refuse, never crash.
    struct Counter : xmlreader::Handler {
        int depth = 0;
        void startElement(std::string_view) override { ++depth; }
        void endElement() override { --depth; }
        void characters(std::string_view) override {}
    } counter;
    try {
        xmlreader::parse(xmlreader::toUtf8(xml), counter);
        FUZZ_CHECK(counter.depth == 0, QString());
    } catch (const xmlreader::SyntaxError&) {
    }
    return 0;
}
