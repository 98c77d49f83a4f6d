// Whatever loads must save back to itself: escapes in values and in field names, through an
// edit, through the upgrade of the command line and through the save at start-up.
#include "data/CatchDatabase.h"
#include "data/IniFile.h"
#include "base/SafeFile.h"
#include "storage/TTextTable.h"
#include "TempHome.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TTextTable loaded(const QByteArray& bytes)
{
    TTextTable t;
    t.loadFromBytes(bytes, QStringLiteral("test"));
    return t;
}

// A lone CR comes back as CR LF; nothing else may change.
QByteArray withLoneCrAsCrLf(QByteArray v)
{
    QByteArray out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        out += v[i];
        if (v[i] == '\r' && (i + 1 == v.size() || v[i + 1] != '\n'))
            out += '\n';
    }
    return out;
}

// Every field and value of `before` is in `after` at the same place.
void expectSameTable(const TTextTable& before, const TTextTable& after)
{
    ASSERT_GE(after.FieldCount(), before.FieldCount());
    ASSERT_EQ(after.RowCount(), before.RowCount());
    for (int c = 1; c <= before.FieldCount(); ++c) {
        EXPECT_EQ(after.GetFieldName(c), withLoneCrAsCrLf(before.GetFieldName(c))) << "field " << c;
        for (int r = 1; r <= before.RowCount(); ++r)
            EXPECT_EQ(after.value(r, c), withLoneCrAsCrLf(before.value(r, c))) << "row " << r << ", field " << c;
    }
    for (int c = before.FieldCount() + 1; c <= after.FieldCount(); ++c)
        for (int r = 1; r <= after.RowCount(); ++r)
            EXPECT_TRUE(after.value(r, c).isEmpty());
}

QStringList fixtures()
{
    return QDir(QStringLiteral(FK_TEST_DATA "/tables")).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(TableEscapes, EditedValueWithOneSemicolonIsEscaped)
{
    // A row read without escapes is written as it was read; once a value holding a ";" is
    // set, alone or among other bytes, the row must be escaped again.
    for (const QByteArray& value : {QByteArray(";"), QByteArray("Hecht;Zander"), QByteArray("a;"), QByteArray(";;")}) {
        SCOPED_TRACE(value.constData());
        TTextTable t = loaded("A;B;C\r\neins;zwei;drei\r\n");
        t.GoFirst();
        ASSERT_TRUE(t.SetData("B", value));
        const QByteArray saved = t.toBytes();
        EXPECT_EQ(saved, "A;B;C\r\neins;" + QByteArray(value).replace(";", "\\;") + ";drei\r\n");
        const TTextTable back = loaded(saved);
        ASSERT_EQ(back.RowCount(), 1);
        EXPECT_EQ(back.value(1, 1), "eins");
        EXPECT_EQ(back.value(1, 2), value);
        EXPECT_EQ(back.value(1, 3), "drei");

        // The same through a new row, direct access and the row buffer.
        t.AddRow();
        t.setValue(2, 1, value);
        t.GoToRow(1);
        t.CopyRowToBuffer();
        t.AddRow();
        t.PasteRowFromBuffer();
        const TTextTable again = loaded(t.toBytes());
        ASSERT_EQ(again.RowCount(), 3);
        EXPECT_EQ(again.value(2, 1), value);
        EXPECT_EQ(again.value(2, 2), "");
        EXPECT_EQ(again.value(3, 2), value);
        EXPECT_EQ(again.value(3, 3), "drei");
    }
}

TEST(TableEscapes, FieldNamesAreWrittenWithTheValueEscapes)
{
    TTextTable t;
    t.AddField(QByteArray("Fisch;art"));
    t.AddField(QByteArray("zwei\r\nZeilen"));
    t.AddField(QByteArray("C:\\img"));
    t.AddField(QByteArray("Gewicht"));
    t.AddRow();
    t.SetData("Gewicht", "12");
    EXPECT_EQ(t.toBytes(), "Fisch\\;art;zwei\\nZeilen;C:\\\\img;Gewicht\r\n;;;12\r\n");
    const TTextTable back = loaded(t.toBytes());
    EXPECT_EQ(back.fieldNames(), t.fieldNames());
    EXPECT_EQ(back.value(1, 4), "12");
}

TEST(TableEscapes, NamesThatASaveWouldMergeAreOneField)
{
    // A lone CR is saved as "\n" and reads back as CR LF; a lone LF is not saved at all.
    const TTextTable t = loaded("x\r;x\\n;y\r\n");
    ASSERT_EQ(t.FieldCount(), 2);
    const TTextTable back = loaded(t.toBytes());
    EXPECT_EQ(back.fieldNames(), t.fieldNames());
    EXPECT_EQ(back.toBytes(), t.toBytes());

    TTextTable added;
    EXPECT_TRUE(added.AddField(QByteArray("a\nb")));
    EXPECT_FALSE(added.AddField(QByteArray("AB")));
    EXPECT_TRUE(added.AddField(QByteArray("c\rd")));
    EXPECT_EQ(loaded(added.toBytes()).fieldNames(), added.fieldNames());

    // A NUL byte is part of a name like any other.
    TTextTable nul;
    ASSERT_TRUE(nul.AddField(QByteArray("a\0b", 3)));
    ASSERT_TRUE(nul.AddField(QByteArray("A\0c", 3)));
    EXPECT_EQ(nul.FieldIndex(QByteArray("a\0C", 3)), 2);
    EXPECT_EQ(nul.FieldIndex(QByteArray("a\0d", 3)), 0);
}

TEST(TableEscapes, EveryFixtureSurvivesUpgradeAndSave)
{
    ASSERT_GE(fixtures().size(), 6);
    for (const QString& name : fixtures()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray original = safefile::readOrThrow(QStringLiteral(FK_TEST_DATA "/tables/") + name);
        const TTextTable before = loaded(original);
        const bool catches = name.endsWith(QLatin1String(".fdb"));
        TempHome home;
        home.write(name, original);
        const QString path = home.file(name);

        if (catches) {
            // The command line's upgrade ...
            const CliResult r = runCli({QStringLiteral("upgrade"), QStringLiteral("--db"), path});
            ASSERT_EQ(r.status, 0) << r.err.constData();
        } else {
            TTextTable t = before;
            ASSERT_TRUE(t.SaveToFile(path));
        }
        TTextTable after;
        ASSERT_TRUE(after.LoadFromFile(path));
        expectSameTable(before, after);
        // ... gives a file that saves to its own bytes.
        EXPECT_EQ(after.toBytes(), home.read(name));
        // A file with ordinary field names and nothing to add keeps every byte.
        if (name == QLatin1String("current.fdb") || name == QLatin1String("costs.akdb")) {
            EXPECT_EQ(home.read(name), original);
        }

        if (catches) {
            // ... and the save at start-up.
            home.write(name, original);
            IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), path);
            Session s;
            const catchdb::StartupResult started = catchdb::startupLoad(s);
            ASSERT_TRUE(started.loaded) << started.error.toStdString();
            TTextTable reread;
            ASSERT_TRUE(reread.LoadFromFile(path));
            expectSameTable(before, reread);
            EXPECT_EQ(reread.toBytes(), home.read(name));
        }
    }
}
