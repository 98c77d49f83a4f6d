#pragma once
// The water map: catch positions ("x,y" in picture pixels), the dots of one water in their
// species colours, the hint of the dot under the mouse, and the copy of a chosen map picture
// in the program folder.
#include "data/IniFile.h"
#include "storage/TTextTable.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace watermap {

inline const QString kSection = QStringLiteral("Karte");
// Width and height of a dot's box.
inline constexpr int kDotSize = 5;

// "120,45"
QString positionText(const QPoint& position);
// The number before the first comma and the one after it; raises EConvertError when either
// is not a whole number.
QPoint parsePosition(const QString& text);

struct Dot {
    int row = 0; // 1-based row of the catch
    QPoint position;
    QColor colour;
};

struct Dots {
    QList<Dot> dots;
    QString error; // the conversion error that stopped the walk at a catch, empty when none
};

// The catches of the water (exact name) with a position, in row order, coloured by species
// (`colours` as mapcolours::speciesColours returns them). A position that cannot be read
// stops the walk there: the dots before it are kept and the error names the row.
Dots collectDots(const TTextTable& db, const QString& water, const QHash<QString, QString>& colours);

// Filled circles without outline in the box (x, y)-(x + 5, y + 5).
void drawDots(QImage& picture, const QList<Dot>& dots);

// The row whose dot box holds the point, the highest row when boxes overlap; a dot with
// x = 0 or y = 0 has no hint. 0 when there is none.
int dotAt(const QList<Dot>& dots, const QPoint& point);

// "Fischart, Laenge cm Gewicht g" of a row.
QString hintText(const TTextTable& db, int row);

// Where the copy of a chosen map picture goes: program folder + "karte_" + the file name.
// When that path is already the map of another water, a number is added to the name
// ("karte_see_2.jpg"), so two waters never share one copy.
QString copyPath(const IniFile& settings, const QString& water, const QString& chosenFile);

// Writes the picture as a JPEG copy (safe replace) and records it as the map of the water;
// returns the copy's path. Raises EFileError.
QString storeCopy(const IniFile& settings, const QString& water, const QString& chosenFile, const QImage& picture);

} // namespace watermap
