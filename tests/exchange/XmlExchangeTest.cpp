// XML export and import of the catch and the cost table: the exact file, what a foreign
// reader makes of it, round trips, the import's element rules and every refused file.
#include "ExchangeFixtures.h"
#include "reports/XmlExchange.h"

#include <QDir>

using catchdb::Kind;

namespace {

QByteArray costRecord(const QByteArrayList& v)
{
    return "<Kosten>\r\n<Datum>" + v[0] + "</Datum>\r\n<Geschaeft>" + v[1] + "</Geschaeft>\r\n<Artikel>" + v[2]
           + "</Artikel>\r\n<Menge>" + v[3] + "</Menge>\r\n<Einzelpreis>" + v[4] + "</Einzelpreis>\r\n<Gesamtpreis>"
           + v[5] + "</Gesamtpreis>\r\n<GesamtpreisVersand>" + v[6] + "</GesamtpreisVersand>\r\n</Kosten>\r\n";
}

} // namespace

TEST(XmlExport, EmptyTablesWriteThreeLines)
{
    EXPECT_EQ(xmlexchange::exportTable(catchdb::emptyTable(Kind::Catches), Kind::Catches),
              "<?xml version=\"1.0\" ?>\r\n<Fischkladde>\r\n</Fischkladde>\r\n");
    EXPECT_EQ(xmlexchange::exportTable(catchdb::emptyTable(Kind::Costs), Kind::Costs),
              "<?xml version=\"1.0\" ?>\r\n<Angelkosten>\r\n</Angelkosten>\r\n");
}

TEST(XmlExport, CostFileEscapesMarkupLineBreaksAndEveryNonAsciiLetter)
{
    const QByteArray file = xmlexchange::exportTable(trickyCosts(), Kind::Costs);
    EXPECT_EQ(file, "<?xml version=\"1.0\" ?>\r\n<Angelkosten>\r\n"
                        + costRecord({"07.05.2006", "B&#228;ckerstra&#223;e", "Rute \"Zander\"; 2,70 m", "3", "4,50",
                                      "13,50", "15,49"})
                        + costRecord({"01.02.2007", "Angel &amp; Co &lt;Filiale&gt;", "Haken&#13;&#10;Gr. 6", "", "",
                                      "", ""})
                        + costRecord({"01.02.2007", "", "&#214;sen &#220;ber &#8364;", "1", "0,99", "0,99", "0,99"})
                        + "</Angelkosten>\r\n");
    for (char c : file)
        ASSERT_LT(uchar(c), 0x80) << "the file must be pure ASCII";
}

TEST(XmlExport, CatchRecordListsThirtyFieldsInTheFileOrder)
{
    TTextTable db = trickyCatches();
    db.GoToRow(1);
    db.SetData(catchrec::Bild, "a.jpg,b.jpg");
    db.SetData(catchrec::Karte, "12,40");
    const QByteArray file = xmlexchange::exportTable(db, Kind::Catches);
    const QByteArray first = file.mid(file.indexOf("<Fang>"), file.indexOf("</Fang>") + 9 - file.indexOf("<Fang>"));
    EXPECT_EQ(first, "<Fang>\r\n"
                     "<Fischart>Barsch</Fischart>\r\n"
                     "<Faenger>J&#246;rg &amp; S&#246;hne</Faenger>\r\n"
                     "<Laenge>25</Laenge>\r\n"
                     "<Gewicht></Gewicht>\r\n"
                     "<Fangdatum>07.05.2006</Fangdatum>\r\n"
                     "<Fangzeit>18:42</Fangzeit>\r\n"
                     "<Koeder>&#196;sche &lt;gro&#223;&gt;</Koeder>\r\n"
                     "<Gewaesser>M&#252;hlenteich; \"alt\"</Gewaesser>\r\n"
                     "<Stelle>Steg &#8364; 5 &#129;&#376;</Stelle>\r\n"
                     "<Fangmethode></Fangmethode>\r\n"
                     "<Fangtiefe></Fangtiefe>\r\n"
                     "<Uferdistanz></Uferdistanz>\r\n"
                     "<Wetter>  sonnig  </Wetter>\r\n"
                     "<Bemerkungen>Erste Zeile&#13;&#10;zweite Zeile&#10;Tab\there \\ Ende </Bemerkungen>\r\n"
                     "<Mondphase></Mondphase>\r\n"
                     "<Angelbeginn></Angelbeginn>\r\n"
                     "<Angelende></Angelende>\r\n"
                     "<Angeldauer></Angeldauer>\r\n"
                     "<Sonnenaufgang>05:51:13</Sonnenaufgang>\r\n"
                     "<Sonnenuntergang></Sonnenuntergang>\r\n"
                     "<Mondaufgang></Mondaufgang>\r\n"
                     "<Monduntergang></Monduntergang>\r\n"
                     "<Lufttemperatur>-3</Lufttemperatur>\r\n"
                     "<Wassertemperatur></Wassertemperatur>\r\n"
                     "<zurueckgesetzt>-1</zurueckgesetzt>\r\n"
                     "<Luftdruck>1013</Luftdruck>\r\n"
                     "<Windrichtung>NO</Windrichtung>\r\n"
                     "<Windstaerke>3</Windstaerke>\r\n"
                     "<Wassertruebung></Wassertruebung>\r\n"
                     "<Wasserstand></Wasserstand>\r\n"
                     "</Fang>\r\n");
    EXPECT_EQ(file.count("<Fang>"), 3);
}

TEST(XmlExport, ForeignReaderAcceptsTheFilesAndReadsTheValues)
{
    TempHome home;
    const QString costs = home.file(QStringLiteral("kosten.xml"));
    const QString catches = home.file(QStringLiteral("fang.xml"));
    xmlexchange::exportFile(trickyCosts(), Kind::Costs, costs);
    xmlexchange::exportFile(trickyCatches(), Kind::Catches, catches);
    EXPECT_EQ(xmllintErrors(costs), QString());
    EXPECT_EQ(xmllintErrors(catches), QString());
    EXPECT_EQ(xmllintValue(costs, QStringLiteral("/Angelkosten/Kosten[1]/Geschaeft")), "B\xc3\xa4" "ckerstra\xc3\x9f" "e");
    EXPECT_EQ(xmllintValue(costs, QStringLiteral("/Angelkosten/Kosten[2]/Artikel")), "Haken\r\nGr. 6");
    EXPECT_EQ(xmllintValue(catches, QStringLiteral("/Fischkladde/Fang[1]/Koeder")), "\xc3\x84sche <gro\xc3\x9f>");
    EXPECT_EQ(xmllintValue(catches, QStringLiteral("/Fischkladde/Fang[1]/Stelle")), "Steg \xe2\x82\xac 5 \xc2\x81\xc5\xb8");
}

TEST(XmlExport, ControlCharacterIsRefusedNamingRowAndField)
{
    TTextTable db = trickyCosts();
    db.GoToRow(3);
    db.SetData(costrec::Artikel, "Pose\x01");
    EXPECT_EQ(errorText([&] { xmlexchange::exportTable(db, Kind::Costs); }),
              "Zeile 3, Feld Artikel: Das Steuerzeichen 0x01 kann nicht in eine XML-Datei geschrieben werden.");
}

TEST(XmlRoundTrip, ExportedTablesImportIntoEmptyTablesByteForByte)
{
    for (const Kind kind : {Kind::Catches, Kind::Costs}) {
        const TTextTable original = kind == Kind::Catches ? trickyCatches() : trickyCosts();
        TTextTable copy = catchdb::emptyTable(kind);
        EXPECT_EQ(xmlexchange::appendRecords(copy, kind, xmlexchange::exportTable(original, kind)), original.RowCount());
        EXPECT_EQ(copy.toBytes(), original.toBytes());
    }
}

TEST(XmlRoundTrip, ImportAppendsAndLeavesPictureAndMapOfCopiesEmpty)
{
    TTextTable db = trickyCatches();
    db.GoToRow(1);
    db.SetData(catchrec::Bild, "a.jpg");
    db.SetData(catchrec::Karte, "12,40");
    const QByteArray file = xmlexchange::exportTable(db, Kind::Catches);
    EXPECT_EQ(xmlexchange::appendRecords(db, Kind::Catches, file), 3);
    ASSERT_EQ(db.RowCount(), 6);
    for (int col = 1; col <= db.FieldCount(); ++col) {
        const QByteArray name = db.GetFieldName(col);
        const bool dropped = name == catchrec::Bild || name == catchrec::Karte;
        EXPECT_EQ(db.value(4, col), dropped ? QByteArray() : db.value(1, col)) << name.constData();
    }
    EXPECT_EQ(db.value(1, db.FieldIndex(catchrec::Bild)), "a.jpg");
}

TEST(XmlImport, FollowsTheElementRules)
{
    // Any root name; only "Kosten" children of the root count; the first element of a name
    // counts with all its text; unknown and missing elements; an empty record.
    const QByteArray file = "<?xml version=\"1.0\"?>\n<Irgendwas>\n"
                            "<Kosten><Datum>07.05.2006</Datum><Geschaeft>B&#228;cker<b>stra</b>&#223;e</Geschaeft>"
                            "<Geschaeft>zweiter</Geschaeft><Farbe>rot</Farbe><Einzelpreis><![CDATA[<4,50>]]></Einzelpreis>"
                            "</Kosten>\n"
                            "<Gruppe><Kosten><Datum>nicht direkt unter der Wurzel</Datum></Kosten></Gruppe>\n"
                            "<Kosten/>\n"
                            "</Irgendwas>";
    TTextTable db = catchdb::emptyTable(Kind::Costs);
    EXPECT_EQ(xmlexchange::appendRecords(db, Kind::Costs, file), 2);
    EXPECT_EQ(db.toBytes(), "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                            "07.05.2006;B\xe4" "ckerstra\xdf" "e;;;<4,50>;;\r\n"
                            ";;;;;;\r\n");

    // The catch import takes every catch field it finds, the newer ones, picture and map too.
    TTextTable catches = catchdb::emptyTable(Kind::Catches);
    EXPECT_EQ(xmlexchange::appendRecords(catches, Kind::Catches,
                                         "<Fischkladde><Fang><zurueckgesetzt>-1</zurueckgesetzt><Luftdruck>998</Luftdruck>"
                                         "<Windrichtung>SW</Windrichtung><Windstaerke>5</Windstaerke><Karte>3,4</Karte>"
                                         "<Bild>x.jpg</Bild><Fischart>Aal</Fischart></Fang></Fischkladde>"),
              1);
    for (const auto& [field, value] : {std::pair{catchrec::zurueckgesetzt, "-1"}, {catchrec::Luftdruck, "998"},
                                       {catchrec::Windrichtung, "SW"}, {catchrec::Windstaerke, "5"},
                                       {catchrec::Karte, "3,4"}, {catchrec::Bild, "x.jpg"}, {catchrec::Fischart, "Aal"}})
        EXPECT_EQ(catches.value(1, catches.FieldIndex(field)), value) << field;

    // A costs file given to the catch import adds nothing and is no error.
    EXPECT_EQ(xmlexchange::appendRecords(catches, Kind::Catches, xmlexchange::exportTable(trickyCosts(), Kind::Costs)), 0);
    EXPECT_EQ(catches.RowCount(), 1);
}

TEST(XmlImport, ReadsUtf8AndOlderWindows1252Files)
{
    const QByteArray expected = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n"
                                ";B\xe4" "ckerstra\xdf" "e;Rute \x80;;;;\r\n";
    for (const QByteArray& file :
         {QByteArray("<?xml version=\"1.0\" ?>\r\n<Angelkosten><Kosten><Geschaeft>B\xe4" "ckerstra\xdf" "e</Geschaeft>"
                     "<Artikel>Rute \x80</Artikel></Kosten></Angelkosten>\r\n"),
          QByteArray("<?xml version=\"1.0\" ?>\r\n<Angelkosten><Kosten><Geschaeft>B\xc3\xa4" "ckerstra\xc3\x9f" "e</Geschaeft>"
                     "<Artikel>Rute \xe2\x82\xac</Artikel></Kosten></Angelkosten>\r\n"),
          QByteArray("\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?><a><Kosten><Geschaeft>B\xc3\xa4" "ckerstra\xc3\x9f" "e"
                     "</Geschaeft><Artikel>Rute &#x20AC;</Artikel></Kosten></a>")}) {
        TTextTable db = catchdb::emptyTable(Kind::Costs);
        EXPECT_EQ(xmlexchange::appendRecords(db, Kind::Costs, file), 1);
        EXPECT_EQ(db.toBytes(), expected) << file.constData();
    }
}

TEST(XmlImport, RefusedFilesLeaveTheTableAsItWas)
{
    const TTextTable original = trickyCosts();
    const QByteArray before = original.toBytes();
    const struct {
        QByteArray file;
        QString message;
    } cases[] = {
        {"", "XML Fehler: "},
        {"<Angelkosten><Kosten><Geschaeft>A & B</Geschaeft></Kosten></Angelkosten>", "XML Fehler: "},
        {"<Angelkosten><Kosten><Datum>1</Datum></Kosten>", "XML Fehler: "}, // cut off after a good record
        {"<Angelkosten><Kosten><Geschaeft>X</Geschaeft></Kosten><Kosten><Artikel>Haken &#x9B5A;</Artikel></Kosten>"
         "</Angelkosten>",
         "XML Fehler: Eintrag 2, Feld Artikel: Das Zeichen \u201E\u9B5A\u201C (U+9B5A) kann nicht gespeichert werden"},
    };
    for (const auto& c : cases) {
        TTextTable db = original;
        const QString message = errorText([&] { xmlexchange::appendRecords(db, Kind::Costs, c.file); });
        EXPECT_TRUE(message.startsWith(c.message)) << message.toStdString();
        EXPECT_GT(message.size(), QStringLiteral("XML Fehler: ").size()) << "the parser's reason is missing";
        EXPECT_EQ(db.toBytes(), before) << c.file.constData();
    }
}

TEST(XmlImport, FileCommandSavesOnlyWhenEverythingSucceeded)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("kosten.akdb"));
    const QString xmlPath = home.file(QStringLiteral("k.xml"));
    TTextTable db = trickyCosts();
    db.saveOrThrow(dbPath);
    const QByteArray saved = home.read(QStringLiteral("kosten.akdb"));

    // Damaged file: nothing saved, nothing changed.
    home.write(QStringLiteral("k.xml"), "<Angelkosten><Kosten>");
    EXPECT_TRUE(errorText([&] { xmlexchange::importFile(db, dbPath, Kind::Costs, xmlPath); }).startsWith("XML Fehler: "));
    EXPECT_EQ(home.read(QStringLiteral("kosten.akdb")), saved);
    EXPECT_EQ(db.RowCount(), 3);

    // The table file cannot be written (a folder stands in its place): the rows are not kept.
    xmlexchange::exportFile(trickyCosts(), Kind::Costs, xmlPath);
    QDir(home.path()).mkdir(QStringLiteral("ordner.akdb"));
    EXPECT_NE(errorText([&] { xmlexchange::importFile(db, home.file(QStringLiteral("ordner.akdb")), Kind::Costs, xmlPath); }),
              "<no error>");
    EXPECT_EQ(db.toBytes(), saved);

    // A missing file and no database are errors too.
    EXPECT_TRUE(errorText([&] { xmlexchange::importFile(db, dbPath, Kind::Costs, home.file(QStringLiteral("weg.xml"))); })
                    .contains("weg.xml"));
    EXPECT_NE(errorText([&] { xmlexchange::importFile(db, QString(), Kind::Costs, xmlPath); }), "<no error>");
    TTextTable notLoaded;
    EXPECT_EQ(errorText([&] { xmlexchange::importFile(notLoaded, dbPath, Kind::Costs, xmlPath); }),
              "Es ist keine Datenbank geöffnet, in die importiert werden kann.");
    EXPECT_EQ(home.read(QStringLiteral("kosten.akdb")), saved);

    // Success: appended in memory and on disk.
    EXPECT_EQ(xmlexchange::importFile(db, dbPath, Kind::Costs, xmlPath), 3);
    EXPECT_EQ(db.RowCount(), 6);
    EXPECT_EQ(home.read(QStringLiteral("kosten.akdb")), db.toBytes());
    TTextTable reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(dbPath));
    EXPECT_EQ(reloaded.value(4, 2), "B\xe4" "ckerstra\xdf" "e");
}
