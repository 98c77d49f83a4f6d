#include "ui/bite/TfrmBiss.h"
#include "ui/common/FkApplication.h"
#include "ui/common/WindowHost.h"
#include "base/FkError.h"
#include "data/Clock.h"
#include "data/GermanFormat.h"
#include "data/LookupLists.h"
#include "data/Trace.h"
#include "ui/common/TypedDateTimeEdit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(160);
    return c;
}

void fillCombo(QComboBox* combo, const QString& listName)
{
    combo->clear();
    const QString path = lookup::listPath(listName);
    if (QFileInfo::exists(path))
        combo->addItems(lookup::readList(path));
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}
} // namespace

TfrmBiss::TfrmBiss(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBiss"));
    setWindowTitle(QStringLiteral("Bissliste"));
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* info = new QLabel(QStringLiteral("Hier können Sie eintragen wo und wann sie einen Biss hatten bzw. den "
                                           "Fisch verloren haben."),
                            this);
    info->setObjectName(QStringLiteral("Label7"));
    info->setWordWrap(true);

    dt_datum = new TypedDateEdit(this);
    dt_datum->setObjectName(QStringLiteral("dt_datum"));
    dt_zeit = new TypedTimeEdit(this);
    dt_zeit->setObjectName(QStringLiteral("dt_zeit"));
    cb_stelle = makeCombo(this, "cb_stelle");
    cb_koeder = makeCombo(this, "cb_koeder");
    cb_fischart = makeCombo(this, "cb_fischart");
    ed_laenge = new QLineEdit(this);
    ed_laenge->setObjectName(QStringLiteral("ed_laenge"));
    ed_laenge->setMaximumWidth(80);
    BitBtn2 = new QPushButton(QStringLiteral("&Hinzufügen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("&Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);

    ListView1 = new QTableWidget(0, 6, this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHorizontalHeaderLabels({QStringLiteral("Datum:"), QStringLiteral("Zeit:"), QStringLiteral("Stelle:"),
                                          QStringLiteral("Köder:"), QStringLiteral("Fischart:"),
                                          QStringLiteral("Länge (cm):")});
    ListView1->verticalHeader()->hide();
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {80, 50, 130, 130, 110};
    for (int c = 0; c < 5; ++c)
        ListView1->setColumnWidth(c, widths[c]);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Lschen1 = PopupMenu1->addAction(QStringLiteral("&Löschen"));
    Lschen1->setObjectName(QStringLiteral("Lschen1"));

    auto* fields = new QGridLayout;
    const QStringList labels{QStringLiteral("Datum:"), QStringLiteral("Zeit:"), QStringLiteral("Stelle:"),
                             QStringLiteral("Köder:"), QStringLiteral("Fischart:"), QStringLiteral("Länge:")};
    QWidget* editors[] = {dt_datum, dt_zeit, cb_stelle, cb_koeder, cb_fischart, ed_laenge};
    for (int i = 0; i < 6; ++i) {
        auto* l = new QLabel(labels[i], this);
        l->setBuddy(editors[i]);
        fields->addWidget(l, 0, i);
        fields->addWidget(editors[i], 1, i);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(ListView1, 1);
    setFixedSize(780, 460);

    connect(BitBtn2, &QPushButton::clicked, this, &TfrmBiss::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Lschen1, &QAction::triggered, this, &TfrmBiss::Lschen1Click);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos)); });
}

void TfrmBiss::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmBiss::FormShow()
{
    try {
        fillCombo(cb_stelle, QStringLiteral("Stelle"));
        fillCombo(cb_koeder, QStringLiteral("Koeder"));
        fillCombo(cb_fischart, QStringLiteral("Fischarten"));
    } catch (const FkError& e) {
        FkApplication::handleError(e);
    }
    const QDateTime now = appClock().now();
    dt_datum->setDate(now.date());
    dt_zeit->setTime(now.time());
    m_foreignFile = false;
    try {
        showNotes(bitelist::read(bitelist::filePath()));
    } catch (const FkError& e) {
        // The list keeps what it showed; the file stays until the user changes the list.
        m_foreignFile = true;
        FkApplication::handleError(e);
    }
}

QList<bitelist::Note> TfrmBiss::notes() const
{
    QList<bitelist::Note> out;
    for (int r = 0; r < ListView1->rowCount(); ++r) {
        auto t = [&](int c) { return ListView1->item(r, c)->text(); };
        out.append({t(0), t(1), t(2), t(3), t(4), t(5)});
    }
    return out;
}

void TfrmBiss::showNotes(const QList<bitelist::Note>& notes)
{
    ListView1->setRowCount(0);
    for (const bitelist::Note& n : notes) {
        const int r = ListView1->rowCount();
        ListView1->insertRow(r);
        const QString texts[] = {n.datum, n.zeit, n.stelle, n.koeder, n.fischart, n.laenge};
        for (int c = 0; c < 6; ++c)
            ListView1->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
}

void TfrmBiss::save(const QList<bitelist::Note>& notes)
{
    const QString path = bitelist::filePath();
    try {
        if (m_foreignFile && QFileInfo::exists(path))
            bitelist::setAside(path);
        m_foreignFile = false;
        bitelist::write(path, notes);
    } catch (const FkError& e) {
        FkApplication::handleError(e);
        return;
    }
    showNotes(notes);
}

void TfrmBiss::BitBtn2Click()
{
    trace::step(QStringLiteral("Biss: hinzufügen"));
    QList<bitelist::Note> list = notes();
    list.append({german::formatDate(dt_datum->date()), german::formatClock(dt_zeit->time()), cb_stelle->currentText(),
                 cb_koeder->currentText(), cb_fischart->currentText(), ed_laenge->text()});
    save(list);
}

void TfrmBiss::Lschen1Click()
{
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int row = selected.first().row();
    trace::step(QStringLiteral("Biss: löschen"));
    QList<bitelist::Note> list = notes();
    list.removeAt(row);
    save(list);
    ListView1->clearSelection();
}

namespace {
const host::FamilyRegistrar kBiteFamily("bite", 61, [](WindowHost& host) {
    auto* frmBiss = new TfrmBiss(host.window());
    host.wireAction(host.menuAction(QStringLiteral("aBissliste")), [frmBiss] { frmBiss->exec(); });
});
} // namespace
