// Checks of the astronomy routines against the worked examples of J. Meeus, "Astronomical
// Algorithms". Every expected figure below is printed in the book, rounded to the digits
// given; the tolerances cover that rounding plus the deliberate simplifications of this
// calculation, named at each check.
#include "entry/Astro.h"

#include <gtest/gtest.h>

using namespace astro;

namespace {

constexpr real kArcsec = 1.0L / 3600;

real at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    return dateTimeValue(QDate(y, m, d), QTime(hh, mm, ss));
}

} // namespace

TEST(Astro, JulianDayAndSiderealTime)
{
    // Book: 1987 April 10, 0h UT is JD 2446895.5, θ0 = 197.693195°; at 19h21m00s UT
    // θ0 = 128.7378734°. Exact formulas, so only the printed rounding is allowed.
    EXPECT_DOUBLE_EQ(double(julianDay(at(1987, 4, 10))), 2446895.5);
    EXPECT_NEAR(double(siderealTime(at(1987, 4, 10))), 197.693195, 5e-7);
    EXPECT_NEAR(double(siderealTime(at(1987, 4, 10, 19, 21))), 128.7378734, 5e-7);
    // J2000.0 and the Gregorian cut-off: before 15 October 1582 the day number is 0.
    EXPECT_DOUBLE_EQ(double(julianCenturies(julianDay(at(2000, 1, 1, 12)))), 0.0);
    EXPECT_DOUBLE_EQ(double(julianDay(at(1582, 10, 15))), 2299160.5);
    EXPECT_DOUBLE_EQ(double(julianDay(at(1582, 10, 14, 23, 59))), 0.0);
}

TEST(Astro, NutationAndObliquity)
{
    // Book, 1987 April 10, 0h: Δψ = −3.788″, Δε = +9.443″ from all 63 rows, ε0 = 23°26′27.407″.
    const real t = at(1987, 4, 10);
    const Nutation all = nutation(t, 63);
    EXPECT_NEAR(double(all.longitude / kArcsec), -3.788, 0.0006);
    EXPECT_NEAR(double(all.obliquity / kArcsec), 9.443, 0.0006);
    // The catch log sums only the first 31 rows; the dropped terms are each below 0.0003″ and
    // together stay within about 0.003″.
    const Nutation used = nutation(t);
    EXPECT_NEAR(double(used.longitude / kArcsec), -3.788, 0.004);
    EXPECT_NEAR(double(used.obliquity / kArcsec), 9.443, 0.004);
    EXPECT_NE(used.longitude, all.longitude);
    EXPECT_NEAR(double(meanObliquity(t) / kArcsec), 84387.407, 0.001);
}

TEST(Astro, SunPosition)
{
    // Book (low-accuracy example), 1992 October 13, 0h: apparent λ = 199.90895°, R = 0.99766 AU.
    // The book's second edition raised L0 by 0.00001° against the first edition's constants
    // used here, so λ may lie that much lower.
    const Position sun = sunEcliptic(at(1992, 10, 13));
    EXPECT_NEAR(double(sun.lambda), 199.90895, 2e-5);
    EXPECT_NEAR(double(sun.distance / 149597869), 0.99766, 6e-6);
    EXPECT_EQ(sun.beta, 0);
    // The book's δ = −7.78507°; the equatorial conversion adds Δψ (about 0.0044° that day)
    // to the apparent longitude once more, which moves δ by under 0.002°.
    EXPECT_NEAR(double(sunEquatorial(at(1992, 10, 13)).delta), -7.78507, 0.002);
}

TEST(Astro, MoonPositionAndParallax)
{
    // Book, 1992 April 12, 0h: λ = 133.162655°, β = −3.229126°, Δ = 368409.7 km before
    // nutation. The book uses the revised mean elements of its second edition, this
    // calculation those of the first, which moves λ by about 0.000005°.
    const real t = at(1992, 4, 12);
    Position moon = moonEcliptic(t);
    EXPECT_NEAR(double(moon.lambda - 360 * std::floor(moon.lambda / 360)), 133.162655, 1e-5);
    EXPECT_NEAR(double(moon.beta), -3.229126, 1e-5);
    EXPECT_NEAR(double(moon.distance), 368409.7, 0.1);
    // With nutation: α = 134.688470°, δ = 13.768368° in the book (full nutation series).
    toEquatorial(moon, t);
    EXPECT_NEAR(double(moon.lambda), 133.167269, 2e-5);
    EXPECT_NEAR(double(moon.alpha), 134.688470, 2e-5);
    EXPECT_NEAR(double(moon.delta), 13.768368, 2e-5);
    // Book: illuminated fraction 0.6786 at that moment (its sun is the more accurate one).
    EXPECT_NEAR(double(illuminatedFraction(t)), 0.6786, 0.0002);

    // Book: π = 0.991990° for this moon; its formula sin π = 6378.14 / Δ agrees with
    // sin 8.794″ · AU / Δ to about 0.00001°. The topocentric moon lies lower: δ′ < δ north of
    // the equator.
    Position topo = moon;
    correctForParallax(topo, t, Observer{51.6L, -7.5L, 0});
    EXPECT_NEAR(double(topo.parallax), 0.991990, 2e-5);
    EXPECT_LT(topo.delta, moon.delta);
    EXPECT_LT(moon.delta - topo.delta, topo.parallax);
    // An observer at the geocentre (ρ = 0 would need h = −6378 km) sees no shift.
    Position centre = moon;
    correctForParallax(centre, t, Observer{0, 0, -6378140});
    EXPECT_NEAR(double(centre.alpha), double(moon.alpha), 1e-9);
    EXPECT_NEAR(double(centre.delta), double(moon.delta), 1e-9);
}

TEST(Astro, RiseTransitSetFromPositions)
{
    // Book: Venus at Boston (φ = 42.3333°, L = 71.0833° W), 1988 March 20, Θ0 = 177.74208°,
    // h0 = −0.5667°; after the correction the book gets m = 0.51766 (rise), 0.81980 (transit),
    // 0.12130 (set). It also adds ΔT = 56 s to n, which changes m by less than 0.00001.
    Position p1, p2, p3;
    p1.alpha = 40.68021L, p1.delta = 18.04761L;
    p2.alpha = 41.73129L, p2.delta = 18.44092L;
    p3.alpha = 42.78204L, p3.delta = 18.82742L;
    const Observer boston{42.3333L, 71.0833L, 0};
    const auto m = [&](Event e) { return double(eventFraction(p1, p2, p3, 177.74208L, -0.5667L, boston, e)); };
    EXPECT_NEAR(m(Event::Rise), 0.51766, 1.5e-5);
    EXPECT_NEAR(m(Event::Transit), 0.81980, 1.5e-5);
    EXPECT_NEAR(m(Event::Set), 0.12130, 1.5e-5);
    // A right ascension running through 0° is interpolated across the jump.
    Position q1 = p1, q2 = p2, q3 = p3;
    q1.alpha = 359.5L, q2.alpha = 0.55L, q3.alpha = 1.6L;
    EXPECT_NO_THROW(eventFraction(q1, q2, q3, 177.74208L, -0.5667L, boston, Event::Transit));
    // A body that never reaches the horizon.
    Position low = p2;
    low.delta = -60;
    EXPECT_THROW(eventFraction(low, low, low, 177.74208L, -0.5667L, boston, Event::Rise), ENoRisesOrSets);
}
