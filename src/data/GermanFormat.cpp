#include "data/GermanFormat.h"
#include "data/Clock.h"
#include "base/Win1252.h"
#include "base/FkError.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace german {
namespace {

[[noreturn]] void fail(const char* pattern, const QString& text)
{
    throw EConvertError(QString::fromLatin1(pattern).arg(text));
}

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

int expandYear(int yy, int digits)
{
    if (digits > 2)
        return yy;
    const int now = appClock().now().date().year();
    int year = (now / 100) * 100 + yy;
    if (year > now + 50)
        year -= 100;
    else if (year <= now - 50)
        year += 100;
    return year;
}

} // namespace

QDate parseDate(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() < 2 || parts.size() > 3)
        fail("'%1' is not a valid date", text);
    for (const QString& p : parts)
        if (!allDigits(p) || p.size() > 4)
            fail("'%1' is not a valid date", text);
    const int day = parts[0].toInt();
    const int month = parts[1].toInt();
    const int year = parts.size() == 3 ? expandYear(parts[2].toInt(), int(parts[2].size()))
                                       : appClock().now().date().year();
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1)
        fail("'%1' is not a valid date", text);
    return date;
}

QDate parseDate(const QByteArray& t) { return parseDate(win1252::decode(t)); }

QTime parseTime(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        fail("'%1' is not a valid time", text);
    for (const QString& p : parts)
        if (!allDigits(p) || p.size() > 2)
            fail("'%1' is not a valid time", text);
    const int h = parts[0].toInt();
    const int m = parts[1].toInt();
    const int s = parts.size() == 3 ? parts[2].toInt() : 0;
    if (h > 23 || m > 59 || s > 59)
        fail("'%1' is not a valid time", text);
    return QTime(h, m, s);
}

QTime parseTime(const QByteArray& t) { return parseTime(win1252::decode(t)); }

int parseInt(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    QString body = text.mid(i);
    bool negative = false;
    if (!body.isEmpty() && (body[0] == QLatin1Char('-') || body[0] == QLatin1Char('+'))) {
        negative = body[0] == QLatin1Char('-');
        body.remove(0, 1);
    }
    if (!allDigits(body))
        fail("'%1' is not a valid integer value", text);
    bool ok = false;
    const qlonglong v = body.toLongLong(&ok);
    const qlonglong signedValue = negative ? -v : v;
    if (!ok || body.size() > 11 || signedValue < INT32_MIN || signedValue > INT32_MAX)
        fail("'%1' is not a valid integer value", text);
    return int(signedValue);
}

int parseInt(const QByteArray& t) { return parseInt(win1252::decode(t)); }

double parseFloat(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!form.match(text).hasMatch())
        fail("'%1' is not a valid floating point value", text);
    QString c = text.trimmed();
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        fail("'%1' is not a valid floating point value", text);
    return v;
}

double parseFloat(const QByteArray& t) { return parseFloat(win1252::decode(t)); }

QString formatDate(const QDate& date) { return date.toString(QStringLiteral("dd.MM.yyyy")); }
QString formatClock(const QTime& time) { return time.toString(QStringLiteral("HH:mm")); }
QString formatLongTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

QString formatFixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // Round the decimal text form, not the binary value, so 2.675 gives 2,68 as typed.
    const double scaled = value * scale;
    double rounded = std::round(scaled);
    if (std::fabs(scaled - rounded) > 0.5 - 1e-9 && std::fabs(scaled - rounded) < 0.5 + 1e-9)
        rounded = scaled > 0 ? std::ceil(scaled) : std::floor(scaled);
    QString s = QString::number(rounded / scale, 'f', decimals);
    if (s.startsWith(QLatin1Char('-')) && s.mid(1).remove(QLatin1Char('.')).remove(QLatin1Char('0')).isEmpty())
        s.remove(0, 1);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

Typed typedDate(const QString& text)
{
    static const QRegularExpression complete(QStringLiteral("^\\s*\\d{1,2}\\.\\d{1,2}\\.(\\d{2}|\\d{4})\\s*$"));
    static const QRegularExpression partial(QStringLiteral("^\\s*(\\d{0,8}|\\d{1,2}\\.\\d{0,2}|\\d{1,2}\\.\\d{1,2}\\.\\d{0,4})\\s*$"));
    if (complete.match(text).hasMatch()) {
        try {
            parseDate(text);
            return Typed::Complete;
        } catch (const EConvertError&) {
            return Typed::Partial; // 31.02.2025: let the user mend it
        }
    }
    return partial.match(text).hasMatch() ? Typed::Partial : Typed::Wrong;
}

Typed typedTime(const QString& text)
{
    static const QRegularExpression complete(QStringLiteral("^\\s*([01]?\\d|2[0-3]):[0-5]\\d\\s*$"));
    static const QRegularExpression partial(QStringLiteral("^\\s*(\\d{0,4}|\\d{1,2}:\\d{0,2})\\s*$"));
    if (complete.match(text).hasMatch())
        return Typed::Complete;
    return partial.match(text).hasMatch() ? Typed::Partial : Typed::Wrong;
}

std::optional<QDate> finishTypedDate(const QString& text)
{
    QString t = text.trimmed();
    if (allDigits(t) && (t.size() == 6 || t.size() == 8))
        t = t.left(2) + QLatin1Char('.') + t.mid(2, 2) + QLatin1Char('.') + t.mid(4);
    try {
        return parseDate(t);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

std::optional<QTime> finishTypedTime(const QString& text)
{
    QString t = text.trimmed();
    if (allDigits(t) && !t.isEmpty() && t.size() <= 4)
        t = t.size() <= 2 ? t + QStringLiteral(":00") : t.left(t.size() - 2) + QLatin1Char(':') + t.right(2);
    try {
        const QTime time = parseTime(t);
        return QTime(time.hour(), time.minute());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

} // namespace german
