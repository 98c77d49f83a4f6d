// Prices, money texts, the costs list with its filters and sort orders, the year overview,
// the search and the changes that write the cost file.
#include "TempHome.h"
#include "costs/Costs.h"
#include "base/FkError.h"
#include "base/Win1252.h"
#include "data/CatchDatabase.h"
#include "data/Session.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace costs;

namespace {

struct Purchase {
    QByteArray date, shop, article, qty, unit, total, totalShipping;
};

TTextTable costTable(const QList<Purchase>& purchases)
{
    TTextTable t = catchdb::emptyTable(catchdb::Kind::Costs);
    for (const Purchase& p : purchases) {
        t.AddRow();
        t.SetData("Kaufdatum", p.date);
        t.SetData("Geschaeft", p.shop);
        t.SetData("Artikel", p.article);
        t.SetData("Menge", p.qty);
        t.SetData("Einzelpreis", p.unit);
        t.SetData("Gesamtpreis", p.total);
        t.SetData("GesamtpreisVersand", p.totalShipping);
    }
    return t;
}

QList<int> rows(const QList<CostLine>& lines)
{
    QList<int> out;
    for (const CostLine& l : lines)
        out.append(l.row);
    return out;
}

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const FkError& e) {
        return e.message();
    }
    return {};
}

// Six purchases in 2003 and 2004, two shops in two spellings.
TTextTable sample()
{
    return costTable({
        {"12.03.2003", "Angelladen", "Rute", "1", "49,90", "49,90", "49,90"},
        {"05.06.2004", "Versand24", "Haken", "10", "0,25", "2,50", "3,00"},
        {"01.02.2004", "angelladen", "Steckrute", "1", "89,00", "89,00", "89,00"},
        {"05.06.2004", "Versand24", "Schnur", "2", "4,50", "9,00", "10,50"},
        {"30.12.2003", "Angelladen", "K\xf6" "der", "3", "2,00", "6,00", "6,00"},
        {"20.07.2004", "Angelladen", "\xd6" "se", "", "1,00", "1,00", "1,00"},
    });
}

} // namespace

TEST(CostPrices, LineWithShippingShare)
{
    const Price p = computePrice("1,99", "2", "4,50", "3");
    EXPECT_EQ(p.einzelpreis, "1,99");
    EXPECT_EQ(p.gesamtpreis, "3,98");
    EXPECT_EQ(p.gesamtpreisVersand, "6,98");

    // No shipping: both totals agree; a whole price gets its decimals.
    const Price free = computePrice("2", "3", "", "5");
    EXPECT_EQ(free.einzelpreis, "2,00");
    EXPECT_EQ(free.gesamtpreis, "6,00");
    EXPECT_EQ(free.gesamtpreisVersand, "6,00");

    // The share is computed on the unrounded inputs: 5 / 3 * 1 = 1,6666...
    EXPECT_EQ(computePrice("0,10", "1", "5", "3").gesamtpreisVersand, "1,77");
}

TEST(CostPrices, BadInputIsRefusedInGerman)
{
    const QString zero = errorOf([] { computePrice("1,99", "2", "4,50", "0"); });
    EXPECT_TRUE(zero.contains("Artikelanzahl")) << zero.toStdString();
    const QString missing = errorOf([] { computePrice("1,99", "2", "4,50", " "); });
    EXPECT_TRUE(missing.contains("Artikelanzahl")) << missing.toStdString();
    EXPECT_FALSE(errorOf([] { computePrice("1,99", "2", "", "-2"); }).isEmpty());
    EXPECT_TRUE(errorOf([] { computePrice("1,99", "", "", "2"); }).contains("Menge"));
    EXPECT_THROW(computePrice("1.99x", "2", "", "2"), EConvertError);
    EXPECT_THROW(computePrice("1,99", "2,5", "", "2"), EConvertError);
    EXPECT_THROW(computePrice("1,99", "2", "frei", "2"), EConvertError);

    // A shop the cost file cannot store makes no line.
    const QString shop = errorOf([] { pendingLine(QDate(2004, 6, 5), QString::fromUtf8("Łódź"), "Rute", "1", "1", "", "1"); });
    EXPECT_TRUE(shop.contains(QString::fromUtf8("Geschäft"))) << shop.toStdString();

    const PendingLine l = pendingLine(QDate(2004, 6, 5), "Versand24", "Schnur", "2", "4,5", "3", "4");
    EXPECT_EQ(l.kaufdatum, "05.06.2004");
    EXPECT_EQ(l.menge, "2");
    EXPECT_EQ(l.price.gesamtpreisVersand, "10,50");
}

TEST(CostPrices, MoneyTextsRoundToEightDigitsThenTwoDecimals)
{
    EXPECT_EQ(formatMoney(0), "0,00");
    EXPECT_EQ(formatMoney(12.5L), "12,50");
    EXPECT_EQ(formatMoney(0.005L), "0,01");
    EXPECT_EQ(formatMoney(2.675L), "2,68");
    EXPECT_EQ(formatMoney(99.995L), "100,00");
    EXPECT_EQ(formatMoney(-1.5L), "-1,50");
    EXPECT_EQ(formatMoney(-0.004L), "0,00");
    EXPECT_EQ(formatMoney(1234.5L), "1234,50"); // no thousands separator
    // Eight significant digits leave one decimal here ...
    EXPECT_EQ(formatMoney(1234567.891L), "1234567,90");
    EXPECT_EQ(formatMoney(12345678.4L), "12345678,00");
    // ... and none beyond eight digits before the point.
    EXPECT_EQ(formatMoney(123456789.0L), "1,2345679E+8");
    EXPECT_EQ(formatMoney(1e10L), "1E+10");
    // Binary noise of a sum disappears.
    EXPECT_EQ(formatMoney(0.1L + 0.2L), "0,30");
    EXPECT_EQ(moneyLabel(3.98L), QString::fromUtf8("3,98 €"));
    EXPECT_DOUBLE_EQ(double(readMoney("12,50")), 12.5);
    EXPECT_THROW(readMoney("12.50"), EConvertError);
}

TEST(CostList, FiltersSumsAndNewestFirst)
{
    const TTextTable t = sample();
    CostListSorter sorter;
    CostList all = fillCostList(t, kAlle, kAlle);
    EXPECT_EQ(rows(all.lines), (QList<int>{6, 5, 4, 3, 2, 1}));
    sorter.afterFill(all.lines);
    // Newest first; the two purchases of 05.06.2004 keep the later row first.
    EXPECT_EQ(rows(all.lines), (QList<int>{6, 4, 2, 3, 5, 1}));
    EXPECT_EQ(all.einzelpreisLabel(), QString::fromUtf8("146,65 €")); // unit prices, not times the quantity
    EXPECT_EQ(all.gesamtpreisLabel(), QString::fromUtf8("159,40 €"));
    EXPECT_EQ(all.lines[0].menge, ""); // a missing quantity stays empty
    EXPECT_EQ(all.lines[0].artikel, QString::fromUtf8("Öse"));

    CostList y2004 = fillCostList(t, "2004", kAlle);
    sorter.afterFill(y2004.lines);
    EXPECT_EQ(rows(y2004.lines), (QList<int>{6, 4, 2, 3}));
    EXPECT_EQ(y2004.gesamtpreisLabel(), QString::fromUtf8("103,50 €"));
    EXPECT_EQ(y2004.einzelpreisLabel(), QString::fromUtf8("94,75 €"));

    // The shop filter is exact: "angelladen" is another shop than "Angelladen".
    EXPECT_EQ(rows(fillCostList(t, kAlle, "Angelladen").lines), (QList<int>{6, 5, 1}));
    EXPECT_EQ(rows(fillCostList(t, "2004", "angelladen").lines), (QList<int>{3}));
    EXPECT_TRUE(fillCostList(t, "2002", kAlle).lines.isEmpty());
    EXPECT_EQ(rowsOfYear(t, 2004), (QList<int>{2, 3, 4, 6}));
    EXPECT_EQ(rowsOfYear(t, 0).size(), 6);

    const CostList none = fillCostList(catchdb::emptyTable(catchdb::Kind::Costs), kAlle, kAlle);
    EXPECT_TRUE(none.lines.isEmpty());
    EXPECT_EQ(none.einzelpreisLabel(), QString::fromUtf8("0,00 €"));
    EXPECT_EQ(none.gesamtpreisLabel(), QString::fromUtf8("0,00 €"));
}

TEST(CostList, FilterBoxes)
{
    const FilterBoxes boxes = filterBoxes(sample(), QDate(2006, 1, 15));
    EXPECT_EQ(boxes.years, (QStringList{"-Alle-", "2006", "2005", "2004", "2003"}));
    // One form per shop, the first met.
    EXPECT_EQ(boxes.shops, (QStringList{"-Alle-", "Angelladen", "Versand24"}));

    const FilterBoxes empty = filterBoxes(catchdb::emptyTable(catchdb::Kind::Costs), QDate(2006, 1, 15));
    EXPECT_EQ(empty.years, (QStringList{"-Alle-", "2006"}));
    EXPECT_EQ(empty.shops, (QStringList{"-Alle-"}));
}

TEST(CostList, StoredValuesThatDoNotConvert)
{
    const TTextTable t = costTable({{"01.01.2004", "A", "x", "1", "1,00", "1,00", "1,00"},
                                    {"31.02.2004", "A", "y", "1", "1,00", "1,00", "1,00"},
                                    {"02.01.2004", "B", "z", "1", "1,00", "1,00", "zwei"}});
    const QString date = errorOf([&] { filterBoxes(t, QDate(2006, 1, 1)); });
    EXPECT_EQ(date, "Angelkosten Zeile 2, Kaufdatum: '31.02.2004' is not a valid date");
    EXPECT_THROW(fillCostList(t, "2004", kAlle), EConvertError);
    EXPECT_THROW(yearOverview(t, 2006), EConvertError);
    // Without a year filter dates are not read; the bad price still stops the sums.
    const QString price = errorOf([&] { fillCostList(t, kAlle, "B"); });
    EXPECT_EQ(price, "Angelkosten Zeile 3, GesamtpreisVersand: 'zwei' is not a valid floating point value");
    EXPECT_EQ(fillCostList(t, kAlle, "A").lines.size(), 2);
}

TEST(CostList, ColumnSorts)
{
    const TTextTable t = costTable({
        {"01.01.2004", "b-Laden", "x", "2", "10,00", "1,00", "9,50"},
        {"kein Datum", "B-Laden", "y", "12", "9,99", "1,00", "10,00"},
        {"03.01.2004", "a-Laden", "z", "3 Stk", "100,00", "1,00", "0,50"},
        {"02.01.2004", "Ä-Laden", "w", "", "0,50", "1,00", "2,00"},
    });
    CostListSorter sorter;
    QList<CostLine> lines = fillCostList(t, kAlle, kAlle).lines;

    sorter.columnClicked(lines, ColMenge); // larger quantities first; "3 Stk" counts 3, "" 0
    EXPECT_EQ(rows(lines), (QList<int>{2, 3, 1, 4}));
    EXPECT_EQ(sorter.kind(), SortKind::Integer);
    sorter.columnClicked(lines, ColMenge);
    EXPECT_EQ(rows(lines), (QList<int>{4, 1, 3, 2}));

    sorter.columnClicked(lines, ColEinzelpreis); // numbers, not text: 9,99 before 10,00
    EXPECT_EQ(rows(lines), (QList<int>{4, 2, 1, 3}));
    sorter.columnClicked(lines, ColEinzelpreis);
    EXPECT_EQ(rows(lines), (QList<int>{3, 1, 2, 4}));

    sorter.columnClicked(lines, ColDatum); // a text that is no date counts as the oldest
    EXPECT_EQ(rows(lines), (QList<int>{2, 1, 4, 3}));
    EXPECT_TRUE(sorter.descending(ColDatum));

    sorter.columnClicked(lines, ColGeschaeft); // German order, lower case before upper case
    EXPECT_EQ(rows(lines), (QList<int>{3, 4, 1, 2}));

    // A refill sets the date flag: the first click sorts newest first, the next oldest first.
    lines = fillCostList(t, kAlle, kAlle).lines;
    sorter.afterFill(lines);
    EXPECT_EQ(rows(lines), (QList<int>{3, 4, 1, 2}));
    sorter.columnClicked(lines, ColDatum);
    EXPECT_EQ(rows(lines), (QList<int>{3, 4, 1, 2}));
    sorter.columnClicked(lines, ColDatum);
    EXPECT_EQ(rows(lines), (QList<int>{2, 1, 4, 3}));

    // A price that is no number stops the sort and moves nothing.
    QList<CostLine> bad = {{2, "01.01.2004", "A", "x", "1", "5,00", "1,00"},
                           {1, "01.01.2004", "A", "x", "1", "1,00", "1,00"},
                           {3, "01.01.2004", "A", "x", "1", "?", "1,00"}};
    EXPECT_THROW(sorter.columnClicked(bad, ColEinzelpreis), EConvertError);
    EXPECT_EQ(rows(bad), (QList<int>{2, 1, 3}));
}

TEST(CostYears, TotalsAndComparisons)
{
    // 2003 only: one line, nothing to compare with.
    const QList<YearLine> one = yearOverview(costTable({{"12.03.2003", "A", "Rute", "1", "100,00", "100,00", "100,00"}}), 2026);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].year, 2003);
    EXPECT_EQ(one[0].slot, 23);
    EXPECT_EQ(one[0].amount, "100,00");
    EXPECT_EQ(one[0].diffEuro, "0");
    EXPECT_EQ(one[0].diffPercent, "0");
    EXPECT_EQ(one[0].trend, 0);

    const QList<YearLine> lines = yearOverview(costTable({
                                                   {"12.03.2003", "A", "Rute", "1", "60,00", "60,00", "60,00"},
                                                   {"30.12.2003", "A", "Rute", "1", "40,00", "40,00", "40,00"},
                                                   {"01.01.2004", "A", "Rute", "1", "150,00", "150,00", "150,00"},
                                                   {"01.01.2005", "A", "Rute", "1", "30,00", "30,00", "30,00"},
                                                   {"01.01.2007", "A", "Rute", "1", "30,00", "30,00", "30,00"},
                                                   {"01.01.2027", "A", "Rute", "1", "99,00", "99,00", "99,00"},
                                                   {"01.01.1966", "A", "Rute", "1", "5,00", "5,00", "5,00"},
                                                   {"01.01.1965", "A", "Rute", "1", "7,00", "7,00", "7,00"},
                                               }),
                                               2026);
    ASSERT_EQ(lines.size(), 5);
    // Newest first; 2027 is in the future and 1965 more than 60 years back: not counted.
    EXPECT_EQ(lines[0].year, 2007);
    EXPECT_EQ(lines[0].diffEuro, "0"); // 2006 had nothing
    EXPECT_EQ(lines[1].year, 2005);
    EXPECT_EQ(lines[1].diffEuro, "-120,00");
    EXPECT_EQ(lines[1].diffPercent, "-80,00");
    EXPECT_EQ(lines[1].trend, -1);
    EXPECT_EQ(lines[2].year, 2004);
    EXPECT_EQ(lines[2].amount, "150,00");
    EXPECT_EQ(lines[2].diffEuro, "50,00");
    EXPECT_EQ(lines[2].diffPercent, "50,00");
    EXPECT_EQ(lines[2].trend, 1);
    EXPECT_EQ(lines[3].year, 2003);
    EXPECT_EQ(lines[3].amount, "100,00");
    EXPECT_EQ(lines[4].year, 1966);
    EXPECT_EQ(lines[4].slot, 60);
    EXPECT_EQ(lines[4].diffEuro, "0"); // the year before the last slot counts as zero

    // The same amount in two years written differently: no colour.
    const QList<YearLine> same = yearOverview(costTable({{"01.01.2004", "A", "x", "1", "0,1", "0,1", "0,1"},
                                                         {"01.01.2004", "A", "x", "1", "0,2", "0,2", "0,2"},
                                                         {"01.01.2005", "A", "x", "1", "0,3", "0,3", "0,3"}}),
                                              2026);
    ASSERT_EQ(same.size(), 2);
    EXPECT_EQ(same[0].diffEuro, "0,00");
    EXPECT_EQ(same[0].trend, 0);

    EXPECT_TRUE(yearOverview(catchdb::emptyTable(catchdb::Kind::Costs), 2026).isEmpty());
}

TEST(CostSearch, ShopOrArticleIgnoringAsciiCase)
{
    const TTextTable t = sample();
    EXPECT_EQ(rows(searchCosts(t, "rute")), (QList<int>{1, 3}));
    EXPECT_EQ(rows(searchCosts(t, "ANGEL")), (QList<int>{1, 3, 5, 6})); // in the shop
    EXPECT_EQ(rows(searchCosts(t, QString::fromUtf8("öse"))), QList<int>{}); // ö does not find Ö
    EXPECT_EQ(rows(searchCosts(t, QString::fromUtf8("Öse"))), QList<int>{6});
    EXPECT_EQ(rows(searchCosts(t, QString::fromUtf8("kö"))), QList<int>{5});
    EXPECT_TRUE(searchCosts(t, "").isEmpty());
    const CostLine hit = searchCosts(t, "schnur").value(0);
    EXPECT_EQ(hit.row, 4);
    EXPECT_EQ(hit.kaufdatum, "05.06.2004");
    EXPECT_EQ(hit.einzelpreis, "4,50");
    EXPECT_EQ(hit.gesamtpreisVersand, "10,50");
}

TEST(CostChanges, AddEditDeleteWriteTheFile)
{
    TempHome home;
    Session s;
    s.akdbPath = home.file("k.akdb");
    s.AKDB = catchdb::emptyTable(catchdb::Kind::Costs);
    addPurchases(s, {pendingLine(QDate(2004, 6, 5), QString::fromUtf8("Gerätehaus"), "Rute", "2", "1,99", "4,50", "3"),
                     pendingLine(QDate(2004, 6, 5), QString::fromUtf8("Gerätehaus"), "Haken", "1", "0,5", "4,50", "3")});
    const QByteArray header = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n";
    EXPECT_EQ(home.read("k.akdb"), header + "05.06.2004;Ger\xe4tehaus;Rute;2;1,99;3,98;6,98\r\n"
                                            "05.06.2004;Ger\xe4tehaus;Haken;1;0,50;0,50;2,00\r\n");

    // Edit: texts as typed, the quantity does not recompute the price.
    CostEdit e = readForEdit(s.AKDB, 1);
    EXPECT_EQ(e.kaufdatum, QDate(2004, 6, 5));
    EXPECT_EQ(e.gesamtpreisVersand, "6,98");
    e.menge = "5";
    e.gesamtpreisVersand = "7,5";
    e.kaufdatum = QDate(2004, 6, 7);
    saveEdit(s, 1, e);
    EXPECT_EQ(home.read("k.akdb"), header + "07.06.2004;Ger\xe4tehaus;Rute;5;1,99;3,98;7,5\r\n"
                                            "05.06.2004;Ger\xe4tehaus;Haken;1;0,50;0,50;2,00\r\n");
    // Values no later list could read are refused; nothing changes.
    for (auto bad : {&CostEdit::menge, &CostEdit::einzelpreis, &CostEdit::gesamtpreisVersand}) {
        CostEdit b = e;
        b.*bad = "viel";
        EXPECT_THROW(saveEdit(s, 1, b), FkError);
    }
    EXPECT_EQ(s.AKDB.value(1, s.AKDB.FieldIndex("Menge")), "5");

    // A catch table opened as cost table takes no purchase.
    Session wrong;
    wrong.akdbPath = home.file("f.akdb");
    wrong.AKDB = catchdb::emptyTable(catchdb::Kind::Catches);
    const QString missing = errorOf([&] { addPurchases(wrong, {pendingLine(QDate(2004, 6, 5), "A", "B", "1", "1", "", "1")}); });
    EXPECT_TRUE(missing.contains("Kaufdatum")) << missing.toStdString();
    EXPECT_EQ(wrong.AKDB.RowCount(), 0);
    EXPECT_FALSE(QFile::exists(wrong.akdbPath));
    Session none;
    EXPECT_TRUE(errorOf([&] { addPurchases(none, {}); }).contains("keine Angelkosten-Datenbank"));

    deleteCost(s, 1);
    EXPECT_EQ(home.read("k.akdb"), header + "05.06.2004;Ger\xe4tehaus;Haken;1;0,50;0,50;2,00\r\n");
    EXPECT_THROW(deleteCost(s, 2), FkError);
}

TEST(CostChanges, FailedWriteLeavesTableAsFile)
{
    TempHome home;
    Session s;
    s.AKDB = sample();
    s.akdbPath = home.file("gibt/es/nicht/k.akdb");
    const QByteArray before = s.AKDB.toBytes();

    EXPECT_THROW(addPurchases(s, {pendingLine(QDate(2004, 6, 5), "A", "Rute", "1", "1", "", "1")}), EFileError);
    EXPECT_EQ(s.AKDB.toBytes(), before);
    CostEdit e = readForEdit(s.AKDB, 2);
    e.menge = "99";
    EXPECT_THROW(saveEdit(s, 2, e), EFileError);
    EXPECT_EQ(s.AKDB.toBytes(), before);
    EXPECT_THROW(deleteCost(s, 2), EFileError);
    EXPECT_EQ(s.AKDB.toBytes(), before);
    EXPECT_EQ(s.AKDB.RowCount(), 6);
}
