#pragma once
// "Als PDF auswerten": the catch report, the cost list and the year overview of the costs.
#include "reports/PdfReports.h"

#include <QDialog>

struct Session;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

class TfrmPDF : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPDF(Session& session, QWidget* parent = nullptr);

    // Chooses the report; the catcher box is shown for the catch report only.
    void setMode(reports::PdfMode mode);
    reports::PdfMode mode() const { return m_mode; }

    // Fills the boxes as on showing ("-Alle-" selected).
    void loadcb();
    // The year box for a catcher ("-Alle-": every catch).
    void loadjahrcb(const QString& catcher);

    QLabel* lb_faenger;
    QComboBox* cb_faenger;
    QComboBox* cb_jahr;
    QPushButton* BitBtn2; // "Speichern"
    QPushButton* BitBtn3; // "Abbrechen"
    QProgressBar* pb_fortschritt;

public slots:
    // Writes the report of the mode; a cancelled save dialog writes nothing and keeps the
    // dialog open.
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& m_session;
    reports::PdfMode m_mode = reports::PdfMode::Catches;
};
