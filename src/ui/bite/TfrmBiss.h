#pragma once
// The bite list: bites and lost fish, kept apart from the catches, saved after every change.
#include "entry/BiteList.h"

#include <QDialog>

class QAction;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class QTimeEdit;

class TfrmBiss : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBiss(QWidget* parent = nullptr);

    QDateEdit* dt_datum;
    QTimeEdit* dt_zeit;
    QComboBox* cb_stelle;
    QComboBox* cb_koeder;
    QComboBox* cb_fischart;
    QLineEdit* ed_laenge;
    QPushButton* BitBtn2; // "Hinzufügen"
    QPushButton* BitBtn1; // "Schließen"
    QTableWidget* ListView1;
    QMenu* PopupMenu1;
    QAction* Lschen1;     // "Löschen"

    // The notes as the list shows them, top to bottom.
    QList<bitelist::Note> notes() const;

public slots:
    void BitBtn2Click();
    void Lschen1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void showNotes(const QList<bitelist::Note>& notes);
    // Writes the notes; the list changes only when the file was written.
    void save(const QList<bitelist::Note>& notes);
    bool m_foreignFile = false; // the file on disk could not be read: set it aside before writing
};
