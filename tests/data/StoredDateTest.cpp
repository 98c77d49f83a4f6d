// The stored date form read without QDate must agree with QDate on every day it accepts and
// refuse every text that is not such a day, so the general parser still sees those.
#include "data/StoredDate.h"

#include <QByteArray>
#include <QDate>
#include <gtest/gtest.h>

TEST(StoredDate, EveryDayOfTheYearsOneToNineThousandAgreesWithQDate)
{
    const qint64 first = QDate(1, 1, 1).toJulianDay(), last = QDate(9999, 12, 31).toJulianDay();
    char text[11] = "dd.MM.yyyy";
    int mismatches = 0;
    for (qint64 jd = first; jd <= last; ++jd) {
        const QDate date = QDate::fromJulianDay(jd);
        const int d = date.day(), m = date.month(), y = date.year();
        text[0] = char('0' + d / 10), text[1] = char('0' + d % 10);
        text[3] = char('0' + m / 10), text[4] = char('0' + m % 10);
        text[6] = char('0' + y / 1000), text[7] = char('0' + y / 100 % 10), text[8] = char('0' + y / 10 % 10),
        text[9] = char('0' + y % 10);
        storeddate::Parts p;
        if (!storeddate::read(QByteArrayView(text, 10), &p) || p.julianDay != jd || p.year != y || p.month != m
            || p.day != d || p.dayOfWeek() != date.dayOfWeek())
            if (++mismatches <= 5)
                ADD_FAILURE() << text;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(StoredDate, OtherTextsAreLeftToTheParser)
{
    storeddate::Parts p;
    for (const char* text : {"29.02.2007", "29.02.1900", "31.04.2006", "00.01.2006", "01.13.2006", "01.00.2006",
                             "32.01.2006", "01.01.0000", "7.5.2006", "07.05.06", "07-05-2006", "07.05.2006 ",
                             " 7.05.2006", "0a.05.2006", "07.05.2O06", "", "07.05.-006"})
        EXPECT_FALSE(storeddate::read(text, &p)) << text;
    ASSERT_TRUE(storeddate::read("29.02.2000", &p));
    EXPECT_EQ(p.julianDay, QDate(2000, 2, 29).toJulianDay());
    ASSERT_TRUE(storeddate::read("31.12.9999", &p));
    EXPECT_EQ(p.dayOfWeek(), QDate(9999, 12, 31).dayOfWeek());
}
