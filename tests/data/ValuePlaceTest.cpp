#include "data/ValuePlace.h"
#include "data/CatchRecord.h"

#include <gtest/gtest.h>

TEST(ValuePlace, NamesTheRowAndFieldOfTheValueThatFails)
{
    TTextTable t;
    for (const QByteArray& name : catchrec::fieldNames())
        t.AddField(name);
    const auto add = [&t](const QList<std::pair<const char*, QByteArray>>& values) {
        t.AddRow();
        for (const auto& [field, value] : values)
            t.SetData(field, value);
    };
    add({{catchrec::Fangdatum, "07.05.2006"}, {catchrec::Bemerkungen, "31.02.2025"}, {catchrec::Gewicht, ""}});
    add({{catchrec::Fangdatum, "08.05.2006"}, {catchrec::Angelende, "25:00"}, {catchrec::Luftdruck, "1O13"}});
    add({{catchrec::Fangdatum, "31.02.2025"}, {catchrec::Fangzeit, "07:00"}});

    // A text field holding the same characters is not the date that failed.
    EXPECT_EQ(catchrec::withPlace(t, "'31.02.2025' is not a valid date"),
              QStringLiteral("Zeile 3, Feld Fangdatum: '31.02.2025' is not a valid date"));
    EXPECT_EQ(catchrec::withPlace(t, "'25:00' is not a valid time"), QStringLiteral("Zeile 2, Feld Angelende: '25:00' is not a valid time"));
    EXPECT_EQ(catchrec::withPlace(t, "'1O13' is not a valid integer value"),
              QStringLiteral("Zeile 2, Feld Luftdruck: '1O13' is not a valid integer value"));
    // Nothing to name: a value that is not stored, a value that converts, an empty number,
    // a message of another kind or one that names its place already.
    for (const char* m : {"'32.01.2006' is not a valid date", "'07.05.2006' is not a valid date",
                          "'' is not a valid integer value", "Die Datei ist beschädigt.",
                          "Zeile 5, Feld Karte: '1;2' is not a valid position"})
        EXPECT_EQ(catchrec::withPlace(t, QString::fromUtf8(m)), QString::fromUtf8(m));
}
