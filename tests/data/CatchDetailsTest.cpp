#include "data/CatchRecord.h"
#include "data/CatchDatabase.h"
#include "data/CatchDetails.h"
#include "base/FkError.h"

#include <gtest/gtest.h>

using namespace catchdetails;

namespace {

TTextTable oneCatch(const QList<QPair<const char*, QByteArray>>& values)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    db.AddRow();
    for (const auto& [field, value] : values)
        db.SetData(field, value);
    return db;
}

} // namespace

TEST(CatchDetails, WeightsReleasedFlagAndBadValues)
{
    EXPECT_EQ(poundsText("0"), QStringLiteral("0,00"));
    EXPECT_EQ(poundsText("1"), QStringLiteral("0,00"));
    EXPECT_EQ(poundsText("3"), QStringLiteral("0,01"));
    EXPECT_EQ(poundsText("12345"), QStringLiteral("24,69"));
    EXPECT_EQ(weekdayName(QDate(2006, 5, 13)), QStringLiteral("Samstag"));
    EXPECT_EQ(weekdayName(QDate(2006, 5, 8)), QStringLiteral("Montag"));

    // The details window reads the flag as the edit dialog does.
    for (const char* flag : {"0", "1", "", "True", "-1"}) {
        TTextTable db = oneCatch({{"Fangdatum", "08.05.2006"}, {"Gewicht", "0"}, {"zurueckgesetzt", flag}});
        EXPECT_EQ(detailTexts(db).zurueckgesetzt, catchrec::isReleased(flag)) << flag;
        EXPECT_EQ(detailTexts(db).zurueckgesetzt, QByteArray("1 True -1").contains(flag) && *flag) << flag;
    }

    TTextTable pasted = oneCatch({{"Fangdatum", "08.05.2006"}, {"Gewicht", "4,5"}});
    try {
        detailTexts(pasted);
        FAIL() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'4,5' is not a valid integer value"));
    }
    TTextTable badDate = oneCatch({{"Fangdatum", "31.02.2006"}, {"Gewicht", "1"}});
    EXPECT_THROW(previewTexts(badDate), EConvertError);
    EXPECT_THROW(detailTexts(badDate), EConvertError);
}

TEST(CatchDetails, PictureCursorStepsThroughThreePictures)
{
    PictureCursor c;
    c.reset({"a", "b", "c"});
    EXPECT_TRUE(c.arrowsVisible());
    EXPECT_TRUE(c.forward());
    EXPECT_EQ(c.current(), QStringLiteral("b"));
    EXPECT_TRUE(c.backEnabled() && c.forwardEnabled());
    EXPECT_TRUE(c.forward());
    EXPECT_FALSE(c.forwardEnabled());
    EXPECT_FALSE(c.forward()); // a stray click at the end stays on the last picture
    EXPECT_EQ(c.position(), 2);
    EXPECT_TRUE(c.back());
    EXPECT_TRUE(c.back());
    EXPECT_FALSE(c.back());
    EXPECT_EQ(c.current(), QStringLiteral("a"));

    c.reset({"single"});
    EXPECT_FALSE(c.arrowsVisible());
    c.reset({});
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(c.current(), QString());
    EXPECT_FALSE(c.forward());

    EXPECT_EQ(bigPictureName(QStringLiteral("hecht_small_small.jpg")), QStringLiteral("hecht_big_small.jpg"));
    EXPECT_EQ(bigPictureName(QStringLiteral("0705_0.jpg")), QStringLiteral("0705_0.jpg"));
}
