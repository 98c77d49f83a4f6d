#pragma once
// "Angelkosten bearbeiten": one cost row, its texts stored as typed.
#include <QDialog>

struct Session;
class QDateEdit;
class QLineEdit;
class QPushButton;

class TfrmAngelkostenEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAngelkostenEdit(Session& session, QWidget* parent = nullptr);

    // Fills the controls from the cost row; raises EConvertError for a stored date that does
    // not convert (before anything is shown).
    void loadRow(int row);
    int row() const { return m_row; }

    QDateEdit* dt_datum;
    QLineEdit* ed_geschaeft;
    QLineEdit* ed_artikel;
    QLineEdit* ed_menge;
    QLineEdit* ed_einzelpreis;
    QLineEdit* ed_gesamtpreis;
    QPushButton* BitBtn2; // "Speichern"
    QPushButton* BitBtn3; // "Abbrechen"

public slots:
    void BitBtn2Click();

private:
    Session& m_session;
    int m_row = 0;
};
