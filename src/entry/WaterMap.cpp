#include "entry/WaterMap.h"
#include "base/FkError.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/GermanFormat.h"
#include "data/MapColours.h"
#include "data/ProgramFolder.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QPainter>

namespace watermap {

QString positionText(const QPoint& position)
{
    return QStringLiteral("%1,%2").arg(position.x()).arg(position.y());
}

QPoint parsePosition(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QString x = comma < 0 ? QString() : text.left(comma);
    const QString y = comma < 0 ? QString() : text.mid(comma + 1);
    return QPoint(german::parseInt(x), german::parseInt(y));
}

Dots collectDots(const TTextTable& db, const QString& water, const QHash<QString, QString>& colours)
{
    Dots out;
    const int karte = db.FieldIndex(catchrec::Karte);
    const int gewaesser = db.FieldIndex(catchrec::Gewaesser);
    const int fischart = db.FieldIndex(catchrec::Fischart);
    if (karte == 0 || gewaesser == 0)
        return out;
    for (int row = 1; row <= db.RowCount(); ++row) {
        const QByteArray position = db.value(row, karte);
        if (position.isEmpty() || win1252::decode(db.value(row, gewaesser)) != water)
            continue;
        Dot dot;
        dot.row = row;
        try {
            dot.position = parsePosition(win1252::decode(position));
        } catch (const EConvertError& e) {
            out.error = QStringLiteral("Zeile %1, Feld %2: %3").arg(row).arg(QString::fromLatin1(catchrec::Karte), e.message());
            break;
        }
        const QString species = fischart == 0 ? QString() : win1252::decode(db.value(row, fischart));
        dot.colour = mapcolours::colourFromText(colours.value(species.toLower()));
        out.dots.append(dot);
    }
    return out;
}

void drawDots(QImage& picture, const QList<Dot>& dots)
{
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    for (const Dot& d : dots) {
        painter.setBrush(d.colour);
        painter.drawEllipse(QRect(d.position, QSize(kDotSize, kDotSize)));
    }
}

int dotAt(const QList<Dot>& dots, const QPoint& point)
{
    int found = 0;
    for (const Dot& d : dots) {
        const QPoint p = d.position;
        if (p.x() == 0 || p.y() == 0)
            continue;
        if (point.x() >= p.x() && point.x() < p.x() + kDotSize && point.y() >= p.y() && point.y() < p.y() + kDotSize)
            found = std::max(found, d.row);
    }
    return found;
}

QString hintText(const TTextTable& db, int row)
{
    auto text = [&](const char* field) {
        const int col = db.FieldIndex(field);
        return col == 0 ? QString() : win1252::decode(db.value(row, col));
    };
    return text(catchrec::Fischart) + QStringLiteral(", ") + text(catchrec::Laenge) + QStringLiteral(" cm ")
        + text(catchrec::Gewicht) + QStringLiteral(" g");
}

QString copyPath(const IniFile& settings, const QString& water, const QString& chosenFile)
{
    const QFileInfo chosen(chosenFile);
    // Paths the other waters' maps already use.
    QStringList taken;
    for (const QString& key : settings.keys(kSection))
        if (key.compare(water, Qt::CaseInsensitive) != 0)
            taken.append(QDir::cleanPath(settings.readString(kSection, key)));
    const QString folder = ProgramFolder::path();
    QString candidate = QDir::cleanPath(folder + QStringLiteral("/karte_") + chosen.fileName());
    const QString suffix = chosen.suffix().isEmpty() ? QString() : QStringLiteral(".") + chosen.suffix();
    for (int n = 2; taken.contains(candidate); ++n)
        candidate = QDir::cleanPath(folder + QStringLiteral("/karte_") + chosen.completeBaseName()
                                    + QStringLiteral("_%1").arg(n) + suffix);
    return candidate;
}

QString storeCopy(const IniFile& settings, const QString& water, const QString& chosenFile, const QImage& picture)
{
    const QString path = copyPath(settings, water, chosenFile);
    safefile::writeOrThrow(path, jpeg::encode(picture, 90));
    settings.writeString(kSection, water, path);
    return path;
}

} // namespace watermap
