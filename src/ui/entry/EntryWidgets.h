#pragma once
// Small pieces shared by the catch entry windows: the key filter for whole numbers, the
// focus colours and combo boxes whose items are shown sorted.
#include <QObject>
#include <QStringList>

class QComboBox;
class QWidget;

namespace entrywidgets {

// Light grey background (E0 E0 E0) while a control has the focus, white otherwise.
class FocusColours : public QObject {
public:
    using QObject::QObject;
    void watch(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Replaces the items and shows them sorted (German, ignoring case); the edit text of an
// editable box is kept.
void setSortedItems(QComboBox* box, const QStringList& items);
// Inserts one item at its sorted place.
void addSortedItem(QComboBox* box, const QString& item);
QStringList items(const QComboBox* box);
// Index of the item equal to text (exact, case-sensitive), or -1.
int exactIndex(const QComboBox* box, const QString& text);
// Selects the item equal to text, or nothing when none is equal.
void selectExact(QComboBox* box, const QString& text);

} // namespace entrywidgets
