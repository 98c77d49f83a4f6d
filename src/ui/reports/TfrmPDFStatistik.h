#pragma once
// "Statistik auswerten": the species statistics of one angler and year as a PDF file.
#include <QDialog>

struct Session;
class QComboBox;
class QProgressBar;
class QPushButton;

class TfrmPDFStatistik : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPDFStatistik(Session& session, QWidget* parent = nullptr);

    QComboBox* cb_faenger;
    QComboBox* cb_jahr;
    QPushButton* BitBtn2; // "Speichern"
    QPushButton* BitBtn3; // "Abbrechen"
    QProgressBar* pb_fortschritt;

public slots:
    void BitBtn2Click();
    void cb_faengerChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& m_session;
};
