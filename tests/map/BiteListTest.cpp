// The bite list file: its table format, a file of another format, and setting it aside.
#include "base/FkError.h"
#include "entry/BiteList.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(BiteList, WrittenAsASemicolonTableAndReadBack)
{
    TempHome home;
    const QString path = bitelist::filePath();
    EXPECT_EQ(path, home.file("DATs/Bissliste.dat"));
    EXPECT_TRUE(bitelist::read(path).isEmpty()); // no file yet

    const QList<bitelist::Note> notes{
        {"05.12.2026", "13:20", "Steg; links", QStringLiteral("Wurm \"groß\""), QStringLiteral("Döbel"), "40"},
        {"06.12.2026", "07:05", "", "", "", ""},
    };
    bitelist::write(path, notes); // creates "DATs"
    EXPECT_EQ(home.read("DATs/Bissliste.dat").left(42), "Datum;Zeit;Stelle;Koeder;Fischart;Laenge\r\n");
    EXPECT_TRUE(home.read("DATs/Bissliste.dat").contains("D\xF6" "bel")); // Windows-1252
    EXPECT_TRUE(home.read("DATs/Bissliste.dat").endsWith("06.12.2026;07:05;;;;\r\n"));
    EXPECT_EQ(bitelist::read(path), notes);

    bitelist::write(path, {});
    EXPECT_EQ(home.read("DATs/Bissliste.dat"), "Datum;Zeit;Stelle;Koeder;Fischart;Laenge\r\n");
    EXPECT_TRUE(bitelist::read(path).isEmpty());

    // A text without a Windows-1252 form is refused before anything is written.
    bitelist::write(path, notes);
    const QByteArray before = home.read("DATs/Bissliste.dat");
    QList<bitelist::Note> bad = notes;
    bad[1].stelle = QStringLiteral("Boje \u4E2D");
    EXPECT_NE(errorText<EFileError>([&] { bitelist::write(path, bad); }), "<no error>");
    EXPECT_EQ(home.read("DATs/Bissliste.dat"), before);
}

TEST(BiteList, AFileOfAnotherFormatIsReportedAndKept)
{
    TempHome home;
    const QString path = bitelist::filePath();
    const QByteArray stream("TPF0\x09TListView\x09ListView1\x04Left\x02\x10\x00\x00", 29);
    for (const QByteArray& foreign : {stream, QByteArray("Datum;Zeit;Stelle\r\n1;2;3\r\n"),
                                      QByteArray("Datum;Zeit;Stelle;Koeder;Fischart;Laenge\r\na;b;c;d;e;f;g\r\n")}) {
        home.write("DATs/Bissliste.dat", foreign);
        const QString message = errorText<EFileError>([&] { bitelist::read(path); });
        EXPECT_TRUE(message.contains(QStringLiteral("Bissliste"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("bleibt unverändert"))) << message.toStdString();
        EXPECT_EQ(home.read("DATs/Bissliste.dat"), foreign);
    }

    // Set aside under a free name before the list is replaced.
    home.write("DATs/Bissliste.dat", stream);
    home.write("DATs/Bissliste.dat.alt", "older");
    EXPECT_EQ(bitelist::setAside(path), home.file("DATs/Bissliste.dat.alt2"));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(home.read("DATs/Bissliste.dat.alt2"), stream);
    EXPECT_EQ(home.read("DATs/Bissliste.dat.alt"), "older");
}
