#include "entry/AstroTable.h"
#include "entry/Astro.h"
#include "entry/Location.h"
#include "entry/TSunMoonCalendar.h"
#include "data/GermanFormat.h"
#include "base/FkError.h"

#include <cmath>

namespace astrotable {

namespace {

// A value the calendar could not compute sensibly is reported as such, never as a time.
QString eventText(astro::real value)
{
    return std::isfinite(value) ? astro::timeOfDayText(value) : location::noEventText();
}

// A day whose calendar calculation stopped: each value on its own, the failing ones named.
QString oneByOne(const QDate& day, const astro::Observer& observer)
{
    using astro::Body;
    using astro::Event;
    const astro::real t = astro::dateTimeValue(day);
    const auto column = [&](Body body, Event event) {
        try {
            return eventText(astro::riseTransitSet(body, t, event, observer));
        } catch (const astro::ENoRisesOrSets& e) {
            return e.message();
        }
    };
    return column(Body::Sun, Event::Rise) + QLatin1Char('\t') + column(Body::Sun, Event::Set) + QLatin1Char('\t')
           + column(Body::Moon, Event::Rise) + QLatin1Char('\t') + column(Body::Moon, Event::Set) + QLatin1Char('\t')
           + astro::moonPhaseName(astro::moonPhaseClass(day));
}

} // namespace

double parseDegrees(const QString& text, double limit)
{
    // Plain decimals only: "nan", "inf" or exponents would slip through a number parser and a
    // range check that NaN passes.
    const std::optional<double> value = location::parseDegrees(text);
    if (!value)
        throw FkError(QStringLiteral("'%1' ist keine gültige Gradzahl.").arg(text));
    if (!(*value >= -limit && *value <= limit))
        throw FkError(QStringLiteral("'%1' liegt nicht zwischen -%2 und %2 Grad.").arg(text).arg(limit));
    return *value;
}

QStringList lines(const QDate& first, const QDate& last, double latitude, double longitudeWest)
{
    QStringList result;
    forEachLine(first, last, latitude, longitudeWest, [&](const QString& line) { result.append(line); });
    return result;
}

void forEachLine(const QDate& first, const QDate& last, double latitude, double longitudeWest,
                 const std::function<void(const QString&)>& line)
{
    if (!first.isValid() || !last.isValid())
        throw FkError(QStringLiteral("Ungültiges Datum."));
    if (last < first)
        throw FkError(QStringLiteral("Das Enddatum liegt vor dem Anfangsdatum."));
    if (!(std::fabs(latitude) <= 90) || !(std::fabs(longitudeWest) <= 180))
        throw FkError(QStringLiteral("Der Standort muss eine Breite zwischen -90 und 90 Grad und eine Länge "
                                     "zwischen -180 und 180 Grad haben."));

    // As in the entry dialog: a calendar that shows another day is set to each date at 0:00.
    TSunMoonCalendar calendar(QDateTime(first.addDays(-1), QTime(0, 0)));
    try {
        // The day before is never shown, so its failure does not matter.
        calendar.setLatitude(static_cast<float>(latitude));
        calendar.setLongitude(static_cast<float>(longitudeWest));
    } catch (const astro::ENoRisesOrSets&) {
    }
    const astro::Observer observer{calendar.latitude(), calendar.longitude(), 0};

    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const QString date = german::formatDate(day) + QLatin1Char('\t');
        try {
            calendar.setDate(QDateTime(day, QTime(0, 0)));
        } catch (const astro::ENoRisesOrSets&) {
            line(date + oneByOne(day, observer));
            continue;
        }
        line(date + eventText(calendar.sunRise()) + QLatin1Char('\t') + eventText(calendar.sunSet())
             + QLatin1Char('\t') + eventText(calendar.moonRise()) + QLatin1Char('\t')
             + eventText(calendar.moonSet()) + QLatin1Char('\t') + calendar.moonPhaseText());
    }
}

} // namespace astrotable
