// The day table of the astro command with input from outside: numbers that are no numbers,
// observers out of range and the first and last days of the calendar.
#include "entry/AstroTable.h"
#include "entry/Location.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Every column of a line is a time of day or the text for an event that cannot be computed.
void expectWellFormed(const QString& line, const QString& date)
{
    static const QRegularExpression time(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d$"));
    const QStringList cols = line.split(QLatin1Char('\t'));
    ASSERT_EQ(cols.size(), 6) << line.toStdString();
    EXPECT_EQ(cols[0], date);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(time.match(cols[k]).hasMatch() || cols[k] == location::noEventText()) << line.toStdString();
    EXPECT_FALSE(cols[5].isEmpty());
}

} // namespace

TEST(AstroTable, DegreesThatAreNoNumberOrOutOfRangeAreRefused)
{
    EXPECT_DOUBLE_EQ(astrotable::parseDegrees(QStringLiteral("51,6"), 90), 51.6);
    EXPECT_DOUBLE_EQ(astrotable::parseDegrees(QStringLiteral(" -7.5 "), 180), -7.5);
    EXPECT_DOUBLE_EQ(astrotable::parseDegrees(QStringLiteral("-90"), 90), -90);
    EXPECT_DOUBLE_EQ(astrotable::parseDegrees(QStringLiteral("180"), 180), 180);
    for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "1e3", "0x10", "", "1,2,3", "1e308"})
        EXPECT_EQ(errorText([&] { astrotable::parseDegrees(QString::fromLatin1(text), 90); }),
                  QStringLiteral("'%1' ist keine gültige Gradzahl.").arg(QString::fromLatin1(text)))
            << text;
    EXPECT_EQ(errorText([] { astrotable::parseDegrees(QStringLiteral("90,0001"), 90); }),
              QStringLiteral("'90,0001' liegt nicht zwischen -90 und 90 Grad."));
    EXPECT_EQ(errorText([] { astrotable::parseDegrees(QStringLiteral("99999999999999999999999"), 180); }),
              QStringLiteral("'99999999999999999999999' liegt nicht zwischen -180 und 180 Grad."));
}

TEST(AstroTable, AnObserverThatIsNoNumberIsRefusedNotComputedAsMidnight)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QDate day(2024, 6, 21);
    for (const auto& [lat, lon] : {std::pair{nan, 0.0}, {0.0, nan}, {inf, 0.0}, {0.0, -inf}, {90.5, 0.0}, {0.0, 181.0}})
        EXPECT_NE(errorText([&] { astrotable::lines(day, day, lat, lon); }), QStringLiteral("<no error>"))
            << lat << " " << lon;
    EXPECT_NE(errorText([&] { astrotable::lines(day, day.addDays(-1), 51.6, -7.5); }), QStringLiteral("<no error>"));
    EXPECT_NE(errorText([&] { astrotable::lines(QDate(), day, 51.6, -7.5); }), QStringLiteral("<no error>"));
}

TEST(AstroTable, FirstAndLastDaysOfTheCalendarAndThePoles)
{
    const QStringList last = astrotable::lines(QDate(9999, 12, 30), QDate(9999, 12, 31), 51.6, -7.5);
    ASSERT_EQ(last.size(), 2);
    expectWellFormed(last[0], QStringLiteral("30.12.9999"));
    expectWellFormed(last[1], QStringLiteral("31.12.9999"));
    const QStringList first = astrotable::lines(QDate(1, 1, 1), QDate(1, 1, 1), -33.9, -151.2);
    ASSERT_EQ(first.size(), 1);
    expectWellFormed(first[0], QStringLiteral("01.01.0001"));
    for (const double lat : {90.0, -90.0}) {
        const QStringList pole = astrotable::lines(QDate(2024, 6, 21), QDate(2024, 6, 21), lat, 180);
        ASSERT_EQ(pole.size(), 1);
        expectWellFormed(pole[0], QStringLiteral("21.06.2024"));
    }
}

TEST(AstroTable, CommandRefusesNanAndPrintsNothing)
{
    TempHome home;
    for (const QStringList& args : {QStringList{"astro", "21.06.2024", "--lat", "nan"},
                                    QStringList{"astro", "31.12.9999", "--lon", "nan"},
                                    QStringList{"astro", "31.12.9999", "--lat", "1e999"}}) {
        const CliResult r = runCli(args);
        EXPECT_NE(r.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
        EXPECT_TRUE(r.err.contains("keine gültige Gradzahl")) << r.err.constData();
    }
    const CliResult ok = runCli({"astro", "31.12.9999", "--lat", "0", "--lon", "0"});
    ASSERT_EQ(ok.status, 0) << ok.err.constData();
    expectWellFormed(QString::fromUtf8(ok.out).chopped(1), QStringLiteral("31.12.9999"));
}
