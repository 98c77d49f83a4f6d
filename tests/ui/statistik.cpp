// The statistics window and the recommendation, opened from the "Statistik" menu of the real
// main window and driven as a user would.
#include "support/UiFixtures.h"
#include "ui/main/TfrmDetails.h"
#include "ui/stats/TfrmFangempfehlung.h"
#include "ui/stats/TfrmStatistik.h"

namespace {

// 12.06.2004 Saturday, 13.06.2004 Sunday, 07.05.2006 Sunday, 20.07.2006 Thursday.
void installLog(const TempHome& home)
{
    TTextTable db;
    // The overview figures of the main window read the fishing time.
    addCatch(db, {{"Angeldauer", "01:00"}, {"Fangdatum", "12.06.2004"}, {"Fangzeit", "07:45"}, {"Faenger", "Tom"}, {"Fischart", "Hecht"},
                  {"Laenge", "87"}, {"Gewicht", "4200"}, {"Koeder", "Wurm"}, {"Lufttemperatur", "12"},
                  {"Windrichtung", "NW"}});
    addCatch(db, {{"Angeldauer", "01:00"}, {"Fangdatum", "13.06.2004"}, {"Fangzeit", "08:10"}, {"Faenger", "Tom"}, {"Fischart", "Hecht"},
                  {"Laenge", "60"}, {"Gewicht", "2000"}, {"Koeder", "made"}});
    addCatch(db, {{"Angeldauer", "01:00"}, {"Fangdatum", "07.05.2006"}, {"Fangzeit", "00:30"}, {"Faenger", "Anna"}, {"Fischart", "Barsch"},
                  {"Laenge", "30"}, {"Gewicht", "800"}, {"Koeder", "Wurm"}, {"Lufttemperatur", "5"}});
    addCatch(db, {{"Angeldauer", "01:00"}, {"Fangdatum", "20.07.2006"}, {"Fangzeit", "09:00"}, {"Faenger", "Anna"}, {"Fischart", "Hecht"},
                  {"Laenge", "70"}, {"Gewicht", "4200"}, {"Koeder", "Made"}, {"Windrichtung", "NW"}});
    db.saveOrThrow(home.file("fang.fdb"));
    IniFile::settings().writeString("DB", "File", home.file("fang.fdb"));
    catchdb::createFile(home.file("kosten.akdb"), catchdb::Kind::Costs);
    IniFile::settings().writeString("AKDB", "File", home.file("kosten.akdb"));
    home.write("DATs/Faenger.dat", "Tom\r\nAnna\r\n");
    home.write("DATs/Koeder.dat", "Wurm\r\nMade\r\n");
}

QAction* statistikItem(TfrmMain& w, const QString& text)
{
    for (QAction* a : w.mnuStatistik->actions())
        if (shownText(a->text()) == text)
            return a;
    qFatal("no Statistik item %s", qPrintable(text));
    return nullptr;
}

// Triggers a menu item; `inside` runs once the modal window of type W is up and must close it.
template <class W>
bool whileShown(QAction* item, const std::function<void(W*)>& inside)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* w = dynamic_cast<W*>(QApplication::activeModalWidget())) {
            seen = true;
            inside(w);
        }
    });
    item->trigger();
    return seen;
}

void pick(QComboBox* box, const QString& text)
{
    const int i = box->findText(text);
    if (i < 0)
        qFatal("no entry %s", qPrintable(text));
    box->setCurrentIndex(i);
}

QStringList items(const QComboBox* box) { return columnTexts(box->model()); }

QStringList rowTexts(const StatListView* v)
{
    QStringList out;
    for (const auto& r : v->rows())
        out << r.first + "|" + r.second;
    return out;
}

void clickHeader(StatListView* v, int column)
{
    QHeaderView* header = v->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

} // namespace

class StatistikTest : public QObject {
    Q_OBJECT
private slots:
    void pagesSortingAndRecordsForAllAnglers()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home);
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* stats = w.findChild<TfrmStatistik*>();
        QVERIFY(stats);

        struct {
            QStringList species, years, labels, koeder, sorted, reversed, baits, baitLabels, baitSpecies, wind, air;
            QString caption, koederCaption, rekord, details, baitDetails, reloaded;
            QSize size;
        } seen;
        const bool shown = whileShown<TfrmStatistik>(statistikItem(w, "Gesamt"), [&](TfrmStatistik* s) {
            seen.caption = s->windowTitle();
            seen.size = s->size();
            seen.species = items(s->cb_fischart);
            seen.years = items(s->cb_jahr);
            pick(s->cb_fischart, "Hecht");
            seen.labels = QStringList{s->lb_gefangeneFische->text(), s->lb_laenge->text(), s->lb_gewicht->text(),
                                      s->lb_monat->text(),           s->lb_tag->text(),    s->lb_fangzeit->text()};
            seen.rekord = s->lb_rekord->text();
            seen.koeder = rowTexts(s->lv_koeder);
            clickHeader(s->lv_koeder, 0);
            seen.sorted = rowTexts(s->lv_koeder);
            clickHeader(s->lv_koeder, 0);
            seen.reversed = rowTexts(s->lv_koeder);

            // The record opens the details window of its row.
            QTimer::singleShot(0, [&] {
                if (auto* d = qobject_cast<TfrmDetails*>(QApplication::activeModalWidget())) {
                    seen.details = d->lb_fangdatum->text();
                    d->close();
                }
            });
            QTest::mouseClick(s->lb_rekord, Qt::LeftButton);

            // A year reloads the species list only; the figures stay.
            pick(s->cb_jahr, "2006");
            seen.reloaded = items(s->cb_fischart).join(',') + ";" + s->lb_gefangeneFische->text();

            s->PageControl1->setCurrentIndex(1);
            seen.koederCaption = s->windowTitle();
            seen.baits = items(s->cb_koeder);
            pick(s->cb_koeder, "made");
            seen.baitLabels = QStringList{s->lb_koedergefangenefische->text(), s->lb_koederlaenge->text(),
                                          s->lb_koederrekord->text()};
            seen.baitSpecies = rowTexts(s->lv_koederfischarten);
            QTimer::singleShot(0, [&] {
                if (auto* d = qobject_cast<TfrmDetails*>(QApplication::activeModalWidget())) {
                    seen.baitDetails = d->lb_fangdatum->text();
                    d->close();
                }
            });
            QTest::mouseClick(s->lb_koederrekord, Qt::LeftButton);

            s->PageControl1->setCurrentIndex(2);
            pick(s->cb_wetterfischart, "Hecht");
            seen.wind = rowTexts(s->lv_wetterwindrichtung);
            seen.air = rowTexts(s->lv_wetterltemp);
            QTest::mouseClick(s->BitBtn1, Qt::LeftButton);
        });
        QVERIFY(shown);
        QVERIFY(!stats->isVisible());
        QCOMPARE(seen.caption, QString("Statistik"));
        QCOMPARE(stats->minimumSize(), stats->maximumSize());
        QCOMPARE(seen.species, QStringList({"--Gesamt--", "Barsch", "Hecht"}));
        QCOMPARE(seen.years, QStringList({"-Alle-", "2006", "2004"}));
        // Hecht: 87, 60, 70 cm; 4200, 2000, 4200 g; June twice; Saturday, Sunday, Thursday once
        // each (Sunday comes first).
        QCOMPARE(seen.labels, QStringList({"3", "72,33", "3466,67", "Juni", "Sonntag", "7-8 Uhr"}));
        QCOMPARE(seen.rekord, QString("Länge: 87,00 cm\nGewicht: 4200,00 g\ngefangen am Samstag, 12.06.2004\n"
                                      "um 07:45:00 Uhr\nmit Wurm"));
        QCOMPARE(seen.koeder, QStringList({"2|Made", "1|Wurm"}));
        QCOMPARE(seen.sorted, seen.koeder);
        QCOMPARE(seen.reversed, QStringList({"1|Wurm", "2|Made"}));
        QVERIFY2(seen.details.contains("12.06.2004"), qPrintable(seen.details));
        QCOMPARE(seen.reloaded, QString("--Gesamt--,Barsch,Hecht;3"));
        QCOMPARE(seen.koederCaption, QString("Statistik - Köder"));
        QCOMPARE(seen.baits, QStringList({"made", "Wurm"}));
        QCOMPARE(seen.baitLabels, QStringList({"1", "60,00",
                                               "Hecht\nLänge: 60,00 cm\nGewicht: 2000,00 g\n"
                                               "gefangen am Sonntag, 13.06.2004\num 08:10:00 Uhr"}));
        QCOMPARE(seen.baitSpecies, QStringList({"1|Hecht"}));
        QVERIFY2(seen.baitDetails.contains("13.06.2004"), qPrintable(seen.baitDetails));
        QCOMPARE(seen.wind, QStringList({"NW|2"}));
        QCOMPARE(seen.air, QStringList({"12|1"}));
    }

    void anglerModeRecommendationAndErrors()
    {
        TempHome home;
        ScriptedInteraction ui;
        installLog(home);
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* stats = w.findChild<TfrmStatistik*>();
        trace::setEnabled(true);

        // Opened for Anna: her species and years only, the species page emptied.
        QStringList species, years;
        QString count, emptied;
        QVERIFY(whileShown<TfrmStatistik>(statistikItem(w, "Anna"), [&](TfrmStatistik* s) {
            emptied = s->lb_gefangeneFische->text() + s->lb_rekord->text();
            species = items(s->cb_fischart);
            years = items(s->cb_jahr);
            pick(s->cb_fischart, "--Gesamt--");
            count = s->lb_gefangeneFische->text();
            s->close();
        }));
        trace::setEnabled(false);
        QCOMPARE(species, QStringList({"--Gesamt--", "Barsch", "Hecht"}));
        QCOMPARE(years, QStringList({"-Alle-", "2006"}));
        QCOMPARE(count, QString("2"));
        QCOMPARE(emptied, QString());
        QCOMPARE(stats->anglerFilter(), QString("Anna"));
        const QString log = traceText(home);
        for (const char* step : {"Statistik: cbload(0)", "Statistik: loadjahrcb(Anna)", "Statistik: loadwettercb(0)",
                                 "Statistik: loadkoedercb(0)", "Statistik: loadjahrcb(--Gesamt--;0)"})
            QVERIFY2(log.contains(step), step);

        // The recommendation keeps Anna's candidates but counts Tom's catches too.
        QStringList rows;
        QString title;
        QSize size;
        QVERIFY(whileShown<TfrmFangempfehlung>(statistikItem(w, "Wann angeln gehen?"), [&](TfrmFangempfehlung* d) {
            title = d->windowTitle();
            size = d->size();
            for (int r = 0; r < d->ListView1->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < 5; ++c)
                    cells << d->ListView1->item(r, c)->text();
                rows << cells.join('|');
            }
            QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        }));
        QCOMPARE(title, QString("Fangempfehlung"));
        QCOMPARE(size, QSize(400, 350));
        QCOMPARE(rows.size(), 12);
        QCOMPARE(rows[0], QString("Januar||||"));
        QCOMPARE(rows[4], QString("Mai|Sonntag|Barsch|0 Uhr|Wurm"));
        QCOMPARE(rows[5], QString("Juni|Sonntag|Hecht|7 Uhr|Wurm"));
        QCOMPARE(rows[6], QString("Juli|Donnerstag|Hecht|9 Uhr|Made"));
        QVERIFY(!stats->isVisible());
        QCOMPARE(stats->anglerFilter(), QString("Anna"));

        // A date that cannot be read: the "Fehler" box, no window.
        w.session().DB.setValue(3, w.session().DB.FieldIndex("Fangdatum"), "31.02.2006");
        QVERIFY(!whileShown<TfrmStatistik>(statistikItem(w, "Gesamt"), [](TfrmStatistik* s) { s->close(); }));
        QCOMPARE(ui.texts("error"), QStringList({"Zeile 3, Feld Fangdatum: '31.02.2006' is not a valid date"}));
    }
};

FK_UI_TEST_MAIN(StatistikTest)
#include "statistik.moc"
