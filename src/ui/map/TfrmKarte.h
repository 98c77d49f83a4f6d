#pragma once
// The water map: in choose-position mode (tag 0) a click on the picture gives the catch's
// position; in view mode (tag 1) the catches of one water show as dots in their species
// colours, with a hint per dot and the colour list beside the map.
#include "entry/WaterMap.h"

#include <QDialog>
#include <QImage>

struct Session;
class QAction;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QTableWidget;

// Image1: the picture at its own size, cross-hair cursor; reports mouse positions in picture
// pixels.
class MapImage : public QWidget {
    Q_OBJECT
public:
    explicit MapImage(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }

signals:
    void pressed(const QPoint& position);
    void moved(const QPoint& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

class TfrmKarte : public QDialog {
    Q_OBJECT
public:
    // `session` gives the catches for view mode; choose-position mode needs none.
    explicit TfrmKarte(const Session* session, QWidget* parent = nullptr);

    enum Mode { ChoosePosition = 0, View = 1 };
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    const QString& water() const { return m_water; }
    void setWater(const QString& water) { m_water = water; }
    // Choose-position mode marks the catch's present position ("x,y", may be empty).
    void setCurrentPosition(const QString& position) { m_current = position; }

    // Shows the window modally as its opener does: colour list, caption, the map (asking for
    // a picture when the water has none). Returns Rejected at once when no picture was chosen.
    int execMap();
    // The position clicked in choose-position mode ("120,45"), empty before a click.
    const QString& chosenPosition() const { return m_chosen; }
    const QList<watermap::Dot>& dots() const { return m_dots; }

    QScrollArea* ScrollBox1;
    MapImage* Image1;
    QWidget* Panel1;
    QTableWidget* ListView1;
    QPushButton* BitBtn1; // "Speichern"
    QMenuBar* MainMenu1;
    QAction* Schlieen1;   // "Schließen"
    QAction* Farben1;     // hidden

public slots:
    void BitBtn1Click();
    void ListView1DblClick();

private:
    void refillColours();
    void setColourCell(int row, const QString& text);
    // Loads the picture and draws the dots; false when there is no picture to show.
    bool loadMap();
    void Image1MouseDown(const QPoint& position);
    void Image1MouseMove(const QPoint& position);

    const Session* m_session;
    int m_tag = View;
    QString m_water;
    QString m_current;
    QString m_chosen;
    QList<watermap::Dot> m_dots;
};
