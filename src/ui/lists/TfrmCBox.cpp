#include "ui/lists/TfrmCBox.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "base/Win1252.h"
#include "base/FkError.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCBox::TfrmCBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCBox"));
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListBox1->installEventFilter(this);
    ListBox1->setMinimumSize(260, 300);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("&Hinzufügen"));
    SpeedButton1->setToolTip(QStringLiteral("Hinzufügen"));
    SpeedButton1->setAutoRaise(true);
    BitBtn1 = new QPushButton(QStringLiteral("&Speichern"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Lschen1 = PopupMenu1->addAction(QStringLiteral("&Löschen"));
    Lschen1->setObjectName(QStringLiteral("Lschen1"));

    auto* addRow = new QHBoxLayout;
    addRow->addWidget(Edit1, 1);
    addRow->addWidget(SpeedButton1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(addRow);
    layout->addLayout(buttons);

    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmCBox::SpeedButton1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TfrmCBox::SpeedButton1Click);
    connect(Lschen1, &QAction::triggered, this, &TfrmCBox::Lschen1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmCBox::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(pos)); });
}

QString TfrmCBox::listName(lookup::ListKind kind)
{
    static const char* const names[] = {"Gewaesser", "Faenger", "Fangmethode", "Koeder", "Stelle", "Wetter", "Fischarten"};
    return QString::fromLatin1(names[int(kind) - 1]);
}

QStringList TfrmCBox::items() const
{
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i)
        out.append(ListBox1->item(i)->text());
    return out;
}

void TfrmCBox::insertSorted(const QString& value)
{
    // Behind equal values, so a value added twice keeps its place after the first.
    int pos = 0;
    while (pos < ListBox1->count() && lookup::compareText(ListBox1->item(pos)->text(), value) <= 0)
        ++pos;
    ListBox1->insertItem(pos, value);
}

void TfrmCBox::showEvent(QShowEvent* event)
{
    setWindowTitle(listName(m_kind));
    ListBox1->clear();
    const QString path = lookup::listPath(listName(m_kind));
    QStringList values;
    try {
        if (QFileInfo::exists(path))
            values = lookup::readList(path);
        else if (m_kind == lookup::ListKind::Fischarten)
            values = lookup::defaultSpecies();
    } catch (const FkError& e) {
        FkApplication::handleError(e.message());
    }
    std::stable_sort(values.begin(), values.end(),
                     [](const QString& a, const QString& b) { return lookup::compareText(a, b) < 0; });
    ListBox1->addItems(values);
    QDialog::showEvent(event);
}

bool TfrmCBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Lschen1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCBox::SpeedButton1Click()
{
    const QString text = Edit1->text();
    if (text.isEmpty())
        return;
    const QString bad = win1252::firstUnencodable(text);
    if (!bad.isEmpty()) {
        userInteraction().warning(this, QStringLiteral("Das Zeichen \"%1\" im Eintrag kann nicht gespeichert werden. "
                                                       "Bitte geben Sie den Eintrag ohne dieses Zeichen ein.")
                                            .arg(bad));
        return;
    }
    insertSorted(text);
}

void TfrmCBox::Lschen1Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    for (QListWidgetItem* item : selected)
        delete ListBox1->takeItem(ListBox1->row(item));
}

void TfrmCBox::BitBtn1Click()
{
    const QString name = listName(m_kind);
    if (name.isEmpty())
        return;
    QStringList values;
    for (const QString& v : items())
        if (!v.isEmpty() && v != QLatin1String(" "))
            values.append(v);
    try {
        const QString dats = ProgramFolder::file(QStringLiteral("DATs"));
        if (!QFileInfo(dats).isDir() && !QDir().mkpath(dats))
            throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.")
                                 .arg(QDir::toNativeSeparators(dats)));
        lookup::writeNamedList(name, values);
    } catch (const FkError& e) {
        // Nothing written; the editor stays open with its items.
        FkApplication::handleError(e.message());
        return;
    }
    emit listSaved(m_kind);
    accept();
}
