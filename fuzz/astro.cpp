// The inputs of `fischkladde-cli astro`: dates, latitudes and longitudes as text (anything,
// "nan" and huge numbers included) go through the command's parsers to its day table; any
// date of the years 1 to 9999 and any observer within ±90° / ±180° give a complete line.
#include "FuzzSupport.h"
#include "data/GermanFormat.h"
#include "entry/AstroTable.h"
#include "entry/Location.h"

#include <QRegularExpression>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QStringList kPhases = {QStringLiteral("Neumond"), QStringLiteral("Zunehmender Mond"),
                             QStringLiteral("Vollmond"), QStringLiteral("Abnehmender Mond")};

void checkLines(const QStringList& lines, const QDate& first, const QDate& last)
{
    static const QRegularExpression time(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d$"));
    FUZZ_CHECK(lines.size() == first.daysTo(last) + 1, QString::number(lines.size()));
    QDate day = first;
    for (const QString& line : lines) {
        const QStringList cols = line.split(QLatin1Char('\t'));
        FUZZ_CHECK(cols.size() == 6, line);
        FUZZ_CHECK(cols[0] == german::formatDate(day), line);
        for (int k = 1; k <= 4; ++k)
            FUZZ_CHECK(time.match(cols[k]).hasMatch() || cols[k] == location::noEventText(), line);
        FUZZ_CHECK(kPhases.contains(cols[5]), line);
        day = day.addDays(1);
    }
}

// Some texts the fuzzer would take long to find.
const char* const kSpecial[] = {"nan", "-nan", "inf", "-inf", "1e3", "1e308", "-1e308", "90", "-90", "90,0",
                                "-90.000", "180", "-180", "89,9999999", "0", "-0", "1.7976931348623157e308",
                                "4.9e-324", "0x10", "  45,5  ", "99999999999999999999999999999"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const bool asText = in.ConsumeBool();
    if (asText) {
        // As typed on the command line.
        const auto text = [&] {
            if (in.ConsumeBool())
                return QString::fromLatin1(kSpecial[in.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)]);
            return QString::fromStdString(in.ConsumeRandomLengthString(40));
        };
        const QString dateText = text();
        const QString latText = text();
        const QString lonText = text();
        QDate first;
        double lat = 0, lon = 0;
        try {
            first = german::parseDate(dateText);
        } catch (const EConvertError&) {
            return 0;
        }
        try {
            lat = astrotable::parseDegrees(latText, 90);
        } catch (const FkError& e) {
            FUZZ_CHECK(e.message().contains(latText), e.message());
            lat = 51.6;
        }
        try {
            lon = astrotable::parseDegrees(lonText, 180);
        } catch (const FkError& e) {
            FUZZ_CHECK(e.message().contains(lonText), e.message());
            lon = -7.5;
        }
        FUZZ_CHECK(std::isfinite(lat) && std::fabs(lat) <= 90 && std::isfinite(lon) && std::fabs(lon) <= 180,
                   latText + QStringLiteral(" / ") + lonText);
        checkLines(astrotable::lines(first, first, lat, lon), first, first);
        return 0;
    }

    // Any day of the years 1 to 9999, up to three days on, any observer in range; and what
    // is out of range or no number is refused.
    const QDate first = QDate(1, 1, 1).addDays(in.ConsumeIntegralInRange<qint64>(0, QDate(1, 1, 1).daysTo(QDate(9999, 12, 31))));
    const QDate last = std::min(first.addDays(in.ConsumeIntegralInRange<int>(0, 2)), QDate(9999, 12, 31));
    double lat = in.ConsumeFloatingPointInRange<double>(-90, 90);
    double lon = in.ConsumeFloatingPointInRange<double>(-180, 180);
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: lat = in.ConsumeBool() ? 90 : -90; break;
    case 1: lon = in.ConsumeBool() ? 180 : -180; break;
    case 2: lat = std::nextafter(in.ConsumeBool() ? 90.0 : -90.0, 0.0); break;
    default: break;
    }
    checkLines(astrotable::lines(first, last, lat, lon), first, last);

    const double bad = in.ConsumeBool() ? std::nan("") : in.ConsumeBool() ? HUGE_VAL : in.ConsumeFloatingPoint<double>();
    if (!(std::fabs(bad) <= 180)) {
        bool refused = false;
        try {
            astrotable::lines(first, first, lat, bad);
        } catch (const FkError&) {
            refused = true;
        }
        FUZZ_CHECK(refused, QString::number(bad));
    }
    return 0;
}
