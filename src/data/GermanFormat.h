#pragma once
// The German regional forms every stored date, time and number uses: short date dd.MM.yyyy,
// clock HH:mm, long time HH:mm:ss, decimal comma, no thousands separator. Parsing raises
// EConvertError with the platform's messages.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace german {

// Accepts d.M.yyyy, d.M.yy (two-digit years within 50 years of today) and d.M (this year),
// blanks around; raises "'%s' is not a valid date".
QDate parseDate(const QString& text);
QDate parseDate(const QByteArray& win1252Text);
// Accepts H:m and H:m:s (24 hours), blanks around; raises "'%s' is not a valid time".
QTime parseTime(const QString& text);
QTime parseTime(const QByteArray& win1252Text);
// Optional sign and digits, blanks before, 32-bit range; raises "'%s' is not a valid integer value".
int parseInt(const QString& text);
int parseInt(const QByteArray& win1252Text);
// Decimal comma, optional exponent; raises "'%s' is not a valid floating point value".
double parseFloat(const QString& text);
double parseFloat(const QByteArray& win1252Text);

QString formatDate(const QDate& date);     // 07.05.2006
QString formatClock(const QTime& time);    // 07:45
QString formatLongTime(const QTime& time); // 07:45:00
// Fixed decimals with a comma, halves away from zero, no thousands separator: 1253,85
QString formatFixed(double value, int decimals);

// How far a date or time typed key by key into a field has come. Complete: a date as d.M.yy
// or d.M.yyyy (one or two digits for day and month) that exists, a time as H:mm or HH:mm.
// Partial: could still become one by typing on (or is a wrong date the user is correcting).
enum class Typed { Wrong, Partial, Complete };
Typed typedDate(const QString& text);
Typed typedTime(const QString& text);
// What the text of a field means when it is left: the complete forms, and the short ones a
// hurried user types (d.M for this year, ddMMyy, ddMMyyyy; H, HHmm, H:m). Empty when none.
std::optional<QDate> finishTypedDate(const QString& text);
std::optional<QTime> finishTypedTime(const QString& text);

} // namespace german
