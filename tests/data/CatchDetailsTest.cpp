#include "data/CatchDatabase.h"
#include "data/CatchDetails.h"
#include "storage/FkError.h"

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

TEST(CatchDetails, TextsOfASundayCatch)
{
    TTextTable db = oneCatch({{"Fangdatum", "07.05.2006"}, {"Fangzeit", "14:30"}, {"Fischart", "Hecht"},
                              {"Laenge", "78"}, {"Gewicht", "1250"}, {"Koeder", "Gummifisch"},
                              {"Angelbeginn", "06:30"}, {"Angelende", "09:15"}, {"Angeldauer", "02:45"},
                              {"Uferdistanz", "12"}, {"Fangtiefe", "3,5"}, {"Wassertemperatur", "14"},
                              {"Lufttemperatur", "18,5"}, {"Luftdruck", "1013"}, {"Wetter", "sonnig"},
                              {"Windrichtung", "SW"}, {"zurueckgesetzt", "-1"},
                              {"Bild", "\"Hecht gro\xDF.jpg\",b_1.jpg"}});
    const PreviewTexts p = previewTexts(db);
    EXPECT_EQ(p.fischart, QStringLiteral("Hecht"));
    EXPECT_EQ(p.laenge, QStringLiteral("78 cm  1250 g"));
    EXPECT_EQ(p.zeit, QStringLiteral("gefangen am Sonntag, 07.05.2006 um 14:30"));
    EXPECT_EQ(p.koeder, QStringLiteral("mit Gummifisch"));
    EXPECT_EQ(p.pictures, (QStringList{QStringLiteral("Hecht groß.jpg"), QStringLiteral("b_1.jpg")}));

    const DetailTexts d = detailTexts(db);
    EXPECT_EQ(d.gewicht, QStringLiteral("1250 g (2,50 Pfund)"));
    EXPECT_EQ(d.fangdatum, QStringLiteral("Sonntag, 07.05.2006"));
    EXPECT_EQ(d.fangzeit, QStringLiteral("14:30 Uhr"));
    EXPECT_EQ(d.angelzeit, QStringLiteral("06:30 - 09:15 = 02:45 Stunden"));
    EXPECT_EQ(d.fangtiefe, QStringLiteral("3,5 m"));
    EXPECT_EQ(d.lufttemp, QStringLiteral("18,5 °C"));
    EXPECT_EQ(d.luftdruck, QStringLiteral("1013 hPa"));
    EXPECT_TRUE(d.zurueckgesetzt);
}

TEST(CatchDetails, WeightsReleasedFlagAndBadValues)
{
    EXPECT_EQ(poundsText("0"), QStringLiteral("0,00"));
    EXPECT_EQ(poundsText("1"), QStringLiteral("0,00"));
    EXPECT_EQ(poundsText("3"), QStringLiteral("0,01"));
    EXPECT_EQ(poundsText("12345"), QStringLiteral("24,69"));
    EXPECT_EQ(weekdayName(QDate(2006, 5, 13)), QStringLiteral("Samstag"));
    EXPECT_EQ(weekdayName(QDate(2006, 5, 8)), QStringLiteral("Montag"));

    for (const char* flag : {"0", "1", "", "True"}) {
        TTextTable db = oneCatch({{"Fangdatum", "08.05.2006"}, {"Gewicht", "0"}, {"zurueckgesetzt", flag}});
        EXPECT_FALSE(detailTexts(db).zurueckgesetzt) << flag;
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
    EXPECT_FALSE(c.backEnabled());
    EXPECT_TRUE(c.forwardEnabled());
    EXPECT_TRUE(c.forward());
    EXPECT_EQ(c.current(), QStringLiteral("b"));
    EXPECT_TRUE(c.backEnabled() && c.forwardEnabled());
    EXPECT_TRUE(c.forward());
    EXPECT_EQ(c.current(), QStringLiteral("c"));
    EXPECT_FALSE(c.forwardEnabled());
    EXPECT_FALSE(c.forward()); // a stray click at the end stays on the last picture
    EXPECT_EQ(c.position(), 2);
    EXPECT_TRUE(c.back());
    EXPECT_TRUE(c.back());
    EXPECT_EQ(c.current(), QStringLiteral("a"));
    EXPECT_FALSE(c.backEnabled());
    EXPECT_TRUE(c.forwardEnabled());
    EXPECT_FALSE(c.back());

    c.reset({"single"});
    EXPECT_FALSE(c.arrowsVisible());
    c.reset({});
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(c.current(), QString());
    EXPECT_FALSE(c.forward());

    EXPECT_EQ(bigPictureName(QStringLiteral("hecht_small_small.jpg")), QStringLiteral("hecht_big_small.jpg"));
    EXPECT_EQ(bigPictureName(QStringLiteral("0705_0.jpg")), QStringLiteral("0705_0.jpg"));
}
