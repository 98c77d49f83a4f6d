// The German date, time and number parsers: any text is either parsed or refused with the
// conversion error; what is parsed formats and parses back to the same value.
#include "FuzzSupport.h"
#include "base/Win1252.h"
#include "data/GermanFormat.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    // As stored in a table (Windows-1252) and as typed (UTF-8, any character).
    const QString texts[] = {win1252::decode(bytes), QString::fromUtf8(bytes)};
    for (const QString& text : texts) {
        try {
            const QDate d = german::parseDate(text);
            FUZZ_CHECK(d.isValid() && d.year() >= 1, text);
            FUZZ_CHECK(german::parseDate(german::formatDate(d)) == d, text + QStringLiteral(" -> ") + german::formatDate(d));
        } catch (const EConvertError& e) {
            FUZZ_CHECK(e.message() == QStringLiteral("'%1' is not a valid date").arg(text), e.message());
        }
        try {
            const QTime t = german::parseTime(text);
            FUZZ_CHECK(t.isValid(), text);
            FUZZ_CHECK(german::parseTime(german::formatLongTime(t)) == t, text);
            FUZZ_CHECK(german::parseTime(german::formatClock(t)) == QTime(t.hour(), t.minute()), text);
        } catch (const EConvertError& e) {
            FUZZ_CHECK(e.message() == QStringLiteral("'%1' is not a valid time").arg(text), e.message());
        }
        try {
            const int i = german::parseInt(text);
            FUZZ_CHECK(german::parseInt(QString::number(i)) == i, text);
        } catch (const EConvertError& e) {
            FUZZ_CHECK(e.message() == QStringLiteral("'%1' is not a valid integer value").arg(text), e.message());
        }
        try {
            const double f = german::parseFloat(text);
            FUZZ_CHECK(std::isfinite(f), text);
            // Two decimals as money is shown; the text parses again to a value within rounding.
            const QString shown = german::formatFixed(f, 2);
            if (std::fabs(f) < 1e12) {
                const double back = german::parseFloat(shown);
                FUZZ_CHECK(std::fabs(back - f) <= 0.005 + 1e-9 * std::fabs(f), text + QStringLiteral(" -> ") + shown);
            }
        } catch (const EConvertError& e) {
            FUZZ_CHECK(e.message() == QStringLiteral("'%1' is not a valid floating point value").arg(text), e.message());
        }
    }
    return 0;
}
