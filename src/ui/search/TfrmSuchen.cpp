#include "ui/search/TfrmSuchen.h"
#include "ui/common/WindowHost.h"
#include "base/Win1252.h"
#include "data/Session.h"
#include "reports/Search.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmSuchen::TfrmSuchen(WindowHost& host) : QDialog(host.window()), m_host(host)
{
    setObjectName(QStringLiteral("frmSuchen"));
    setWindowTitle(QStringLiteral("Fang suchen"));
    setModal(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    BitBtn1 = new QPushButton(QStringLiteral("&Suche starten"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    Label1 = new QLabel(QStringLiteral("Ergebnisse:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setUniformRowHeights(true);
    ListView1->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"));
    ListView1->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Datum:"), QStringLiteral("Fänger:"),
                                QStringLiteral("Fischart:"), QStringLiteral("Länge(cm):"), QStringLiteral("Gewicht(g):")});
    ListView1->setColumnHidden(0, true);
    const int widths[] = {0, 80, 110, 110, 80, 80};
    for (int c = 1; c < 6; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    ListView1->setMinimumSize(500, 260);
    BitBtn2 = new QPushButton(QStringLiteral("Schl&ießen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(Edit1, 1);
    top->addWidget(BitBtn1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addLayout(bottom);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSuchen::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });
}

void TfrmSuchen::runSearch(const QString& text)
{
    ListView1->clear();
    m_searched = text;
    m_hasResults = true;
    QList<QTreeWidgetItem*> items;
    for (const search::Hit& h : search::findCatches(m_host.session().DB, text)) {
        items.append(new QTreeWidgetItem(QStringList{QString::number(h.row), win1252::decode(h.fangdatum),
                                                     win1252::decode(h.faenger), win1252::decode(h.fischart),
                                                     win1252::decode(h.laenge), win1252::decode(h.gewicht)}));
    }
    ListView1->addTopLevelItems(items);
}

void TfrmSuchen::BitBtn1Click()
{
    runSearch(Edit1->text());
}

void TfrmSuchen::ListView1DblClick()
{
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item || !item->isSelected())
        return;
    m_host.openDetails(item->text(0).toInt());
}

void TfrmSuchen::catchesChanged()
{
    if (m_hasResults)
        runSearch(m_searched);
}

namespace {
const host::FamilyRegistrar registrar("search", 50, [](WindowHost& host) {
    auto* dialog = new TfrmSuchen(host);
    if (QAction* a = host.menuAction(QStringLiteral("aSuchen")))
        host.wireAction(a, [dialog] { dialog->exec(); });
    host.subscribe([dialog](host::Changes what) {
        if (what & (host::Change::Catches | host::Change::Databases))
            dialog->catchesChanged();
    });
});
} // namespace
