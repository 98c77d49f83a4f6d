#pragma once
// The HTML evaluation: fills a template from "Auswertung/Templates" once per catch.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowHost;

class TfrmAuswerten : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAuswerten(WindowHost& host);

    QLabel* Label1;
    QComboBox* cb_template;
    QPushButton* Viewbild;
    QLabel* Label3;
    QLabel* Label2;
    QComboBox* cb_faenger;
    QLabel* Label4;
    QLineEdit* ed_jahr;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QCheckBox* ch_angelkosten;
    QCheckBox* ch_statistik;
    QCheckBox* ch_deckblatt;

    void FormShow();
    void ViewbildClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& m_host;
};
