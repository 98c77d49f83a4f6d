#pragma once
// Readers for stored catch values used by the statistics: the stored forms are read directly,
// anything else goes through the lenient German parsers, which raise the conversion errors.
#include "data/GermanFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QTime>

namespace statistik::read {

inline bool digitsAt(QByteArrayView v, qsizetype from, qsizetype count, int* value)
{
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = v[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
}

inline QDate date(QByteArrayView v)
{
    int d, m, y;
    if (v.size() == 10 && v[2] == '.' && v[5] == '.' && digitsAt(v, 0, 2, &d) && digitsAt(v, 3, 2, &m)
        && digitsAt(v, 6, 4, &y)) {
        const QDate result(y, m, d);
        if (result.isValid())
            return result;
    }
    return german::parseDate(v.toByteArray());
}

inline QTime time(QByteArrayView v)
{
    int h, m, s = 0;
    if ((v.size() == 5 || (v.size() == 8 && v[5] == ':' && digitsAt(v, 6, 2, &s))) && v[2] == ':'
        && digitsAt(v, 0, 2, &h) && digitsAt(v, 3, 2, &m) && h < 24 && m < 60 && s < 60)
        return QTime(h, m, s);
    return german::parseTime(v.toByteArray());
}

// A decimal number ("87", "1,5"); raises "'%s' is not a valid floating point value".
inline double decimal(QByteArrayView v)
{
    int n;
    if (!v.isEmpty() && v.size() <= 9 && digitsAt(v, 0, v.size(), &n))
        return n;
    return german::parseFloat(v.toByteArray());
}

// A whole number; raises "'%s' is not a valid integer value". *canonical tells whether the
// text is exactly the number's decimal form ("5", "-3"; not "05", " 5", "+5").
inline int whole(QByteArrayView v, bool* canonical)
{
    int n;
    if (!v.isEmpty() && v.size() <= 9 && digitsAt(v, 0, v.size(), &n)) {
        *canonical = v.size() == 1 || v[0] != '0';
        return n;
    }
    // Temperatures below zero are common enough to skip the general parser.
    if (v.size() >= 2 && v.size() <= 9 && v[0] == '-' && digitsAt(v, 1, v.size() - 1, &n)) {
        *canonical = v[1] != '0';
        return -n;
    }
    n = german::parseInt(v.toByteArray());
    *canonical = QByteArray::number(n) == v;
    return n;
}

} // namespace statistik::read
