#include "ui/costs/TfrmAKjahr.h"
#include "costs/Costs.h"
#include "data/Clock.h"
#include "data/Session.h"
#include "data/Trace.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmAKjahr::TfrmAKjahr(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmAKjahr"));
    setWindowTitle(QStringLiteral("Angelkosten Jahresübersicht"));
    setModal(true);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setHeaderLabels({QStringLiteral("id"), QStringLiteral("Jahr:"), QStringLiteral("Betrag (€):"),
                                QStringLiteral("+ - Vorjahr (€)"), QStringLiteral("+ - Vorjahr (%)")});
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    for (int c = 2; c < 5; ++c)
        ListView1->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->setColumnHidden(0, true);
    const int widths[] = {0, 70, 110, 120, 120};
    for (int c = 1; c < 5; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    ListView1->setMinimumSize(460, 280);

    BitBtn2 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAKjahr::showEvent(QShowEvent* event)
{
    anzeigen();
    QDialog::showEvent(event);
}

void TfrmAKjahr::anzeigen()
{
    trace::step(QStringLiteral("AKJahr: anzeigen"));
    ListView1->clear();
    for (const costs::YearLine& line : costs::yearOverview(m_session.AKDB, appClock().now().date().year())) {
        auto* item = new QTreeWidgetItem(ListView1, {QString::number(line.slot), QString::number(line.year),
                                                     line.amount, line.diffEuro, line.diffPercent});
        item->setTextAlignment(1, Qt::AlignCenter);
        for (int c = 2; c < 5; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (line.trend != 0) {
            const QColor colour = line.trend > 0 ? QColor(Qt::red) : QColor(0x00, 0x80, 0x00);
            for (int c = 0; c < 5; ++c)
                item->setForeground(c, colour);
        }
    }
    ListView1->setColumnHidden(0, true);
}
