#pragma once
// Sun and moon positions and their rise, transit and set, after J. Meeus, "Astronomical
// Algorithms" (1st ed., 1991). Angles are degrees; longitudes are positive towards WEST.
//
// Times are date-time values: days since 30 December 1899 0:00 with the time of day as
// fraction, in the observer's civil time. The calendar date's 0:00 is taken as 0h UT and no
// difference between dynamical and universal time is applied.
#include "base/FkError.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>

namespace astro {

using real = long double; // extended precision keeps the rise and set times stable to the second

// --- date-time values --------------------------------------------------------------------
real dateTimeValue(const QDate& date, const QTime& time = QTime(0, 0));
real dateTimeValue(const QDateTime& moment); // takes date() and time() as they stand
QDate dateOfValue(real value);               // the calendar day the value falls on
// Time of day as "HH:mm:ss": the fraction of the day rounded to the nearest millisecond,
// then the milliseconds dropped. The date part is ignored.
QString timeOfDayText(real value);

// --- angles ------------------------------------------------------------------------------
real reduce360(real x); // x − 360·⌊x/360⌋
real sinDeg(real x);    // each reduces x to [0, 360) first
real cosDeg(real x);
real tanDeg(real x);

// --- time --------------------------------------------------------------------------------
real julianDay(real value);    // value + 2415018.5; 0 before 15 October 1582
real julianCenturies(real jd); // T from J2000.0
real siderealTime(real value); // Greenwich mean sidereal time θ0, degrees in [0, 360)

// --- positions ---------------------------------------------------------------------------
struct Position {
    real lambda = 0;   // ecliptic longitude
    real beta = 0;     // ecliptic latitude
    real distance = 0; // km
    real alpha = 0;    // right ascension
    real delta = 0;    // declination
    real parallax = 0; // equatorial horizontal parallax (moon, after correctForParallax)
};

struct Nutation {
    real longitude = 0; // Δψ, degrees
    real obliquity = 0; // Δε, degrees
};

inline constexpr int kNutationRowsUsed = 31;

// Δψ and Δε summed over the first `rows` rows of the IAU 1980 table.
Nutation nutation(real t, int rows = kNutationRowsUsed);
real meanObliquity(real t); // ε0, degrees

// Apparent sun longitude before nutation (β = 0), distance in km.
Position sunEcliptic(real t);
// Geocentric moon longitude, latitude and distance before nutation.
Position moonEcliptic(real t);
// Adds Δψ to λ and fills α (−180, 180] and δ.
void toEquatorial(Position& p, real t);

struct Observer {
    real latitude = 0;  // north positive
    real longitude = 0; // WEST positive
    real height = 0;    // metres
};

// Topocentric α, δ of the moon; sets the parallax π.
void correctForParallax(Position& p, real t, const Observer& observer);

Position sunEquatorial(real t);
Position moonEquatorial(real t, const Observer& observer); // corrected to the observer
// Geocentric α, δ of the moon with its horizontal parallax π.
Position moonGeocentric(real t);

// How often the lunar series has been summed in this thread (for the benchmark).
std::uint64_t lunarSeriesCount();

// --- rise, transit, set ------------------------------------------------------------------
enum class Body { Sun, Moon };
enum class Event { Rise, Set, Transit };

// The body does not cross its standard altitude on that day.
class ENoRisesOrSets : public FkError {
public:
    ENoRisesOrSets();
};

// The event as fraction of the day in UT from the body's positions at 0h of the day before,
// the day and the day after, the sidereal time Θ0 at 0h and the standard altitude h0: one
// correction step, so the result may lie a little outside [0, 1). Raises ENoRisesOrSets.
real eventFraction(const Position& p1, const Position& p2, const Position& p3, real theta0, real h0,
                   const Observer& observer, Event event);

// The moon's event as fraction of the UT day d0 (a date-time value at 0:00): geocentric
// positions computed at the moment of each guess, standard altitude 0.7275 π − 0.5667°
// (upper limb, refraction, parallax), the correction repeated until it moves the time by less
// than a second. The result is the event nearest the first guess and may lie a little
// outside [0, 1). Raises ENoRisesOrSets when the moon does not reach that altitude or the
// correction does not settle within kMoonIterations steps.
inline constexpr int kMoonIterations = 10;
real moonEventFraction(real d0, const Observer& observer, Event event);

// The event on the calendar day of t, in local civil time; raises ENoRisesOrSets.
// The sun takes one correction step from interpolated positions (eventFraction), the moon
// is computed by moonEventFraction.
real riseTransitSet(Body body, real t, Event event, const Observer& observer);

// Civil time is UTC+1, UTC+2 on summer-time dates (none before 1980; last Sunday of March
// up to the last Sunday of September until 1995, of October from 1996; start day included).
bool isSummerTime(const QDate& date);
real localOffset(const QDate& date); // in days

// --- moon phase --------------------------------------------------------------------------
real illuminatedFraction(real t);
real dailyMaximumFraction(const QDate& date); // the largest of the 24 full hours

enum MoonPhase : std::uint8_t { Neumond = 0, ZunehmenderMond = 1, Vollmond = 2, AbnehmenderMond = 3 };

MoonPhase moonPhaseClass(const QDate& date);
// The class from the daily maxima of the day before, the day and the day after.
MoonPhase moonPhaseClass(real before, real day, real after);
QString moonPhaseName(MoonPhase phase);

} // namespace astro
