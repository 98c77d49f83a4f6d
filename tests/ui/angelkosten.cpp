// The cost windows driven as a user drives them: purchases entered in the add dialog, the
// costs window's filters, sorting, edit and delete, the year overview and the search; the
// cost file and the main window's cost figure checked afterwards.
#include "support/UiFixtures.h"
#include "ui/costs/CostLineModel.h"
#include "ui/costs/TfrmAKSuchen.h"
#include "ui/costs/TfrmAKjahr.h"
#include "ui/costs/TfrmAngelkosten.h"
#include "ui/costs/TfrmAngelkostenAdd.h"
#include "ui/costs/TfrmAngelkostenEdit.h"

namespace {

const QByteArray kHeader = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;GesamtpreisVersand\r\n";

// Five purchases in 2003 to 2005 in two shops (one in two spellings).
const QByteArray kCosts = kHeader
                          + "12.03.2003;Angelladen;Rute;1;100,00;100,00;100,00\r\n"
                            "05.06.2004;Versand24;Haken;10;0,25;2,50;3,00\r\n"
                            "01.02.2004;angelladen;Steckrute;1;89,00;89,00;89,00\r\n"
                            "05.06.2004;Versand24;Schnur;2;4,50;9,00;58,00\r\n"
                            "30.12.2005;Angelladen;K\xf6" "der;3;2,00;6,00;6,00\r\n";

struct Env : MainEnv {
    FixedClock clock;
    TfrmMain& w;
    TfrmAngelkostenAdd* add;
    TfrmAngelkosten* list;
    TfrmAngelkostenEdit* edit;
    TfrmAKjahr* years;
    TfrmAKSuchen* search;

    explicit Env(const QByteArray& costs = kHeader) : w(prepared(costs))
    {
        add = w.findChild<TfrmAngelkostenAdd*>();
        list = w.findChild<TfrmAngelkosten*>();
        edit = w.findChild<TfrmAngelkostenEdit*>();
        years = w.findChild<TfrmAKjahr*>();
        search = w.findChild<TfrmAKSuchen*>();
        if (!add || !list || !edit || !years || !search)
            qFatal("cost windows missing");
    }
    TfrmMain& prepared(const QByteArray& costs)
    {
        setAppClock(&clock);
        home.write("kosten.akdb", costs);
        return open();
    }
    ~Env()
    {
        win.reset();
        setAppClock(nullptr);
    }
    QByteArray costs() const { return home.read("kosten.akdb"); }
    // Runs `inside` once the menu item's window is open, then closes it.
    void openWith(const char* action, QDialog* dialog, const std::function<void()>& inside)
    {
        QTimer::singleShot(0, [dialog, inside] {
            inside();
            if (dialog->isVisible())
                dialog->reject();
        });
        QAction* a = w.menuAction(QString::fromLatin1(action));
        QVERIFY(a && a->isEnabled());
        a->trigger();
    }
};

// Typed key by key; key clicks carry ASCII only, so other text is put in directly.
void type(QWidget* w, const QString& text)
{
    auto* e = qobject_cast<QLineEdit*>(w);
    auto* b = qobject_cast<QComboBox*>(w);
    if (e)
        e->clear();
    if (b)
        b->setEditText({});
    w->setFocus();
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(w, text);
    else if (e)
        e->setText(text);
    else if (b)
        b->setEditText(text);
}

QStringList row(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int c = 0; c < item->columnCount(); ++c)
        out << item->text(c);
    return out;
}

QStringList ids(const TfrmAngelkosten* list) { return columnTexts(list->listModel, 0); }

void clickHeader(QTableView* view, int column)
{
    QHeaderView* h = view->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, h->height() / 2));
}

} // namespace

class AngelkostenTest : public QObject {
    Q_OBJECT
private slots:
    void addDialogCollectsLinesAndSavesThemTogether();
    void addDialogRefusesBadInput();
    void costsWindowFiltersAndSorts();
    void editAndDeleteWriteBeforeTheListIsRefilled();
    void yearOverviewAndSearch();
};

void AngelkostenTest::addDialogCollectsLinesAndSavesThemTogether()
{
    Env env;
    env.home.write("DATs/AK_Geschaeft.dat", "Angelladen\r\n");
    env.clock.at = QDateTime(QDate(2004, 6, 5), QTime(10, 0));
    TfrmAngelkostenAdd* d = env.add;
    d->ed_artikelanzahl->setText("9"); // left from last time: kept
    env.openWith("aAKHinzufuegen", d, [&] {
        QCOMPARE(d->dt_kaufdatum->date(), QDate(2004, 6, 5));
        QCOMPARE(columnTexts(d->cb_geschaeft->model()), QStringList{"Angelladen"});
        QCOMPARE(d->cb_artikelbezeichnung->count(), 0);
        QCOMPARE(d->ed_artikelanzahl->text(), QStringLiteral("9"));

        type(d->cb_geschaeft, "angelladen");
        type(d->ed_artikelanzahl, "3");
        type(d->ed_menge, "2");
        type(d->cb_artikelbezeichnung, "Rute");
        type(d->ed_einzelpreis, "1,99");
        type(d->ed_versandkosten, "4,50");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        // Fields stay for the next article of the order.
        type(d->ed_menge, "1");
        type(d->cb_artikelbezeichnung, QString::fromUtf8("Köder"));
        type(d->ed_einzelpreis, "0,5");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        type(d->cb_artikelbezeichnung, "Blinker");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 3);
        QCOMPARE(row(d->ListView1->topLevelItem(0)),
                 (QStringList{"05.06.2004", "angelladen", "2", "Rute", "1,99", "3,98", "6,98"}));
        QCOMPARE(row(d->ListView1->topLevelItem(1)),
                 (QStringList{"05.06.2004", "angelladen", "1", QString::fromUtf8("Köder"), "0,50", "0,50", "2,00"}));

        // "Löschen" drops the selected pending line only.
        d->ListView1->setCurrentItem(d->ListView1->topLevelItem(2));
        d->Lschen1->trigger();
        QCOMPARE(d->ListView1->topLevelItemCount(), 2);
        // Not saved before "Speichern".
        QCOMPARE(env.costs(), kHeader);
        // The shop was known in another spelling; the new articles are remembered.
        QCOMPARE(env.home.read("DATs/AK_Geschaeft.dat"), QByteArray("Angelladen\r\n"));
        QCOMPARE(env.home.read("DATs/AK_Artikelbez.dat"), QByteArray("Rute\r\nK\xf6" "der\r\nBlinker\r\n"));
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    });
    QVERIFY(!d->isVisible());
    QCOMPARE(env.costs(), kHeader + "05.06.2004;angelladen;Rute;2;1,99;3,98;6,98\r\n"
                                    "05.06.2004;angelladen;K\xf6" "der;1;0,50;0,50;2,00\r\n");
    QCOMPARE(env.w.session().AKDB.RowCount(), 2);
    QCOMPARE(env.w.lb_angelkosten->text(), QString::fromUtf8("8,98 €"));
    QVERIFY(env.ui.texts("error").isEmpty());

    // Shown again: no pending lines, the lists read anew; "Abbrechen" drops new lines.
    env.openWith("aAKHinzufuegen", d, [&] {
        QCOMPARE(d->ListView1->topLevelItemCount(), 0);
        QCOMPARE(columnTexts(d->cb_artikelbezeichnung->model()), (QStringList{"Rute", QString::fromUtf8("Köder"), "Blinker"}));
        QCOMPARE(d->cb_geschaeft->currentText(), QString());
        type(d->cb_artikelbezeichnung, "Rute");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 1);
        QTest::mouseClick(d->BitBtn3, Qt::LeftButton);
    });
    QCOMPARE(env.w.session().AKDB.RowCount(), 2);
    QCOMPARE(env.costs().count("\r\n"), 3);
}

void AngelkostenTest::addDialogRefusesBadInput()
{
    Env env;
    TfrmAngelkostenAdd* d = env.add;
    env.openWith("aAKHinzufuegen", d, [&] {
        // The help text.
        QTest::mouseClick(d->BitBtn4, Qt::LeftButton);
        QCOMPARE(env.ui.texts("information").value(0), TfrmAngelkostenAdd::helpText());
        QVERIFY(TfrmAngelkostenAdd::helpText().contains("Artikelanzahl = Anzahl aller gekauften Artikel\n"));

        // Focus colours of the four number fields.
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(d->ed_menge, &in);
        QCOMPARE(d->ed_menge->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(d->ed_menge, &out);
        QCOMPARE(d->ed_menge->palette().color(QPalette::Base), QColor(Qt::white));

        // A missing quantity: nothing happens at all.
        type(d->cb_artikelbezeichnung, "Rute");
        type(d->ed_einzelpreis, "1,99");
        type(d->ed_artikelanzahl, "0");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 0);
        QVERIFY(env.ui.texts("error").isEmpty());
        QCOMPARE(d->ed_versandkosten->text(), QString());

        // An order size of 0: a German message, no line; empty shipping became "0".
        type(d->ed_menge, "2");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 0);
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains("Artikelanzahl"));
        QCOMPARE(d->ed_versandkosten->text(), QStringLiteral("0"));

        // A price that is no number: the conversion error, no line, no list entry.
        type(d->ed_artikelanzahl, "2");
        type(d->ed_einzelpreis, "1.99");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(d->ListView1->topLevelItemCount(), 0);
        QCOMPARE(env.ui.texts("error").value(1), QStringLiteral("'1.99' is not a valid floating point value"));
        QVERIFY(!QFileInfo::exists(env.home.file("DATs/AK_Artikelbez.dat")));

        type(d->ed_einzelpreis, "1,99");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        QCOMPARE(row(d->ListView1->topLevelItem(0)).mid(4), (QStringList{"1,99", "3,98", "3,98"}));

        // A write that fails keeps the dialog and its pending lines.
        env.w.session().akdbPath = env.home.file("fehlt/kosten.akdb");
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(d->ListView1->topLevelItemCount(), 1);
        QCOMPARE(env.w.session().AKDB.RowCount(), 0);
        QCOMPARE(env.ui.texts("error").size(), 3);
        env.w.session().akdbPath = env.home.file("kosten.akdb");
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(env.costs(), kHeader + "05.12.2026;;Rute;2;1,99;3,98;3,98\r\n");
}

void AngelkostenTest::costsWindowFiltersAndSorts()
{
    Env env(kCosts);
    TfrmAngelkosten* k = env.list;
    env.openWith("aAKUebersicht", k, [&] {
        QVERIFY(k->ListView1->isColumnHidden(0));
        QCOMPARE(columnTexts(k->cb_jahr->model()).mid(0, 2), (QStringList{"-Alle-", "2026"}));
        QCOMPARE(columnTexts(k->cb_jahr->model()).last(), QStringLiteral("2003"));
        QCOMPARE(k->cb_jahr->count(), 25);
        QCOMPARE(columnTexts(k->cb_geschaeft->model()), (QStringList{"-Alle-", "Angelladen", "Versand24"}));
        // Newest first; the two purchases of one day with the later row first.
        QCOMPARE(ids(k), (QStringList{"5", "4", "2", "3", "1"}));
        QCOMPARE(k->lb_einzelpreis->text(), QString::fromUtf8("195,75 €"));
        QCOMPARE(k->lb_gesamtpreis->text(), QString::fromUtf8("256,00 €"));
        QCOMPARE(k->listModel->index(0, costs::ColArtikel).data().toString(), QString::fromUtf8("Köder"));

        k->cb_jahr->setCurrentText("2004");
        QCOMPARE(ids(k), (QStringList{"4", "2", "3"}));
        QCOMPARE(k->lb_gesamtpreis->text(), QString::fromUtf8("150,00 €"));
        QCOMPARE(k->lb_einzelpreis->text(), QString::fromUtf8("93,75 €"));
        // The shop box lists one spelling; it shows only that spelling's lines.
        k->cb_geschaeft->setCurrentText("Angelladen");
        QCOMPARE(ids(k), QStringList{});
        QCOMPARE(k->lb_gesamtpreis->text(), QString::fromUtf8("0,00 €"));
        k->cb_jahr->setCurrentIndex(0);
        QCOMPARE(ids(k), (QStringList{"5", "1"}));
        k->cb_geschaeft->setCurrentIndex(0);

        // Header clicks: quantity largest first, then the other way round.
        clickHeader(k->ListView1, costs::ColMenge);
        QCOMPARE(ids(k), (QStringList{"2", "5", "4", "3", "1"}));
        clickHeader(k->ListView1, costs::ColMenge);
        QCOMPARE(ids(k), (QStringList{"3", "1", "4", "5", "2"}));
        clickHeader(k->ListView1, costs::ColGesamtpreisVersand);
        QCOMPARE(ids(k), (QStringList{"2", "5", "4", "3", "1"}));
        // The date flag was set by the fill: newest first, then oldest first.
        clickHeader(k->ListView1, costs::ColDatum);
        QCOMPARE(ids(k), (QStringList{"5", "2", "4", "3", "1"})); // equal dates keep their order
        clickHeader(k->ListView1, costs::ColDatum);
        QCOMPARE(ids(k), (QStringList{"1", "3", "2", "4", "5"}));
        clickHeader(k->ListView1, costs::ColArtikel);
        QCOMPARE(columnTexts(k->listModel, costs::ColArtikel),
                 (QStringList{"Haken", QString::fromUtf8("Köder"), "Rute", "Schnur", "Steckrute"}));

        // The HTML export is offered once the report family is installed.
        QVERIFY(k->Drucken1->isVisible());
        QVERIFY(k->N1->isVisible());
    });
    QVERIFY(env.ui.texts("error").isEmpty());
    QVERIFY(traceText(env.home).isEmpty()); // tracing is off
}

void AngelkostenTest::editAndDeleteWriteBeforeTheListIsRefilled()
{
    Env env(kCosts);
    trace::setEnabled(true);
    TfrmAngelkosten* k = env.list;
    TfrmAngelkostenEdit* e = env.edit;
    const QString before = env.w.lb_angelkosten->text();
    QCOMPARE(before, QString::fromUtf8("256,00 €"));
    env.openWith("aAKUebersicht", k, [&] {
        k->cb_jahr->setCurrentText("2004");
        QCOMPARE(ids(k), (QStringList{"4", "2", "3"}));
        // Without a selected line nothing is asked.
        k->Eintraglschen1->trigger();
        QVERIFY(env.ui.texts("confirm").isEmpty());

        k->ListView1->selectRow(0); // row 4: Schnur
        QTimer::singleShot(0, [&] {
            QCOMPARE(e->dt_datum->date(), QDate(2004, 6, 5));
            QCOMPARE(e->ed_artikel->text(), QStringLiteral("Schnur"));
            QCOMPARE(e->ed_gesamtpreis->text(), QStringLiteral("58,00"));
            // A quantity that is no number is refused; the dialog stays.
            type(e->ed_menge, "drei");
            QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
            QVERIFY(e->isVisible());
            type(e->ed_menge, "3");
            type(e->ed_gesamtpreis, "60");
            e->dt_datum->setDate(QDate(2004, 6, 6));
            QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
        });
        k->Eintragbearbeiten1->trigger();
        QVERIFY(!e->isVisible());
        QCOMPARE(env.ui.texts("error").size(), 1);
        QVERIFY(env.ui.texts("error").first().contains("Menge"));
        // Texts as typed, Gesamtpreis left as it was; the filter still holds.
        QVERIFY(env.costs().contains("06.06.2004;Versand24;Schnur;3;4,50;9,00;60\r\n"));
        QCOMPARE(k->cb_jahr->currentText(), QStringLiteral("2004"));
        QCOMPARE(ids(k), (QStringList{"4", "2", "3"}));
        QCOMPARE(k->lb_gesamtpreis->text(), QString::fromUtf8("152,00 €"));
        QCOMPARE(env.w.lb_angelkosten->text(), QString::fromUtf8("258,00 €"));

        // "Nein" keeps the row; "Ja" deletes it and writes the file.
        k->ListView1->selectRow(1); // row 2: Haken
        env.ui.confirmations << false << true;
        k->Eintraglschen1->trigger();
        QCOMPARE(env.w.session().AKDB.RowCount(), 5);
        k->Eintraglschen1->trigger();
        QCOMPARE(env.ui.messages.last().title, QStringLiteral("Eintrag löschen"));
        QCOMPARE(env.ui.messages.last().text, QStringLiteral("Wollen Sie den Eintrag wirklich löschen?"));
        QVERIFY(!env.costs().contains("Haken"));
        QCOMPARE(env.costs().count("\r\n"), 5);
        // Rows behind the deleted one moved up.
        QCOMPARE(ids(k), (QStringList{"3", "2"}));
        QCOMPARE(k->listModel->index(0, costs::ColArtikel).data().toString(), QStringLiteral("Schnur"));
        QCOMPARE(env.w.lb_angelkosten->text(), QString::fromUtf8("255,00 €"));

        // A failed write keeps the row in the table and in the list.
        env.w.session().akdbPath = env.home.file("fehlt/kosten.akdb");
        env.ui.confirmations << true;
        k->ListView1->selectRow(0);
        QVERIFY_THROWS_EXCEPTION(EFileError, k->Eintraglschen1Click());
        QCOMPARE(env.w.session().AKDB.RowCount(), 4);
        QCOMPARE(ids(k), (QStringList{"3", "2"}));
        env.w.session().akdbPath = env.home.file("kosten.akdb");
    });
    const QString log = traceText(env.home);
    QVERIFY(log.contains("-->AK: cboxload\r\n"));
    QVERIFY(log.contains("-->AK: anzeigen(2004;-Alle-)\r\n"));
    QVERIFY(log.contains("-->AK: edit\r\n"));
    QVERIFY(log.contains("-->AKedit: speichern\r\n"));
    QVERIFY(log.contains(QString::fromUtf8("-->AK: löschen\r\n")));
    trace::setEnabled(false);
}

void AngelkostenTest::yearOverviewAndSearch()
{
    Env env(kCosts);
    TfrmAKjahr* j = env.years;
    env.openWith("aAKJahresuebersicht", j, [&] {
        QTreeWidget* l = j->ListView1;
        QVERIFY(l->isColumnHidden(0));
        QCOMPARE(l->topLevelItemCount(), 3);
        QCOMPARE(row(l->topLevelItem(0)), (QStringList{"21", "2005", "6,00", "-144,00", "-96,00"}));
        QCOMPARE(row(l->topLevelItem(1)), (QStringList{"22", "2004", "150,00", "50,00", "50,00"}));
        QCOMPARE(row(l->topLevelItem(2)), (QStringList{"23", "2003", "100,00", "0", "0"}));
        QCOMPARE(l->topLevelItem(0)->foreground(2).color(), QColor(0x00, 0x80, 0x00));
        QCOMPARE(l->topLevelItem(1)->foreground(1).color(), QColor(Qt::red));
        QCOMPARE(l->topLevelItem(2)->foreground(1).style(), Qt::NoBrush);
    });

    TfrmAKSuchen* s = env.search;
    env.openWith("aAKSuchen", s, [&] {
        type(s->Edit1, "rute");
        QTest::mouseClick(s->BitBtn1, Qt::LeftButton);
        QCOMPARE(columnTexts(s->listModel, 0), (QStringList{"1", "3"}));
        QCOMPARE(columnTexts(s->listModel, costs::ColArtikel), (QStringList{"Rute", "Steckrute"}));
        QCOMPARE(s->listModel->headerData(costs::ColEinzelpreis, Qt::Horizontal).toString(), QStringLiteral("EP:"));
        type(s->Edit1, QString::fromUtf8("KÖ"));
        QTest::mouseClick(s->BitBtn1, Qt::LeftButton);
        QCOMPARE(columnTexts(s->listModel, 0), QStringList{}); // "Köder" has a lower-case ö
        type(s->Edit1, "");
        QTest::mouseClick(s->BitBtn1, Qt::LeftButton);
        QCOMPARE(s->listModel->rowCount(), 0);
    });
}

FK_UI_TEST_MAIN(AngelkostenTest)
#include "angelkosten.moc"
