// fischkladde-cli astro, weight and length: the exact output.
#include "entry/Astro.h"
#include "entry/TSunMoonCalendar.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

QByteArray expectedLine(const QDate& day, const TSunMoonCalendar& c)
{
    return (day.toString(QStringLiteral("dd.MM.yyyy")) + '\t' + c.sunRiseText() + '\t' + c.sunSetText()
            + '\t' + c.moonRiseText() + '\t' + c.moonSetText() + '\t' + c.moonPhaseText() + '\n')
        .toUtf8();
}

} // namespace

TEST(CliAstro, OneLinePerDayAsTheCalendarGivesIt)
{
    TempHome home;
    const CliResult r = runCli({"astro", "05.04.1992", "--to", "07.04.1992"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty());
    // One line pinned byte for byte; that day's moonset falls after midnight.
    EXPECT_TRUE(r.out.contains("\n06.04.1992\t06:53:41\t20:12:08\t07:51:34\t00:39:30\tZunehmender Mond\n"));
    QByteArray expected;
    for (QDate day(1992, 4, 5); day <= QDate(1992, 4, 7); day = day.addDays(1)) {
        TSunMoonCalendar calendar(QDateTime(day.addDays(-3), QTime(0, 0)));
        calendar.setDate(QDateTime(day, QTime(0, 0)));
        expected += expectedLine(day, calendar);
    }
    EXPECT_EQ(r.out, expected);

    const CliResult single = runCli({"astro", "6.4.1992"});
    EXPECT_EQ(single.status, 0);
    EXPECT_EQ(single.out, expected.split('\n')[1] + '\n');
}

TEST(CliAstro, EventsThatCannotBeComputedAndBadInput)
{
    TempHome home;
    // 80° N on 8 June 2026: the sun does not set, the moon rises and sets.
    const CliResult r = runCli({"astro", "08.06.2026", "--lat", "80"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QList<QByteArray> cols = r.out.chopped(1).split('\t');
    ASSERT_EQ(cols.size(), 6);
    EXPECT_EQ(cols[0], "08.06.2026");
    EXPECT_EQ(cols[1], "No rises or sets calculable");
    EXPECT_EQ(cols[2], "No rises or sets calculable");
    const astro::Observer north{astro::real(80.0f), astro::real(-7.5f), 0};
    const astro::real day = astro::dateTimeValue(QDate(2026, 6, 8));
    EXPECT_EQ(cols[3], astro::timeOfDayText(astro::riseTransitSet(astro::Body::Moon, day, astro::Event::Rise, north)).toUtf8());
    EXPECT_EQ(cols[4], astro::timeOfDayText(astro::riseTransitSet(astro::Body::Moon, day, astro::Event::Set, north)).toUtf8());
    EXPECT_EQ(cols[5], "Abnehmender Mond");

    const CliResult bad = runCli({"astro", "31.02.2026"});
    EXPECT_NE(bad.status, 0);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("31.02.2026")) << bad.err.constData();
    EXPECT_NE(runCli({"astro", "02.01.2026", "--to", "01.01.2026"}).status, 0);
    EXPECT_NE(runCli({"astro"}).status, 0);
}

TEST(CliLengthWeight, EstimatesAndUnknownSpecies)
{
    TempHome home;
    const std::pair<QStringList, QByteArray> cases[] = {{{"weight", "Hecht", "80"}, "3886\n"},
                                                        {{"length", "Zander", "3000"}, "68\n"},
                                                        {{"weight", QStringLiteral("Äsche"), "30"}, "315\n"},
                                                        {{"length", "Karpfen", "3000"}, "\n"}};
    for (const auto& [args, out] : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, out) << args.join(' ').toStdString();
    }
    const CliResult bad = runCli({"weight", "Hecht", "8,5"});
    EXPECT_NE(bad.status, 0);
    EXPECT_EQ(bad.err, "'8,5' is not a valid integer value\n");
}
