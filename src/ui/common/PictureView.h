#pragma once
// The picture controls of the catch views: a stretched picture box that reports clicks, and
// the large view "Bild ansehen.." shown modally for one picture file.
#include <QLabel>

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // Loads and shows the file; false (and the old picture kept) when it cannot be loaded.
    bool showFile(const QString& path);
    void clearPicture();
    bool hasPicture() const { return m_hasPicture; }
    QString shownFile() const { return m_shownFile; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_hasPicture = false;
    QString m_shownFile;
};

// The large view: a fixed dialog sized to the picture (shrunk to fit the screen), centred on
// `owner`'s window, discarded after closing. Returns false without showing anything when
// the file cannot be loaded.
bool showPictureWindow(QWidget* owner, const QString& path);

// The file the catch views open large for a stored picture name: the "big" version in "img"
// when it exists, else the stored picture itself; empty when neither exists.
QString largePictureFile(const QString& storedName);
// The file of a stored picture name in "img"; empty when it does not exist.
QString storedPictureFile(const QString& storedName);
