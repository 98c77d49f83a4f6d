#include "TempHome.h"

#include <gtest/gtest.h>

TEST(CliTables, CatchesPrintsEscapedUtf8)
{
    TempHome home;
    home.write(QStringLiteral("f.fdb"), "Fangdatum;Bemerkungen\r\n07.05.2006;a\\;b\tc\\nd\\\\ \xe4\r\n");
    const CliResult r = runCli({QStringLiteral("catches"), QStringLiteral("--db"), home.file(QStringLiteral("f.fdb"))});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ID\tFangdatum\tBemerkungen\n1\t07.05.2006\ta;b\\tc\\r\\nd\\\\ \xc3\xa4\n");

    // Without --db the settings name the database.
    home.write(QStringLiteral("Fischkladde.ini"), "[DB]\r\nFile=" + home.file(QStringLiteral("f.fdb")).toLocal8Bit() + "\r\n");
    EXPECT_EQ(runCli({QStringLiteral("catches")}).out, r.out);
}

TEST(CliTables, NewUpgradeAndErrors)
{
    TempHome home;
    const QString db = home.file(QStringLiteral("n.fdb"));
    EXPECT_EQ(runCli({QStringLiteral("new"), QStringLiteral("catches"), db}).status, 0);
    EXPECT_EQ(home.read(QStringLiteral("n.fdb")).count(';'), 31);
    EXPECT_EQ(runCli({QStringLiteral("new"), QStringLiteral("costs"), home.file(QStringLiteral("k.akdb"))}).status, 0);
    EXPECT_EQ(home.read(QStringLiteral("k.akdb")), "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n");

    home.write(QStringLiteral("alt.fdb"), "Fangdatum;Wasseremperatur\r\n");
    EXPECT_EQ(runCli({QStringLiteral("upgrade"), QStringLiteral("--db"), home.file(QStringLiteral("alt.fdb"))}).status, 0);
    EXPECT_EQ(home.read(QStringLiteral("alt.fdb")),
              "Fangdatum;Wasseremperatur;Lufttemperatur;zurueckgesetzt;Luftdruck;Windrichtung;Windstaerke;"
              "Wassertruebung;Wasserstand\r\n");

    const CliResult missing = runCli({QStringLiteral("catches"), QStringLiteral("--db"), home.file(QStringLiteral("weg.fdb"))});
    EXPECT_NE(missing.status, 0);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("weg.fdb"));
    EXPECT_NE(runCli({QStringLiteral("gibtsnicht")}).status, 0);
    EXPECT_NE(runCli({QStringLiteral("catches")}).status, 0); // no database known
}

TEST(CliTables, CheckFindsEveryBadValue)
{
    TempHome home;
    home.write(QStringLiteral("c.fdb"),
               "Fangdatum;Fangzeit;Angelbeginn;Angelende;Angeldauer;Laenge;Gewicht;Luftdruck\r\n"
               "07.05.2006;07:45;06:00;09:00;03:00;45;;1013\r\n"
               "31.02.2006;07:45;06:00;09:00;03:00;45,5;1.5;\r\n");
    const CliResult bad = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("c.fdb"))});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "2\tFangdatum\t'31.02.2006' is not a valid date\n"
                       "2\tLaenge\t'45,5' is not a valid integer value\n"
                       "2\tGewicht\t'1.5' is not a valid integer value\n");
    home.write(QStringLiteral("ok.fdb"), "Fangdatum;Fangzeit\r\n07.05.2006;07:45\r\n");
    const CliResult good = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("ok.fdb"))});
    EXPECT_EQ(good.status, 0);
    EXPECT_TRUE(good.out.isEmpty());
}
