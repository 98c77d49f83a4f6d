// The angler's location: settings, water locations, the catch day's data and the CLI.
#include "entry/Location.h"
#include "entry/TSunMoonCalendar.h"
#include "base/FkError.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace location;

TEST(Location, DegreesAsTypedAndShown)
{
    EXPECT_EQ(parseDegrees("51,6"), 51.6);
    EXPECT_EQ(parseDegrees(" -7.5 "), -7.5);
    EXPECT_EQ(parseDegrees("+9"), 9.0);
    EXPECT_EQ(parseDegrees(",5"), 0.5);
    for (const char* bad : {"", "-", "nan", "NaN", "inf", "-inf", "1e3", "5e-1", "51,6,1", "1.000,5", "7,5 O",
                            "0x10", "99999999999999999999999999999999999"})
        EXPECT_FALSE(parseDegrees(QString::fromLatin1(bad)).has_value()) << bad;

    EXPECT_EQ(formatDegrees(51.6), QStringLiteral("51,6"));
    EXPECT_EQ(formatDegrees(-7.5), QStringLiteral("-7,5"));
    EXPECT_EQ(formatDegrees(10), QStringLiteral("10"));
    EXPECT_EQ(formatDegrees(9.99449), QStringLiteral("9,9945"));
    EXPECT_EQ(formatDegrees(-0.00001), QStringLiteral("0"));

    EXPECT_TRUE(isValid({90, -180}));
    EXPECT_FALSE(isValid({90.01, 0}));
    EXPECT_FALSE(isValid({0, 180.5}));
    EXPECT_FALSE(isValid({std::numeric_limits<double>::quiet_NaN(), 0}));
    EXPECT_FALSE(isValid({0, std::numeric_limits<double>::infinity()}));
    for (const City& c : germanCities())
        EXPECT_TRUE(isValid(c.where) && c.where.latitude > 47 && c.where.latitude < 55.1 && c.where.longitude > 5.8
                    && c.where.longitude < 15.1)
            << c.name;
}

TEST(Location, SettingsAndWaters)
{
    TempHome home;
    const IniFile ini = IniFile::settings();
    // Nothing set: the observer every catch had before.
    EXPECT_EQ(defaultLocation(ini), kDefault);
    const astro::Observer ruhr = observerOf(kDefault);
    EXPECT_EQ(ruhr.latitude, astro::real(TSunMoonCalendar::kDefaultLatitude));
    EXPECT_EQ(ruhr.longitude, astro::real(TSunMoonCalendar::kDefaultLongitude));

    ini.writeString("DB", "File", "C:\\fang.fdb");
    setDefaultLocation({53.551, 9.994}, ini);
    EXPECT_EQ(defaultLocation(ini), (Location{53.551, 9.994}));
    EXPECT_EQ(ini.readString("Standort", "Laenge"), QStringLiteral("9.994"));
    EXPECT_THROW(setDefaultLocation({91, 0}, ini), FkError);
    EXPECT_EQ(defaultLocation(ini), (Location{53.551, 9.994})); // the refused value wrote nothing

    setWaterLocations({{QStringLiteral("Bodensee"), {47.66, 9.176}}, {QStringLiteral("Möhnesee; Nord"), {51.49, 8.06}}},
                      ini);
    ASSERT_EQ(waterLocations(ini).size(), 2);
    EXPECT_EQ(waterLocations(ini)[1].water, QStringLiteral("Möhnesee; Nord"));
    EXPECT_EQ(locationForWater("bodensee", ini), (Location{47.66, 9.176}));
    EXPECT_EQ(locationForWater("Möhnesee; Nord", ini), (Location{51.49, 8.06}));
    EXPECT_EQ(locationForWater("Rhein", ini), (Location{53.551, 9.994}));
    EXPECT_EQ(locationForWater("", ini), (Location{53.551, 9.994}));
    // Rewriting a section in the middle keeps those before and after it, in Windows-1252 with CR LF.
    ini.writeString("Letzte", "Ansicht", "3");
    setDefaultLocation({53.551, 9.994}, ini);
    EXPECT_EQ(waterLocations(ini).size(), 2);
    EXPECT_EQ(ini.readString("Letzte", "Ansicht"), QStringLiteral("3"));
    EXPECT_EQ(home.read("Fischkladde.ini"),
              "[DB]\r\nFile=C:\\fang.fdb\r\n[Standort]\r\nBreite=53.551\r\nLaenge=9.994\r\n"
              "[Gewaesserstandorte]\r\n1=47.66;9.176;Bodensee\r\n2=51.49;8.06;M\xf6hnesee; Nord\r\n"
              "[Letzte]\r\nAnsicht=3\r\n");

    // Replacing drops the old entries; bad lists are refused before anything is written.
    setWaterLocations({{QStringLiteral("Rhein"), {50.0, 8.27}}}, ini);
    ASSERT_EQ(waterLocations(ini).size(), 1);
    EXPECT_EQ(locationForWater("Bodensee", ini), (Location{53.551, 9.994}));
    EXPECT_THROW(setWaterLocations({{"A", {1, 1}}, {"a", {2, 2}}}, ini), FkError);
    EXPECT_THROW(setWaterLocations({{" A", {1, 1}}}, ini), FkError);
    EXPECT_THROW(setWaterLocations({{"A", {1, 200}}}, ini), FkError);
    EXPECT_EQ(waterLocations(ini).size(), 1);

    // Hand-edited or damaged entries fall back instead of computing for nonsense.
    ini.writeString("Standort", "Breite", "nan");
    EXPECT_EQ(defaultLocation(ini), kDefault);
    ini.writeString("Standort", "Breite", "95");
    EXPECT_EQ(defaultLocation(ini), kDefault);
    ini.writeString("Standort", "Breite", "47,5");
    EXPECT_EQ(defaultLocation(ini), (Location{47.5, 9.994}));
    ini.writeString("Gewaesserstandorte", "7", "abc;1;Teich");
    ini.writeString("Gewaesserstandorte", "8", "1;2");
    EXPECT_EQ(waterLocations(ini).size(), 1);
}

TEST(Location, CatchDayAtTheWatersLocation)
{
    TempHome home;
    const IniFile ini = IniFile::settings();
    const QDate day(2026, 5, 10);
    // Unchanged for those who never set a location: the same texts as the calendar.
    const TSunMoonCalendar calendar(QDateTime(day, QTime(0, 0)));
    const SunMoonDay ruhr = sunMoonForCatch(day, QStringLiteral("Rhein"), ini);
    EXPECT_EQ(ruhr.where, kDefault);
    EXPECT_EQ(ruhr.sunRiseText(), calendar.sunRiseText());
    EXPECT_EQ(ruhr.sunSetText(), calendar.sunSetText());
    EXPECT_EQ(ruhr.moonRiseText(), calendar.moonRiseText());
    EXPECT_EQ(ruhr.moonSetText(), calendar.moonSetText());
    EXPECT_EQ(ruhr.moonPhaseText(), calendar.moonPhaseText());

    // Lake Constance lies 1.7° east of the Ruhr: noon, and with it sunrise and sunset around
    // the equinox, come about 4 minutes per degree earlier.
    setWaterLocations({{QStringLiteral("Bodensee"), {47.66, 9.176}}}, ini);
    const QDate equinox(2026, 3, 20);
    const SunMoonDay home0 = sunMoonForCatch(equinox, QStringLiteral("Rhein"), ini);
    const SunMoonDay lake = sunMoonForCatch(equinox, QStringLiteral("Bodensee"), ini);
    EXPECT_EQ(lake.where, (Location{47.66, 9.176}));
    const double shift = (9.176 - 7.5) * 4;
    EXPECT_NEAR(double(*home0.sunRise - *lake.sunRise) * 1440, shift, 1.0);
    EXPECT_NEAR(double(*home0.sunSet - *lake.sunSet) * 1440, shift, 1.0);
    EXPECT_NE(lake.moonRiseText(), home0.moonRiseText());
    EXPECT_EQ(lake.moonPhase, home0.moonPhase); // the phase does not depend on the place

    // The program-wide location moves every water without one of its own.
    setDefaultLocation({53.551, 9.994}, ini);
    EXPECT_EQ(sunMoonForCatch(equinox, QStringLiteral("Elbe"), ini).where, (Location{53.551, 9.994}));
    EXPECT_EQ(sunMoonForCatch(equinox, QStringLiteral("Bodensee"), ini).sunRiseText(), lake.sunRiseText());
}

TEST(Location, EventsThatDoNotHappenAreNamed)
{
    // 70° N: midnight sun in June, polar night in December; the moon, whose declination
    // reaches about 28° in 2025/26, stays up or down for days around its extremes.
    const SunMoonDay june = sunMoon(QDate(2026, 6, 21), {70, 20});
    EXPECT_FALSE(june.sunRise.has_value());
    EXPECT_FALSE(june.sunSet.has_value());
    EXPECT_EQ(june.sunRiseText(), QStringLiteral("No rises or sets calculable"));
    int moonless = 0;
    int withMoon = 0;
    for (QDate d(2026, 1, 1); d < QDate(2026, 2, 1); d = d.addDays(1)) {
        const SunMoonDay day = sunMoon(d, {70, 20});
        EXPECT_FALSE(day.sunRise.has_value() && day.sunSet.has_value() && *day.sunRise > *day.sunSet)
            << d.toString(Qt::ISODate).toStdString();
        if (!day.moonRise) {
            ++moonless;
            EXPECT_EQ(day.moonRiseText(), QStringLiteral("No rises or sets calculable"));
        } else {
            ++withMoon;
            EXPECT_EQ(day.moonRiseText().size(), 8);
        }
    }
    EXPECT_GE(moonless, 3);
    EXPECT_GE(withMoon, 10);
    EXPECT_THROW(sunMoon(QDate(2026, 6, 21), {std::numeric_limits<double>::quiet_NaN(), 0}), FkError);
}

TEST(Location, CliUsesTheSettingsAndRefusesNonsense)
{
    TempHome home;
    const IniFile ini = IniFile::settings();
    const CliResult before = runCli({"astro", "20.03.2026"});
    ASSERT_EQ(before.status, 0) << before.err.constData();
    // --lat/--lon as before: west positive.
    const CliResult explicitRuhr = runCli({"astro", "20.03.2026", "--lat", "51,6", "--lon", "-7.5"});
    EXPECT_EQ(explicitRuhr.out, before.out);

    setDefaultLocation({53.551, 9.994}, ini);
    const CliResult hamburg = runCli({"astro", "20.03.2026"});
    ASSERT_EQ(hamburg.status, 0);
    const SunMoonDay expected = sunMoon(QDate(2026, 3, 20), {53.551, 9.994});
    EXPECT_EQ(hamburg.out, ("20.03.2026\t" + expected.sunRiseText() + '\t' + expected.sunSetText() + '\t'
                            + expected.moonRiseText() + '\t' + expected.moonSetText() + '\t'
                            + expected.moonPhaseText() + '\n')
                               .toUtf8());
    EXPECT_NE(hamburg.out, before.out);
    // An option overrides only its own value.
    const CliResult mixed = runCli({"astro", "20.03.2026", "--lon", "-9,994"});
    EXPECT_EQ(mixed.out, hamburg.out);
    EXPECT_EQ(runCli({"astro", "20.03.2026", "--lat", "51.6", "--lon", "-7.5"}).out, before.out);

    for (const char* bad : {"nan", "inf", "1e3", "91", "-90.5", "abc", ""}) {
        const CliResult r = runCli({"astro", "20.03.2026", "--lat", bad});
        EXPECT_NE(r.status, 0) << bad;
        EXPECT_TRUE(r.out.isEmpty()) << bad;
        EXPECT_FALSE(r.err.isEmpty()) << bad;
    }
    const CliResult huge = runCli({"astro", "20.03.2026", "--lon", "1000000000000000000000"});
    EXPECT_NE(huge.status, 0);
    EXPECT_TRUE(huge.err.contains("1000000000000000000000")) << huge.err.constData();

    // The pole: nothing can be computed, and the output says so for every event.
    const CliResult pole = runCli({"astro", "21.03.2026", "--lat", "90"});
    ASSERT_EQ(pole.status, 0) << pole.err.constData();
    EXPECT_EQ(pole.out.count("No rises or sets calculable"), 4) << pole.out.constData();
}
