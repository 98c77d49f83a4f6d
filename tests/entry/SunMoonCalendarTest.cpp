// The calendar's selected date, its recomputation rules and the stored texts.
#include "entry/TSunMoonCalendar.h"

#include <gtest/gtest.h>

using namespace astro;

namespace {

QDateTime midnight(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

// Time of day of a stored value, in hours.
double clockHours(real value) { return double(value - std::floor(value)) * 24; }

} // namespace

TEST(SunMoonCalendar, ComputesOnlyForANewDayAndWithAstroDataOn)
{
    TSunMoonCalendar calendar(QDateTime(QDate(2026, 5, 10), QTime(8, 15)));
    const real rise = calendar.moonRise();
    const std::uint64_t series = lunarSeriesCount();
    calendar.setDate(QDateTime(QDate(2026, 5, 10), QTime(23, 59)));
    EXPECT_EQ(lunarSeriesCount(), series); // nothing computed
    EXPECT_EQ(calendar.date(), QDateTime(QDate(2026, 5, 10), QTime(8, 15)));
    EXPECT_EQ(calendar.moonRise(), rise);

    calendar.setDate(midnight(2026, 5, 11));
    EXPECT_GT(lunarSeriesCount(), series);
    EXPECT_EQ(calendar.date(), midnight(2026, 5, 11));
    // The moon rises roughly 20 to 80 minutes later from one day to the next.
    EXPECT_GT(calendar.moonRise() - rise, 1 + 10 / 1440.0L);
    EXPECT_LT(calendar.moonRise() - rise, 1 + 90 / 1440.0L);

    // Without astro data nothing is computed until it is switched on again.
    calendar.setCalcAstroData(false);
    const real sunRise = calendar.sunRise();
    const std::uint64_t before = lunarSeriesCount();
    calendar.setDate(midnight(2026, 7, 1));
    EXPECT_EQ(lunarSeriesCount(), before);
    EXPECT_EQ(calendar.sunRise(), sunRise);
    calendar.setCalcAstroData(true);
    EXPECT_EQ(dateOfValue(calendar.sunRise()), QDate(2026, 7, 1));
}

TEST(SunMoonCalendar, ValuesAndTextsOfADay)
{
    // 51.6° N, 7.5° E on 12 April 1992 (summer time): sun and moon as almanacs give them for
    // that place to within a few minutes.
    TSunMoonCalendar calendar(midnight(1992, 4, 12));
    EXPECT_EQ(dateOfValue(calendar.sunRise()), QDate(1992, 4, 12));
    EXPECT_NEAR(clockHours(calendar.sunRise()), 6 + 41 / 60.0, 0.1);
    EXPECT_NEAR(clockHours(calendar.sunSet()), 20 + 22 / 60.0, 0.1);
    EXPECT_NEAR(clockHours(calendar.sunTransit()), 13 + 31 / 60.0, 0.05);
    EXPECT_LT(calendar.moonRise(), calendar.moonTransit());
    EXPECT_EQ(calendar.moonPhaseText(), QStringLiteral("Zunehmender Mond"));

    // On 6 April 1992 the waxing moon sets about 0:26 local time of the next morning; the
    // value keeps that date.
    calendar.setDate(midnight(1992, 4, 6));
    EXPECT_EQ(dateOfValue(calendar.moonSet()), QDate(1992, 4, 7));
    EXPECT_TRUE(calendar.moonSetText().startsWith(QLatin1String("00:")));
}

TEST(SunMoonCalendar, TimeOfDayText)
{
    // Whole milliseconds first, then the milliseconds dropped; the date part is ignored.
    const real ms = 1 / 86400000.0L;
    const std::pair<real, const char*> cases[] = {{33000.5L + 999.4L * ms, "12:00:00"}, {33000.5L + 999.6L * ms, "12:00:01"},
                                                  {33000.5L - 0.4L * ms, "12:00:00"},   {33000.5L - 0.6L * ms, "11:59:59"},
                                                  {33001 - 0.3L * ms, "00:00:00"},
                                                  {33000 + (7 * 3600 + 5 * 60 + 9) / 86400.0L, "07:05:09"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(timeOfDayText(value), QLatin1String(text)) << text;
}

TEST(SunMoonCalendar, SummerTimeRule)
{
    struct Case {
        QDate date;
        bool summer;
    };
    const Case cases[] = {
        {QDate(2026, 3, 28), false}, {QDate(2026, 3, 29), true},   // last Sunday of March
        {QDate(2026, 10, 24), true}, {QDate(2026, 10, 25), false}, // last Sunday of October
        {QDate(1996, 9, 29), true},  {QDate(1996, 10, 26), true},  {QDate(1996, 10, 27), false},
        {QDate(1990, 3, 25), true},  {QDate(1990, 9, 29), true},   {QDate(1990, 9, 30), false},
        {QDate(1995, 9, 24), false}, {QDate(1980, 4, 6), true},
        {QDate(1979, 7, 1), false},  {QDate(1899, 7, 1), false},   {QDate(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isSummerTime(c.date), c.summer) << c.date.toString().toStdString();
        EXPECT_EQ(localOffset(c.date) * 24, c.summer ? 2 : 1);
    }

    // Noon moves by the change of clock (less the equation of time's drift of under 30 s).
    const auto noonShift = [](QDate before) {
        const TSunMoonCalendar a(QDateTime(before, QTime(0, 0)));
        const TSunMoonCalendar b(QDateTime(before.addDays(1), QTime(0, 0)));
        return (clockHours(b.sunTransit()) - clockHours(a.sunTransit())) * 60;
    };
    EXPECT_NEAR(noonShift(QDate(2026, 3, 28)), 60, 0.5);
    EXPECT_NEAR(noonShift(QDate(2026, 10, 24)), -60, 0.5);
    EXPECT_NEAR(noonShift(QDate(1990, 9, 29)), -60, 0.5);
    EXPECT_NEAR(noonShift(QDate(1990, 10, 27)), 0, 0.5);
    EXPECT_NEAR(noonShift(QDate(1979, 3, 24)), 0, 0.5); // UTC+1 all year
}

TEST(SunMoonCalendar, PhaseAroundNewAndFullMoon)
{
    // New moon 3 April 1992 05:01 UT, full moon 17 April 1992 04:42 UT.
    const std::pair<int, MoonPhase> april[] = {{1, AbnehmenderMond}, {2, AbnehmenderMond}, {3, Neumond},
                                              {4, ZunehmenderMond}, {5, ZunehmenderMond}, {15, ZunehmenderMond},
                                              {16, ZunehmenderMond}, {17, Vollmond}, {18, AbnehmenderMond},
                                              {19, AbnehmenderMond}};
    for (const auto& [day, phase] : april)
        EXPECT_EQ(moonPhaseClass(QDate(1992, 4, day)), phase) << "April " << day;
    // Day by day the calendar reuses the maxima of its neighbours; going back or jumping
    // must give the same classes as computing each day on its own.
    QList<QDate> days;
    for (QDate day(1992, 3, 30); day <= QDate(1992, 4, 20); day = day.addDays(1))
        days << day;
    days << QDate(1992, 4, 19) << QDate(1992, 4, 18) << QDate(1992, 4, 16) << QDate(1992, 4, 3)
         << QDate(1992, 4, 2) << QDate(1992, 4, 4) << QDate(1992, 4, 17);
    TSunMoonCalendar calendar(midnight(1992, 3, 29));
    for (const QDate& day : days) {
        calendar.setDate(QDateTime(day, QTime(0, 0)));
        ASSERT_EQ(calendar.moonPhase(), moonPhaseClass(day)) << day.toString().toStdString();
    }
    EXPECT_EQ(moonPhaseName(Vollmond), QStringLiteral("Vollmond"));
    EXPECT_EQ(moonPhaseName(Neumond), QStringLiteral("Neumond"));
    EXPECT_EQ(moonPhaseName(AbnehmenderMond), QStringLiteral("Abnehmender Mond"));
}

TEST(SunMoonCalendar, HighLatitudeStopsAtTheFirstEventThatFails)
{
    // At 80° N the June sun never sets; on 7 June 2026 the moon stays below (or above) the
    // horizon too, on 8 June it rises and sets.
    TSunMoonCalendar calendar(midnight(2026, 6, 7));
    const real sunRise = calendar.sunRise();
    const real sunSet = calendar.sunSet();
    const real moonRise = calendar.moonRise();
    try {
        calendar.setLatitude(80);
        FAIL() << "no error at 80° N";
    } catch (const FkError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No rises or sets calculable"));
    }
    EXPECT_EQ(calendar.moonRise(), moonRise); // the moon failed first: nothing changed
    EXPECT_EQ(calendar.sunRise(), sunRise);

    EXPECT_THROW(calendar.setDate(midnight(2026, 6, 8)), ENoRisesOrSets);
    EXPECT_EQ(calendar.date(), midnight(2026, 6, 8));
    const Observer north{real(80.0f), real(-7.5f), 0};
    const real day8 = dateTimeValue(QDate(2026, 6, 8));
    EXPECT_EQ(calendar.moonRise(), riseTransitSet(Body::Moon, day8, Event::Rise, north));
    EXPECT_EQ(calendar.moonSet(), riseTransitSet(Body::Moon, day8, Event::Set, north));
    EXPECT_EQ(calendar.sunRise(), sunRise); // kept from the day before
    EXPECT_EQ(calendar.sunSet(), sunSet);

    EXPECT_NO_THROW(calendar.setDate(QDateTime(QDate(2026, 6, 8), QTime(12, 0)))); // same day
    EXPECT_THROW(calendar.setDate(midnight(2026, 6, 9)), ENoRisesOrSets);
}

