#pragma once
// The list editor: one lookup list of "DATs", chosen by its kind.
#include "data/LookupLists.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

class TfrmCBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCBox(QWidget* parent = nullptr);

    lookup::ListKind kind() const { return m_kind; }
    void setKind(lookup::ListKind kind) { m_kind = kind; }

    // The list's file base name.
    static QString listName(lookup::ListKind kind);

    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1; // "Hinzufügen"
    QPushButton* BitBtn1;      // "Speichern"
    QPushButton* BitBtn2;      // "Abbrechen"
    QMenu* PopupMenu1;
    QAction* Lschen1;          // "Löschen"

    // The items in their order.
    QStringList items() const;

public slots:
    void SpeedButton1Click();
    void Lschen1Click();
    void BitBtn1Click();

signals:
    // The list of the given kind was written.
    void listSaved(lookup::ListKind kind);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertSorted(const QString& value);
    lookup::ListKind m_kind = lookup::ListKind::Gewaesser;
};
