// The cost commands of fischkladde-cli, byte for byte.
#include "TempHome.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kCosts = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                          "12.03.2003;Angelladen;Rute;1;100,00;100,00;100,00\r\n"
                          "05.06.2004;Versand24;Haken;10;0,25;2,50;3,00\r\n"
                          "01.02.2004;angelladen;Steckrute;1;89,00;89,00;89,00\r\n"
                          "05.06.2004;Versand24;Schnur\\;Vorfach;2;4,50;9,00;58,00\r\n"
                          "30.12.2003;Angelladen;K\xf6" "der;;2,00;6,00;6,00\r\n";

QStringList args(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* a : list)
        out << QString::fromUtf8(a);
    return out;
}

} // namespace

TEST(CostsCli, Price)
{
    TempHome home;
    CliResult r = runCli(args({"price", "--unit", "1,99", "--qty", "2", "--shipping", "4,50", "--articles", "3"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1,99\t3,98\t6,98\n");
    r = runCli(args({"price", "--unit", "2", "--qty", "3", "--articles", "5"}));
    EXPECT_EQ(r.out, "2,00\t6,00\t6,00\n");

    const CliResult zero = runCli(args({"price", "--unit", "1,99", "--qty", "2", "--shipping", "4,50", "--articles", "0"}));
    EXPECT_EQ(zero.status, 1);
    EXPECT_TRUE(zero.out.isEmpty());
    EXPECT_TRUE(zero.err.contains("Artikelanzahl")) << zero.err.toStdString();
}

TEST(CostsCli, ListFiltersAndSums)
{
    TempHome home;
    home.write("k.akdb", kCosts);
    const QString file = home.file("k.akdb");
    CliResult r = runCli({"costs", "--costs", file});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "4\t05.06.2004\tVersand24\tSchnur;Vorfach\t2\t4,50\t58,00\n"
                     "2\t05.06.2004\tVersand24\tHaken\t10\t0,25\t3,00\n"
                     "3\t01.02.2004\tangelladen\tSteckrute\t1\t89,00\t89,00\n"
                     "5\t30.12.2003\tAngelladen\tK\xc3\xb6" "der\t\t2,00\t6,00\n"
                     "1\t12.03.2003\tAngelladen\tRute\t1\t100,00\t100,00\n"
                     "lb_einzelpreis\t195,75 \xe2\x82\xac\n"
                     "lb_gesamtpreis\t256,00 \xe2\x82\xac\n");

    r = runCli({"costs", "--year", "2003", "--shop", "Angelladen", "--costs", file});
    EXPECT_EQ(r.out, "5\t30.12.2003\tAngelladen\tK\xc3\xb6" "der\t\t2,00\t6,00\n"
                     "1\t12.03.2003\tAngelladen\tRute\t1\t100,00\t100,00\n"
                     "lb_einzelpreis\t102,00 \xe2\x82\xac\n"
                     "lb_gesamtpreis\t106,00 \xe2\x82\xac\n");
    // Nothing matches: only the sums.
    r = runCli({"costs", "--year", "2004", "--shop", "Angelladen", "--costs", file});
    EXPECT_EQ(r.out, "lb_einzelpreis\t0,00 \xe2\x82\xac\nlb_gesamtpreis\t0,00 \xe2\x82\xac\n");

    // The settings name the cost database.
    home.write("Fischkladde.ini", "[AKDB]\r\nFile=" + file.toLocal8Bit() + "\r\n");
    EXPECT_EQ(runCli({"costs", "--year", "2004"}).out.count('\n'), 5);
    EXPECT_EQ(runCli({"costs", "--year", "letztes"}).status, 2);
}

TEST(CostsCli, YearsAndSearch)
{
    TempHome home;
    home.write("k.akdb", kCosts);
    const QString file = home.file("k.akdb");
    const CliResult years = runCli({"cost-years", "--costs", file});
    EXPECT_EQ(years.status, 0);
    EXPECT_EQ(years.out, "2004\t150,00\t44,00\t41,51\n"
                         "2003\t106,00\t0\t0\n");

    const CliResult found = runCli({"search-costs", "--costs", file, "rute"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "1\t12.03.2003\tAngelladen\tRute\t1\t100,00\t100,00\n"
                         "3\t01.02.2004\tangelladen\tSteckrute\t1\t89,00\t89,00\n");
    EXPECT_EQ(runCli({"search-costs", "--costs", file, "k\xc3\xb6"}).out.left(2), "5\t");
    EXPECT_TRUE(runCli({"search-costs", "--costs", file, "K\xc3\x96"}).out.isEmpty());
    EXPECT_EQ(runCli({"search-costs", "--costs", file}).status, 2);

    // An empty table: no lines at all.
    home.write("leer.akdb", "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n");
    EXPECT_EQ(runCli({"cost-years", "--costs", home.file("leer.akdb")}).out, "");
    EXPECT_NE(runCli({"cost-years", "--costs", home.file("fehlt.akdb")}).status, 0);
}
