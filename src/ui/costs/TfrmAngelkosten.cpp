#include "ui/costs/TfrmAngelkosten.h"
#include "ui/costs/CostLineModel.h"
#include "ui/costs/TfrmAngelkostenEdit.h"
#include "ui/common/UserInteraction.h"
#include "data/Clock.h"
#include "data/Session.h"
#include "data/Trace.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

TfrmAngelkosten::TfrmAngelkosten(Session& session, TfrmAngelkostenEdit& editDialog, QWidget* parent)
    : QDialog(parent), m_session(session), m_edit(editDialog)
{
    setObjectName(QStringLiteral("frmAngelkosten"));
    setWindowTitle(QStringLiteral("Angelkosten"));
    setModal(true);

    cb_jahr = new QComboBox(this);
    cb_jahr->setObjectName(QStringLiteral("cb_jahr"));
    cb_jahr->setMinimumWidth(90);
    cb_geschaeft = new QComboBox(this);
    cb_geschaeft->setObjectName(QStringLiteral("cb_geschaeft"));
    cb_geschaeft->setMinimumWidth(200);

    ListView1 = new QTableView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    listModel = new CostLineModel({QStringLiteral("ID"), QStringLiteral("Datum:"), QStringLiteral("Geschäft:"),
                                   QStringLiteral("Artikel:"), QStringLiteral("Menge:"), QStringLiteral("Einzelpreis:"),
                                   QStringLiteral("GK + Versand:")},
                                  {costs::ColMenge, costs::ColEinzelpreis, costs::ColGesamtpreisVersand}, this);
    setUpCostListView(ListView1, listModel);
    ListView1->setMinimumSize(680, 320);
    ListView1->horizontalHeader()->setSectionsClickable(true);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);

    lb_einzelpreis = new QLabel(this);
    lb_einzelpreis->setObjectName(QStringLiteral("lb_einzelpreis"));
    lb_einzelpreis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lb_gesamtpreis = new QLabel(this);
    lb_gesamtpreis->setObjectName(QStringLiteral("lb_gesamtpreis"));
    lb_gesamtpreis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette red = lb_gesamtpreis->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lb_gesamtpreis->setPalette(red);
    QPalette black = lb_einzelpreis->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lb_einzelpreis->setPalette(black);
    for (QLabel* l : {lb_einzelpreis, lb_gesamtpreis}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setMinimumWidth(95);
    }

    BitBtn2 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Eintraglschen1 = PopupMenu1->addAction(QStringLiteral("Eintrag &löschen"));
    Eintraglschen1->setObjectName(QStringLiteral("Eintraglschen1"));
    Eintragbearbeiten1 = PopupMenu1->addAction(QStringLiteral("Eintrag &bearbeiten"));
    Eintragbearbeiten1->setObjectName(QStringLiteral("Eintragbearbeiten1"));
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    N1->setVisible(false);
    // The HTML list per year; not offered.
    Drucken1 = PopupMenu1->addAction(QStringLiteral("Exportieren"));
    Drucken1->setObjectName(QStringLiteral("Drucken1"));
    Drucken1->setVisible(false);
    Drucken1->setEnabled(false);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Jahr:"), this));
    filters->addWidget(cb_jahr);
    filters->addSpacing(16);
    filters->addWidget(new QLabel(QStringLiteral("Geschäft:"), this));
    filters->addWidget(cb_geschaeft);
    filters->addStretch(1);
    auto* sums = new QHBoxLayout;
    sums->addStretch(1);
    sums->addWidget(new QLabel(QStringLiteral("Summe:"), this));
    sums->addWidget(lb_einzelpreis);
    sums->addWidget(lb_gesamtpreis);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(ListView1, 1);
    layout->addLayout(sums);
    layout->addLayout(buttons);

    connect(cb_jahr, &QComboBox::currentIndexChanged, this, &TfrmAngelkosten::refillFromBoxes);
    connect(cb_geschaeft, &QComboBox::currentIndexChanged, this, &TfrmAngelkosten::refillFromBoxes);
    connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmAngelkosten::ListView1ColumnClick);
    connect(Eintraglschen1, &QAction::triggered, this, &TfrmAngelkosten::Eintraglschen1Click);
    connect(Eintragbearbeiten1, &QAction::triggered, this, &TfrmAngelkosten::Eintragbearbeiten1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const bool selected = selectedRow() > 0;
        Eintraglschen1->setEnabled(selected);
        Eintragbearbeiten1->setEnabled(selected);
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });
}

void TfrmAngelkosten::showEvent(QShowEvent* event)
{
    ListView1->setColumnHidden(costs::ColId, true);
    listModel->setLines({});
    cboxload();
    anzeigen(cb_jahr->currentText(), cb_geschaeft->currentText());
    QDialog::showEvent(event);
}

void TfrmAngelkosten::cboxload()
{
    trace::step(QStringLiteral("AK: cboxload"));
    const QSignalBlocker blockYear(cb_jahr);
    const QSignalBlocker blockShop(cb_geschaeft);
    cb_jahr->clear();
    cb_geschaeft->clear();
    cb_jahr->addItem(costs::kAlle);
    cb_geschaeft->addItem(costs::kAlle);
    cb_jahr->setCurrentIndex(0);
    cb_geschaeft->setCurrentIndex(0);
    // A date that does not convert stops here, with "-Alle-" in both boxes.
    const costs::FilterBoxes boxes = costs::filterBoxes(m_session.AKDB, appClock().now().date());
    cb_jahr->addItems(boxes.years.mid(1));
    cb_geschaeft->addItems(boxes.shops.mid(1));
}

void TfrmAngelkosten::anzeigen(const QString& year, const QString& shop)
{
    trace::step(QStringLiteral("AK: anzeigen(%1;%2)").arg(year, shop));
    listModel->setLines({});
    lb_einzelpreis->setText(costs::moneyLabel(0));
    lb_gesamtpreis->setText(costs::moneyLabel(0));
    costs::CostList list = costs::fillCostList(m_session.AKDB, year, shop);
    m_sorter.afterFill(list.lines);
    listModel->setLines(std::move(list.lines));
    lb_einzelpreis->setText(list.einzelpreisLabel());
    lb_gesamtpreis->setText(list.gesamtpreisLabel());
}

void TfrmAngelkosten::refillFromBoxes()
{
    anzeigen(cb_jahr->currentText(), cb_geschaeft->currentText());
}

int TfrmAngelkosten::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return 0;
    return listModel->lines().value(rows.first().row()).row;
}

void TfrmAngelkosten::ListView1ColumnClick(int column)
{
    m_sorter.columnClicked(listModel->lines(), column);
    listModel->linesReordered();
}

void TfrmAngelkosten::Eintraglschen1Click()
{
    const int row = selectedRow();
    if (row <= 0)
        return;
    if (!userInteraction().confirm(this, QStringLiteral("Wollen Sie den Eintrag wirklich löschen?"),
                                   QStringLiteral("Eintrag löschen")))
        return;
    trace::step(QStringLiteral("AK: löschen"));
    // Written first: a refill that fails cannot keep the deletion from the file.
    costs::deleteCost(m_session, row);
    if (onChanged)
        onChanged();
    refillFromBoxes();
}

void TfrmAngelkosten::Eintragbearbeiten1Click()
{
    const int row = selectedRow();
    if (row <= 0)
        return;
    trace::step(QStringLiteral("AK: edit"));
    m_edit.loadRow(row);
    if (m_edit.exec() != QDialog::Accepted)
        return;
    if (onChanged)
        onChanged();
    // The list keeps the filters the boxes show.
    refillFromBoxes();
}
