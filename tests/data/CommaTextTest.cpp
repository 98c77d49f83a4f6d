#include "data/CommaText.h"

#include <gtest/gtest.h>

TEST(CommaText, QuotesOnlyWhereNeededAndRoundTrips)
{
    const QStringList items = {QStringLiteral("070520061430051_0.jpg"), QStringLiteral("mein Hecht.jpg"),
                               QStringLiteral("a,b.jpg"), QStringLiteral("sagt \"hi\".jpg"), QStringLiteral("x")};
    const QString text = commatext::join(items);
    EXPECT_EQ(text, QStringLiteral("070520061430051_0.jpg,\"mein Hecht.jpg\",\"a,b.jpg\",\"sagt \"\"hi\"\".jpg\",x"));
    EXPECT_EQ(commatext::split(text), items);

    EXPECT_EQ(commatext::join({}), QString());
    EXPECT_TRUE(commatext::split(QString()).isEmpty());
    // One empty name is written as "" so that it reads back as one item.
    EXPECT_EQ(commatext::join({QString()}), QStringLiteral("\"\""));
    EXPECT_EQ(commatext::split(QStringLiteral("\"\"")), QStringList{QString()});
}

TEST(CommaText, ReadsLikeTheListFormat)
{
    // Outside quotes a blank separates items too; blanks around items are skipped.
    EXPECT_EQ(commatext::split(QStringLiteral("a b")), (QStringList{"a", "b"}));
    EXPECT_EQ(commatext::split(QStringLiteral("  a , b  ")), (QStringList{"a", "b"}));
    EXPECT_EQ(commatext::split(QStringLiteral("a,,b")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(commatext::split(QStringLiteral("a,")), (QStringList{"a", ""}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(commatext::split(QStringLiteral("\"a b")), QStringList{"a b"});
}
