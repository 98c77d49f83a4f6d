#include "entry/LengthWeight.h"

#include "data/GermanFormat.h"
#include "data/Trace.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lengthweight {

namespace {

struct Species {
    const char* name; // UTF-8
    long double k;
};

constexpr Species kSpecies[] = {
    {"Aal", 0.22L},          {"Äsche", 1.166L},
    {"Döbel", 1.1L},         {"Graskarpfen", 1.21L},
    {"Bachforelle", 1.09L},  {"Bachsaibling", 1.09L},
    {"Barbe", 1.48L},        {"Barsch", 1.28L},
    {"Brachse", 1.13L},      {"Brasse", 1.13L},
    {"Dorsch", 1.1L},        {"Hecht", 0.759L},
    {"Huchen", 1.08L},       {"Lachs", 1.2L},
    {"Quappe", 0.8L},        {"Regenbogenforelle", 1.09L},
    {"Renke", 1.17L},        {"Rotauge", 1.19L},
    {"Rapfen", 0.96L},       {"Rotfeder", 1.19L},
    {"Seesaibling", 1.09L},  {"Schleie", 1.69L},
    {"Schuppenkarpfen", 2.22L}, {"Spiegelkarpfen", 2.22L},
    {"Wels", 0.724L},        {"Zander", 0.96L},
};

// Fixed-point text without decimals and with at most 8 significant digits: the value is
// taken to 18 significant decimal digits first and then rounded half away from zero, so a
// product such as 50³ · 1.166 / 100 = 1457.5 rounds up although its binary form lies a hair
// below the half.
QString fixedNoDecimals(long double value)
{
    if (!std::isfinite(value))
        return QString();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
    // buf: d.ddddddddddddddddde±XX
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 17);
    const int exponent = std::atoi(buf + 20);
    const int intDigits = exponent + 1;
    if (intDigits <= 0) {
        const bool up = intDigits == 0 && digits[0] >= '5';
        return up ? (value < 0 ? QStringLiteral("-1") : QStringLiteral("1")) : QStringLiteral("0");
    }
    const int keep = std::min(8, intDigits);
    std::string kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
        int j = keep - 1;
        while (j >= 0 && kept[j] == '9')
            kept[j--] = '0';
        if (j < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[j];
    }
    QString result = QString::fromLatin1(kept.data(), qsizetype(kept.size()));
    result += QString(intDigits - keep, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + result : result;
}

} // namespace

std::optional<long double> conditionFactor(const QString& species)
{
    for (const Species& s : kSpecies)
        if (species == QString::fromUtf8(s.name))
            return s.k;
    return std::nullopt;
}

QString weightFromLength(const QString& species, const QString& lengthText)
{
    trace::step(QStringLiteral("ADD: Fischlaenge(") + species + QLatin1Char(';') + lengthText + QLatin1Char(')'));
    const std::optional<long double> k = conditionFactor(species);
    if (!k)
        return QString();
    const long double l = german::parseInt(lengthText);
    return fixedNoDecimals(l * l * l * *k / 100);
}

QString lengthFromWeight(const QString& species, const QString& weightText)
{
    // The trace names the weight here too: tools that read error.log match this text.
    trace::step(QStringLiteral("ADD: Fischlaenge(") + species + QLatin1Char(';') + weightText + QLatin1Char(')'));
    const std::optional<long double> k = conditionFactor(species);
    if (!k)
        return QString();
    // W · 100 in 64 bits: a 32-bit product overflows from 21474837 g on.
    const qint64 w100 = qint64(german::parseInt(weightText)) * 100;
    const long double x = static_cast<long double>(w100) / *k;
    return QString::number(static_cast<qint64>(std::nearbyint(std::cbrt(x))));
}

} // namespace lengthweight
