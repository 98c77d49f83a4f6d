#pragma once
// The details window of one catch, opened with a row number of DB from the main list, the
// statistics and the search.
#include "ui/common/PictureStepper.h"

#include <QDialog>
#include <memory>

struct Session;
class PictureBox;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TfrmDetails : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDetails(Session& session, QWidget* parent = nullptr);

    // Fills the window for the 1-based row and shows it modally (the main window's
    // openDetails writes the step line and calls this). A Gewicht that is no whole
    // number or a Fangdatum that is no date raises EConvertError before anything is shown.
    void showDetails(int row);
    // The filling alone (for callers that show the window themselves, and tests).
    void fill(int row);

    PictureBox* im_bild;
    QLabel *lb_fischart, *lb_laenge, *lb_gewicht, *lb_fangdatum, *lb_fangzeit, *lb_angelzeit, *lb_koeder,
        *lb_fangmethode, *lb_gewaesser, *lb_uferdistanz, *lb_fangtiefe, *lb_wetter, *lb_stelle, *lb_mond,
        *lb_sonne, *lb_mondzeiten, *lb_wassertemp, *lb_windrichtung, *lb_wassertruebung, *lb_luftdruck, *lb_lufttemp, *lb_windstaerke,
        *lb_wasserstand;
    QPlainTextEdit* me_bemerkung;
    QCheckBox* cb_zurueckgesetzt;
    QToolButton* Bildzurueck;
    QToolButton* Bildvor;
    QPushButton* BitBtn1;

public slots:
    void BildzurueckClick();
    void BildvorClick();
    void im_bildClick();

private:
    QList<QLabel*> valueLabels() const;

    Session& m_session;
    std::unique_ptr<PictureStepper> m_pictures;
};
