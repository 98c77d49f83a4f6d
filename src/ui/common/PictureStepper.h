#pragma once
// The pictures of one catch in a picture box with back and forward arrows: which picture is
// shown, the arrows' state and the large view on a click. The preview and the details window
// both step through a catch's pictures with it.
#include "data/CatchDetails.h"

class PictureBox;
class QToolButton;
class QWidget;

class PictureStepper {
public:
    PictureStepper(PictureBox* view, QToolButton* back, QToolButton* forward);

    // A new list: positioned at its first picture, which is shown when its file exists.
    void reset(const QStringList& pictures);
    // Steps and shows the picture there; a missing file leaves the picture shown before.
    void forward();
    void back();
    // The large view of the picture shown (the bigger stored version when there is one).
    void openLarge(QWidget* owner) const;
    bool isEmpty() const { return m_cursor.isEmpty(); }

private:
    void showCurrent();
    void updateArrows();

    PictureBox* m_view;
    QToolButton* m_back;
    QToolButton* m_forward;
    catchdetails::PictureCursor m_cursor;
};
