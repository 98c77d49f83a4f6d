#pragma once
// "Standort": the program-wide location for sun and moon times and, optionally, a location of
// each water. Values in degrees with a decimal comma; a few German cities to pick from.
#include "data/IniFile.h"
#include "entry/Location.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableWidget;
class QLabel;

class TfrmStandort : public QDialog {
    Q_OBJECT
public:
    // Reads the location and the water locations from `settings`, the waters from
    // "DATs/Gewaesser.dat" (waters that have a location but are no longer listed stay).
    TfrmStandort(const IniFile& settings, QWidget* parent = nullptr);

    // Checks the input and writes it to the settings file; on a wrong value tells the user,
    // puts the focus there and returns false (nothing is written).
    bool save();

    QComboBox* cb_stadt;
    QLineEdit* ed_breite;
    QLineEdit* ed_laenge;
    QTableWidget* sg_gewaesser; // columns: water, latitude, longitude (blank: the location above)
    QLabel* lb_hinweis;

private:
    void stadtChanged(int index);
    void fillWaters();
    IniFile m_settings;
};
