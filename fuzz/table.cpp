// The table file loader: any bytes either load or raise FkError with the table untouched; a
// loaded table survives save and load, and every way of reading a value agrees.
#include "FuzzSupport.h"
#include "storage/TTextTable.h"

namespace {

QString describe(const QByteArray& a, const QByteArray& b)
{
    return QStringLiteral("first: %1\nsecond: %2").arg(QString::fromLatin1(a.toHex(' ')), QString::fromLatin1(b.toHex(' ')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);

    TTextTable table;
    table.AddField("Alt");
    table.AddRow();
    table.SetData("Alt", "vorher");
    const QByteArray before = table.toBytes();
    try {
        table.loadFromBytes(bytes, QStringLiteral("fuzz"));
    } catch (const FkError& e) {
        FUZZ_CHECK(!e.message().isEmpty(), QString());
        FUZZ_CHECK(table.toBytes() == before && table.CurrentRow() == 1, QStringLiteral("a failed load changed the table"));
        return 0;
    }

    // The cursor stands on the last row; each value reads the same by name, position and view.
    FUZZ_CHECK(table.CurrentRow() == table.RowCount(), QString());
    for (int row = 1; row <= table.RowCount(); ++row) {
        FUZZ_CHECK(table.GoToRow(row), QString());
        for (int col = 1; col <= table.FieldCount(); ++col) {
            const QByteArray v = table.value(row, col);
            FUZZ_CHECK(table.view(row, col) == QByteArrayView(v), QString());
            // By name only where the name is the first of its spelling (the first match wins).
            if (table.FieldIndex(table.GetFieldName(col)) == col)
                FUZZ_CHECK(table.GetData(table.GetFieldName(col)) == v, QString());
        }
    }

    // Saved and loaded again it is the same table; a second round changes no byte.
    const QByteArray saved = table.toBytes();
    TTextTable again;
    try {
        again.loadFromBytes(saved, QStringLiteral("saved"));
    } catch (const FkError& e) {
        fuzz::fail("a saved table loads", __FILE__, __LINE__, e.message() + QLatin1Char('\n') + describe(bytes, saved));
    }
    FUZZ_CHECK(again.FieldCount() == table.FieldCount(), describe(bytes, saved));
    // A one-column row whose value is blank is a blank line in the file, which loading skips.
    if (table.FieldCount() > 1)
        FUZZ_CHECK(again.RowCount() == table.RowCount(), describe(bytes, saved));
    FUZZ_CHECK(again.toBytes() == saved || table.FieldCount() == 1, describe(saved, again.toBytes()));

    // The file path gives what the bytes give.
    const QString path = fuzz::writeScratch(QStringLiteral("tabelle.fdb"), bytes);
    TTextTable fromFile;
    FUZZ_CHECK(fromFile.LoadFromFile(path), QString());
    FUZZ_CHECK(fromFile.toBytes() == saved, QString());
    FUZZ_CHECK(fromFile.tableName() == QStringLiteral("tabelle"), QString());

    // Values with every escaped byte come back after a change, save and load.
    if (table.FieldCount() > 1 && table.RowCount() > 0) {
        const QByteArray tricky = "a;b\\c\r\nd\\";
        table.GoFirst();
        FUZZ_CHECK(table.SetData(table.GetFieldName(table.FieldCount()), tricky)
                       || table.FieldIndex(table.GetFieldName(table.FieldCount())) != table.FieldCount(),
                   QString());
        TTextTable changed;
        changed.loadFromBytes(table.toBytes(), QStringLiteral("changed"));
        changed.GoFirst();
        FUZZ_CHECK(changed.value(1, table.FieldCount()) == table.value(1, table.FieldCount()), describe(bytes, table.toBytes()));
    }
    return 0;
}
