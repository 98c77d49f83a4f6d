// The four PDF reports and the HTML year list, read back with foreign readers.
#include "PdfTools.h"
#include "base/SafeFile.h"
#include "data/CatchRecord.h"
#include "reports/PdfReports.h"
#include "storage/TTextTable.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Values = std::vector<std::pair<const char*, QByteArray>>;

TTextTable catchTable()
{
    TTextTable t;
    for (const QByteArray& name : catchrec::fieldNames())
        t.AddField(name);
    return t;
}

void addRow(TTextTable& t, const Values& values)
{
    t.AddRow();
    for (const auto& [field, value] : values)
        t.SetData(field, value);
}

void addCatch(TTextTable& t, const QByteArray& species, const QByteArray& date, const QByteArray& length,
              const QByteArray& weight, const QByteArray& angler = "Paul", const QByteArray& bild = "")
{
    addRow(t, {{catchrec::Fischart, species},
               {catchrec::Fangdatum, date},
               {catchrec::Fangzeit, "07:30"},
               {catchrec::Laenge, length},
               {catchrec::Gewicht, weight},
               {catchrec::Faenger, angler},
               {catchrec::Koeder, "Tauwurm"},
               {catchrec::Windstaerke, "schwach"},
               {catchrec::Windrichtung, "SW"},
               {catchrec::Lufttemperatur, "14"},
               {catchrec::Bild, bild},
               {catchrec::Bemerkungen, "Am Schilfrand"}});
}

TTextTable costTable()
{
    TTextTable t;
    for (const char* name : costrec::kFields)
        t.AddField(name);
    return t;
}

void addCost(TTextTable& t, const QByteArray& date, const QByteArray& article, const QByteArray& total,
             const QByteArray& shipped, const QByteArray& shop = "Angelhaus")
{
    addRow(t, {{costrec::Kaufdatum, date},
               {costrec::Geschaeft, shop},
               {costrec::Artikel, article},
               {costrec::Menge, "1"},
               {costrec::Einzelpreis, total},
               {costrec::Gesamtpreis, total},
               {costrec::GesamtpreisVersand, shipped}});
}

QStringList pageLines(const QString& text, int page)
{
    QStringList lines;
    for (const QString& l : text.section('\f', page - 1, page - 1).split('\n'))
        if (!l.trimmed().isEmpty())
            lines << l.simplified();
    return lines;
}

QByteArray file(const QString& path)
{
    return safefile::readOrThrow(path);
}

} // namespace

TEST(StatistikReport, RowsTotalBookmarksAndDocumentSettings)
{
    QTemporaryDir dir;
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "87", "4200");
    addCatch(db, "Hecht", "04.05.2005", "60", "1500");
    addCatch(db, "aal", "05.05.2005", "50", "0"); // no record fish
    addCatch(db, "Barsch", "06.05.2005", "30", "400");
    addCatch(db, "Zander", "06.05.2004", "70", "3000"); // other year
    addCatch(db, "Karpfen", "06.05.2005", "70", "9000", "Anna"); // other angler
    const QString path = dir.filePath("s.pdf");
    reports::writeStatistikReport(db, {}, "Paul", 2005, path);

    EXPECT_TRUE(qpdfClean(path));
    EXPECT_EQ(renderedPages(path), 1);
    const QStringList lines = pageLines(pdfText(path), 1);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "2005");
    EXPECT_EQ(lines[1], QString::fromUtf8("Fischart: Anzahl: Ø Länge: Ø Gewicht: Längster: Schwerster:"));
    EXPECT_EQ(lines[2], "aal 1 50,00 cm 0,00 g") << "no record: the record columns stay empty";
    EXPECT_EQ(lines[3], "Barsch 1 30,00 cm 400,00 g 30 cm 400 g");
    EXPECT_EQ(lines[4], "Hecht 2 73,50 cm 2850,00 g 87 cm 4200 g");
    EXPECT_EQ(lines[5], "Gesamt 4 56,75 cm 1525,00 g 87 cm 4200 g");
    EXPECT_EQ(lines.size(), 6);
    EXPECT_EQ(outlineTitles(path), QStringList({"Seite 1", "  aal", "  Barsch", "  Hecht", "  Gesamt"}));

    const QByteArray pdf = file(path);
    EXPECT_TRUE(pdf.contains("/Title (Fischkladde)"));
    EXPECT_TRUE(pdf.contains("/PageLayout /OneColumn"));
    EXPECT_TRUE(pdf.contains("/PageMode /UseOutlines"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 596 842]"));
    EXPECT_TRUE(QRegularExpression("/OpenAction \\[\\d+ 0 R /XYZ [^\\]]* 1\\]").match(QString::fromLatin1(pdf)).hasMatch());
    EXPECT_TRUE(pdf.contains("0 0 0.5 rg")) << "navy headings";
    EXPECT_TRUE(pdf.contains("/BaseFont /Helvetica-Bold"));
    // 4 rows with rules: one bottom rule and seven dotted verticals each; blank rows have none.
    EXPECT_EQ(pdf.count(" l\n"), 4 * 8);
    EXPECT_EQ(pdf.count("[3] 0 d"), 4);
}

TEST(StatistikReport, AllYearsTitleAndTotalWithoutRecord)
{
    QTemporaryDir dir;
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "60", "0");
    addCatch(db, "Hecht", "03.05.2006", "", "");
    const QString path = dir.filePath("s.pdf");
    reports::writeStatistikReport(db, {}, "", 0, path);
    const QStringList lines = pageLines(pdfText(path), 1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Fischart:")) << "an empty title band for all years";
    EXPECT_EQ(lines[2], "Gesamt 2 60,00 cm 0,00 g") << "no catch above 0 g: empty record columns";
}

TEST(StatistikReport, PageBreaksAt49And50Species)
{
    QTemporaryDir dir;
    for (const int n : {49, 50}) {
        TTextTable db = catchTable();
        for (int i = 0; i < n; ++i)
            addCatch(db, "Art " + QByteArray::number(100 + i), "01.06.2006", "10", "100");
        const QString path = dir.filePath(QString("s%1.pdf").arg(n));
        reports::writeStatistikReport(db, {}, "", 0, path);
        EXPECT_TRUE(qpdfClean(path));
        const QStringList outline = outlineTitles(path);
        const QString text = pdfText(path);
        if (n == 49) {
            EXPECT_EQ(renderedPages(path), 1);
            EXPECT_EQ(outline.size(), 1 + 50);
            EXPECT_EQ(pageLines(text, 1).last(), "Gesamt 49 10,00 cm 100,00 g 10 cm 100 g");
        } else {
            EXPECT_EQ(renderedPages(path), 2);
            EXPECT_EQ(outline.mid(51), QStringList({"Seite 2", "  Gesamt"}));
            EXPECT_EQ(pageLines(text, 1).last(), "Art 149 1 10,00 cm 100,00 g 10 cm 100 g");
            const QStringList second = pageLines(text, 2);
            ASSERT_EQ(second.size(), 2) << "header band and the total row";
            EXPECT_EQ(second[1], "Gesamt 50 10,00 cm 100,00 g 10 cm 100 g");
        }
    }
}

TEST(Reports, NothingToReportWritesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("leer.pdf");
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "60", "1000");
    TTextTable akdb = costTable();
    addCost(akdb, "01.02.2004", "Haken", "1,00", "1,00");
    EXPECT_THROW(reports::writeStatistikReport(db, {}, "Anna", 0, path), reports::NoDataError);
    EXPECT_THROW(reports::writeStatistikReport(db, {}, "", 2006, path), reports::NoDataError);
    EXPECT_THROW(reports::writeCatchReport(db, "", 2006, dir.path(), path), reports::NoDataError);
    EXPECT_THROW(reports::writeCostListReport(akdb, 2005, path), reports::NoDataError);
    EXPECT_THROW(reports::writeYearOverviewReport(costTable(), 2006, path), reports::NoDataError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    try {
        reports::writeCostListReport(akdb, 2005, path);
    } catch (const reports::NoDataError& e) {
        EXPECT_EQ(e.message(), "Keine Daten zum Auswerten");
    }
}

TEST(CostListReport, LinesFromTheEndThenTotalWithShipping)
{
    QTemporaryDir dir;
    TTextTable akdb = costTable();
    addCost(akdb, "01.03.2004", "Schnur", "10,00", "11,50");
    addCost(akdb, "01.03.2005", "Blei", "3,00", "3,00");
    addCost(akdb, "02.03.2004", "Haken", "5,00", "5,75");
    const QString path = dir.filePath("k.pdf");
    reports::writeCostListReport(akdb, 2004, path);
    EXPECT_TRUE(qpdfClean(path));
    const QStringList lines = pageLines(pdfText(path), 1);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "2004");
    EXPECT_EQ(lines[1], QString::fromUtf8("Datum: Geschäft: Artikel: #: Preis:"));
    EXPECT_EQ(lines[2], QString::fromUtf8("02.03.2004 Angelhaus Haken 1 5,00 €"));
    EXPECT_EQ(lines[3], QString::fromUtf8("01.03.2004 Angelhaus Schnur 1 10,00 €"));
    EXPECT_EQ(lines[4], QString::fromUtf8("Summe (inkl. 2,25 € Versandkosten): 17,25 €"));
    const QStringList outline = outlineTitles(path);
    ASSERT_EQ(outline.size(), 4);
    EXPECT_EQ(outline[0], "Seite 1");
    EXPECT_EQ(outline[3], "  Summe");
    const QByteArray pdf = file(path);
    EXPECT_TRUE(pdf.contains("1 0 0 rg")) << "prices in red";
    EXPECT_EQ(pdf.count(" l\n"), 2) << "bottom lines under the two purchases, none under the total";
}

TEST(CostListReport, FiftyRowsPutTheTotalAloneOnPageTwo)
{
    QTemporaryDir dir;
    TTextTable akdb = costTable();
    for (int i = 0; i < 50; ++i)
        addCost(akdb, "01.03.2004", "Artikel " + QByteArray::number(i), "1,00", "1,00");
    const QString path = dir.filePath("k.pdf");
    reports::writeCostListReport(akdb, 0, path);
    EXPECT_TRUE(qpdfClean(path));
    EXPECT_EQ(renderedPages(path), 2);
    const QString text = pdfText(path);
    EXPECT_EQ(pageLines(text, 1)[1], QString::fromUtf8("01.03.2004 Angelhaus Artikel 49 1 1,00 €"))
        << "an empty title for all years, then the last row first";
    EXPECT_EQ(pageLines(text, 1).last(), QString::fromUtf8("01.03.2004 Angelhaus Artikel 0 1 1,00 €"));
    EXPECT_EQ(pageLines(text, 2),
              QStringList({QString::fromUtf8("Datum: Geschäft: Artikel: #: Preis:"),
                           QString::fromUtf8("Summe (inkl. 0,00 € Versandkosten): 50,00 €")}));
    EXPECT_EQ(outlineTitles(path).mid(51), QStringList({"Seite 2", "  Summe"}));
}

TEST(CostListReport, UnreadablePriceWritesNothing)
{
    QTemporaryDir dir;
    TTextTable akdb = costTable();
    addCost(akdb, "01.03.2004", "Schnur", "10,00", "zehn");
    const QString path = dir.filePath("k.pdf");
    EXPECT_THROW(reports::writeCostListReport(akdb, 0, path), EConvertError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST(YearOverviewReport, ColoursByTrend)
{
    QTemporaryDir dir;
    TTextTable akdb = costTable();
    addCost(akdb, "01.03.2003", "Schnur", "10,00", "10,00");
    addCost(akdb, "01.03.2004", "Rute", "30,00", "30,00");
    addCost(akdb, "01.03.2005", "Haken", "5,00", "5,00");
    const QString path = dir.filePath("j.pdf");
    reports::writeYearOverviewReport(akdb, 2006, path);
    EXPECT_TRUE(qpdfClean(path));
    const QStringList lines = pageLines(pdfText(path), 1);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QString::fromUtf8("Jahr: Betrag: +/- Vorjahr (€): +/- Vorjahr (%):"));
    EXPECT_EQ(lines[1], QString::fromUtf8("2005 5,00 € -25,00 € -83,33 %"));
    EXPECT_EQ(lines[2], QString::fromUtf8("2004 30,00 € 20,00 € 200,00 %"));
    EXPECT_EQ(QString(lines[3]).remove(' '), QString::fromUtf8("200310,00€0€0%")); // the reader joins short words

    EXPECT_EQ(outlineTitles(path), QStringList({"Seite 1", "  2005", "  2004", "  2003"}));
    // Colours in the order of the rows: green, red, black (each set before the row's four labels).
    const QByteArray pdf = file(path);
    EXPECT_TRUE(pdf.contains("(0 \x80) Tj"));
    EXPECT_TRUE(pdf.contains("(0 %) Tj"));
    const qsizetype green = pdf.indexOf("0 0.5 0 rg"), red = pdf.indexOf("1 0 0 rg"),
                    black = pdf.indexOf("0 0 0 rg", red);
    ASSERT_GE(green, 0);
    EXPECT_LT(green, red);
    EXPECT_LT(red, black);
}

TEST(CatchReport, BlocksPicturesAndPages)
{
    QTemporaryDir dir;
    const QString img = dir.filePath("img");
    QDir().mkpath(img);
    const QByteArray photo = testJpeg(160, 120);
    safefile::writeOrThrow(img + "/hecht 1.jpg", photo);
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "87", "4200", "Paul", "\"hecht 1.jpg\",zweites.jpg");
    addCatch(db, "Barsch", "04.05.2005", "30", "400", "Paul", "fehlt.jpg");
    addCatch(db, "Aal", "05.05.2005", "50", "700", "Anna", "");
    addCatch(db, "Zander", "06.05.2005", "70", "3000", "Paul", "");
    addCatch(db, "Karpfen", "06.05.2004", "70", "9000", "Paul", "");
    const QString path = dir.filePath("f.pdf");
    reports::writeCatchReport(db, "", 2005, img, path);

    EXPECT_TRUE(qpdfClean(path));
    EXPECT_EQ(renderedPages(path), 2);
    const QByteArray pdf = file(path);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 600 700]"));
    EXPECT_EQ(pdf.count("/Subtype /Image"), 1) << "only the first catch has a picture that exists";
    EXPECT_TRUE(pdf.contains("stream\r\n" + photo + "\nendstream")) << "the JPEG bytes go in unchanged";
    const QString text = pdfText(path);
    const QString first = text.section('\f', 0, 0), second = text.section('\f', 1, 1);
    EXPECT_TRUE(first.contains("2005"));
    const qsizetype zander = first.indexOf("Zander, 70 cm, 3000 g"), aal = first.indexOf("Aal, 50 cm, 700 g"),
                    barsch = first.indexOf("Barsch, 30 cm, 400 g");
    EXPECT_GE(zander, 0);
    EXPECT_LT(zander, aal) << "the last selected catch first";
    EXPECT_LT(aal, barsch);
    EXPECT_TRUE(second.contains("Hecht, 87 cm, 4200 g"));
    EXPECT_FALSE(text.contains("Karpfen"));
    for (const char* s : {"gefangen am 03.05.2005 um 07:30 Uhr", "Köder:", "Tauwurm", "Wind:", "schwach, SW",
                          "Lufttemp.:", "14 °C", "Fänger:", "Bemerkungen:", "Am Schilfrand"})
        EXPECT_TRUE(second.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(second.count(QString::fromUtf8("Köder:")), 1) << "the two empty blocks print nothing";
    EXPECT_EQ(outlineTitles(path), QStringList({"Seite 1", "  Zander, 70 cm, 3000 g", "  Aal, 50 cm, 700 g",
                                                "  Barsch, 30 cm, 400 g", "Seite 2", "  Hecht, 87 cm, 4200 g"}));
    // A frame for each filled block, a picture frame only around a picture.
    EXPECT_EQ(pdf.count(" 536 223 re\n"), 4);
    EXPECT_EQ(pdf.count(" 200 150 re\n"), 1);
}

TEST(CatchReport, AnglerFilterAndUndecodablePicture)
{
    QTemporaryDir dir;
    const QString img = dir.filePath("img");
    QDir().mkpath(img);
    QByteArray broken = testJpeg(64, 48);
    broken.truncate(broken.size() / 3);
    safefile::writeOrThrow(img + "/kaputt.jpg", broken);
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "87", "4200", "Paul", "kaputt.jpg");
    addCatch(db, "Aal", "05.05.2005", "50", "700", "Anna", "");
    EXPECT_EQ(reports::selectCatches(db, "Anna", 0), QList<int>({2}));
    EXPECT_EQ(reports::selectCatches(db, "", 2005), QList<int>({1, 2}));

    const QString path = dir.filePath("f.pdf");
    reports::writeCatchReport(db, "Anna", 0, img, path);
    EXPECT_EQ(renderedPages(path), 1);
    QFile::remove(path);
    try {
        reports::writeCatchReport(db, "", 0, img, path);
        ADD_FAILURE() << "a picture that does not decode must stop the report";
    } catch (const FkError& e) {
        EXPECT_TRUE(e.message().contains(img + "/kaputt.jpg")) << e.message().toStdString();
        EXPECT_TRUE(e.message().startsWith("Das Bild")) << e.message().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList()) << "no file, no temporary file";

    addCatch(db, "Aal", "kein Datum", "50", "700", "Anna", "");
    EXPECT_THROW(reports::selectCatches(db, "", 0), EConvertError);
}

TEST(CatchReport, FirstPictureOfTheList)
{
    EXPECT_EQ(reports::firstPicture(""), "");
    EXPECT_EQ(reports::firstPicture("a.jpg"), "a.jpg");
    EXPECT_EQ(reports::firstPicture("\"mein Hecht.jpg\",b.jpg"), "mein Hecht.jpg");
    EXPECT_EQ(reports::firstPicture("b.jpg,\"c d.jpg\""), "b.jpg");
}

TEST(CostHtml, YearsNewestFirstWithTotals)
{
    TTextTable akdb = costTable();
    addCost(akdb, "01.03.2004", "Schnur", "10,00", "11,50", "Fisch & Co");
    addCost(akdb, "02.03.2004", "Haken", "5,00", "5,75");
    addCost(akdb, "05.05.2006", "Rute", "30,00", "30,00");
    const QByteArray html = reports::costYearsHtml(akdb, QDate(2006, 7, 1));
    const QString text = QString::fromLatin1(html); // the bytes as Windows-1252 (Latin-1 apart from €)
    EXPECT_TRUE(html.contains("<b>Gesch\xE4" "ft:</b>")) << "Windows-1252";
    EXPECT_FALSE(html.contains("\xC3")) << "no UTF-8";
    const QStringList years = {"2006", "2005", "2004"};
    qsizetype at = 0;
    for (const QString& y : years) {
        const qsizetype next = text.indexOf("<b>Angelkosten " + y + "</b>", at);
        EXPECT_GT(next, at - 1) << y.toStdString();
        at = next;
    }
    EXPECT_EQ(html.count("<table style=\"page-break-after: always\" border=\"1\"width=\"643\""), 2);
    EXPECT_EQ(html.count("<table border=\"1\"width=\"643\" cellspacing=\"0\" bordercolor=\"#C0C0C0\">"), 1);
    EXPECT_TRUE(html.contains("<center><b>0,00 \x80</b></center>")) << "2005 has a header and a total of 0";
    EXPECT_TRUE(html.contains("<center><b>17,25 \x80</b></center>"));
    const QByteArray haken = "<tr><td width=\"0\"><font size=\"1\" face=\"Verdana\">02.03.2004</font></td><td "
                             "width=\"0\"><font size=\"1\" face=\"Verdana\">Angelhaus</font></td><td width=\"0\"><font "
                             "size=\"1\" face=\"Verdana\">Haken</font></td><td width=\"0\"><font size=\"1\" "
                             "face=\"Verdana\"><center>1</center></font></td><td width=\"0\"><font size=\"1\" "
                             "face=\"Verdana\"><center>5,00 \x80</center></font></td><td width=\"0\"><font size=\"1\" "
                             "face=\"Verdana\"><center>5,75 \x80</center></font></td></tr>";
    const qsizetype hakenAt = html.indexOf(haken);
    ASSERT_GE(hakenAt, 0);
    EXPECT_LT(hakenAt, html.indexOf("Schnur")) << "newest purchase first, as the list sorts after filling";
    EXPECT_TRUE(html.contains(">Fisch &amp; Co<"));
    EXPECT_TRUE(html.endsWith("<center><b>17,25 \x80</b></center></font></td> </table></center></div>"));
}

TEST(ReportCli, WritesTheDialogsDocumentsAndRefusesEmptyReports)
{
    TempHome home;
    TTextTable db = catchTable();
    addCatch(db, "Hecht", "03.05.2005", "87", "4200");
    addCatch(db, "Barsch", "04.05.2006", "30", "400", "Anna");
    db.saveOrThrow(home.file("fang.fdb"));
    TTextTable akdb = costTable();
    addCost(akdb, "01.03.2004", "Schnur", "10,00", "11,50");
    addCost(akdb, "02.03.2004", "Haken", "5,00", "5,75");
    akdb.saveOrThrow(home.file("kosten.akdb"));
    const QByteArray dbBefore = home.read("fang.fdb"), costsBefore = home.read("kosten.akdb");

    CliResult r = runCli({"report", "stats", "--db", home.file("fang.fdb"), "--angler", "Anna", home.file("s.pdf")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(pageLines(pdfText(home.file("s.pdf")), 1).last(), "Gesamt 1 30,00 cm 400,00 g 30 cm 400 g");

    r = runCli({"report", "catches", "--db", home.file("fang.fdb"), "--year", "2005", home.file("f.pdf")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(pdfText(home.file("f.pdf")).contains("Hecht, 87 cm, 4200 g"));

    r = runCli({"report", "costs", "--costs", home.file("kosten.akdb"), "--year", "2004", home.file("k.pdf")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(pdfText(home.file("k.pdf")).contains(QString::fromUtf8("Summe (inkl. 2,25 € Versandkosten):")));

    r = runCli({"report", "years", "--costs", home.file("kosten.akdb"), home.file("j.pdf")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(qpdfClean(home.file("j.pdf")));

    r = runCli({"cost-html", "--costs", home.file("kosten.akdb"), home.file("k.html")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(home.read("k.html").contains("<center><b>17,25 \x80</b></center>"));

    for (const QStringList& args :
         {QStringList{"report", "stats", "--db", home.file("fang.fdb"), "--year", "2007", home.file("leer.pdf")},
          QStringList{"report", "catches", "--db", home.file("fang.fdb"), "--angler", "Otto", home.file("leer.pdf")},
          QStringList{"report", "costs", "--costs", home.file("kosten.akdb"), "--year", "2005", home.file("leer.pdf")}}) {
        r = runCli(args);
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err, "Keine Daten zum Auswerten\n");
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(home.file("leer.pdf")));
    }
    r = runCli({"report", "stats", "--db", home.file("fang.fdb"), "--year", "20x5", home.file("x.pdf")});
    EXPECT_EQ(r.status, 2);
    r = runCli({"report", "bilanz", home.file("x.pdf")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(home.read("fang.fdb"), dbBefore) << "the tables are not changed";
    EXPECT_EQ(home.read("kosten.akdb"), costsBefore);
}
