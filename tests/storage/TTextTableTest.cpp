#include "base/FkError.h"
#include "storage/TTextTable.h"
#include "TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TTextTable withFields(std::initializer_list<const char*> names, int rows = 0)
{
    TTextTable t;
    for (const char* n : names)
        t.AddField(n);
    for (int i = 0; i < rows; ++i) {
        t.AddRow();
        t.SetData(t.GetFieldName(1), QByteArray::number(i + 1));
    }
    return t;
}

TTextTable loaded(const QByteArray& bytes)
{
    TTextTable t;
    t.loadFromBytes(bytes, QStringLiteral("test"));
    return t;
}

} // namespace

TEST(TTextTableNavigation, EmptyTableRefusesEverything)
{
    TTextTable t = withFields({"A"});
    EXPECT_FALSE(t.GoFirst());
    EXPECT_FALSE(t.GoLast());
    EXPECT_EQ(t.CurrentRow(), 0);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_EQ(t.GetData("A"), QByteArray());
    EXPECT_FALSE(t.SetData("A", "x"));
    EXPECT_FALSE(t.GoNext());
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_FALSE(t.CopyRowToBuffer());
}

TEST(TTextTableNavigation, FlagsAtTheEnds)
{
    TTextTable t = withFields({"A"}, 3);
    ASSERT_TRUE(t.GoLast());
    EXPECT_FALSE(t.GoNext());
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_FALSE(t.BeginningOfFile());

    ASSERT_TRUE(t.GoFirst());
    EXPECT_FALSE(t.GoPrior());
    EXPECT_EQ(t.CurrentRow(), 1);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());

    ASSERT_TRUE(t.GoToRow(2));
    EXPECT_FALSE(t.GoToRow(0));
    EXPECT_FALSE(t.GoToRow(4));
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_TRUE(t.GoNext());
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_EQ(t.GetData("A"), "3");
}

TEST(TTextTableRows, DeleteRowCursorRules)
{
    TTextTable t = withFields({"A"}, 5);
    t.GoToRow(3);
    EXPECT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_EQ(t.GetData("A"), "4");
    EXPECT_EQ(t.RowCount(), 4);

    t.GoLast();
    EXPECT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_EQ(t.GetData("A"), "4");

    TTextTable one = withFields({"A"}, 1);
    EXPECT_TRUE(one.DeleteRow());
    EXPECT_EQ(one.CurrentRow(), 0);
    EXPECT_TRUE(one.BeginningOfFile());
    EXPECT_TRUE(one.EndOfFile());
    EXPECT_FALSE(one.DeleteRow());
}

TEST(TTextTableRows, AddRowAppendsAndBufferCopies)
{
    TTextTable t = withFields({"A", "B"}, 2);
    t.GoFirst();
    t.SetData("B", "first");
    ASSERT_TRUE(t.CopyRowToBuffer());
    ASSERT_TRUE(t.AddRow());
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_EQ(t.GetData("A"), "");
    ASSERT_TRUE(t.PasteRowFromBuffer());
    EXPECT_EQ(t.GetData("A"), "1");
    EXPECT_EQ(t.GetData("B"), "first");
    t.ClearRows();
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.CurrentRow(), 0);
}

TEST(TTextTableFields, CaseInsensitiveNamesAndRefusals)
{
    TTextTable t = withFields({"Fischart", "Gew\xe4sser"}, 2);
    EXPECT_FALSE(t.AddField("fischart"));
    EXPECT_FALSE(t.AddField("   "));
    EXPECT_FALSE(t.AddField(""));
    EXPECT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.FieldIndex("FISCHART"), 1);
    EXPECT_EQ(t.FieldIndex(QStringLiteral("GEWÄSSER")), 2);
    EXPECT_EQ(t.FieldIndex("Laenge"), 0);

    EXPECT_TRUE(t.AddField(" Laenge"));
    EXPECT_EQ(t.GetFieldName(3), " Laenge");
    EXPECT_EQ(t.GetFieldName(4), "");
    EXPECT_EQ(t.GetFieldName(0), "");
    t.GoFirst();
    EXPECT_EQ(t.GetData(" laenge"), "");
    EXPECT_TRUE(t.SetData("fischart", "Hecht"));
    EXPECT_EQ(t.GetData("Fischart"), "Hecht");
    EXPECT_FALSE(t.SetData("Unbekannt", "x"));
    EXPECT_EQ(t.GetData("Unbekannt"), "");
}

TEST(TableFile, ExactBytesAndEscapes)
{
    TTextTable t = withFields({"Art", "Notiz"});
    EXPECT_EQ(t.toBytes(), "Art;Notiz\r\n");
    t.AddRow();
    t.SetData("Art", "Hecht");
    t.SetData("Notiz", "gross\r\nam Schilf");
    EXPECT_EQ(t.toBytes(), "Art;Notiz\r\nHecht;gross\\nam Schilf\r\n");

    t.SetData("Notiz", QByteArray("a;b\\c\rd\ne"));
    EXPECT_EQ(t.toBytes(), "Art;Notiz\r\nHecht;a\\;b\\\\c\\nde\r\n");
    TTextTable back = loaded(t.toBytes());
    back.GoFirst();
    EXPECT_EQ(back.GetData("Notiz"), "a;b\\c\r\nde"); // lone LF lost, lone CR back as CR LF

    EXPECT_EQ(TTextTable().toBytes(), QByteArray());
}

TEST(TableFile, ParsingRules)
{
    // \N like \n, \t as t, trailing backslash kept, blank lines skipped, short lines padded,
    // final line without CR LF, lone LF ends a line, trailing ";" gives an empty last value.
    TTextTable t = loaded("A;B;C\r\nx\\Ny\\t;2;\\\r\n\r\n   \r\nshort\nlast;;\r\n");
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_EQ(t.value(1, 1), "x\r\nyt");
    EXPECT_EQ(t.value(1, 2), "2");
    EXPECT_EQ(t.value(1, 3), "\\");
    EXPECT_EQ(t.value(2, 1), "short");
    EXPECT_EQ(t.value(2, 3), "");
    EXPECT_EQ(t.value(3, 1), "last");

    // A lone CR read from a file is written back escaped.
    EXPECT_EQ(loaded("A;B\r\nx\ry;z\r\n").toBytes(), "A;B\r\nx\\ny;z\r\n");

    TTextTable noEnd = loaded("A\r\nv");
    EXPECT_EQ(noEnd.RowCount(), 1);
    EXPECT_EQ(noEnd.value(1, 1), "v");

    TTextTable empty = loaded("");
    EXPECT_EQ(empty.FieldCount(), 0);
    EXPECT_EQ(empty.CurrentRow(), 0);

    TTextTable blanks = loaded("\r\n\r\n  \r\n");
    EXPECT_EQ(blanks.FieldCount(), 0);
    EXPECT_EQ(blanks.RowCount(), 0);
}

TEST(TableFile, HighBytesAndNulSurvive)
{
    QByteArray value;
    for (int b = 0x80; b <= 0xFF; ++b)
        value.append(char(b));
    value.append('\0');
    value.append("end");
    TTextTable t = withFields({"V"});
    t.AddRow();
    t.SetData("V", value);
    TTextTable back = loaded(t.toBytes());
    EXPECT_EQ(back.value(1, 1), value);
    EXPECT_EQ(back.toBytes(), t.toBytes());
}

TEST(TableFile, FailedLoadLeavesTableUnchanged)
{
    TTextTable t = withFields({"A"}, 2);
    const QByteArray before = t.toBytes();
    try {
        t.loadFromBytes("A;B\r\n1;2\r\n1;2;3\r\n", QStringLiteral("kaputt.fdb"));
        FAIL() << "expected an error";
    } catch (const EFileError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("kaputt.fdb")));
        EXPECT_TRUE(e.message().contains(QLatin1String("Zeile 3")));
    }
    EXPECT_EQ(t.toBytes(), before);

    // A duplicate header name adds no field, so a full data line has one value too many.
    EXPECT_THROW(t.loadFromBytes("A;B;a\r\n1;2;3\r\n", QStringLiteral("dup")), EFileError);
    TTextTable dup = loaded("A;B;a\r\n1;2\r\n");
    EXPECT_EQ(dup.FieldCount(), 2);
    EXPECT_EQ(dup.value(1, 2), "2");
    EXPECT_EQ(t.toBytes(), before);
}

TEST(TableFile, ShortRowsUnderAHugeHeaderAreRefusedNotFilledUp)
{
    // 130 KB that would become 67 million empty values: refused with a message.
    QByteArray bytes;
    for (int i = 0; i < 65000; ++i)
        bytes += (i ? ";F" : "F") + QByteArray::number(i);
    bytes += "\r\n";
    for (int i = 0; i < 1100; ++i)
        bytes += "x\r\n";
    TTextTable t = withFields({"A"}, 1);
    try {
        t.loadFromBytes(bytes, QStringLiteral("riesig.fdb"));
        FAIL() << "expected an error";
    } catch (const EFileError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("riesig.fdb"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("fehlen"))) << e.message().toStdString();
    }
    EXPECT_EQ(t.RowCount(), 1);
    // Short rows as such stay welcome.
    EXPECT_EQ(loaded("A;B;C\r\n1\r\n").value(1, 3), "");
}

TEST(TableFile, FilesOnDisk)
{
    TempHome home;
    TTextTable t = withFields({"A", "B"}, 2);
    const QString path = home.file(QStringLiteral("x.fdb"));
    ASSERT_TRUE(t.SaveToFile(path));
    EXPECT_EQ(home.read(QStringLiteral("x.fdb")), t.toBytes());

    TTextTable back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.tableName(), QStringLiteral("x"));
    EXPECT_EQ(back.toBytes(), t.toBytes());

    // Missing file, blank path and a directory: false, code 3, table untouched.
    for (const QString& bad : {home.file(QStringLiteral("fehlt.fdb")), QStringLiteral("  "), home.path()}) {
        EXPECT_FALSE(back.LoadFromFile(bad));
        EXPECT_EQ(back.lastErrorCode(), 3);
        EXPECT_EQ(back.lastErrorText(), QStringLiteral("1-Unable to open the file for reading"));
        EXPECT_EQ(back.RowCount(), 2);
    }

    // Saving into a missing folder or over a directory fails and writes nothing.
    EXPECT_FALSE(t.SaveToFile(home.file(QStringLiteral("nicht/da/x.fdb"))));
    EXPECT_EQ(t.lastErrorCode(), 3);
    EXPECT_EQ(t.lastErrorText(), QStringLiteral("1-Unable to open the file for writing"));
    EXPECT_THROW(t.saveOrThrow(home.path()), EFileError);
    // A folder nobody may write into, root included.
    EXPECT_FALSE(t.SaveToFile(QStringLiteral("/proc/fischkladde-test.fdb")));
}

TEST(TableFile, LongSingleLine)
{
    QByteArray big(10 * 1024 * 1024, 'x');
    TTextTable t = loaded("A\r\n" + big + "\r\n");
    EXPECT_EQ(t.value(1, 1).size(), big.size());
}

TEST(TableFile, RowsSharingTheLoadedBytesStayValid)
{
    // Unchanged rows point into the loaded file's bytes; values, copies and edits must not
    // depend on the table that loaded them.
    TTextTable t = loaded("A;B\r\neins;zwei\r\ndrei;vier\r\n");
    const QByteArray v = t.value(1, 2);
    TTextTable copy = t;
    t.SetData("A", "neu");
    t = TTextTable();
    EXPECT_EQ(v, "zwei");
    EXPECT_EQ(copy.value(2, 1), "drei");
    copy.GoFirst();
    copy.SetData("B", "ZWEI;");
    copy.ClearRows();
    copy.AddRow();
    EXPECT_EQ(copy.toBytes(), "A;B\r\n;\r\n");
}
