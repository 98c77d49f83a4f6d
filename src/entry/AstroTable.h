#pragma once
// The day table of `fischkladde-cli astro`: per day the sun and moon values a catch of that day
// stores. The command only parses its arguments and prints these lines, so whatever reaches it
// from outside passes through here.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace astrotable {

// Degrees as typed on the command line: a plain decimal with point or comma within ±limit.
// Raises FkError with a German message for anything else ("nan", "inf", "1e3", "91").
double parseDegrees(const QString& text, double limit);

// One line per day from `first` to `last`: date, TAB, sunrise, TAB, sunset, TAB, moonrise, TAB,
// moonset ("HH:mm:ss", or the no-event text where an event cannot be computed), TAB, moon phase
// name; no line end. Latitude north, longitude WEST (as the calendar counts). Raises FkError
// for an invalid or reversed date range and for an observer that is not finite or out of range.
QStringList lines(const QDate& first, const QDate& last, double latitude, double longitudeWest);
// The same, each line handed over as soon as it is computed (a long range prints as it goes).
void forEachLine(const QDate& first, const QDate& last, double latitude, double longitudeWest,
                 const std::function<void(const QString&)>& line);

} // namespace astrotable
