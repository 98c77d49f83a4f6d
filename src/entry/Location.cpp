#include "entry/Location.h"

#include "base/FkError.h"

#include <QRegularExpression>
#include <cmath>

namespace location {

namespace {

const QString kSection = QStringLiteral("Standort");
const QString kWaterSection = QStringLiteral("Gewaesserstandorte");
const QString kLatitudeKey = QStringLiteral("Breite");
const QString kLongitudeKey = QStringLiteral("Laenge");

// The settings file keeps a decimal point; accept a comma too, as a hand edit might have it.
std::optional<double> storedNumber(const QString& text)
{
    return parseDegrees(text);
}

QString storedText(double value)
{
    return QString::number(value, 'g', 10);
}

void requireValid(const Location& where)
{
    if (!isValid(where))
        throw FkError(QStringLiteral("Der Standort muss eine Breite zwischen -90 und 90 Grad und eine Länge "
                                     "zwischen -180 und 180 Grad haben."));
}

QString eventText(const std::optional<astro::real>& value)
{
    return value ? astro::timeOfDayText(*value) : noEventText();
}

} // namespace

bool isValid(const Location& where)
{
    return std::isfinite(where.latitude) && std::isfinite(where.longitude) && std::fabs(where.latitude) <= 90
           && std::fabs(where.longitude) <= 180;
}

astro::Observer observerOf(const Location& where)
{
    return {static_cast<astro::real>(static_cast<float>(where.latitude)),
            static_cast<astro::real>(static_cast<float>(-where.longitude)), 0};
}

Location defaultLocation(const IniFile& settings)
{
    const auto lat = storedNumber(settings.readString(kSection, kLatitudeKey));
    const auto lon = storedNumber(settings.readString(kSection, kLongitudeKey));
    if (!lat || !lon)
        return kDefault;
    const Location where{*lat, *lon};
    return isValid(where) ? where : kDefault;
}

void setDefaultLocation(const Location& where, const IniFile& settings)
{
    requireValid(where);
    settings.replaceSection(kSection, {{kLatitudeKey, storedText(where.latitude)},
                                       {kLongitudeKey, storedText(where.longitude)}});
}

QList<WaterLocation> waterLocations(const IniFile& settings)
{
    QList<WaterLocation> result;
    for (const QString& key : settings.keys(kWaterSection)) {
        const QString value = settings.readString(kWaterSection, key);
        const qsizetype first = value.indexOf(QLatin1Char(';'));
        const qsizetype second = first < 0 ? -1 : value.indexOf(QLatin1Char(';'), first + 1);
        if (second < 0)
            continue;
        const auto lat = storedNumber(value.left(first));
        const auto lon = storedNumber(value.mid(first + 1, second - first - 1));
        const QString water = value.mid(second + 1);
        if (!lat || !lon || water.isEmpty() || !isValid({*lat, *lon}))
            continue;
        result.append({water, {*lat, *lon}});
    }
    return result;
}

void setWaterLocations(const QList<WaterLocation>& waters, const IniFile& settings)
{
    QList<std::pair<QString, QString>> entries;
    for (qsizetype i = 0; i < waters.size(); ++i) {
        const WaterLocation& w = waters[i];
        requireValid(w.where);
        // The reader trims the line, so a name with outer blanks would not come back the same.
        if (w.water.trimmed().isEmpty() || w.water.trimmed() != w.water)
            throw FkError(QStringLiteral("Der Gewässername \"%1\" ist leer oder beginnt oder endet mit "
                                         "Leerzeichen.").arg(w.water));
        for (qsizetype j = 0; j < i; ++j)
            if (waters[j].water.compare(w.water, Qt::CaseInsensitive) == 0)
                throw FkError(QStringLiteral("Das Gewässer \"%1\" hat zwei Standorte.").arg(w.water));
        entries.append({QString::number(i + 1), storedText(w.where.latitude) + QLatin1Char(';')
                                                    + storedText(w.where.longitude) + QLatin1Char(';') + w.water});
    }
    settings.replaceSection(kWaterSection, entries);
}

Location locationForWater(const QString& water, const IniFile& settings)
{
    if (!water.isEmpty())
        for (const WaterLocation& w : waterLocations(settings))
            if (w.water.compare(water, Qt::CaseInsensitive) == 0)
                return w.where;
    return defaultLocation(settings);
}

std::optional<double> parseDegrees(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const QString t = text.trimmed();
    // Only plain decimals: no "nan", "inf", exponents or thousands separators.
    if (t.size() > 32 || !number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatDegrees(double degrees)
{
    QString text = QString::number(degrees, 'f', 4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

const QList<City>& germanCities()
{
    static const QList<City> cities = {
        {"Ruhrgebiet (Voreinstellung)", kDefault},
        {"Berlin", {52.52, 13.405}},
        {"Bremen", {53.079, 8.801}},
        {"Dresden", {51.050, 13.738}},
        {"Frankfurt am Main", {50.110, 8.682}},
        {"Freiburg im Breisgau", {47.999, 7.842}},
        {"Hamburg", {53.551, 9.994}},
        {"Hannover", {52.375, 9.732}},
        {"Kiel", {54.323, 10.123}},
        {"Köln", {50.938, 6.960}},
        {"Konstanz (Bodensee)", {47.660, 9.176}},
        {"Leipzig", {51.340, 12.375}},
        {"München", {48.137, 11.575}},
        {"Nürnberg", {49.452, 11.077}},
        {"Rostock", {54.092, 12.099}},
        {"Stuttgart", {48.776, 9.183}},
    };
    return cities;
}

QString noEventText()
{
    return astro::ENoRisesOrSets().message();
}

QString SunMoonDay::sunRiseText() const { return eventText(sunRise); }
QString SunMoonDay::sunSetText() const { return eventText(sunSet); }
QString SunMoonDay::moonRiseText() const { return eventText(moonRise); }
QString SunMoonDay::moonSetText() const { return eventText(moonSet); }

SunMoonDay sunMoon(const QDate& date, const Location& where)
{
    requireValid(where);
    SunMoonDay day;
    day.date = date;
    day.where = where;
    if (!date.isValid())
        return day;
    const astro::Observer observer = observerOf(where);
    const astro::real t = astro::dateTimeValue(date);
    const auto event = [&](astro::Body body, astro::Event e) -> std::optional<astro::real> {
        try {
            return astro::riseTransitSet(body, t, e, observer);
        } catch (const astro::ENoRisesOrSets&) {
            return std::nullopt;
        }
    };
    day.moonPhase = astro::moonPhaseClass(date);
    day.moonRise = event(astro::Body::Moon, astro::Event::Rise);
    day.moonSet = event(astro::Body::Moon, astro::Event::Set);
    day.sunRise = event(astro::Body::Sun, astro::Event::Rise);
    day.sunSet = event(astro::Body::Sun, astro::Event::Set);
    return day;
}

SunMoonDay sunMoonForCatch(const QDate& date, const QString& water, const IniFile& settings)
{
    return sunMoon(date, locationForWater(water, settings));
}

} // namespace location
