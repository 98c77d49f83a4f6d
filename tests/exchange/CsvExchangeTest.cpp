// CSV export and import: the bytes a spreadsheet program gets, round trips of the tricky
// tables, the header rules, the accepted encodings and every refused file.
#include "ExchangeFixtures.h"
#include "base/Win1252.h"
#include "reports/CsvExchange.h"

#include <QDir>

using catchdb::Kind;

namespace {
const QByteArray kCostHeader = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n";
}

TEST(CsvExport, WritesUtf8WithMarkQuotesWhereNeededAndCrLf)
{
    EXPECT_EQ(csvexchange::exportTable(trickyCosts()),
              "\xef\xbb\xbf" + kCostHeader
                  + "07.05.2006;B\xc3\xa4" "ckerstra\xc3\x9f" "e;\"Rute \"\"Zander\"\"; 2,70 m\";3;4,50;13,50;15,49\r\n"
                    "01.02.2007;Angel & Co <Filiale>;\"Haken\r\nGr. 6\";;;;\r\n"
                    "01.02.2007;;\xc3\x96sen \xc3\x9c" "ber \xe2\x82\xac;1;0,99;0,99;0,99\r\n");
    EXPECT_EQ(csvexchange::exportTable(catchdb::emptyTable(Kind::Costs)), "\xef\xbb\xbf" + kCostHeader);

    const QByteArray catches = csvexchange::exportTable(trickyCatches());
    EXPECT_TRUE(catches.contains(";\"Erste Zeile\r\nzweite Zeile\nTab\there \\ Ende \";"));
    EXPECT_TRUE(catches.contains(";\"M\xc3\xbchlenteich; \"\"alt\"\"\";"));
    EXPECT_TRUE(catches.contains(";  sonnig  ;"));
    EXPECT_TRUE(catches.contains(";Steg \xe2\x82\xac 5 \xc2\x81\xc5\xb8;"));
}

TEST(CsvRoundTrip, ExportImportedIntoEmptyTablesGivesTheSameBytes)
{
    for (const TTextTable& original : {trickyCatches(), trickyCosts()}) {
        TTextTable copy = catchdb::emptyTable(original.FieldCount() == 7 ? Kind::Costs : Kind::Catches);
        EXPECT_EQ(csvexchange::appendRows(copy, csvexchange::exportTable(original)), original.RowCount());
        EXPECT_EQ(copy.toBytes(), original.toBytes());
    }
}

TEST(CsvImport, HeaderNamesDecideTheColumns)
{
    // Columns in another order, one unknown, names in other case and with blanks; LF line
    // ends, no mark, a row shorter and one longer than the header, a trailing blank line.
    const QByteArray file = "Artikel;Farbe; kaufdatum ;GESAMTPREIS\n"
                            "Pose;rot;07.05.2006;1,20\n"
                            "Wirbel\n"
                            "\"Blei;\"\"Tropfen\"\"\";;08.05.2006;0,50;zuviel\n"
                            "\n";
    TTextTable db = catchdb::emptyTable(Kind::Costs);
    EXPECT_EQ(csvexchange::appendRows(db, file), 3);
    TTextTable expected = catchdb::emptyTable(Kind::Costs);
    for (const QByteArrayList& r : QList<QByteArrayList>{
             {"07.05.2006", "Pose", "1,20"}, {"", "Wirbel", ""}, {"08.05.2006", "Blei;\"Tropfen\"", "0,50"}}) {
        expected.AddRow();
        expected.SetData(costrec::Kaufdatum, r[0]);
        expected.SetData(costrec::Artikel, r[1]);
        expected.SetData(costrec::Gesamtpreis, r[2]);
    }
    EXPECT_EQ(db.toBytes(), expected.toBytes());
}

TEST(CsvImport, ReadsUtf8WithAndWithoutMarkAndWindows1252)
{
    const QByteArray expected = kCostHeader + ";B\xe4" "ckerstra\xdf" "e;Rute \x80;;;;\r\n";
    for (const QByteArray& file : {QByteArray("\xef\xbb\xbfGeschaeft;Artikel\r\nB\xc3\xa4" "ckerstra\xc3\x9f" "e;Rute \xe2\x82\xac\r\n"),
                                   QByteArray("Geschaeft;Artikel\r\nB\xc3\xa4" "ckerstra\xc3\x9f" "e;Rute \xe2\x82\xac\r\n"),
                                   QByteArray("Geschaeft;Artikel\r\nB\xe4" "ckerstra\xdf" "e;Rute \x80\r\n")}) {
        TTextTable db = catchdb::emptyTable(Kind::Costs);
        EXPECT_EQ(csvexchange::appendRows(db, file), 1);
        EXPECT_EQ(db.toBytes(), expected) << file.constData();
    }
}

TEST(CsvImport, RefusedFilesNameTheFaultAndChangeNothing)
{
    const TTextTable original = trickyCatches();
    const QByteArray before = original.toBytes();
    const struct {
        QByteArray file;
        QString message;
    } cases[] = {
        {"Fischart;Bemerkungen\r\nHecht;gut\r\nKarpfen;\"zwei\r\nZeilen\"\r\nKoi;\xe9\xaf\x89 gro\xc3\x9f\r\n",
         "CSV Fehler: Zeile 5, Feld Bemerkungen: Das Zeichen \u201E\u9BC9\u201C (U+9BC9) kann nicht gespeichert werden, "
         "weil es im Zeichensatz Windows-1252 nicht vorkommt."},
        {"Fischart\r\nAal \xf0\x9f\x90\x9f\r\n",
         "CSV Fehler: Zeile 2, Feld Fischart: Das Zeichen \u201E\U0001F41F\u201C (U+1F41F) kann nicht gespeichert werden, "
         "weil es im Zeichensatz Windows-1252 nicht vorkommt."},
        {"Fischart;Bemerkungen\r\nHecht;\"offen\r\n", "CSV Fehler: Zeile 2: Ein Wert in Anführungszeichen wird nicht geschlossen."},
        {"Kaufdatum;Geschaeft\r\n07.05.2006;Laden\r\n",
         "CSV Fehler: Keine Spalte der Kopfzeile passt zu einem Feld der Datenbank. Ist es die richtige Datei?"},
        {"", "CSV Fehler: Die Datei enthält keine Kopfzeile mit Feldnamen."},
        {"\xef\xbb\xbf" "Fischart\r\nH\xe4" "cht\r\n",
         "CSV Fehler: Die Datei ist als UTF-8 gekennzeichnet, enthält aber Bytes, die kein UTF-8 sind."},
    };
    for (const auto& c : cases) {
        TTextTable db = original;
        EXPECT_EQ(errorText([&] { csvexchange::appendRows(db, c.file); }), c.message);
        EXPECT_EQ(db.toBytes(), before);
    }
}

TEST(CsvImport, FileCommandSavesOnlyWhenEverythingSucceeded)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("fang.fdb"));
    const QString csvPath = home.file(QStringLiteral("fang.csv"));
    TTextTable db = trickyCatches();
    db.saveOrThrow(dbPath);
    const QByteArray saved = home.read(QStringLiteral("fang.fdb"));

    home.write(QStringLiteral("fang.csv"), "Fischart\r\nHecht\r\n\"Aal\r\n");
    EXPECT_NE(errorText([&] { csvexchange::importFile(db, dbPath, csvPath); }), "<no error>");
    EXPECT_EQ(home.read(QStringLiteral("fang.fdb")), saved);
    EXPECT_EQ(db.toBytes(), saved);

    csvexchange::exportFile(trickyCatches(), csvPath);
    EXPECT_EQ(home.read(QStringLiteral("fang.csv")), csvexchange::exportTable(trickyCatches()));
    QDir(home.path()).mkdir(QStringLiteral("ordner.fdb"));
    EXPECT_NE(errorText([&] { csvexchange::importFile(db, home.file(QStringLiteral("ordner.fdb")), csvPath); }), "<no error>");
    EXPECT_EQ(db.toBytes(), saved);

    EXPECT_EQ(csvexchange::importFile(db, dbPath, csvPath), 3);
    EXPECT_EQ(db.RowCount(), 6);
    EXPECT_EQ(home.read(QStringLiteral("fang.fdb")), db.toBytes());
    for (int col = 1; col <= db.FieldCount(); ++col)
        EXPECT_EQ(db.value(4, col), db.value(1, col));
}
