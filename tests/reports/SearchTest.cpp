// The catch search: which fields are searched, how letters compare, and the CLI lines.
#include "TempHome.h"
#include "data/CatchDatabase.h"
#include "reports/Search.h"

#include <gtest/gtest.h>

namespace {

void add(TTextTable& db, const QList<QPair<const char*, QByteArray>>& values)
{
    db.AddRow();
    db.SetData("Fangdatum", "01.05.2006");
    for (const auto& [field, value] : values)
        db.SetData(field, value);
}

TTextTable searchTable()
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    add(db, {{"Laenge", "12"}, {"Fischart", "Barsch"}, {"Faenger", "Tom"}, {"Gewicht", "300"}});     // 1
    add(db, {{"Gewicht", "1200"}, {"Fischart", "Hecht"}});                                         // 2
    add(db, {{"Bemerkungen", "Biss um 12 Uhr"}});                                                  // 3
    add(db, {{"Koeder", "Tauwurm"}});                                                              // 4
    add(db, {{"Bemerkungen", "Wurm"}});                                                            // 5
    add(db, {{"Stelle", "\xd6se"}});                                                               // 6 Öse
    add(db, {{"Koeder", "Wurm"}, {"Bemerkungen", "wurm und mehr wurm"}});                          // 7
    add(db, {{"Fangdatum", "12.05.2006"}, {"Faenger", "12er Club"}, {"Angelbeginn", "12:00"}});    // 8
    add(db, {{"Gewaesser", "WURMSEE"}});                                                           // 9
    add(db, {{"Mondphase", "Vollmond 12"}, {"Fischart", "Aal"}});                                  // 10
    return db;
}

QList<int> rows(const TTextTable& db, const QString& text)
{
    QList<int> out;
    for (const search::Hit& h : search::findCatches(db, text))
        out.append(h.row);
    return out;
}

} // namespace

TEST(Search, FieldsAndLetterCase)
{
    const TTextTable db = searchTable();
    // Length, weight, remark and moon phase; date, catcher and times are not searched.
    EXPECT_EQ(rows(db, "12"), (QList<int>{1, 2, 3, 10}));
    // A-Z without case in bait, remark and water; a catch matching twice is listed once.
    EXPECT_EQ(rows(db, "wurm"), (QList<int>{4, 5, 7, 9}));
    EXPECT_EQ(rows(db, "WuRm"), (QList<int>{4, 5, 7, 9}));
    // Umlauts keep their case.
    EXPECT_EQ(rows(db, QString::fromUtf8("öse")), QList<int>{});
    EXPECT_EQ(rows(db, QString::fromUtf8("Öse")), QList<int>{6});
    EXPECT_EQ(rows(db, QString::fromUtf8("ÖSE")), QList<int>{6});
    EXPECT_EQ(rows(db, ""), QList<int>{});
    EXPECT_EQ(rows(db, QString::fromUtf8("ł")), QList<int>{}); // no Windows-1252 form
    EXPECT_EQ(rows(db, "Vollmond"), QList<int>{10});

    const QList<search::Hit> hits = search::findCatches(db, "barsch");
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].row, 1);
    EXPECT_EQ(hits[0].fangdatum, "01.05.2006");
    EXPECT_EQ(hits[0].faenger, "Tom");
    EXPECT_EQ(hits[0].fischart, "Barsch");
    EXPECT_EQ(hits[0].laenge, "12");
    EXPECT_EQ(hits[0].gewicht, "300");

    // A table without some of the searched fields.
    TTextTable small;
    small.AddField("Fangdatum");
    small.AddField("Koeder");
    small.AddRow();
    small.SetData("Koeder", "Made");
    EXPECT_EQ(rows(small, "mad"), QList<int>{1});
    EXPECT_EQ(search::findCatches(small, "mad")[0].fischart, "");
}

TEST(Search, CliPrintsOneLinePerCatch)
{
    TempHome home;
    TTextTable db = searchTable();
    db.GoToRow(5);
    db.SetData("Faenger", "J\xfcrgen\tB.");
    db.saveOrThrow(home.file("f.fdb"));
    const CliResult r = runCli({"search", "--db", home.file("f.fdb"), "wurm"});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.out, "4\t01.05.2006\t\t\t\t\n"
                     "5\t01.05.2006\tJ\xc3\xbcrgen\\tB.\t\t\t\n"
                     "7\t01.05.2006\t\t\t\t\n"
                     "9\t01.05.2006\t\t\t\t\n");
    EXPECT_EQ(runCli({"search", "--db", home.file("f.fdb"), "barsch"}).out, "1\t01.05.2006\tTom\tBarsch\t12\t300\n");
    EXPECT_TRUE(runCli({"search", "--db", home.file("f.fdb"), "nichts"}).out.isEmpty());
    EXPECT_NE(runCli({"search", "--db", home.file("f.fdb")}).status, 0);
    EXPECT_NE(runCli({"search", "--db", home.file("fehlt.fdb"), "x"}).status, 0);
}
