#include "data/GermanFormat.h"
#include "base/Win1252.h"
#include "base/FkError.h"

#include <gtest/gtest.h>

namespace {
QString messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}
} // namespace

TEST(GermanFormat, DatesLenientAndStrict)
{
    EXPECT_EQ(german::parseDate(QStringLiteral("07.05.2006")), QDate(2006, 5, 7));
    EXPECT_EQ(german::parseDate(QStringLiteral(" 7.5.2006 ")), QDate(2006, 5, 7));
    EXPECT_EQ(german::parseDate(QStringLiteral("7.5.06")), QDate(2006, 5, 7));
    EXPECT_EQ(german::parseDate(QStringLiteral("29.02.2024")), QDate(2024, 2, 29));
    EXPECT_EQ(messageOf([] { german::parseDate(QStringLiteral("29.02.2023")); }),
              QStringLiteral("'29.02.2023' is not a valid date"));
    EXPECT_EQ(messageOf([] { german::parseDate(QStringLiteral("2006-05-07")); }),
              QStringLiteral("'2006-05-07' is not a valid date"));
    EXPECT_EQ(messageOf([] { german::parseDate(QStringLiteral("")); }), QStringLiteral("'' is not a valid date"));
    EXPECT_EQ(german::formatDate(QDate(2006, 5, 7)), QStringLiteral("07.05.2006"));
}

TEST(GermanFormat, TypingKeyByKey)
{
    using german::Typed;
    // Every prefix of the forms a user types must stay open, or the field eats the key.
    for (const char* full : {"14.05.2026", "14.5.26", "1.1.2000", "07052006"}) {
        const QString text = QString::fromLatin1(full);
        for (int n = 0; n < text.size(); ++n)
            EXPECT_NE(german::typedDate(text.left(n)), Typed::Wrong) << full << " after " << n << " keys";
    }
    EXPECT_EQ(german::typedDate(QStringLiteral("14.5.26")), Typed::Complete);
    EXPECT_EQ(german::typedDate(QStringLiteral("14.5.2")), Typed::Partial);
    EXPECT_EQ(german::typedDate(QStringLiteral("31.02.2025")), Typed::Partial);
    EXPECT_EQ(german::typedDate(QStringLiteral("14.05.20261")), Typed::Wrong);
    EXPECT_EQ(german::typedDate(QStringLiteral("14,05")), Typed::Wrong);
    EXPECT_EQ(german::finishTypedDate(QStringLiteral("140526")), QDate(2026, 5, 14));
    EXPECT_EQ(german::finishTypedDate(QStringLiteral("31.02.2025")), std::nullopt);

    for (const char* full : {"05:30", "5:30", "1945"}) {
        const QString text = QString::fromLatin1(full);
        for (int n = 0; n < text.size(); ++n)
            EXPECT_NE(german::typedTime(text.left(n)), Typed::Wrong) << full << " after " << n << " keys";
    }
    EXPECT_EQ(german::typedTime(QStringLiteral("5:30")), Typed::Complete);
    EXPECT_EQ(german::typedTime(QStringLiteral("5:3")), Typed::Partial);
    EXPECT_EQ(german::typedTime(QStringLiteral("24:00")), Typed::Partial);
    EXPECT_EQ(german::typedTime(QStringLiteral("5:30:")), Typed::Wrong);
    EXPECT_EQ(german::finishTypedTime(QStringLiteral("530")), QTime(5, 30));
    EXPECT_EQ(german::finishTypedTime(QStringLiteral("5")), QTime(5, 0));
    EXPECT_EQ(german::finishTypedTime(QStringLiteral("2400")), std::nullopt);
}

TEST(GermanFormat, TimesAndNumbers)
{
    EXPECT_EQ(german::parseTime(QStringLiteral("07:45")), QTime(7, 45));
    EXPECT_EQ(german::parseTime(QStringLiteral("7:5:9")), QTime(7, 5, 9));
    EXPECT_EQ(messageOf([] { german::parseTime(QStringLiteral("24:00")); }), QStringLiteral("'24:00' is not a valid time"));
    EXPECT_EQ(messageOf([] { german::parseTime(QStringLiteral("")); }), QStringLiteral("'' is not a valid time"));
    EXPECT_EQ(german::formatClock(QTime(7, 5)), QStringLiteral("07:05"));
    EXPECT_EQ(german::formatLongTime(QTime(21, 4, 3)), QStringLiteral("21:04:03"));

    EXPECT_EQ(german::parseInt(QStringLiteral("  -42")), -42);
    EXPECT_EQ(messageOf([] { german::parseInt(QStringLiteral("45,5")); }),
              QStringLiteral("'45,5' is not a valid integer value"));
    EXPECT_EQ(messageOf([] { german::parseInt(QStringLiteral("99999999999")); }),
              QStringLiteral("'99999999999' is not a valid integer value"));
    EXPECT_DOUBLE_EQ(german::parseFloat(QStringLiteral("45,5")), 45.5);
    EXPECT_DOUBLE_EQ(german::parseFloat(QStringLiteral("1200")), 1200.0);
    EXPECT_EQ(messageOf([] { german::parseFloat(QStringLiteral("4.5")); }),
              QStringLiteral("'4.5' is not a valid floating point value"));
    EXPECT_EQ(german::formatFixed(1253.845, 2), QStringLiteral("1253,85"));
    EXPECT_EQ(german::formatFixed(12.5, 2), QStringLiteral("12,50"));
    EXPECT_EQ(german::formatFixed(-0.001, 2), QStringLiteral("0,00"));
    EXPECT_EQ(german::formatFixed(1234567.5, 2), QStringLiteral("1234567,50"));
}

TEST(Win1252, RoundTripOfEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QByteArray back;
    ASSERT_TRUE(win1252::encode(win1252::decode(all), &back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(win1252::decode("\x80\xe4\xdf\xb0\xd8"), QStringLiteral("€äß°Ø"));
    EXPECT_FALSE(win1252::canEncode(QStringLiteral("Fisch Σ")));
    EXPECT_EQ(win1252::firstUnencodable(QStringLiteral("aΣb")), QChar(0x03A3));
    EXPECT_EQ(win1252::encodeLossy(QStringLiteral("aΣb")), "a?b");
}
