#pragma once
// Where the angler fishes: a program-wide location in the settings file and, optionally, one
// per water of "DATs/Gewaesser.dat". Sun and moon times of a catch are computed for the
// location of its water, else for the program-wide one, else for 51.6° N, 7.5° E.
//
// Settings file:
//   [Standort]                 Breite=51.6  Laenge=7.5   (degrees, north and EAST positive)
//   [Gewaesserstandorte]       1=47.6;9.4;Bodensee       (latitude;longitude east;water name)
// Numbers are written with a decimal point so the file reads the same everywhere.
#include "data/IniFile.h"
#include "entry/Astro.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace location {

struct Location {
    double latitude = 51.6;  // north positive
    double longitude = 7.5;  // EAST positive (the calendar counts west positive)
    bool operator==(const Location&) const = default;
};

// 51.6° N, 7.5° E: the observer every catch was computed for before a location was set.
inline constexpr Location kDefault{51.6, 7.5};

// Finite, latitude within ±90°, longitude within ±180°.
bool isValid(const Location& where);

// The observer of the astronomy routines: single-precision degrees as the calendar holds
// them, longitude turned to west positive, height 0.
astro::Observer observerOf(const Location& where);

// A water's own location.
struct WaterLocation {
    QString water;
    Location where;
};

// The program-wide location; kDefault when none is set or the stored one is unreadable.
Location defaultLocation(const IniFile& settings = IniFile::settings());
// Raises FkError for a location out of range, EFileError when the file cannot be written.
void setDefaultLocation(const Location& where, const IniFile& settings = IniFile::settings());

// The waters with their own location, in stored order; unreadable entries are skipped.
QList<WaterLocation> waterLocations(const IniFile& settings = IniFile::settings());
// Replaces all water locations in one write. Raises FkError for a location out of range or
// an empty or doubled water name (compared without letter case).
void setWaterLocations(const QList<WaterLocation>& waters, const IniFile& settings = IniFile::settings());

// The water's own location (name compared without letter case), else the program-wide one.
Location locationForWater(const QString& water, const IniFile& settings = IniFile::settings());

// Degrees typed by the user: decimal comma or point, optional sign and surrounding blanks.
// Nothing for text that is no finite number.
std::optional<double> parseDegrees(const QString& text);
// Degrees with a decimal comma and up to four decimals, trailing zeros dropped ("51,6").
QString formatDegrees(double degrees);

// A few German cities to pick from in the location dialog.
struct City {
    const char* name; // UTF-8
    Location where;
};
const QList<City>& germanCities();

// The text stored for an event the body does not have that day.
QString noEventText();

// The sun and moon data of one catch day: the texts a catch stores ("HH:mm:ss" and the
// phase's name) and the values behind them.
struct SunMoonDay {
    QDate date;
    Location where;
    // Local civil date-time values (days since 30.12.1899); empty when the body does not
    // cross the horizon that day.
    std::optional<astro::real> sunRise, sunSet, moonRise, moonSet;
    astro::MoonPhase moonPhase = astro::Neumond;

    // The stored forms; an event that cannot be computed gives noEventText().
    QString sunRiseText() const;
    QString sunSetText() const;
    QString moonRiseText() const;
    QString moonSetText() const;
    QString moonPhaseText() const { return astro::moonPhaseName(moonPhase); }
};

// Sun and moon data of the catch day `date` at `where`. Gives the same times as a
// TSunMoonCalendar with that observer set to the date, except that an event that cannot be
// computed is left empty instead of stopping the rest. Raises FkError for a location out of
// range; an invalid date gives a day without values.
SunMoonDay sunMoon(const QDate& date, const Location& where);

// For the entry dialog: the catch day's data at the location of the catch's water (the
// program-wide location for an unknown or empty water). Call it again when the date or the
// water changes; it reads the settings file each time, so a location changed meanwhile counts.
SunMoonDay sunMoonForCatch(const QDate& date, const QString& water, const IniFile& settings = IniFile::settings());

} // namespace location
