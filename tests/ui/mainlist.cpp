// The main catch list reads its cells from the catch table when they are shown: every cell
// matches its row, the sort indicator follows the clicks, and a row the table no longer
// has shows empty cells instead of old or foreign ones.
#include "support/UiFixtures.h"
#include "data/CatchListView.h"

namespace {

// Fields of the five visible columns, as the table holds them.
QStringList tableTexts(const TTextTable& db, const QList<int>& rows, const char* field)
{
    QStringList out;
    const int column = db.FieldIndex(field);
    for (int r : rows)
        out.append(win1252::decode(db.value(r, column)));
    return out;
}

} // namespace

class CatchListTest : public QObject {
    Q_OBJECT
private slots:
    void everyCellShowsItsRowAfterFillAndSorts()
    {
        // Enough rows for several years, equal dates, empty and odd cells, umlauts.
        std::vector<TestCatch> catches;
        const char* species[] = {"Hecht", "\xC4sche", "Aal", "hecht", ""};
        const char* anglers[] = {"Tom", "Anna", "J\xFCrgen"};
        const char* lengths[] = {"60", "45,5", "", "7", "120"};
        for (int i = 0; i < 300; ++i)
            catches.push_back({QStringLiteral("%1.%2.%3")
                                   .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                   .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                   .arg(2000 + i % 9)
                                   .toLatin1(),
                               anglers[i % 3], species[i % 5], lengths[i % 5], QByteArray::number(i * 37 % 5000)});
        MainEnv env(catches);
        TfrmMain& w = env.open(true);
        const TTextTable& db = w.session().DB;
        const auto check = [&](const char* when) {
            const QList<int> rows = listIds(w);
            for (int c = catchlist::ColFangdatum; c <= catchlist::ColGewicht; ++c)
                QVERIFY2(columnTexts(w.listModel, c) == tableTexts(db, rows, catchlist::visibleFields()[size_t(c - 1)]),
                         when);
            QStringList ids;
            for (int r : rows)
                ids << QString::number(r);
            QVERIFY2(columnTexts(w.listModel, catchlist::ColId) == ids, when);
        };

        QCOMPARE(listIds(w), (QList<int>{300, 299, 298, 297, 296, 295, 294, 293, 292, 291}));
        check("last entries");
        w.cb_gehezu->setCurrentIndex(1);
        QCOMPARE(w.listModel->rowCount(), 300);
        check("all catches");
        QHeaderView* header = w.ListView1->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), int(catchlist::ColFangdatum));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);

        // Each click sorts, shows which column and way, and every row keeps its own cells.
        const std::pair<int, Qt::SortOrder> clicks[] = {{catchlist::ColLaenge, Qt::AscendingOrder},
                                                        {catchlist::ColFischart, Qt::AscendingOrder},
                                                        {catchlist::ColLaenge, Qt::DescendingOrder},
                                                        {catchlist::ColFaenger, Qt::AscendingOrder},
                                                        {catchlist::ColGewicht, Qt::AscendingOrder}};
        for (const auto& [column, order] : clicks) {
            w.ListView1ColumnClick(column);
            QCOMPARE(header->sortIndicatorSection(), column);
            QCOMPARE(header->sortIndicatorOrder(), order);
            check("after a click");
        }
        QCOMPARE(columnTexts(w.listModel, catchlist::ColGewicht).first(), QStringLiteral("4995"));

        w.cb_jahr->setCurrentIndex(w.cb_jahr->findText("2003"));
        QCOMPARE(w.listModel->rowCount(), 33);
        check("one year");
        // The overview cannot read "45,5" as a whole number and says so; the list shows anyway.
        const QStringList errors = env.ui.texts("error");
        QCOMPARE(errors.size(), env.ui.messages.size());
        QVERIFY(!errors.isEmpty());
        for (const QString& e : errors)
            QVERIFY2(e.endsWith(QStringLiteral("'45,5' is not a valid integer value")), qPrintable(e));
    }

    void rowsTheTableNoLongerHasShowEmptyCells()
    {
        TTextTable db = catchTable(sampleCatches());
        CatchListModel model;
        model.setRows(db, {6, 5, 1});
        QCOMPARE(columnTexts(&model, catchlist::ColFischart), (QStringList{"Hecht", "Schleie", "Hecht"}));
        QCOMPARE(columnTexts(&model, catchlist::ColFangdatum), (QStringList{"20.07.2006", "12.06.2005", "07.05.2006"}));

        // A value changed in the table shows at once; a row gone leaves its cells empty.
        db.GoToRow(1);
        db.SetData("Fischart", "Zander");
        db.GoToRow(6);
        db.DeleteRow();
        QCOMPARE(columnTexts(&model, catchlist::ColFischart), (QStringList{"", "Schleie", "Zander"}));
        QCOMPARE(columnTexts(&model, catchlist::ColId), (QStringList{"6", "5", "1"}));
        QCOMPARE(model.listRowOf(5), 1);
        QCOMPARE(model.idAt(2), 1);
        QCOMPARE(model.idAt(3), 0);

        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.listRowOf(5), -1);
        QCOMPARE(model.sort(catchlist::ColFangdatum, catchlist::SortMode::Date, true), qint64(0));
    }
};

FK_UI_TEST_MAIN(CatchListTest)
#include "mainlist.moc"
