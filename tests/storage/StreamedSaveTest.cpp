// The save streams the table in pieces (runs of loaded rows as they were read, the rest
// through a small buffer). Its bytes must be those of the plain per-value writer below, on
// every kind of table; and a file in the saved form must be recognised as such, and only then.
#include "FullDisk.h"
#include "TempHome.h"
#include "base/FkError.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray escapedForFile(const QByteArray& value)
{
    QByteArray out;
    for (char ch : value) {
        if (ch == '\r')
            out += "\\n";
        else if (ch == '\n')
            continue;
        else if (ch == '\\' || ch == ';')
            out += QByteArray(1, '\\') + ch;
        else
            out += ch;
    }
    return out;
}

// The file format written the obvious way: value by value from the public accessors.
QByteArray referenceBytes(const TTextTable& t)
{
    if (t.FieldCount() == 0)
        return {};
    QByteArray out;
    for (int c = 1; c <= t.FieldCount(); ++c)
        out += (c > 1 ? ";" : "") + escapedForFile(t.GetFieldName(c));
    out += "\r\n";
    for (int r = 1; r <= t.RowCount(); ++r) {
        for (int c = 1; c <= t.FieldCount(); ++c)
            out += (c > 1 ? ";" : "") + escapedForFile(t.value(r, c));
        out += "\r\n";
    }
    return out;
}

struct Pieces {
    QList<QByteArray> list;
    QByteArray joined() const { return list.join(); }
};

Pieces streamed(const TTextTable& t)
{
    Pieces p;
    EXPECT_TRUE(t.writeBytes([&p](const char* d, qsizetype n) {
        p.list.append(QByteArray(d, n));
        return true;
    }));
    return p;
}

TTextTable loaded(const QByteArray& bytes)
{
    TTextTable t;
    t.loadFromBytes(bytes, QStringLiteral("test"));
    return t;
}

// A log of plain rows with some that need escapes in between.
QByteArray mixedLog(int rows)
{
    QByteArray b = "Fangdatum;Fischart;Bemerkungen\r\n";
    for (int i = 0; i < rows; ++i) {
        b += QByteArray::number(1 + i % 28) + ".05.2006;Hecht;";
        b += i % 7 == 3 ? "zwei\\nZeilen\\; und \\\\" : "ruhig " + QByteArray::number(i);
        b += "\r\n";
    }
    return b;
}

} // namespace

TEST(StreamedSave, SameBytesAsTheValueByValueWriter)
{
    const QByteArray big(200 * 1024, 'x');            // larger than the save's buffer
    QByteArray bigEscaped(150 * 1024, ';');           // doubles when written
    bigEscaped[1000] = '\r';
    bigEscaped[1001] = '\n';
    const QList<std::pair<const char*, std::function<TTextTable()>>> cases = {
        {"loaded with escapes", [] { return loaded(mixedLog(200)); }},
        {"header with escapes", [] { return loaded("A\\;B;C\\nD;E\\\\\r\n1;2;3\r\n"); }},
        {"CR only", [] { return loaded("A;B\r1;2\r3;4\r"); }},
        {"LF only and no last line end", [] { return loaded("A;B\n1;2\n3;4"); }},
        {"blank lines and short rows", [] { return loaded("A;B;C\r\n1\r\n\r\n   \r\n2;3\r\n\r\n4;5;6\r\n"); }},
        {"odd escapes", [] { return loaded("A;B\r\n\\x\\N;end\\\r\n"); }},
        {"edited rows among unchanged ones", [] {
             TTextTable t = loaded(mixedLog(300));
             t.setValue(1, 3, "erste; geändert");
             t.setValue(4, 3, "war escaped, jetzt schlicht");
             t.setValue(150, 1, "01.01.2007");
             t.setValue(300, 2, "Zander\r\nzwei");
             return t;
         }},
        {"rows deleted, added, pasted", [] {
             TTextTable t = loaded(mixedLog(300));
             t.GoToRow(10);
             t.DeleteRow();
             t.GoToRow(1);
             t.DeleteRow();
             t.GoToRow(5);
             t.CopyRowToBuffer();
             t.GoToRow(100);
             t.PasteRowFromBuffer();
             t.AddRow();
             t.SetData("Fischart", "Aal");
             return t;
         }},
        {"column added after the load", [] {
             TTextTable t = loaded(mixedLog(50));
             t.AddField("Neu;Feld");
             t.setValue(20, 4, "x\\y");
             return t;
         }},
        {"values larger than the buffer", [&big, &bigEscaped] {
             TTextTable t = loaded(mixedLog(20));
             t.setValue(3, 3, big);
             t.setValue(7, 3, bigEscaped);
             t.AddField(big.left(70000));
             return t;
         }},
        {"built without a file", [] {
             TTextTable t;
             t.AddField("A");
             t.AddField("B");
             for (int i = 0; i < 3; ++i) {
                 t.AddRow();
                 t.SetData("A", QByteArray::number(i) + ";\\");
             }
             return t;
         }},
        {"copy of a table cleared afterwards", [] {
             TTextTable original = loaded(mixedLog(40));
             TTextTable copy = original;
             original.ClearRows();
             original.setValue(1, 1, "nichts");
             return copy;
         }},
        {"only a header", [] { return loaded("A;B\r\n"); }},
        {"nothing", [] { return TTextTable(); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        const TTextTable t = make();
        const QByteArray expected = referenceBytes(t);
        const Pieces pieces = streamed(t);
        EXPECT_EQ(pieces.joined(), expected);
        EXPECT_EQ(t.toBytes(), expected);
        TempHome home;
        TTextTable saving = t;
        ASSERT_TRUE(saving.SaveToFile(home.file(QStringLiteral("t.fdb"))));
        EXPECT_EQ(home.read(QStringLiteral("t.fdb")), expected);
    }
}

TEST(StreamedSave, UnchangedRowsGoOutAsOneRunAndAFailedPutStops)
{
    QByteArray bytes = "Fangdatum;Fischart;Bemerkungen\r\n";
    for (int i = 0; i < 60000; ++i)
        bytes += "07.05.2006;Hecht;ruhiger Tag " + QByteArray::number(i) + "\r\n";
    TTextTable t = loaded(bytes);
    t.setValue(30000, 3, "ge\xe4ndert; zweimal");
    // The unchanged rows on either side of the edited one go out as they were loaded, in
    // pieces larger than the save's own buffer.
    const Pieces pieces = streamed(t);
    QByteArray expected = bytes;
    expected.replace("ruhiger Tag 29999\r\n", "ge\xe4ndert\\; zweimal\r\n");
    EXPECT_EQ(pieces.joined(), expected);
    qsizetype largest = 0;
    for (const QByteArray& p : pieces.list)
        largest = std::max(largest, p.size());
    EXPECT_GT(largest, 1024 * 1024);
    EXPECT_LE(pieces.list.size(), 4);

    int calls = 0;
    EXPECT_FALSE(t.writeBytes([&calls](const char*, qsizetype) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST(StreamedSave, LoadedBytesAreRecognisedExactly)
{
    // Whatever the file, the table claims to match its bytes exactly when saving would give
    // them back.
    const QList<QByteArray> files = {
        mixedLog(30),
        "A;B\r\n",
        "",
        "A;B\r\n1;2\r\n",
        "A;B\n1;2\n",                   // LF only
        "A;B\r\n1;2",                   // no last line end
        "A;B\r\n1;2\r\n\r\n",           // blank line
        "A;B\r\n  \r\n1;2\r\n",         // blank line of spaces
        "A;B\r\n1\r\n",                 // short row
        "A;B\r\n1\\N;2\r\n",            // "\N" is read as a line break, written "\n"
        "A;B\r\n\\x;2\r\n",             // "\x" is read as "x"
        "A;B\r\n1;2\\\r\n",             // a lone backslash at the end
        "A;B\r\n1\r2;3\r\n",            // bare CR inside a line
        "A;B\r\n1\\n2;3\\;4\\\\\r\n",   // the escapes as written
        "A;a\r\n",                      // repeated field name, dropped
        "A; \r\n",                      // blank field name, dropped
        "A\\;B;C\r\n1;2\r\n",           // escaped header
        "\r\n",
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.toStdString());
        TTextTable t;
        try {
            t.loadFromBytes(file, QStringLiteral("test"));
        } catch (const EFileError&) {
            continue;
        }
        EXPECT_EQ(t.matchesLoadedBytes(), t.toBytes() == file);
    }
    EXPECT_TRUE(loaded(mixedLog(30)).matchesLoadedBytes());
    EXPECT_FALSE(TTextTable().matchesLoadedBytes());

    // Every change, also one that puts back the same value, ends the match.
    const QList<std::pair<const char*, std::function<void(TTextTable&)>>> changes = {
        {"setValue", [](TTextTable& t) { t.setValue(2, 1, t.value(2, 1)); }},
        {"SetData", [](TTextTable& t) { t.GoToRow(1); t.SetData("Fischart", "Hecht"); }},
        {"AddRow", [](TTextTable& t) { t.AddRow(); }},
        {"DeleteRow", [](TTextTable& t) { t.GoToRow(3); t.DeleteRow(); }},
        {"AddField", [](TTextTable& t) { t.AddField("Neu"); }},
        {"PasteRowFromBuffer", [](TTextTable& t) { t.GoToRow(1); t.CopyRowToBuffer(); t.PasteRowFromBuffer(); }},
        {"ClearRows", [](TTextTable& t) { t.ClearRows(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TTextTable t = loaded(mixedLog(30));
        change(t);
        EXPECT_FALSE(t.matchesLoadedBytes());
    }
    // Reading and moving the cursor change nothing; a failed change neither.
    TTextTable t = loaded(mixedLog(30));
    t.GoToRow(5);
    t.GetData("Fischart");
    t.CopyRowToBuffer();
    EXPECT_FALSE(t.AddField("fischart"));
    EXPECT_FALSE(t.setValue(99, 1, "x"));
    EXPECT_TRUE(t.matchesLoadedBytes());
}

TEST(StreamedSave, FullDiskDuringAStreamKeepsTheOldFile)
{
    FullDisk disk;
    FK_REQUIRE_FULL_DISK(disk);
    const QByteArray old = "Fangdatum;Fischart;Bemerkungen\r\n07.05.2006;Hecht;alt\r\n";
    ASSERT_TRUE(disk.write(QStringLiteral("db.fdb"), old));
    const QString path = disk.file(QStringLiteral("db.fdb"));
    // About 3 MB in many pieces, and a small table that stays in the device's buffer.
    TTextTable large = loaded(mixedLog(60000));
    large.setValue(5, 3, "geändert");
    TTextTable small = loaded(mixedLog(3));
    for (TTextTable* t : {&large, &small}) {
        EXPECT_FALSE(t->SaveToFile(path));
        EXPECT_EQ(t->lastErrorCode(), 3);
        EXPECT_THROW(t->saveOrThrow(path), EFileError);
        EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), old);
    }
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral(".filler"), QStringLiteral("db.fdb")}));
    // With room again (the disk holds 1 MB) a save goes through.
    disk.release();
    small.setValue(2, 3, "neu; danach");
    small.saveOrThrow(path);
    EXPECT_EQ(disk.read(QStringLiteral("db.fdb")), referenceBytes(small));
}
