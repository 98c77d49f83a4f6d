// The blank catch list and the HTML evaluation, byte for byte.
#include "TempHome.h"
#include "base/FkError.h"
#include "data/CatchDatabase.h"
#include "reports/HtmlPages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

#define STYLE                                                                                                      \
    "<style> table { border : 1px solid  black; } td { border-right: 1px solid black; border-bottom: 1px solid "   \
    "black;} </style><table cellpadding=0 cellspacing=0 width=\"100%\">\r\n"
#define ROW(name)                                                                                                  \
    "<tr><td width=100><font face=\"Verdana\" size=1><b>" name ":</b></font></td><td>&nbsp;</td><td>&nbsp;</td>"  \
    "<td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n"

TTextTable table(std::initializer_list<const char*> fields)
{
    TTextTable t;
    for (const char* f : fields)
        t.AddField(QByteArray(f));
    return t;
}

struct Catch {
    const char* date;
    const char* angler;
    const char* species;
    const char* length;
    const char* weight;
    const char* picture;
};

TTextTable catches(const QList<Catch>& list)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const Catch& c : list) {
        db.AddRow();
        db.SetData("Fangdatum", c.date);
        db.SetData("Faenger", c.angler);
        db.SetData("Fischart", c.species);
        db.SetData("Laenge", c.length);
        db.SetData("Gewicht", c.weight);
        db.SetData("Bild", c.picture);
    }
    return db;
}

const QByteArray kTemplate = "<p>#fischart# #laenge#cm #gewichtg#g=#gewichtlbs#lbs #faenger# #fangdatum# [#bild#] #unbekannt#</p>\n";
const QByteArray kOpen = "<table style=\"page-break-after: auto\"><tr><td>";
const QByteArray kClose = "</td></tr></table>";

const QList<Catch> kFour = {{"01.06.2004", "Tom", "Hecht", "60", "1750", "keinbild.jpg"},
                            {"02.07.2005", "Anna", "Zander", "45", "999", "p1.jpg"},
                            {"03.08.2004", "Tom", "Barsch", "20", "499", ""},
                            {"04.09.2004", "Anna", "Aal", "70", "2000", "keinbild.jpg"}};

} // namespace

TEST(BlankList, PageFromTheFieldNames)
{
    // Small umlauts spelled out, "ß" kept, sun/moon/picture fields left out, the table twice.
    EXPECT_EQ(htmlpages::blankList(table({"Fangdatum", "F\xe4nger", "Gr\xf6\xdf" "e", "Mondphase", "Bild", "K\xfc" "hl"})),
              QByteArray(STYLE ROW("Fangdatum") ROW("Faenger") ROW("Groe\xdf" "e") ROW("Kuehl") "</table>\r\n"
                         "<br>" STYLE ROW("Fangdatum") ROW("Faenger") ROW("Groe\xdf" "e") ROW("Kuehl") "</table>\r\n"));
    EXPECT_EQ(htmlpages::blankList(TTextTable()), QByteArray(STYLE "</table>\r\n<br>" STYLE "</table>\r\n"));

    // A new catch database: 24 rows, in column order.
    const QByteArray page = htmlpages::blankList(catchdb::emptyTable(catchdb::Kind::Catches));
    EXPECT_EQ(page.count("<tr>"), 48);
    const QByteArray first = page.left(page.indexOf("</table>"));
    QList<QByteArray> names;
    for (const QByteArray& line : first.split('\n'))
        if (line.startsWith("<tr>"))
            names.append(line.mid(line.indexOf("<b>") + 3, line.indexOf(":</b>") - line.indexOf("<b>") - 3));
    EXPECT_EQ(names, (QList<QByteArray>{"Fangdatum", "Fangzeit", "Angelbeginn", "Angelende", "Fischart", "Laenge",
                                        "Gewicht", "Faenger", "Gewaesser", "Stelle", "Uferdistanz", "Fangtiefe",
                                        "Fangmethode", "Koeder", "Wetter", "Bemerkungen", "Lufttemperatur",
                                        "Wassertemperatur", "Wasserstand", "Wassertruebung", "Windrichtung",
                                        "Windstaerke", "Luftdruck", "zurueckgesetzt"}));
}

TEST(Evaluation, GroupsOfThreeNewestFirst)
{
    const QString home = "/daten/fk";
    const QByteArray img = "/daten/fk/img/";
    const TTextTable db = catches(kFour);
    EXPECT_EQ(htmlpages::evaluation(db, kTemplate, home, htmlpages::kAlle, 0),
              kOpen + "<p>Aal 70cm 2000g=4lbs Anna 04.09.2004 [] #unbekannt#</p>\r\n"
                      "<p>Barsch 20cm 499g=0lbs Tom 03.08.2004 [" + img + "] #unbekannt#</p>\r\n"
                      "<p>Zander 45cm 999g=1lbs Anna 02.07.2005 [" + img + "p1.jpg] #unbekannt#</p>\r\n" + kClose +
                  kOpen + "<p>Hecht 60cm 1750g=3lbs Tom 01.06.2004 [] #unbekannt#</p>\r\n" + kClose + "\r\n");

    // Exactly three: one opening, the closing after the third and one more at the end.
    EXPECT_EQ(htmlpages::evaluation(db, "#fischart#", home, htmlpages::kAlle, 2004),
              kOpen + "AalBarschHecht" + kClose + kClose + "\r\n");
    // Catcher and year together.
    EXPECT_EQ(htmlpages::evaluation(db, "#fischart#;", home, "Tom", 2004), kOpen + "Barsch;Hecht;" + kClose + "\r\n");
    // Nothing passes; no template.
    EXPECT_EQ(htmlpages::evaluation(db, kTemplate, home, "Niemand", 0), kClose + "\r\n");
    EXPECT_EQ(htmlpages::evaluation(db, QByteArray(), home, "Anna", 0), kOpen + kClose + "\r\n");
    // Of several pictures the first is named.
    const TTextTable several = catches({{"01.01.2001", "Tom", "Wels", "1", "1", "a.jpg,b.jpg"},
                                        {"01.01.2001", "Tom", "Wels", "1", "1", "\"mein bild.jpg\",b.jpg"}});
    EXPECT_EQ(htmlpages::evaluation(several, "#bild#;", home, "Tom", 0),
              kOpen + img + "mein bild.jpg;" + img + "a.jpg;" + kClose + "\r\n");
    // Line ends of every kind become CR LF.
    EXPECT_EQ(htmlpages::evaluation(db, "a\rb\r\nc\n", home, "Anna", 2005), kOpen + "a\r\nb\r\nc\r\n" + kClose + "\r\n");
}

TEST(Evaluation, ConversionErrors)
{
    QList<Catch> list = kFour;
    list.append({"32.13.2004", "Zed", "Wels", "90", "5000", ""});
    // The date of every row is converted, also of rows another catcher caught.
    try {
        htmlpages::evaluation(catches(list), kTemplate, "/x", "Tom", 0);
        ADD_FAILURE() << "bad date accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "Fang 5, Fangdatum: '32.13.2004' is not a valid date");
    }
    // The weight only of the rows that are kept.
    list.last() = {"05.05.2005", "Zed", "Wels", "90", "", ""};
    EXPECT_NO_THROW(htmlpages::evaluation(catches(list), kTemplate, "/x", "Tom", 0));
    EXPECT_THROW(htmlpages::evaluation(catches(list), kTemplate, "/x", htmlpages::kAlle, 0), EConvertError);
    EXPECT_NO_THROW(htmlpages::evaluation(catches(list), kTemplate, "/x", htmlpages::kAlle, 2004));
}

TEST(Evaluation, TemplatesAndCli)
{
    TempHome home;
    // The example templates arrive once; a folder the user keeps stays as it is.
    htmlpages::installExampleTemplates(home.path());
    const QStringList examples = htmlpages::templateNames(home.path());
    EXPECT_EQ(examples.size(), 2);
    for (const QString& name : examples)
        EXPECT_TRUE(home.read("Auswertung/Templates/" + name + ".html").contains("#fischart#")) << name.toStdString();
    QDir(home.file("Auswertung/Templates")).removeRecursively();
    home.write("Auswertung/Templates/b.html", "B #fischart#");
    home.write("Auswertung/Templates/A.HTML", "A");
    home.write("Auswertung/Templates/c.txt", "C");
    htmlpages::installExampleTemplates(home.path());
    EXPECT_EQ(htmlpages::templateNames(home.path()), (QStringList{"A", "b"}));

    catches(kFour).saveOrThrow(home.file("f.fdb"));
    const CliResult r = runCli({"html-report", "--db", home.file("f.fdb"), "--template", "b", "--angler", "Tom",
                                "--year", "2004", home.file("out.html")});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(home.read("out.html"), kOpen + "B BarschB Hecht" + kClose + "\r\n");
    EXPECT_NE(runCli({"html-report", "--db", home.file("f.fdb"), "--template", "fehlt", home.file("o.html")}).status, 0);
    EXPECT_NE(runCli({"html-report", "--db", home.file("f.fdb"), home.file("o.html")}).status, 0);
    EXPECT_NE(runCli({"html-report", "--db", home.file("f.fdb"), "--template", "b", "--year", "x", home.file("o.html")}).status, 0);
    EXPECT_FALSE(QFileInfo::exists(home.file("o.html")));

    EXPECT_EQ(runCli({"blank-list", "--db", home.file("f.fdb"), home.file("leer.html")}).status, 0);
    EXPECT_EQ(home.read("leer.html"), htmlpages::blankList(catches(kFour)));
    EXPECT_TRUE(home.read("leer.html").startsWith(STYLE ROW("Fangdatum") ROW("Fangzeit")));
}
