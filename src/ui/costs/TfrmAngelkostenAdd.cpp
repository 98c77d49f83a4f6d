#include "ui/costs/TfrmAngelkostenAdd.h"
#include "ui/common/UserInteraction.h"
#include "ui/entry/EntryWidgets.h"
#include "costs/Costs.h"
#include "data/Clock.h"
#include "data/LookupLists.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "ui/common/TypedDateTimeEdit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kShops = QStringLiteral("AK_Geschaeft");
const QString kArticles = QStringLiteral("AK_Artikelbez");

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QComboBox* listBox(QWidget* parent, const char* name)
{
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(220);
    return box;
}

// Items from the list file, when it exists; clearing also empties the text.
void loadItems(QComboBox* box, const QString& name)
{
    box->clear();
    box->clearEditText();
    const QString path = lookup::listPath(name);
    if (QFileInfo::exists(path))
        box->addItems(lookup::readList(path));
    // Loading selects nothing: the text stays empty.
    box->setCurrentIndex(-1);
    box->clearEditText();
}

// A new value joins the items and the whole item list is written back.
void remember(QComboBox* box, const QString& name, const QString& value)
{
    QStringList items = entrywidgets::items(box);
    if (!costs::addItemIgnoringCase(items, value))
        return;
    lookup::writeNamedList(name, items);
    const QString text = box->currentText();
    box->addItem(value);
    box->setEditText(text);
}

} // namespace

TfrmAngelkostenAdd::TfrmAngelkostenAdd(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmAngelkostenAdd"));
    setWindowTitle(QStringLiteral("Angelkosten hinzufügen"));
    setModal(true);

    dt_kaufdatum = named(new TypedDateEdit(this), "dt_kaufdatum");
    cb_geschaeft = listBox(this, "cb_geschaeft");
    ed_artikelanzahl = named(new QLineEdit(this), "ed_artikelanzahl");
    ed_versandkosten = named(new QLineEdit(this), "ed_versandkosten");
    ed_menge = named(new QLineEdit(this), "ed_menge");
    cb_artikelbezeichnung = listBox(this, "cb_artikelbezeichnung");
    ed_einzelpreis = named(new QLineEdit(this), "ed_einzelpreis");
    for (QLineEdit* e : {ed_artikelanzahl, ed_versandkosten, ed_menge, ed_einzelpreis})
        e->setMaximumWidth(90);

    BitBtn1 = named(new QPushButton(QStringLiteral("+"), this), "BitBtn1");
    BitBtn1->setToolTip(QStringLiteral("hinzufügen"));
    BitBtn1->setFixedWidth(40);

    ListView1 = named(new QTreeWidget(this), "ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"));
    ListView1->setHeaderLabels({QStringLiteral("Datum:"), QStringLiteral("Geschäft:"), QStringLiteral("Menge:"),
                                QStringLiteral("Artikel:"), QStringLiteral("Einzelpreis:"),
                                QStringLiteral("Gesamtpreis:"), QStringLiteral("GP + Versand:")});
    const int widths[] = {80, 150, 55, 170, 80, 85, 90};
    for (int c = 0; c < 7; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    ListView1->setMinimumSize(730, 180);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Lschen1 = PopupMenu1->addAction(QStringLiteral("&Löschen"));
    Lschen1->setObjectName(QStringLiteral("Lschen1"));

    BitBtn2 = named(new QPushButton(QStringLiteral("&Speichern"), this), "BitBtn2");
    BitBtn3 = named(new QPushButton(QStringLiteral("&Abbrechen"), this), "BitBtn3");
    BitBtn4 = named(new QPushButton(QStringLiteral("?"), this), "BitBtn4");
    BitBtn4->setToolTip(QStringLiteral("Hilfe"));
    BitBtn4->setFixedWidth(40);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        b->setAutoDefault(false);

    auto* order = new QFormLayout;
    order->addRow(QStringLiteral("Kaufdatum:"), dt_kaufdatum);
    order->addRow(QStringLiteral("Geschäft:"), cb_geschaeft);
    order->addRow(QStringLiteral("Artikelanzahl:"), ed_artikelanzahl);
    order->addRow(QStringLiteral("Versandkosten:"), ed_versandkosten);
    auto* article = new QFormLayout;
    article->addRow(QStringLiteral("Menge:"), ed_menge);
    article->addRow(QStringLiteral("Artikel:"), cb_artikelbezeichnung);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(ed_einzelpreis);
    priceRow->addStretch(1);
    priceRow->addWidget(BitBtn1);
    article->addRow(QStringLiteral("Einzelpreis:"), priceRow);
    auto* top = new QHBoxLayout;
    top->addLayout(order);
    top->addSpacing(24);
    top->addLayout(article);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    QWidget* tabOrder[] = {dt_kaufdatum, cb_geschaeft, ed_artikelanzahl, ed_versandkosten, ed_menge,
                           cb_artikelbezeichnung, ed_einzelpreis, BitBtn1, ListView1, BitBtn2, BitBtn3, BitBtn4};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    auto* focus = new entrywidgets::FocusColours(this);
    for (QLineEdit* e : {ed_artikelanzahl, ed_versandkosten, ed_menge, ed_einzelpreis})
        focus->watch(e);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmAngelkostenAdd::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmAngelkostenAdd::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmAngelkostenAdd::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfrmAngelkostenAdd::BitBtn4Click);
    connect(Lschen1, &QAction::triggered, this, &TfrmAngelkostenAdd::Lschen1Click);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        Lschen1->setEnabled(ListView1->currentItem() != nullptr);
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });
}

QString TfrmAngelkostenAdd::helpText()
{
    return QStringLiteral("Artikelanzahl = Anzahl aller gekauften Artikel\n"
                          "Versandkosten = Versandkosten bei Bestellung (0 = keine Versandkosten)\n"
                          "Menge = Anzahl eines Artikels\n"
                          "Mit einen klick auf das \"+\" können Sie beliebig viele Einträge aufnehmen.\n"
                          "Auf \"Speichern\" klicken um die Einträge in die Datenbank zu speichern.");
}

void TfrmAngelkostenAdd::showEvent(QShowEvent* event)
{
    loadItems(cb_geschaeft, kShops);
    loadItems(cb_artikelbezeichnung, kArticles);
    dt_kaufdatum->setDate(appClock().now().date());
    ListView1->clear();
    QDialog::showEvent(event);
}

void TfrmAngelkostenAdd::BitBtn1Click()
{
    if (ed_menge->text().isEmpty() || cb_artikelbezeichnung->currentText().isEmpty() || ed_einzelpreis->text().isEmpty())
        return;
    if (ed_versandkosten->text().isEmpty())
        ed_versandkosten->setText(QStringLiteral("0"));
    trace::step(QStringLiteral("AKADD: hinzufügen"));
    const QString shop = cb_geschaeft->currentText();
    const QString article = cb_artikelbezeichnung->currentText();
    // Everything is computed before the line is shown: a bad value leaves no half line.
    const costs::PendingLine line = costs::pendingLine(dt_kaufdatum->date(), shop, article, ed_menge->text(),
                                                       ed_einzelpreis->text(), ed_versandkosten->text(),
                                                       ed_artikelanzahl->text());
    auto* item = new QTreeWidgetItem(ListView1, {line.kaufdatum, line.geschaeft, line.menge, line.artikel,
                                                 line.price.einzelpreis, line.price.gesamtpreis,
                                                 line.price.gesamtpreisVersand});
    ListView1->scrollToItem(item);
    remember(cb_geschaeft, kShops, shop);
    remember(cb_artikelbezeichnung, kArticles, article);
}

void TfrmAngelkostenAdd::BitBtn2Click()
{
    QList<costs::PendingLine> lines;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        trace::step(QStringLiteral("AK: speichern"));
        costs::PendingLine l;
        l.kaufdatum = item->text(0);
        l.geschaeft = item->text(1);
        l.menge = item->text(2);
        l.artikel = item->text(3);
        l.price = {item->text(4), item->text(5), item->text(6)};
        lines.append(l);
    }
    // A failed write raises before the dialog closes: the pending lines stay.
    costs::addPurchases(m_session, lines);
    ListView1->clear();
    if (onSaved)
        onSaved();
    accept();
}

void TfrmAngelkostenAdd::BitBtn3Click()
{
    trace::step(QStringLiteral("AK: abbrechen"));
    reject();
}

void TfrmAngelkostenAdd::BitBtn4Click()
{
    userInteraction().information(this, helpText(), QStringLiteral("Hilfe"));
}

void TfrmAngelkostenAdd::Lschen1Click()
{
    if (QTreeWidgetItem* item = ListView1->currentItem(); item && item->isSelected())
        delete item;
}
