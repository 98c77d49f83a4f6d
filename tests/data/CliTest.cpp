#include "TempHome.h"
#include "data/CatchDatabase.h"

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

TEST(CliTables, CheckFindsEveryBadValueAndMissingField)
{
    TempHome home;
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    auto row = [&](std::initializer_list<std::pair<const char*, QByteArray>> values) {
        db.AddRow();
        for (const auto& [field, value] : values)
            db.SetData(field, value);
    };
    row({{"Fangdatum", "07.05.2006"}, {"Fangzeit", "07:45"}, {"Angelbeginn", "06:00"}, {"Angelende", "09:00"},
         {"Angeldauer", "03:00"}, {"Laenge", "45"}, {"Luftdruck", "1013"}});
    row({{"Fangdatum", "31.02.2006"}, {"Fangzeit", "07:45"}, {"Angelbeginn", "06:00"}, {"Angelende", "09:00"},
         {"Angeldauer", "03:00"}, {"Laenge", "45,5"}, {"Gewicht", "1.5"}});
    home.write(QStringLiteral("c.fdb"), db.toBytes());
    const CliResult bad = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("c.fdb"))});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "2\tFangdatum\t'31.02.2006' is not a valid date\n"
                       "2\tLaenge\t'45,5' is not a valid integer value\n"
                       "2\tGewicht\t'1.5' is not a valid integer value\n");

    // Sound values: nothing to report; a database of the older layout is fine too.
    db.GoLast();
    db.DeleteRow();
    home.write(QStringLiteral("ok.fdb"), db.toBytes());
    const CliResult good = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("ok.fdb"))});
    EXPECT_EQ(good.status, 0) << good.out.constData();
    EXPECT_TRUE(good.out.isEmpty());
    QByteArray older;
    for (const QByteArray& line : db.toBytes().split('\n'))
        if (!line.isEmpty())
            older += line.split(';').mid(0, 24).join(';') + "\n";
    home.write(QStringLiteral("older.fdb"), older);
    EXPECT_EQ(runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("older.fdb"))}).status, 0);

    // A renamed column the overview needs is reported, not passed as sound.
    home.write(QStringLiteral("renamed.fdb"), QByteArray(db.toBytes()).replace("Fangdatum;", "Datum;").replace("Koeder;", "Köder;"));
    const CliResult renamed = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("renamed.fdb"))});
    EXPECT_EQ(renamed.status, 1);
    EXPECT_EQ(renamed.out, "-\tFangdatum\tDas Feld fehlt.\n-\tKoeder\tDas Feld fehlt.\n");
    EXPECT_NE(runCli({QStringLiteral("overview"), QStringLiteral("--db"), home.file(QStringLiteral("renamed.fdb"))}).status, 0)
        << "the overview cannot work without it";

    // A cost database is checked as one.
    home.write(QStringLiteral("k.akdb"), "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                                         "01.03.2006;Laden;Haken;2;1,50;3,00;3,95\r\n32.03.2006;Laden;Haken;2;1,50;3,00;x\r\n");
    const CliResult costs = runCli({QStringLiteral("check"), QStringLiteral("--db"), home.file(QStringLiteral("k.akdb"))});
    EXPECT_EQ(costs.status, 1);
    EXPECT_EQ(costs.out, "2\tKaufdatum\t'32.03.2006' is not a valid date\n"
                         "2\tGesamtpreisVersand\t'x' is not a valid floating point value\n");
}

TEST(CliTables, CatchesEscapesEveryPosition)
{
    // Backslash, TAB, CR and LF at the start, the end, alone, side by side and doubled, in
    // field names too; and the code page's high bytes (0x80..0x9F differ from Latin-1).
    TempHome home;
    home.write(QStringLiteral("f.fdb"),
               "\\\\A\t;B\\n;\x80\r\n"
               "\\n;\\\\;\t\r\n"
               "\\\\\\\\\t\t\\n\\n;x\\ny\\\\z\tq;\x84\x9f\xff\\\\\r\n"
               ";;\r\n");
    const CliResult r = runCli({QStringLiteral("catches"), QStringLiteral("--db"), home.file(QStringLiteral("f.fdb"))});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ID\t\\\\A\\t\tB\\r\\n\t\xe2\x82\xac\n"
                     "1\t\\r\\n\t\\\\\t\\t\n"
                     "2\t\\\\\\\\\\t\\t\\r\\n\\r\\n\tx\\r\\ny\\\\z\\tq\t\xe2\x80\x9e\xc5\xb8\xc3\xbf\\\\\n"
                     "3\t\t\t\n");
    EXPECT_TRUE(r.err.isEmpty());
}
