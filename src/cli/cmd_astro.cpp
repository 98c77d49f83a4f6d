// fischkladde-cli astro: sunrise, sunset, moonrise, moonset and moon phase per day.
#include "cli/Cli.h"
#include "data/GermanFormat.h"
#include "entry/AstroTable.h"
#include "entry/Location.h"
#include "base/FkError.h"

#include <QTextStream>

namespace {

double degreesOption(const QString& text, double limit)
{
    try {
        return astrotable::parseDegrees(text, limit);
    } catch (const FkError& e) {
        throw cli::UsageError{e.message()};
    }
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
    const double latitude = hasLat ? degreesOption(lat, 90) : settings.latitude;
    const double longitudeWest = hasLon ? degreesOption(lon, 180) : -settings.longitude;

    astrotable::forEachLine(first, last, latitude, longitudeWest, [&](const QString& line) { out << line << '\n'; });
    return 0;
}

const cli::Registrar registrar(cli::Command{
    QStringLiteral("astro"),
    QStringLiteral("astro DATUM [--to DATUM] [--lat GRAD_NORD] [--lon GRAD_WEST]"),
    QStringLiteral("Sonnen- und Mondaufgang, -untergang und Mondphase je Tag (TAB-getrennt);\n"
                   "      ohne --lat/--lon für den Standort aus Einstellungen › Standort"),
    runAstro});

} // namespace
