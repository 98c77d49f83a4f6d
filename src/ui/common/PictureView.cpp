#include "ui/common/PictureView.h"
#include "data/CatchDetails.h"
#include "data/ProgramFolder.h"

#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
    setAlignment(Qt::AlignCenter);
}

bool PictureBox::showFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setPixmap(QPixmap::fromImage(image));
    m_hasPicture = true;
    m_shownFile = path;
    return true;
}

void PictureBox::clearPicture()
{
    clear();
    m_hasPicture = false;
    m_shownFile.clear();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

bool showPictureWindow(QWidget* owner, const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;

    QWidget* window = owner ? owner->window() : nullptr;
    QDialog dialog(window, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    dialog.setObjectName(QStringLiteral("PictureWindow"));
    dialog.setWindowTitle(QStringLiteral("Bild ansehen.."));
    auto* picture = new QLabel(&dialog);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap::fromImage(image));

    // Sized to the picture, but a large photo must still fit on the screen with its frame.
    QSize size = image.size();
    QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize room = screen->availableGeometry().size() - QSize(40, 80);
        if (room.isValid() && (size.width() > room.width() || size.height() > room.height()))
            size.scale(room, Qt::KeepAspectRatio);
    }
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    dialog.setFixedSize(size);
    if (window)
        dialog.move(window->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
    dialog.exec();
    return true;
}

QString storedPictureFile(const QString& storedName)
{
    if (storedName.isEmpty())
        return QString();
    const QString path = ProgramFolder::file(QStringLiteral("img/") + storedName);
    return QFileInfo(path).isFile() ? path : QString();
}

QString largePictureFile(const QString& storedName)
{
    const QString big = storedPictureFile(catchdetails::bigPictureName(storedName));
    return big.isEmpty() ? storedPictureFile(storedName) : big;
}
