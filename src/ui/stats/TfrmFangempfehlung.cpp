#include "ui/stats/TfrmFangempfehlung.h"

#include <QHeaderView>
#include <algorithm>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

TfrmFangempfehlung::TfrmFangempfehlung(const std::array<statistik::EmpfehlungRow, 12>& rows, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFangempfehlung"));
    setWindowTitle(QStringLiteral("Fangempfehlung"));
    setFixedSize(400, 350);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    ListView1 = new QTableWidget(12, 5, this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(0, 0, 400, 300);
    ListView1->setHorizontalHeaderLabels(
        {QStringLiteral("Monat:"), QStringLiteral("Tag:"), QStringLiteral("Fischart:"), QStringLiteral("Uhrzeit:"),
         QStringLiteral("Köder:")});
    ListView1->verticalHeader()->hide();
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setShowGrid(true);
    for (int r = 0; r < 12; ++r) {
        const auto& row = rows[size_t(r)];
        const QString cells[] = {row.monat, row.tag, row.fischart, row.uhrzeit, row.koeder};
        for (int c = 0; c < 5; ++c)
            ListView1->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    // The fixed widths are the least; a larger font widens them so no month is cut short.
    const int least[5] = {60, 70, 0, 50, 0};
    for (int c = 0; c < 5; ++c) {
        ListView1->resizeColumnToContents(c);
        ListView1->setColumnWidth(c, std::max(least[c], ListView1->columnWidth(c)));
    }
    ListView1->setCurrentCell(-1, -1);
    ListView1->resizeRowsToContents();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(150, 305, 90, 40);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    if (parent)
        move(parent->window()->geometry().center() - rect().center());
}
