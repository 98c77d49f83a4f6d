// The water map's logic: colour texts, positions, the dots of one water, the hint under the
// mouse and where a chosen map picture is copied to.
#include "base/FkError.h"
#include "base/Jpeg.h"
#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "data/IniFile.h"
#include "data/MapColours.h"
#include "entry/WaterMap.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

struct ScriptedRandom : RandomSource {
    QList<int> values;
    QList<int> bounds;
    int bounded(int bound) override
    {
        bounds.append(bound);
        return values.isEmpty() ? 0 : values.takeFirst();
    }
};

void addCatch(TTextTable& db, const QByteArray& water, const QByteArray& species, const QByteArray& position,
              const QByteArray& length = "50", const QByteArray& weight = "1000")
{
    db.AddRow();
    db.SetData(catchrec::Gewaesser, water);
    db.SetData(catchrec::Fischart, species);
    db.SetData(catchrec::Karte, position);
    db.SetData(catchrec::Laenge, length);
    db.SetData(catchrec::Gewicht, weight);
}

} // namespace

TEST(MapColours, TextAndColourBothWays)
{
    EXPECT_EQ(mapcolours::colourText(QColor(255, 10, 0)), "#FF0A00");
    EXPECT_EQ(mapcolours::colourText(QColor(0xab, 0xcd, 0xef)), "#ABCDEF");
    EXPECT_EQ(mapcolours::colourFromText("#FF0A00"), QColor(255, 10, 0));
    EXPECT_EQ(mapcolours::colourFromText("#abcdef"), QColor(0xab, 0xcd, 0xef));
    // Anything not "#" and six hexadecimal digits is the blue of a species without colour.
    const QColor blue(0, 0, 255);
    for (const char* bad : {"", "#", "FF0A00", "#FF0A0", "#FF0A000", "#GG0000", "#+10000", "# 10000", "x123456"})
        EXPECT_EQ(mapcolours::colourFromText(QString::fromLatin1(bad)), blue) << bad;
}

TEST(MapColours, RandomColoursAndTheFirstFilling)
{
    TempHome home;
    const IniFile ini = IniFile::settings();
    ScriptedRandom random;
    random.values = {255, 0, 16, 1, 2, 3};
    EXPECT_EQ(mapcolours::randomColourText(random), "#FF0010");
    EXPECT_EQ(random.bounds, (QList<int>{256, 256, 256}));

    // Without a species file the 27 defaults get a colour each, once.
    random.values.clear();
    EXPECT_TRUE(mapcolours::fillColoursOnce(ini, random));
    const QStringList keys = ini.keys(mapcolours::kSection);
    ASSERT_EQ(keys.size(), 27);
    EXPECT_EQ(keys.first(), "Aal");
    EXPECT_EQ(keys.at(1), QStringLiteral("Äsche"));
    EXPECT_EQ(ini.readString("KarteFarbe", "Zander"), "#000000");
    random.values = {1, 2, 3};
    EXPECT_FALSE(mapcolours::fillColoursOnce(ini, random));
    EXPECT_EQ(ini.readString("KarteFarbe", "Zander"), "#000000");

    // With a species file its lines are used; blank lines name no species.
    TempHome other;
    other.write("DATs/Fischarten.dat", "Hecht\r\n\r\nWels\r\n");
    random.values = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(mapcolours::fillColoursOnce(IniFile::settings(), random));
    EXPECT_EQ(IniFile::settings().keys("KarteFarbe"), (QStringList{"Hecht", "Wels"}));
    EXPECT_EQ(IniFile::settings().readString("KarteFarbe", "Wels"), "#040506");

    // Species keys ignore letter case when the map looks a colour up.
    const QHash<QString, QString> colours = mapcolours::speciesColours(IniFile::settings());
    EXPECT_EQ(colours.value("hecht"), "#010203");
}

TEST(WaterMap, Positions)
{
    EXPECT_EQ(watermap::positionText(QPoint(120, 45)), "120,45");
    EXPECT_EQ(watermap::parsePosition("120,45"), QPoint(120, 45));
    EXPECT_EQ(watermap::parsePosition("0,7"), QPoint(0, 7));
    EXPECT_EQ(errorText<EConvertError>([] { watermap::parsePosition("120"); }), "'' is not a valid integer value");
    EXPECT_EQ(errorText<EConvertError>([] { watermap::parsePosition("a,5"); }), "'a' is not a valid integer value");
    EXPECT_EQ(errorText<EConvertError>([] { watermap::parsePosition("1,2,3"); }), "'2,3' is not a valid integer value");
}

TEST(WaterMap, DotsOfOneWaterInSpeciesColours)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    addCatch(db, "See", "Hecht", "10,20");
    addCatch(db, "Fluss", "Hecht", "30,40");  // another water
    addCatch(db, "see", "Hecht", "50,60");    // the name must match exactly
    addCatch(db, "See", "Zander", "");        // no position
    addCatch(db, "See", "Wels", "70,80");     // no colour entry: blue
    addCatch(db, "See", "Zander", "90,100");
    const QHash<QString, QString> colours{{"hecht", "#FF0000"}, {"zander", "#00FF00"}};

    const watermap::Dots found = watermap::collectDots(db, "See", colours);
    EXPECT_TRUE(found.error.isEmpty());
    ASSERT_EQ(found.dots.size(), 3);
    EXPECT_EQ(found.dots[0].row, 1);
    EXPECT_EQ(found.dots[0].position, QPoint(10, 20));
    EXPECT_EQ(found.dots[0].colour, QColor(255, 0, 0));
    EXPECT_EQ(found.dots[1].row, 5);
    EXPECT_EQ(found.dots[1].colour, QColor(0, 0, 255));
    EXPECT_EQ(found.dots[2].row, 6);
    EXPECT_EQ(found.dots[2].colour, QColor(0, 255, 0));

    // A position that cannot be read stops the walk there; the dots before it stay.
    addCatch(db, "See", "Hecht", "12;3");
    addCatch(db, "See", "Hecht", "5,5");
    const watermap::Dots broken = watermap::collectDots(db, "See", colours);
    EXPECT_EQ(broken.dots.size(), 3);
    EXPECT_EQ(broken.error, "Zeile 7, Feld Karte: '' is not a valid integer value");

    // Drawn as filled circles without outline in their 5 by 5 box.
    QImage picture(120, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    watermap::drawDots(picture, found.dots);
    EXPECT_EQ(QColor(picture.pixel(12, 22)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(picture.pixel(92, 102)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(picture.pixel(16, 26)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture.pixel(9, 19)), QColor(Qt::white));
}

TEST(WaterMap, HintOfTheDotUnderTheMouse)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    addCatch(db, "See", "Hecht", "10,20", "81", "4200");
    addCatch(db, "See", "Zander", "12,22", "46", "900"); // overlaps the first
    addCatch(db, "See", "Barsch", "0,50", "30", "300");  // x = 0: drawn, no hint
    addCatch(db, "See", "Aal", "40,40", "", "0");
    const QList<watermap::Dot> dots = watermap::collectDots(db, "See", {}).dots;
    ASSERT_EQ(dots.size(), 4);

    EXPECT_EQ(watermap::dotAt(dots, QPoint(10, 20)), 1);
    EXPECT_EQ(watermap::dotAt(dots, QPoint(13, 23)), 2); // both boxes: the higher row wins
    EXPECT_EQ(watermap::dotAt(dots, QPoint(14, 24)), 2);
    EXPECT_EQ(watermap::dotAt(dots, QPoint(15, 21)), 0); // right edge is outside
    EXPECT_EQ(watermap::dotAt(dots, QPoint(9, 20)), 0);
    EXPECT_EQ(watermap::dotAt(dots, QPoint(2, 52)), 0);
    EXPECT_EQ(watermap::dotAt(dots, QPoint(42, 42)), 4);

    EXPECT_EQ(watermap::hintText(db, 2), "Zander, 46 cm 900 g");
    EXPECT_EQ(watermap::hintText(db, 4), "Aal,  cm 0 g");
}

TEST(WaterMap, CopiesOfTwoWatersNeverShareAFile)
{
    TempHome home;
    const IniFile ini = IniFile::settings();
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    const QString first = home.file("a/karte.jpg");
    const QString second = home.file("b/karte.jpg");

    EXPECT_EQ(watermap::copyPath(ini, "See", first), home.file("karte_karte.jpg"));
    EXPECT_EQ(watermap::storeCopy(ini, "See", first, picture), home.file("karte_karte.jpg"));
    EXPECT_EQ(ini.readString("Karte", "See"), home.file("karte_karte.jpg"));
    // The same water may replace its own copy.
    EXPECT_EQ(watermap::copyPath(ini, "See", second), home.file("karte_karte.jpg"));
    // Another water with a picture of the same name gets a numbered copy, and a third the next.
    EXPECT_EQ(watermap::storeCopy(ini, "Fluss", second, picture), home.file("karte_karte_2.jpg"));
    EXPECT_EQ(watermap::storeCopy(ini, "Teich", second, picture), home.file("karte_karte_3.jpg"));
    EXPECT_EQ(ini.readString("Karte", "See"), home.file("karte_karte.jpg"));
    EXPECT_EQ(ini.readString("Karte", "Fluss"), home.file("karte_karte_2.jpg"));

    // The copy is a JPEG of the picture.
    const QImage back = jpeg::decode(home.read("karte_karte_2.jpg"));
    EXPECT_EQ(back.size(), QSize(40, 30));
    EXPECT_LE(std::abs(QColor(back.pixel(20, 15)).green() - 200), 4);
}
