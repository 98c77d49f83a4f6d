// Outings are counted from the stored forms as numbers and from any other form as text. Both
// ways together must give what the definition gives: the distinct texts
// duration;date;start;end, compared without letter case, in the order first met.
#include "data/CatchDatabase.h"
#include "base/Win1252.h"
#include "stats/Overview.h"
#include "storage/TTextTable.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

struct Outing {
    QByteArray duration, date, begin, end;
};

TTextTable tableOf(const std::vector<Outing>& outings)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Outing& o : outings) {
        db.AddRow();
        db.SetData("Fangdatum", o.date);
        db.SetData("Fangzeit", "12:00");
        db.SetData("Gewicht", "0");
        db.SetData("Angeldauer", o.duration);
        db.SetData("Angelbeginn", o.begin);
        db.SetData("Angelende", o.end);
    }
    return db;
}

// The definition, written out plainly.
QList<QByteArray> distinctDurations(const std::vector<Outing>& outings)
{
    QSet<QString> seen;
    QList<QByteArray> durations;
    for (const Outing& o : outings) {
        const QString key =
            win1252::decode(o.duration + ';' + o.date + ';' + o.begin + ';' + o.end).toCaseFolded();
        if (!seen.contains(key)) {
            seen.insert(key);
            durations.append(o.duration);
        }
    }
    return durations;
}

QList<QByteArray> counted(const std::vector<Outing>& outings)
{
    return overview::countCatches(tableOf(outings), {}, {}, 0).outingDurations;
}

} // namespace

TEST(OverviewOutings, StoredAndOtherFormsMeetAsTheirTexts)
{
    // Stored forms beside forms that read the same but are other texts, empty values, letter
    // case and umlauts, hours the clock does not have, minutes beyond 59.
    const std::vector<QByteArray> durations = {"01:00", "1:00", "01:00:00", "", "00:00", "24:00", "99:59", "02:30", "x1:00", "X1:00"};
    const std::vector<QByteArray> dates = {"07.05.2006", "7.5.2006", "07.05.06", "08.05.2006", "07.06.2006", "07.05.2007"};
    const std::vector<QByteArray> times = {"06:00", "6:00", "", "00:00", "fr\xFCh", "FR\xDCH", "Fr\xFCh",
                                           "06:00:00", "06:60", "abends", "ABENDS", "18:00"};
    std::vector<Outing> outings;
    uint32_t seed = 11;
    const auto pick = [&seed](const std::vector<QByteArray>& pool) {
        seed = seed * 1103515245u + 12345u;
        return pool[(seed >> 16) % pool.size()];
    };
    for (int i = 0; i < 3000; ++i)
        outings.push_back({pick(durations), pick(dates), pick(times), pick(times)});
    const QList<QByteArray> expected = distinctDurations(outings);
    ASSERT_GT(expected.size(), 500); // many outings, and many repeated
    ASSERT_LT(expected.size(), 2900);
    EXPECT_EQ(counted(outings), expected);
}

TEST(OverviewOutings, EachPartOfTheKeyTellsOutingsApart)
{
    const Outing base{"02:45", "07.05.2006", "06:00", "08:45"};
    std::vector<Outing> outings = {base, base, base};
    EXPECT_EQ(counted(outings).size(), 1);
    // One part changed at a time, each to a near value: a new outing every time.
    const Outing changed[] = {{"02:46", base.date, base.begin, base.end}, {base.duration, "08.05.2006", base.begin, base.end},
                              {base.duration, "07.06.2006", base.begin, base.end},
                              {base.duration, "07.05.2007", base.begin, base.end},
                              {base.duration, base.date, "06:01", base.end}, {base.duration, base.date, "07:00", base.end},
                              {base.duration, base.date, base.begin, "08:44"}, {base.duration, base.date, "", base.end},
                              {base.duration, base.date, "00:00", base.end}, {base.duration, base.date, base.begin, ""},
                              {"00:00", base.date, base.begin, base.end}, {"", base.date, base.begin, base.end}};
    for (const Outing& o : changed)
        outings.push_back(o);
    // The begin of one outing is not the end of another.
    outings.push_back({base.duration, base.date, base.end, base.begin});
    const QList<QByteArray> got = counted(outings);
    EXPECT_EQ(got.size(), qsizetype(std::size(changed)) + 2);
    EXPECT_EQ(got, distinctDurations(outings));
    EXPECT_EQ(overview::fishingTime(counted({base, {"01:30", "08.05.2006", "06:00", "07:30"}})), "4 Std. 15 min");
}
