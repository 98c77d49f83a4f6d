// fischkladde-cli astro: sunrise, sunset, moonrise, moonset and moon phase per day.
#include "cli/Cli.h"
#include "data/GermanFormat.h"
#include "entry/Astro.h"
#include "entry/Location.h"
#include "entry/TSunMoonCalendar.h"
#include "base/FkError.h"

#include <QTextStream>

namespace {

// Plain decimals only: "nan", "inf" or exponents would slip through a number parser and a
// range check that NaN passes.
double parseDegrees(const QString& text, double limit)
{
    const std::optional<double> value = location::parseDegrees(text);
    if (!value)
        throw cli::UsageError{QStringLiteral("'%1' ist keine gültige Gradzahl.").arg(text)};
    if (!(*value >= -limit && *value <= limit))
        throw cli::UsageError{
            QStringLiteral("'%1' liegt nicht zwischen -%2 und %2 Grad.").arg(text).arg(limit)};
    return *value;
}

// A day whose calendar calculation stopped: each value on its own, the failing ones named.
void printEventsOneByOne(QTextStream& out, const QDate& day, const astro::Observer& observer)
{
    using astro::Body;
    using astro::Event;
    const astro::real t = astro::dateTimeValue(day);
    const auto column = [&](Body body, Event event) {
        try {
            return astro::timeOfDayText(astro::riseTransitSet(body, t, event, observer));
        } catch (const astro::ENoRisesOrSets& e) {
            return e.message();
        }
    };
    out << column(Body::Sun, Event::Rise) << '\t' << column(Body::Sun, Event::Set) << '\t'
        << column(Body::Moon, Event::Rise) << '\t' << column(Body::Moon, Event::Set) << '\t'
        << astro::moonPhaseName(astro::moonPhaseClass(day)) << '\n';
}

int runAstro(const QStringList& arguments, QTextStream& out, QTextStream&)
{
    QStringList args = arguments;
    QString to;
    const bool hasTo = cli::takeOption(args, QStringLiteral("--to"), &to);
    QString lat;
    QString lon;
    const bool hasLat = cli::takeOption(args, QStringLiteral("--lat"), &lat);
    const bool hasLon = cli::takeOption(args, QStringLiteral("--lon"), &lon);
    if (args.size() != 1)
        throw cli::UsageError{QStringLiteral("Genau ein Datum erwartet.")};
    const QDate first = german::parseDate(args.first());
    const QDate last = hasTo ? german::parseDate(to) : first;
    if (last < first)
        throw cli::UsageError{QStringLiteral("Das Enddatum liegt vor dem Anfangsdatum.")};

    // Without --lat/--lon the location of the settings file (51.6° N, 7.5° E when none is set).
    const location::Location settings = location::defaultLocation();
    const double latitude = hasLat ? parseDegrees(lat, 90) : settings.latitude;
    const double longitudeWest = hasLon ? parseDegrees(lon, 180) : -settings.longitude;

    // As in the entry dialog: a calendar that shows another day is set to each date at 0:00.
    TSunMoonCalendar calendar(QDateTime(first.addDays(-1), QTime(0, 0)));
    try {
        // The day before is never printed, so its failure does not matter.
        calendar.setLatitude(static_cast<float>(latitude));
        calendar.setLongitude(static_cast<float>(longitudeWest));
    } catch (const astro::ENoRisesOrSets&) {
    }
    const astro::Observer observer{calendar.latitude(), calendar.longitude(), 0};

    for (QDate day = first; day <= last; day = day.addDays(1)) {
        out << german::formatDate(day) << '\t';
        try {
            calendar.setDate(QDateTime(day, QTime(0, 0)));
        } catch (const astro::ENoRisesOrSets&) {
            printEventsOneByOne(out, day, observer);
            continue;
        }
        out << calendar.sunRiseText() << '\t' << calendar.sunSetText() << '\t'
            << calendar.moonRiseText() << '\t' << calendar.moonSetText() << '\t'
            << calendar.moonPhaseText() << '\n';
    }
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("astro"),
    QStringLiteral("astro DATUM [--to DATUM] [--lat GRAD_NORD] [--lon GRAD_WEST]"),
    QStringLiteral("Sonnen- und Mondaufgang, -untergang und Mondphase je Tag (TAB-getrennt);\n"
                   "      ohne --lat/--lon für den Standort aus Einstellungen › Standort"),
    runAstro});

} // namespace
