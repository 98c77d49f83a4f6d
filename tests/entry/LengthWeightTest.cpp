// Weight from length and back.
#include "entry/LengthWeight.h"
#include "data/Trace.h"
#include "storage/FkError.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace lengthweight;

TEST(LengthWeight, ExamplesAndRoundTrip)
{
    EXPECT_EQ(weightFromLength("Hecht", "80"), "3886"); // 3886.08
    EXPECT_EQ(lengthFromWeight("Hecht", "3886"), "80");
    EXPECT_EQ(lengthFromWeight("Zander", "3000"), "68"); // 67.86…
    EXPECT_EQ(weightFromLength("Aal", "70"), "755");     // 754.6
    EXPECT_EQ(lengthFromWeight("Aal", "755"), "70");
    EXPECT_EQ(weightFromLength(QStringLiteral("Äsche"), "30"), "315"); // 314.82
    // 50³ · 1.166 / 100 is exactly 1457.5: the half goes away from zero.
    EXPECT_EQ(weightFromLength(QStringLiteral("Äsche"), "50"), "1458");
    EXPECT_EQ(weightFromLength("Wels", "0"), "0");
    EXPECT_EQ(lengthFromWeight("Wels", "0"), "0");
    EXPECT_EQ(weightFromLength("Schuppenkarpfen", "-10"), "-22"); // −22.2
}

TEST(LengthWeight, SpeciesNotInTheTable)
{
    EXPECT_TRUE(weightFromLength("Karpfen", "50").isEmpty()); // in the species list, not here
    EXPECT_TRUE(lengthFromWeight("Karpfen", "5000").isEmpty());
    EXPECT_TRUE(weightFromLength("hecht", "80").isEmpty()); // names are case-sensitive
    EXPECT_TRUE(weightFromLength("", "80").isEmpty());
    EXPECT_EQ(conditionFactor("Spiegelkarpfen"), 2.22L);
    EXPECT_EQ(conditionFactor("Zander"), 0.96L);
    // Not even a bad number is looked at when the species is unknown.
    EXPECT_NO_THROW(weightFromLength("Karpfen", "abc"));
}

TEST(LengthWeight, LargeWeightDoesNotOverflow)
{
    // 30 000 000 g · 100 exceeds 32 bits; (3·10⁹ / 0.759)^(1/3) = 1581.10.
    EXPECT_EQ(lengthFromWeight("Hecht", "30000000"), "1581");
    EXPECT_EQ(lengthFromWeight("Hecht", "2147483647"), "6565"); // 6564.92
    EXPECT_EQ(lengthFromWeight("Hecht", "-2147483648"), "-6565");
    // A weight of more than 8 digits keeps 8 significant ones.
    EXPECT_EQ(weightFromLength("Schuppenkarpfen", "1000"), "22200000");
    EXPECT_EQ(weightFromLength("Schuppenkarpfen", "2001"), "177866530"); // 177866533.2
}

TEST(LengthWeight, TextThatIsNoWholeNumber)
{
    for (const char* bad : {"8,5", "80.", "", "abc", "80 ", "2147483648", "--1"}) {
        try {
            weightFromLength("Hecht", bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
        }
    }
    EXPECT_EQ(weightFromLength("Hecht", " +80"), "3886");
    EXPECT_THROW(lengthFromWeight("Hecht", "1e3"), EConvertError);
}

TEST(LengthWeight, StepTraceWhenSwitchedOn)
{
    TempHome home;
    trace::setEnabled(true);
    weightFromLength("Hecht", "80");
    lengthFromWeight("Karpfen", "900");
    trace::setEnabled(false);
    weightFromLength("Aal", "70");
    const QByteArray log = home.read("error.log");
    EXPECT_TRUE(log.contains("-->ADD: Fischlaenge(Hecht;80)\r\n")) << log.constData();
    EXPECT_TRUE(log.contains("-->ADD: Fischlaenge(Karpfen;900)\r\n"));
    EXPECT_FALSE(log.contains("Aal"));
}
