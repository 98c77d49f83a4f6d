#include "ui/common/PictureStepper.h"
#include "ui/common/PictureView.h"

#include <QToolButton>

PictureStepper::PictureStepper(PictureBox* view, QToolButton* back, QToolButton* forward)
    : m_view(view), m_back(back), m_forward(forward)
{
    reset({});
}

void PictureStepper::reset(const QStringList& pictures)
{
    m_cursor.reset(pictures);
    if (pictures.isEmpty()) {
        m_view->clearPicture();
        m_view->unsetCursor();
    } else {
        showCurrent();
    }
    updateArrows();
}

void PictureStepper::forward()
{
    if (m_cursor.forward())
        showCurrent();
    updateArrows();
}

void PictureStepper::back()
{
    if (m_cursor.back())
        showCurrent();
    updateArrows();
}

void PictureStepper::openLarge(QWidget* owner) const
{
    if (!m_view->hasPicture() || m_cursor.isEmpty())
        return;
    const QString file = largePictureFile(m_cursor.current());
    if (!file.isEmpty())
        showPictureWindow(owner, file);
}

void PictureStepper::showCurrent()
{
    const QString file = storedPictureFile(m_cursor.current());
    if (!file.isEmpty() && m_view->showFile(file))
        m_view->setCursor(Qt::PointingHandCursor);
    else
        m_view->unsetCursor(); // a missing file leaves the old picture
}

void PictureStepper::updateArrows()
{
    m_back->setVisible(m_cursor.arrowsVisible());
    m_forward->setVisible(m_cursor.arrowsVisible());
    m_back->setEnabled(m_cursor.backEnabled());
    m_forward->setEnabled(m_cursor.forwardEnabled());
}
