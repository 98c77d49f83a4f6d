// Weight from length and back.
#include "entry/LengthWeight.h"
#include "data/Trace.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace lengthweight;

TEST(LengthWeight, ExamplesRoundingAndLargeValues)
{
    struct Case {
        QString species;
        const char* length;
        const char* weight;
    };
    const Case both[] = {{"Hecht", "80", "3886"}, // 3886.08
                         {"Aal", "70", "755"},    // 754.6
                         {"Wels", "0", "0"}};
    for (const Case& c : both) {
        EXPECT_EQ(weightFromLength(c.species, c.length), c.weight);
        EXPECT_EQ(lengthFromWeight(c.species, c.weight), c.length);
    }
    const Case weights[] = {{QStringLiteral("Äsche"), "30", "315"},  // 314.82
                            {QStringLiteral("Äsche"), "50", "1458"}, // exactly 1457.5: the half goes away from zero
                            {"Schuppenkarpfen", "-10", "-22"},        // -22.2
                            // More than 8 digits keep 8 significant ones.
                            {"Schuppenkarpfen", "1000", "22200000"},
                            {"Schuppenkarpfen", "2001", "177866530"}}; // 177866533.2
    for (const Case& c : weights)
        EXPECT_EQ(weightFromLength(c.species, c.length), c.weight) << c.length;
    // Weight · 100 exceeds 32 bits here; (3·10⁹ / 0.759)^(1/3) = 1581.10.
    const Case lengths[] = {{"Zander", "68", "3000"}, // 67.86
                            {"Hecht", "1581", "30000000"},
                            {"Hecht", "6565", "2147483647"}, // 6564.92
                            {"Hecht", "-6565", "-2147483648"}};
    for (const Case& c : lengths)
        EXPECT_EQ(lengthFromWeight(c.species, c.weight), c.length) << c.weight;
}

TEST(LengthWeight, UnknownSpeciesAndTextThatIsNoWholeNumber)
{
    EXPECT_TRUE(weightFromLength("Karpfen", "50").isEmpty()); // in the species list, not here
    EXPECT_TRUE(lengthFromWeight("Karpfen", "5000").isEmpty());
    EXPECT_TRUE(weightFromLength("hecht", "80").isEmpty()); // names are case-sensitive
    EXPECT_TRUE(weightFromLength("", "80").isEmpty());
    EXPECT_EQ(conditionFactor("Spiegelkarpfen"), 2.22L);
    // Not even a bad number is looked at when the species is unknown.
    EXPECT_NO_THROW(weightFromLength("Karpfen", "abc"));

    for (const char* bad : {"8,5", "80.", "", "abc", "80 ", "2147483648", "--1"})
        EXPECT_EQ(errorText<EConvertError>([&] { weightFromLength("Hecht", bad); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(bad));
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
