#include "ui/costs/TfrmAKSuchen.h"
#include "ui/costs/CostLineModel.h"
#include "costs/Costs.h"
#include "data/Session.h"
#include "data/Trace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfrmAKSuchen::TfrmAKSuchen(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmAKSuchen"));
    setWindowTitle(QStringLiteral("Angelkosten suchen"));
    setModal(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    BitBtn1 = new QPushButton(QStringLiteral("Suche starten"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    Label1 = new QLabel(QStringLiteral("Ergebnisse:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListView1 = new QTableView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    listModel = new CostLineModel({QStringLiteral("ID"), QStringLiteral("Datum:"), QStringLiteral("Geschäft:"),
                                   QStringLiteral("Artikel:"), QStringLiteral("Menge:"), QStringLiteral("EP:"),
                                   QStringLiteral("GP + Versand:")},
                                  {}, this);
    setUpCostListView(ListView1, listModel);
    ListView1->setMinimumSize(680, 260);
    BitBtn2 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* search = new QHBoxLayout;
    search->addWidget(Edit1, 1);
    search->addWidget(BitBtn1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmAKSuchen::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAKSuchen::BitBtn1Click()
{
    trace::step(QStringLiteral("AKSuchen: suchen"));
    listModel->setLines({});
    listModel->setLines(costs::searchCosts(m_session.AKDB, Edit1->text()));
}
