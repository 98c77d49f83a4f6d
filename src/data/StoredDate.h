#pragma once
// The stored date form "dd.MM.yyyy" read without QDate, for passes over whole tables: a row
// is read several times a view switch, and building a QDate each time costs more than the
// reading. Any other text is left to german::parseDate, which also raises the messages.
#include <QByteArrayView>
#include <QtGlobal>

namespace storeddate {

struct Parts {
    int year = 0;
    int month = 0;
    int day = 0;
    qint64 julianDay = 0; // as QDate::toJulianDay
    // 1 = Monday ... 7 = Sunday, as QDate::dayOfWeek
    int dayOfWeek() const { return int(julianDay % 7) + 1; }
};

// True for "dd.MM.yyyy" naming a real day of the years 1 to 9999 (the Gregorian calendar, as
// QDate reckons); *out then holds it. False for every other text.
inline bool read(QByteArrayView t, Parts* out)
{
    if (t.size() != 10 || t[2] != '.' || t[5] != '.')
        return false;
    int v[8];
    const int at[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i) {
        const char c = t[at[i]];
        if (c < '0' || c > '9')
            return false;
        v[i] = c - '0';
    }
    const int d = v[0] * 10 + v[1], m = v[2] * 10 + v[3], y = v[4] * 1000 + v[5] * 100 + v[6] * 10 + v[7];
    if (y < 1 || m < 1 || m > 12 || d < 1)
        return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    if (d > kDays[m - 1] + (m == 2 && leap ? 1 : 0))
        return false;
    // Days from the civil date (Gregorian), shifted to the Julian day number.
    const int yy = m <= 2 ? y - 1 : y;
    const int era = yy / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    out->year = y;
    out->month = m;
    out->day = d;
    out->julianDay = qint64(era) * 146097 + doe + 1721120;
    return true;
}

} // namespace storeddate
