#pragma once
// "Angelkosten hinzufügen": the purchases of one order are collected as pending lines with
// "+" and written to the cost table together with "Speichern".
#include <QDialog>
#include <functional>

struct Session;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

class TfrmAngelkostenAdd : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAngelkostenAdd(Session& session, QWidget* parent = nullptr);

    // Called after "Speichern" wrote the cost table.
    std::function<void()> onSaved;

    QDateEdit* dt_kaufdatum;
    QComboBox* cb_geschaeft;
    QLineEdit* ed_artikelanzahl;
    QLineEdit* ed_versandkosten;
    QLineEdit* ed_menge;
    QComboBox* cb_artikelbezeichnung;
    QLineEdit* ed_einzelpreis;
    QPushButton* BitBtn1; // "+"
    QTreeWidget* ListView1;
    QMenu* PopupMenu1;
    QAction* Lschen1; // "Löschen"
    QPushButton* BitBtn2; // "Speichern"
    QPushButton* BitBtn3; // "Abbrechen"
    QPushButton* BitBtn4; // help

    // The help text of BitBtn4.
    static QString helpText();

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void Lschen1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& m_session;
};
