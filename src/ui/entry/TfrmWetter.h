#pragma once
// "Wetter auswählen": the weather and water readings of the catch being entered. It keeps
// no record of its own; the entry dialog reads its controls when saving, the main window's
// preparations clear or fill them.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class TfrmWetter : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWetter(QWidget* parent = nullptr);

    QComboBox* cb_wetter;
    QLineEdit* ed_lufttemp;
    QLineEdit* ed_wassertemp;
    QLineEdit* ed_luftdruck;
    QComboBox* cb_windrichtung;
    QComboBox* cb_windstaerke;
    QComboBox* cb_wassertruebung;
    QComboBox* cb_wasserstand;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QToolButton* SpeedButton1;

    // The new-catch reset: texts emptied, the fixed lists without selection.
    void clearReadings();

    // The wind-force table, one line per Beaufort force.
    static QString windForceTable();

    void BitBtn2Click();
    void BitBtn3Click();
    void SpeedButton1Click();
};
