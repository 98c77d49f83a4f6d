#pragma once
// The texts the preview panel and the details window show for one catch, and the stepping
// through its pictures. Plain computations over the catch table; the windows only show them.
#include "storage/TTextTable.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace catchdetails {

// "Sonntag" ... "Samstag".
QString weekdayName(const QDate& date);

// Gewicht as a whole number in pounds of 500 g with two decimals ("1250" gives "2,50");
// raises EConvertError for a weight that is not a whole number.
QString poundsText(const QByteArray& gewicht);

// The picture list of the Bild field.
QStringList pictureList(const QByteArray& bild);

// The large version of a stored picture: the first "small" in the name replaced by "big".
QString bigPictureName(const QString& name);

struct PreviewTexts {
    QString fischart; // lb_leftfischart
    QString laenge;   // lb_leftlaenge: "<Laenge> cm  <Gewicht> g"
    QString zeit;     // lb_leftzeit: "gefangen am <weekday>, <date> um <time>"
    QString koeder;   // lb_leftkoeder: "mit <Koeder>"
    QStringList pictures;
};

// Texts of the current row of the catch table; raises EConvertError for a bad Fangdatum.
PreviewTexts previewTexts(const TTextTable& db);
// The same, filled in the order the panel shows them, so a date that does not convert leaves
// species, size and pictures filled and the rest empty when the error is raised.
void fillPreviewTexts(const TTextTable& db, PreviewTexts& t);

struct DetailTexts {
    QString fischart, laenge, gewicht, fangdatum, fangzeit, angelzeit, koeder, fangmethode,
        gewaesser, stelle, uferdistanz, fangtiefe, mond, wetter, bemerkung, wassertemp, lufttemp,
        windrichtung, wassertruebung, windstaerke, wasserstand, luftdruck;
    // The stored rise and set times: "Aufgang 06:41:12, Untergang 20:22:05"; a blank field
    // shows "-", a catch without any of the two an empty text.
    QString sonne, mondzeiten;
    bool zurueckgesetzt = false;
    QStringList pictures;
};

// Texts of the current row; raises EConvertError for a bad Gewicht or Fangdatum.
DetailTexts detailTexts(const TTextTable& db);

// Position in a picture list with the enable states of the back and forward buttons.
class PictureCursor {
public:
    void reset(const QStringList& pictures);
    const QStringList& pictures() const { return m_pictures; }
    bool isEmpty() const { return m_pictures.isEmpty(); }
    int position() const { return m_position; }
    // The entry at the position; empty for an empty list.
    QString current() const;
    // The arrows are shown only for more than one picture.
    bool arrowsVisible() const { return m_pictures.size() > 1; }
    bool backEnabled() const { return m_backEnabled; }
    bool forwardEnabled() const { return m_forwardEnabled; }
    // Step forward / back; true when the position changed (the caller then shows the entry).
    bool forward();
    bool back();

private:
    QStringList m_pictures;
    int m_position = 0;
    bool m_backEnabled = false;
    bool m_forwardEnabled = true;
};

} // namespace catchdetails
