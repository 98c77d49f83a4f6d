#pragma once
// The species colours of the water map, settings section "KarteFarbe": "#" and six upper-case
// hexadecimal digits (red, green, blue). The map reads them, the setup assistant and the
// first opening of a map give every species a random one.
#include "data/Clock.h"
#include "data/IniFile.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>

namespace mapcolours {

inline const QString kSection = QStringLiteral("KarteFarbe");

// "#RRGGBB", upper case.
QString colourText(const QColor& colour);
// Characters 2-3 red, 4-5 green, 6-7 blue; anything else (empty text too) is blue, the colour
// of a species without an entry.
QColor colourFromText(const QString& text);
// Three random values 0..255 as colour text.
QString randomColourText(RandomSource& random);

// Gives each species (empty names skipped) a new random colour; existing ones are replaced.
void assignRandomColours(const IniFile& settings, const QStringList& species, RandomSource& random);

// When the settings have no species colours yet: colours for the lines of "Fischarten.dat",
// or for the 27 default species without that file. Returns true when it wrote colours.
bool fillColoursOnce(const IniFile& settings, RandomSource& random);

// The colour texts by species, keys in lower case (settings keys ignore letter case).
QHash<QString, QString> speciesColours(const IniFile& settings);

} // namespace mapcolours
