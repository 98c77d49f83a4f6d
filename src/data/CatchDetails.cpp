#include "data/CatchDetails.h"
#include "data/CatchRecord.h"
#include "data/CommaText.h"
#include "data/GermanFormat.h"
#include "base/Win1252.h"

namespace catchdetails {
namespace {

QString field(const TTextTable& db, const char* name) { return win1252::decode(db.GetData(name)); }

QString riseAndSet(const TTextTable& db, const char* rise, const char* set)
{
    const QString a = field(db, rise).trimmed();
    const QString u = field(db, set).trimmed();
    if (a.isEmpty() && u.isEmpty())
        return {};
    const auto shown = [](const QString& t) { return t.isEmpty() ? QStringLiteral("-") : t; };
    return QStringLiteral("Aufgang ") + shown(a) + QStringLiteral(", Untergang ") + shown(u);
}

} // namespace

QString weekdayName(const QDate& date)
{
    static const char* const names[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch",
                                        "Donnerstag", "Freitag", "Samstag"};
    return QString::fromLatin1(names[date.dayOfWeek() % 7]);
}

QString poundsText(const QByteArray& gewicht)
{
    const int grams = german::parseInt(gewicht);
    return german::formatFixed(double(grams) * 2.0 / 1000.0, 2);
}

QStringList pictureList(const QByteArray& bild)
{
    return commatext::split(win1252::decode(bild));
}

QString bigPictureName(const QString& name)
{
    QString big = name;
    const qsizetype at = big.indexOf(QLatin1String("small"));
    if (at >= 0)
        big.replace(at, 5, QStringLiteral("big"));
    return big;
}

PreviewTexts previewTexts(const TTextTable& db)
{
    PreviewTexts t;
    fillPreviewTexts(db, t);
    return t;
}

void fillPreviewTexts(const TTextTable& db, PreviewTexts& t)
{
    t = PreviewTexts();
    t.fischart = field(db, catchrec::Fischart);
    t.laenge = field(db, catchrec::Laenge) + QStringLiteral(" cm  ") + field(db, catchrec::Gewicht) + QStringLiteral(" g");
    t.pictures = pictureList(db.GetData(catchrec::Bild));
    const QString datum = field(db, catchrec::Fangdatum);
    t.zeit = QStringLiteral("gefangen am ") + weekdayName(german::parseDate(datum)) + QStringLiteral(", ") + datum
             + QStringLiteral(" um ") + field(db, catchrec::Fangzeit);
    t.koeder = QStringLiteral("mit ") + field(db, catchrec::Koeder);
}

DetailTexts detailTexts(const TTextTable& db)
{
    DetailTexts t;
    t.fischart = field(db, catchrec::Fischart);
    t.laenge = field(db, catchrec::Laenge) + QStringLiteral(" cm");
    const QString gewicht = field(db, catchrec::Gewicht);
    t.gewicht = gewicht + QStringLiteral(" g (") + poundsText(db.GetData(catchrec::Gewicht)) + QStringLiteral(" Pfund)");
    const QString datum = field(db, catchrec::Fangdatum);
    t.fangdatum = weekdayName(german::parseDate(datum)) + QStringLiteral(", ") + datum;
    t.fangzeit = field(db, catchrec::Fangzeit) + QStringLiteral(" Uhr");
    t.angelzeit = field(db, catchrec::Angelbeginn) + QStringLiteral(" - ") + field(db, catchrec::Angelende) + QStringLiteral(" = ")
                  + field(db, catchrec::Angeldauer) + QStringLiteral(" Stunden");
    t.koeder = field(db, catchrec::Koeder);
    t.fangmethode = field(db, catchrec::Fangmethode);
    t.gewaesser = field(db, catchrec::Gewaesser);
    t.stelle = field(db, catchrec::Stelle);
    t.uferdistanz = field(db, catchrec::Uferdistanz) + QStringLiteral(" m");
    t.fangtiefe = field(db, catchrec::Fangtiefe) + QStringLiteral(" m");
    t.mond = field(db, catchrec::Mondphase);
    t.sonne = riseAndSet(db, catchrec::Sonnenaufgang, catchrec::Sonnenuntergang);
    t.mondzeiten = riseAndSet(db, catchrec::Mondaufgang, catchrec::Monduntergang);
    t.wetter = field(db, catchrec::Wetter);
    t.bemerkung = field(db, catchrec::Bemerkungen);
    t.wassertemp = field(db, catchrec::Wassertemperatur) + QStringLiteral(" °C");
    t.lufttemp = field(db, catchrec::Lufttemperatur) + QStringLiteral(" °C");
    t.windrichtung = field(db, catchrec::Windrichtung);
    t.wassertruebung = field(db, catchrec::Wassertruebung);
    t.windstaerke = field(db, catchrec::Windstaerke);
    t.wasserstand = field(db, catchrec::Wasserstand);
    t.luftdruck = field(db, catchrec::Luftdruck) + QStringLiteral(" hPa");
    // Only the stored true text "-1" checks the box; anything else leaves it clear.
    t.zurueckgesetzt = catchrec::isReleased(db.GetData(catchrec::zurueckgesetzt));
    t.pictures = pictureList(db.GetData(catchrec::Bild));
    return t;
}

void PictureCursor::reset(const QStringList& pictures)
{
    m_pictures = pictures;
    m_position = 0;
    m_backEnabled = false;
    m_forwardEnabled = true;
}

QString PictureCursor::current() const
{
    return m_position < m_pictures.size() ? m_pictures[m_position] : QString();
}

bool PictureCursor::forward()
{
    const bool moved = m_position + 1 < m_pictures.size();
    if (moved)
        ++m_position;
    m_backEnabled = true;
    m_forwardEnabled = m_position + 1 < m_pictures.size();
    return moved;
}

bool PictureCursor::back()
{
    if (m_position == 0) {
        m_backEnabled = false;
        m_forwardEnabled = true;
        return false;
    }
    --m_position;
    m_backEnabled = m_position > 0;
    m_forwardEnabled = true;
    return true;
}

} // namespace catchdetails
