#pragma once
// "Fang eintragen": composes one catch record, new or edited. The controls are the record
// while the dialog is open; the save button's caption is the mode ("Hinzufügen" appends,
// "Speichern" overwrites the row being edited).
#include "data/CatchOperations.h"
#include "entry/Location.h"

#include <QDialog>
#include <QTime>
#include <functional>

struct Session;
class TfrmBilderladen;
class TfrmWetter;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QToolButton;

namespace entrywidgets {
class FocusColours;
}

class TfrmAdd : public QDialog {
    Q_OBJECT
public:
    TfrmAdd(Session& session, TfrmWetter& wetter, QWidget* parent = nullptr);


    // ---- preparations by the main window ----
    // New catch: released box cleared, weather readings and list texts emptied, the seven
    // lists loaded, caption "Hinzufügen". The dialog's show event does the rest.
    void prepareNew();
    // Edit of DB row `row` (1-based): lists loaded, caption "Speichern", controls filled.
    // Raises EConvertError for a date or time that cannot be read; nothing is shown then.
    void prepareEdit(int row);
    // The seven lookup lists from "DATs", each only when its file exists, shown sorted.
    void loadLists();
    bool hasAnglers() const;
    int editRow() const { return m_editRow; }
    Session& session() { return m_session; }

    // ---- controls (objectName = member name) ----
    QDateEdit* dt_fangdatum;
    QComboBox* cb_faenger;
    QTimeEdit* dt_angelbeginn;
    QTimeEdit* dt_angelende;
    QTimeEdit* dt_fangzeit;
    QComboBox* cb_fischart;
    QLineEdit* ed_gewicht;
    QLineEdit* ed_laenge;
    QComboBox* cb_gewaesser;
    QComboBox* cb_stelle;
    QLineEdit* ed_uferdistanz;
    QLineEdit* ed_fangtiefe;
    QComboBox* cb_fangmethode;
    QComboBox* cb_koeder;
    QLineEdit* ed_bild;
    QLineEdit* ed_bemerkungen;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QToolButton* Loadbild;
    QToolButton* BitBtn1;
    QToolButton* BitBtn4;
    QLineEdit* ed_karte;
    QCheckBox* cb_zurueckgesetzt;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QLabel* Bild;
    QLabel* lb_sonnemond; // the sun and moon times stored with the catch, read-only
    // The sun and moon data of the catch day at the catch's water.
    const location::SunMoonDay& sunMoon() const { return m_sunMoon; }
    TfrmBilderladen* frmBilderladen; // the picture dialog behind Loadbild

    // ---- handlers ----
    void FormShow();
    void dt_fangdatumChange();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn1Click();
    void BitBtn4Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void LoadbildClick();

signals:
    // A catch was written to the database (new or edited row).
    void catchSaved(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    catchops::CatchValues composeRecord();
    void growLists();
    void noEstimate();
    void computeSunMoon();

    Session& m_session;
    TfrmWetter& m_wetter;
    entrywidgets::FocusColours* m_focus;
    int m_editRow = 0;
    location::SunMoonDay m_sunMoon;
};
