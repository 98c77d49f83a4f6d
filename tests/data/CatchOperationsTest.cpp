#include "data/CatchDatabase.h"
#include "data/CatchOperations.h"
#include "data/CatchRecord.h"
#include "data/IniFile.h"
#include "base/FkError.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace {

class CatchOperations : public ::testing::Test {
protected:
    TempHome home;
    Session session;

    void SetUp() override
    {
        catchdb::createDatabase(session, home.file(QStringLiteral("fang.fdb")), catchdb::Kind::Catches);
    }
    QByteArray file() const { return home.read(QStringLiteral("fang.fdb")); }
    static catchops::CatchValues catchOf(const QByteArray& species, const QByteArray& remark = {})
    {
        catchops::CatchValues v;
        v[catchrec::Fangdatum] = "07.05.2006";
        v[catchrec::Fischart] = species;
        v[catchrec::Bemerkungen] = remark;
        v[catchrec::zurueckgesetzt] = "-1";
        return v;
    }
    // The table as written, for comparing before and after.
    QByteArray table() const { return session.DB.toBytes(); }
};

} // namespace

TEST_F(CatchOperations, EveryChangeReachesTheFile)
{
    EXPECT_EQ(catchops::saveCatch(session, 0, catchOf("Hecht", "a;b")), 1);
    EXPECT_EQ(catchops::saveCatch(session, 0, catchOf("Aal")), 2);
    EXPECT_EQ(catchops::saveCatch(session, 1, catchOf("Zander", "neu")), 1);
    EXPECT_EQ(catchops::duplicateCatch(session, 2), 3);
    EXPECT_TRUE(catchops::deleteCatch(session, 1));
    EXPECT_FALSE(catchops::deleteCatch(session, 9));
    EXPECT_EQ(catchops::duplicateCatch(session, 0), 0);

    TTextTable back;
    back.LoadFromFile(home.file(QStringLiteral("fang.fdb")));
    ASSERT_EQ(back.RowCount(), 2);
    for (int row : {1, 2}) {
        back.GoToRow(row);
        EXPECT_EQ(back.GetData(catchrec::Fischart), "Aal");
        EXPECT_EQ(back.GetData(catchrec::zurueckgesetzt), "-1");
        EXPECT_EQ(back.GetData(catchrec::Fangdatum), "07.05.2006");
    }
    EXPECT_EQ(file(), table());
    // The edited row kept its escaped remark through the file.
    EXPECT_TRUE(file().contains("\r\n") && !file().contains("a\\;b"));
}

TEST_F(CatchOperations, AFailedWriteLeavesTableAndFileAsTheyWere)
{
    catchops::saveCatch(session, 0, catchOf("Hecht", "a;b"));
    catchops::saveCatch(session, 0, catchOf("Aal"));
    const QByteArray before = table();
    // A file whose folder refuses every new file, even for root.
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), QStringLiteral("/proc/version"));
    EXPECT_THROW(catchops::saveCatch(session, 0, catchOf("Zander")), EFileError);
    EXPECT_EQ(table(), before);
    EXPECT_THROW(catchops::saveCatch(session, 2, catchOf("Zander")), EFileError);
    EXPECT_EQ(table(), before);
    EXPECT_THROW(catchops::duplicateCatch(session, 1), EFileError);
    EXPECT_EQ(table(), before);
    EXPECT_THROW(catchops::deleteCatch(session, 1), EFileError);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(session.DB.RowCount(), 2);
}

TEST_F(CatchOperations, NoDatabaseOrAVanishedFileIsSaid)
{
    catchops::saveCatch(session, 0, catchOf("Hecht"));
    const QByteArray before = table();
    QFile::remove(home.file(QStringLiteral("fang.fdb")));
    try {
        catchops::saveCatch(session, 0, catchOf("Aal"));
        FAIL() << "saved into a file that is gone";
    } catch (const catchops::EDatabaseMissing& e) {
        EXPECT_EQ(e.path, home.file(QStringLiteral("fang.fdb")));
    }
    EXPECT_EQ(table(), before);

    Session none;
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), QString());
    EXPECT_THROW(catchops::saveCatch(none, 0, catchOf("Aal")), FkError);
    EXPECT_EQ(none.DB.RowCount(), 0);
}

TEST(CatchRecord, ReleasedFlagIsReadOneWay)
{
    for (const char* yes : {"-1", "1", "2", "True"})
        EXPECT_TRUE(catchrec::isReleased(yes)) << yes;
    for (const char* no : {"0", "", "false"})
        EXPECT_FALSE(catchrec::isReleased(no)) << no;
    EXPECT_THROW(catchrec::isReleased("ja"), EConvertError);
    EXPECT_EQ(catchrec::fieldNames(), catchdb::catchFields());
}
