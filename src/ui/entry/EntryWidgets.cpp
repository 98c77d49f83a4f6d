#include "ui/entry/EntryWidgets.h"
#include "data/LookupLists.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace entrywidgets {

namespace {
void paint(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}
} // namespace

void FocusColours::watch(QWidget* control)
{
    control->installEventFilter(this);
    if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit())
        box->lineEdit()->installEventFilter(this);
    paint(control, Qt::white);
}

bool FocusColours::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        QWidget* w = qobject_cast<QWidget*>(watched);
        // The edit inside a combo box colours the whole box.
        if (w && qobject_cast<QComboBox*>(w->parentWidget()))
            w = w->parentWidget();
        if (w)
            paint(w, event->type() == QEvent::FocusIn ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::white));
    }
    return QObject::eventFilter(watched, event);
}

QStringList items(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

int exactIndex(const QComboBox* box, const QString& text)
{
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == text)
            return i;
    return -1;
}

void setSortedItems(QComboBox* box, const QStringList& values)
{
    QStringList sorted = values;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString& a, const QString& b) { return lookup::compareText(a, b) < 0; });
    const QString text = box->currentText();
    box->clear();
    box->addItems(sorted);
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(exactIndex(box, text));
}

void addSortedItem(QComboBox* box, const QString& item)
{
    int at = 0;
    while (at < box->count() && lookup::compareText(box->itemText(at), item) <= 0)
        ++at;
    const QString text = box->currentText();
    const int current = box->currentIndex();
    box->insertItem(at, item);
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(current < 0 ? -1 : exactIndex(box, text));
}

void selectExact(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(exactIndex(box, text));
}

} // namespace entrywidgets
