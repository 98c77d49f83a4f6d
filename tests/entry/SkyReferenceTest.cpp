// Rise and set times against an independent ephemeris: data/astro/sky_reference.tsv holds the
// real sky's first event of each kind in the UT day [date 0h, date+1 0h) for every fifth day
// of 2000 and 2001 at 51.6° N, 7.5° E, as local clock times ("-" where there is none).
#include "entry/Astro.h"
#include "entry/TSunMoonCalendar.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <cmath>
#include <iostream>
#include <optional>

using namespace astro;

namespace {

struct Row {
    QDate date;
    std::optional<real> ut[4]; // sunrise, sunset, moonrise, moonset as fraction of the UT day
};

// The local clock time back to the UT day: the window [0h, 24h) UT is [offset, 24h + offset)
// local, so a clock time before the offset belongs to the next local day.
std::optional<real> utFraction(const QString& text, const QDate& date)
{
    if (text == QLatin1String("-"))
        return std::nullopt;
    const QTime clock = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    EXPECT_TRUE(clock.isValid()) << text.toStdString();
    real f = clock.msecsSinceStartOfDay() / 86400000.0L - localOffset(date);
    return f < 0 ? f + 1 : f;
}

QList<Row> readReference()
{
    QFile file(QStringLiteral(FK_DATA_DIR "/astro/sky_reference.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QList<Row> rows;
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList cols = line.split(QLatin1Char('\t'));
        EXPECT_EQ(cols.size(), 5) << line.toStdString();
        if (cols.size() != 5)
            continue;
        Row row;
        row.date = QDate::fromString(cols[0], QStringLiteral("dd.MM.yyyy"));
        for (int i = 0; i < 4; ++i)
            row.ut[i] = utFraction(cols[i + 1], row.date);
        rows << row;
    }
    return rows;
}

const Observer kRuhr{real(TSunMoonCalendar::kDefaultLatitude), real(TSunMoonCalendar::kDefaultLongitude), 0};

struct Deviation {
    int count = 0;
    double sum = 0;
    double max = 0;
    void add(double minutes)
    {
        ++count;
        sum += std::fabs(minutes);
        max = std::max(max, std::fabs(minutes));
    }
    double mean() const { return count ? sum / count : 0; }
};

} // namespace

TEST(SkyReference, SunAndMoonMatchTheRealSky)
{
    const QList<Row> rows = readReference();
    ASSERT_EQ(rows.size(), 147);
    const Body bodies[4] = {Body::Sun, Body::Sun, Body::Moon, Body::Moon};
    const Event events[4] = {Event::Rise, Event::Set, Event::Rise, Event::Set};
    const char* names[4] = {"sunrise", "sunset", "moonrise", "moonset"};
    Deviation dev[4];
    int outside = 0;
    for (const Row& row : rows) {
        const real d0 = dateTimeValue(row.date);
        for (int i = 0; i < 4; ++i) {
            const real m = riseTransitSet(bodies[i], d0, events[i], kRuhr) - d0 - localOffset(row.date);
            if (row.ut[i]) {
                const double minutes = double(m - *row.ut[i]) * 1440;
                dev[i].add(minutes);
                EXPECT_LT(std::fabs(minutes), bodies[i] == Body::Moon ? 1.0 : 0.5)
                    << names[i] << ' ' << row.date.toString(Qt::ISODate).toStdString();
            } else {
                // No event in the window: the one found belongs to the day before or after.
                ++outside;
                EXPECT_TRUE(m < 0 || m >= 1) << names[i] << ' ' << row.date.toString(Qt::ISODate).toStdString()
                                             << " gives " << double(m);
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        std::cout << names[i] << ": " << dev[i].count << " days, mean " << dev[i].mean() << " min, max "
                  << dev[i].max << " min\n";
    EXPECT_GT(outside, 0);
    EXPECT_LE(dev[2].mean(), 0.25);
    EXPECT_LE(dev[3].mean(), 0.25);
    EXPECT_LE(dev[0].mean(), 0.15);
    EXPECT_LE(dev[1].mean(), 0.15);
    EXPECT_GT(dev[2].count, 130);
    EXPECT_GT(dev[3].count, 130);
}

TEST(SkyReference, MoonOnTheHorizonAtASecondPlace)
{
    // Lake Constance, every third day of 2027: at the moment found the moon's geocentric
    // altitude, worked out afresh from its position and the sidereal time, is the standard
    // altitude 0.7275 π − 0.5667° (within the second the correction stops at), rising in the
    // east and setting in the west, and the moment lies in or next to that UT day.
    const Observer lake{real(47.66f), real(-9.176f), 0};
    int checked = 0;
    for (QDate day(2027, 1, 1); day.year() == 2027; day = day.addDays(3)) {
        const real d0 = dateTimeValue(day);
        for (const Event e : {Event::Rise, Event::Set}) {
            const real m = moonEventFraction(d0, lake, e);
            const Position p = moonGeocentric(d0 + m);
            real H = std::fmod(double(siderealTime(d0 + m) - lake.longitude - p.alpha), 360.0);
            H = H > 180 ? H - 360 : H < -180 ? H + 360 : H;
            const double phi = double(lake.latitude) * M_PI / 180;
            const double dec = double(p.delta) * M_PI / 180;
            const double h = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(double(H) * M_PI / 180))
                             * 180 / M_PI;
            const double h0 = 0.7275 * double(p.parallax) - 0.5666667;
            const std::string what = day.toString(Qt::ISODate).toStdString() + (e == Event::Rise ? " rise" : " set");
            EXPECT_NEAR(h, h0, 0.005) << what; // the sky turns 0.0042° a second
            EXPECT_TRUE(e == Event::Rise ? H < 0 : H > 0) << what << " H=" << double(H);
            EXPECT_GT(m, -0.1) << what;
            EXPECT_LT(m, 1.1) << what;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 * 122);
}
