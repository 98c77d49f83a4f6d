// The exchange commands of fischkladde-cli: which table they use, what they print, and that a
// refused file leaves the database file as it was.
#include "ExchangeFixtures.h"
#include "data/IniFile.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"

using catchdb::Kind;

TEST(ExchangeCli, ExportAndImportBothTablesInBothFormats)
{
    TempHome home;
    trickyCatches().saveOrThrow(home.file(QStringLiteral("fang.fdb")));
    trickyCosts().saveOrThrow(home.file(QStringLiteral("kosten.akdb")));
    home.write(QStringLiteral("Fischkladde.ini"), "[DB]\r\nFile=" + home.file(QStringLiteral("fang.fdb")).toLocal8Bit()
                                                      + "\r\n[AKDB]\r\nFile=" + home.file(QStringLiteral("kosten.akdb")).toLocal8Bit()
                                                      + "\r\n");

    // Exports from the settings' databases write what the core writes.
    for (const char* kind : {"catches", "costs"}) {
        const QString xml = home.file(QStringLiteral("%1.xml").arg(QLatin1String(kind)));
        const QString csv = home.file(QStringLiteral("%1.csv").arg(QLatin1String(kind)));
        const CliResult x = runCli({QStringLiteral("export-xml"), QLatin1String(kind), xml});
        const CliResult c = runCli({QStringLiteral("export-csv"), QLatin1String(kind), csv});
        EXPECT_EQ(x.status, 0) << x.err.constData();
        EXPECT_EQ(c.status, 0) << c.err.constData();
        EXPECT_EQ(xmllintErrors(xml), QString());
    }
    // (the table file keeps a lone line feed as a line break, so compare with the stored table)
    TTextTable storedCatches;
    ASSERT_TRUE(storedCatches.LoadFromFile(home.file(QStringLiteral("fang.fdb"))));
    EXPECT_EQ(home.read(QStringLiteral("costs.xml")), xmlexchange::exportTable(trickyCosts(), Kind::Costs));
    EXPECT_EQ(home.read(QStringLiteral("catches.xml")), xmlexchange::exportTable(storedCatches, Kind::Catches));
    EXPECT_EQ(home.read(QStringLiteral("catches.csv")), csvexchange::exportTable(storedCatches));

    // Imports into other files named by --db / --costs append and save.
    catchdb::createFile(home.file(QStringLiteral("neu.fdb")), Kind::Catches);
    catchdb::createFile(home.file(QStringLiteral("neu.akdb")), Kind::Costs);
    CliResult r = runCli({QStringLiteral("import-xml"), QStringLiteral("catches"), home.file(QStringLiteral("catches.xml")),
                          QStringLiteral("--db"), home.file(QStringLiteral("neu.fdb"))});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.out, "3 Einträge importiert\n");
    r = runCli({QStringLiteral("import-csv"), QStringLiteral("catches"), home.file(QStringLiteral("catches.csv")),
                QStringLiteral("--db"), home.file(QStringLiteral("neu.fdb"))});
    EXPECT_EQ(r.out, "3 Einträge importiert\n");
    TTextTable twice = storedCatches;
    csvexchange::appendRows(twice, csvexchange::exportTable(storedCatches));
    EXPECT_EQ(home.read(QStringLiteral("neu.fdb")), twice.toBytes());

    r = runCli({QStringLiteral("import-csv"), QStringLiteral("costs"), home.file(QStringLiteral("costs.csv")),
                QStringLiteral("--costs"), home.file(QStringLiteral("neu.akdb"))});
    EXPECT_EQ(r.out, "3 Einträge importiert\n");
    home.write(QStringLiteral("eins.xml"), "<Angelkosten><Kosten><Artikel>Pose</Artikel></Kosten></Angelkosten>");
    r = runCli({QStringLiteral("import-xml"), QStringLiteral("costs"), home.file(QStringLiteral("eins.xml")),
                QStringLiteral("--costs"), home.file(QStringLiteral("neu.akdb"))});
    EXPECT_EQ(r.out, "1 Eintrag importiert\n");
    TTextTable costsAndPose = trickyCosts();
    costsAndPose.AddRow();
    costsAndPose.SetData(costrec::Artikel, "Pose");
    EXPECT_EQ(home.read(QStringLiteral("neu.akdb")), costsAndPose.toBytes());
    // Without --costs the settings' cost database takes the rows.
    r = runCli({QStringLiteral("import-xml"), QStringLiteral("costs"), home.file(QStringLiteral("costs.xml"))});
    EXPECT_EQ(r.out, "3 Einträge importiert\n");
    TTextTable costs;
    ASSERT_TRUE(costs.LoadFromFile(home.file(QStringLiteral("kosten.akdb"))));
    EXPECT_EQ(costs.RowCount(), 6);
}

TEST(ExchangeCli, RefusedImportLeavesTheDatabaseFile)
{
    TempHome home;
    const QString db = home.file(QStringLiteral("fang.fdb"));
    trickyCatches().saveOrThrow(db);
    const QByteArray before = home.read(QStringLiteral("fang.fdb"));
    home.write(QStringLiteral("kaputt.xml"), "<Fischkladde><Fang><Fischart>Aal</Fang></Fischkladde>");
    CliResult r = runCli({QStringLiteral("import-xml"), QStringLiteral("catches"), home.file(QStringLiteral("kaputt.xml")),
                          QStringLiteral("--db"), db});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("XML Fehler: ")) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    home.write(QStringLiteral("kaputt.csv"), "Fischart\r\n\xe2\x82\xac\xe2\x86\x92\r\n");
    r = runCli({QStringLiteral("import-csv"), QStringLiteral("catches"), home.file(QStringLiteral("kaputt.csv")),
                QStringLiteral("--db"), db});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "CSV Fehler: Zeile 2, Feld Fischart: Das Zeichen \xe2\x80\x9e\xe2\x86\x92\xe2\x80\x9c (U+2192) kann nicht "
                     "gespeichert werden, weil es im Zeichensatz Windows-1252 nicht vorkommt.\n");
    EXPECT_EQ(home.read(QStringLiteral("fang.fdb")), before);

    // Wrong words and options are usage errors.
    EXPECT_EQ(runCli({QStringLiteral("export-xml"), QStringLiteral("fische"), home.file(QStringLiteral("a.xml"))}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("export-xml"), QStringLiteral("catches"), home.file(QStringLiteral("a.xml")),
                      QStringLiteral("--costs"), db}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("export-csv"), QStringLiteral("costs"), home.file(QStringLiteral("a.csv"))}).status, 2);
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("a.xml"))));
}
