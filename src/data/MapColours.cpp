#include "data/MapColours.h"
#include "data/LookupLists.h"

#include <QFileInfo>

namespace mapcolours {

QString colourText(const QColor& colour)
{
    return QStringLiteral("#%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QColor colourFromText(const QString& text)
{
    const QColor blue(0, 0, 255);
    if (text.size() != 7 || text[0] != QLatin1Char('#'))
        return blue;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const QStringView digits = QStringView(text).mid(1 + 2 * i, 2);
        // toInt alone would also take a sign or a blank; only hexadecimal digits count.
        for (QChar c : digits)
            if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))))
                return blue;
        parts[i] = digits.toInt(nullptr, 16);
    }
    return QColor(parts[0], parts[1], parts[2]);
}

QString randomColourText(RandomSource& random)
{
    const int r = random.bounded(256);
    const int g = random.bounded(256);
    const int b = random.bounded(256);
    return colourText(QColor(r, g, b));
}

void assignRandomColours(const IniFile& settings, const QStringList& species, RandomSource& random)
{
    for (const QString& s : species)
        if (!s.isEmpty())
            settings.writeString(kSection, s, randomColourText(random));
}

bool fillColoursOnce(const IniFile& settings, RandomSource& random)
{
    if (!settings.keys(kSection).isEmpty())
        return false;
    const QString file = lookup::listPath(QStringLiteral("Fischarten"));
    const QStringList species = QFileInfo::exists(file) ? lookup::readList(file) : lookup::defaultSpecies();
    assignRandomColours(settings, species, random);
    return true;
}

QHash<QString, QString> speciesColours(const IniFile& settings)
{
    QHash<QString, QString> out;
    for (const QString& key : settings.keys(kSection)) {
        const QString folded = key.toLower();
        if (!out.contains(folded)) // the first entry wins, as a lookup by key finds it
            out.insert(folded, settings.readString(kSection, key));
    }
    return out;
}

} // namespace mapcolours
