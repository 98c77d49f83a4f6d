// The CSV import: any bytes either append rows or raise FkError with the table untouched;
// imported rows export and import again to the same table bytes.
#include "FuzzSupport.h"
#include "data/CatchDatabase.h"
#include "reports/CsvExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const catchdb::Kind kind = data[0] & 1 ? catchdb::Kind::Costs : catchdb::Kind::Catches;
    const QByteArray csv = fuzz::bytesOf(data + 1, size - 1);

    TTextTable table = catchdb::emptyTable(kind);
    table.AddRow();
    table.setValue(1, 2, "schon da");
    const QByteArray before = table.toBytes();
    int added = 0;
    try {
        added = csvexchange::appendRows(table, csv);
    } catch (const FkError& e) {
        FUZZ_CHECK(!e.message().isEmpty(), QString());
        FUZZ_CHECK(table.toBytes() == before, QStringLiteral("a refused import changed the table"));
        return 0;
    }
    FUZZ_CHECK(added >= 0 && table.RowCount() == 1 + added, QString());
    FUZZ_CHECK(table.value(1, 2) == "schon da", QString());

    TTextTable imported = catchdb::emptyTable(kind);
    for (int row = 2; row <= table.RowCount(); ++row) {
        imported.AddRow();
        for (int col = 1; col <= table.FieldCount(); ++col)
            imported.setValue(imported.RowCount(), col, table.value(row, col));
    }
    const QByteArray file = csvexchange::exportTable(imported);
    TTextTable again = catchdb::emptyTable(kind);
    try {
        FUZZ_CHECK(csvexchange::appendRows(again, file) == added, QString::fromUtf8(file));
    } catch (const FkError& e) {
        fuzz::fail("an export imports", __FILE__, __LINE__, e.message() + QLatin1Char('\n') + QString::fromUtf8(file));
    }
    FUZZ_CHECK(again.toBytes() == imported.toBytes(),
               QString::fromLatin1(imported.toBytes().toHex(' ')) + QStringLiteral("\n")
                   + QString::fromLatin1(again.toBytes().toHex(' ')));
    return 0;
}
