#pragma once
// The preview of the selected catch in the main window (the content of Panel1): picture with
// back and forward buttons, species, length and weight, day and time, bait.
#include "ui/common/PictureStepper.h"

#include <QFrame>
#include <memory>

struct Session;
class PictureBox;
class QLabel;
class QToolButton;

class PreviewPanel : public QFrame {
    Q_OBJECT
public:
    explicit PreviewPanel(Session& session, QWidget* parent = nullptr);

    // Shows the catch of the 1-based row number of DB (the list item's ID) and leaves the
    // table's cursor there. Raises EConvertError for a Fangdatum that is no date.
    void showPreview(int row);
    // Empties the panel (no catch selected).
    void clearPreview();

    PictureBox* im_left;
    QLabel* lb_leftfischart;
    QLabel* lb_leftlaenge;
    QLabel* lb_leftzeit;
    QLabel* lb_leftkoeder;
    QToolButton* Bildzurueck;
    QToolButton* Bildvor;

public slots:
    void BildzurueckClick();
    void BildvorClick();
    void im_leftClick();

private:

    Session& m_session;
    std::unique_ptr<PictureStepper> m_pictures;
};
