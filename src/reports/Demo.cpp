#include "reports/Demo.h"
#include "base/FkError.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/CommaText.h"
#include "data/GermanFormat.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "entry/LengthWeight.h"
#include "entry/PictureImport.h"
#include "entry/TSunMoonCalendar.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtMath>

#include <algorithm>
#include <map>
#include <random>

namespace demo {
namespace {

// The raw mt19937 sequence is the same on every platform; the std distributions are not.
class Rng {
public:
    explicit Rng(unsigned seed) : m_gen(seed) {}
    int range(int lo, int hi) { return lo + int(m_gen() % unsigned(hi - lo + 1)); } // both ends included
    double unit() { return m_gen() / 4294967296.0; }
    bool chance(double p) { return unit() < p; }
    template <typename T>
    const T& pick(const QList<T>& list) { return list[range(0, int(list.size()) - 1)]; }
    // An index drawn with the given weights.
    int weighted(const QList<int>& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = range(0, total - 1);
        for (int i = 0; i < weights.size(); ++i) {
            if (r < weights[i])
                return i;
            r -= weights[i];
        }
        return int(weights.size()) - 1;
    }

private:
    std::mt19937 m_gen;
};

struct Tactic {
    QString method;
    QString bait;
};

struct Species {
    QString name;
    int minLength;
    int maxLength;
    int minimumSize; // below it the fish goes back
    QList<Tactic> tactics;
    QColor back, belly, fins;
    double height;   // body height / length on the picture
    bool bars = false;
    bool spots = false;
};

const QString kGrund = QStringLiteral("Grundangeln");
const QString kPose = QStringLiteral("Posenangeln");
const QString kSpinn = QStringLiteral("Spinnfischen");
const QString kFeeder = QStringLiteral("Feederangeln");

QList<Species> speciesTable()
{
    const auto t = [](const QString& m, const char* b) { return Tactic{m, QString::fromUtf8(b)}; };
    return {
        {QStringLiteral("Hecht"), 45, 105, 50, {t(kSpinn, "Gummifisch"), t(kSpinn, "Blinker"), t(kGrund, "Köderfisch")},
         QColor(0x4a, 0x6b, 0x35), QColor(0xe8, 0xe4, 0xb0), QColor(0xb0, 0x6a, 0x2a), 0.18, false, true},
        {QStringLiteral("Barsch"), 16, 42, 15, {t(kSpinn, "Gummifisch"), t(kSpinn, "Spinner"), t(kPose, "Tauwurm")},
         QColor(0x5c, 0x74, 0x2e), QColor(0xf0, 0xe8, 0xc0), QColor(0xd8, 0x4a, 0x2a), 0.32, true, false},
        {QStringLiteral("Zander"), 38, 82, 45, {t(kSpinn, "Gummifisch"), t(kGrund, "Köderfisch"), t(kSpinn, "Wobbler")},
         QColor(0x6e, 0x74, 0x6a), QColor(0xee, 0xee, 0xe6), QColor(0x80, 0x80, 0x78), 0.2, true, false},
        {QStringLiteral("Schuppenkarpfen"), 40, 85, 35, {t(kGrund, "Boilie"), t(kGrund, "Mais"), t(kPose, "Mais")},
         QColor(0x6b, 0x55, 0x28), QColor(0xe8, 0xc8, 0x70), QColor(0x9a, 0x6a, 0x3a), 0.34},
        {QStringLiteral("Spiegelkarpfen"), 45, 90, 35, {t(kGrund, "Boilie"), t(kGrund, "Mais")},
         QColor(0x70, 0x5a, 0x30), QColor(0xea, 0xcc, 0x7a), QColor(0x9a, 0x6a, 0x3a), 0.36, false, true},
        {QStringLiteral("Schleie"), 28, 52, 25, {t(kPose, "Tauwurm"), t(kPose, "Made"), t(kFeeder, "Mais")},
         QColor(0x3e, 0x55, 0x22), QColor(0xb8, 0xb0, 0x50), QColor(0x3a, 0x4a, 0x20), 0.3},
        {QStringLiteral("Rotauge"), 14, 32, 0, {t(kPose, "Made"), t(kFeeder, "Made"), t(kPose, "Mais")},
         QColor(0x4f, 0x62, 0x70), QColor(0xf2, 0xf2, 0xf0), QColor(0xd0, 0x40, 0x30), 0.3},
        {QStringLiteral("Brachsen"), 28, 62, 0, {t(kFeeder, "Made"), t(kFeeder, "Tauwurm"), t(kGrund, "Mais")},
         QColor(0x5e, 0x5a, 0x4a), QColor(0xd8, 0xd2, 0xb8), QColor(0x50, 0x50, 0x48), 0.38},
        {QStringLiteral("Döbel"), 25, 55, 0, {t(kSpinn, "Spinner"), t(kPose, "Made"), t(kGrund, "Käse")},
         QColor(0x4a, 0x52, 0x58), QColor(0xee, 0xec, 0xe0), QColor(0xc8, 0x6a, 0x3a), 0.24},
        {QStringLiteral("Barbe"), 35, 72, 40, {t(kFeeder, "Made"), t(kGrund, "Käse"), t(kGrund, "Tauwurm")},
         QColor(0x7a, 0x6a, 0x44), QColor(0xf0, 0xe2, 0xbc), QColor(0xc0, 0x70, 0x40), 0.2},
        {QStringLiteral("Aal"), 42, 88, 50, {t(kGrund, "Tauwurm"), t(kGrund, "Köderfisch")},
         QColor(0x33, 0x3a, 0x22), QColor(0xd8, 0xd4, 0xa0), QColor(0x33, 0x3a, 0x22), 0.08},
        {QStringLiteral("Wels"), 70, 175, 0, {t(kGrund, "Köderfisch"), t(kGrund, "Tauwurm")},
         QColor(0x3a, 0x3a, 0x34), QColor(0xcc, 0xc8, 0xb8), QColor(0x3a, 0x3a, 0x34), 0.16, false, true},
    };
}

struct Water {
    QString name;
    QString mapFile; // the picture the angler chose; the program keeps "karte_" + this
    bool river;
    QStringList spots;
    QList<std::pair<QString, int>> species; // name and how often it bites here
    int favouriteOf;                        // angler index
};

QList<Water> waterTable()
{
    return {
        {QStringLiteral("Baggersee Heide"), QStringLiteral("Baggersee_Heide.jpg"), false,
         {QStringLiteral("Nordufer"), QStringLiteral("Schilfkante"), QStringLiteral("Steg am Parkplatz")},
         {{QStringLiteral("Hecht"), 4}, {QStringLiteral("Barsch"), 6}, {QStringLiteral("Schuppenkarpfen"), 4},
          {QStringLiteral("Spiegelkarpfen"), 3}, {QStringLiteral("Schleie"), 3}, {QStringLiteral("Rotauge"), 5}},
         0},
        {QStringLiteral("Lippe"), QStringLiteral("Lippe_bei_Hamm.jpg"), true,
         {QStringLiteral("Buhne 3"), QStringLiteral("Kiesbank"), QStringLiteral("Unterhalb Wehr")},
         {{QStringLiteral("Döbel"), 5}, {QStringLiteral("Barbe"), 4}, {QStringLiteral("Aal"), 3},
          {QStringLiteral("Rotauge"), 4}, {QStringLiteral("Brachsen"), 3}, {QStringLiteral("Zander"), 2}},
         1},
        {QStringLiteral("Möhnesee"), QStringLiteral("Moehnesee.jpg"), false,
         {QStringLiteral("Staumauer"), QStringLiteral("Hevearm"), QStringLiteral("Delecker Brücke")},
         {{QStringLiteral("Zander"), 5}, {QStringLiteral("Barsch"), 5}, {QStringLiteral("Hecht"), 3},
          {QStringLiteral("Brachsen"), 4}, {QStringLiteral("Aal"), 2}, {QStringLiteral("Wels"), 1}},
         2},
    };
}

const QStringList kAnglers = {QStringLiteral("Thomas"), QStringLiteral("Anna"), QStringLiteral("Jürgen")};
const QList<int> kAnglerWeights = {4, 3, 3};
const QStringList kWeather = {QStringLiteral("sonnig"), QStringLiteral("heiter"), QStringLiteral("bewölkt"),
                              QStringLiteral("bedeckt"), QStringLiteral("Regen"), QStringLiteral("Nebel")};
const QList<int> kWeatherWeights = {5, 6, 7, 5, 3, 1};
const QStringList kWindDirections = {QStringLiteral("Windstill"), QStringLiteral("N"), QStringLiteral("NO"),
                                     QStringLiteral("O"), QStringLiteral("SO"), QStringLiteral("S"),
                                     QStringLiteral("SW"), QStringLiteral("W"), QStringLiteral("NW")};
const QStringList kWindForces = {QStringLiteral("Windstill"), QStringLiteral("Leiser Zug"),
                                 QStringLiteral("Leichte Brise"), QStringLiteral("Schwache Brise"),
                                 QStringLiteral("Mäßige Brise"), QStringLiteral("Frische Brise")};
const QList<int> kWindForceWeights = {1, 4, 6, 5, 3, 1};
const QStringList kRemarks = {
    QStringLiteral("Biss kurz nach dem Auswerfen."),
    QStringLiteral("Lange nichts, dann zwei Bisse kurz hintereinander."),
    QStringLiteral("Schöner Drill, sicher gekeschert."),
    QStringLiteral("Vorsichtiger Biss, die Pose hat nur gezuckt."),
    QStringLiteral("Haken saß knapp vorn in der Lippe."),
    QStringLiteral("Futterplatz wurde gut angenommen."),
    QStringLiteral("Biss in der Dämmerung.\nDer Drill dauerte fast zehn Minuten."),
    QStringLiteral("Wasser nach dem Regen leicht angetrübt."),
    QStringLiteral("Mehrere Fische raubten an der Oberfläche."),
};
// Mean air and water temperature per month (index 0 = January).
const int kAirTemperature[12] = {2, 3, 7, 11, 16, 19, 22, 21, 17, 12, 7, 3};
const int kWaterTemperature[12] = {4, 4, 6, 10, 15, 19, 21, 21, 17, 13, 8, 5};
const QList<int> kMonthWeights = {0, 0, 2, 4, 6, 7, 7, 7, 6, 4, 2, 0};

QByteArray c(const QString& text)
{
    return win1252::encodeLossy(text);
}

QString colourText(const QColor& colour)
{
    return QStringLiteral("#%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// ---- maps ---------------------------------------------------------------------------------

constexpr int kMapWidth = 800;
constexpr int kMapHeight = 600;

struct WaterMap {
    QPainterPath water;
    QList<QPointF> spotAnchors; // one per spot, inside the water near its bank
};

QPainterPath lakeShape(Rng& rng)
{
    const int corners = 18;
    QList<QPointF> points;
    const QPointF centre(kMapWidth / 2.0 + rng.range(-30, 30), kMapHeight / 2.0 + rng.range(-20, 20));
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * M_PI * i / corners;
        const double f = 0.72 + 0.28 * rng.unit();
        points << centre + QPointF(std::cos(a) * 310 * f, std::sin(a) * 210 * f);
    }
    // A smooth outline through the midpoints, the corners as control points.
    QPainterPath path;
    const auto mid = [&](int i) { return (points[i % corners] + points[(i + 1) % corners]) / 2; };
    path.moveTo(mid(0));
    for (int i = 1; i <= corners; ++i)
        path.quadTo(points[i % corners], mid(i));
    path.closeSubpath();
    return path;
}

QPainterPath riverShape(Rng& rng)
{
    QPainterPath centre;
    const double phase = rng.unit() * M_PI;
    centre.moveTo(-20, kMapHeight / 2.0);
    for (int x = 0; x <= kMapWidth + 20; x += 20)
        centre.lineTo(x, kMapHeight / 2.0 + 130 * std::sin(phase + x / 160.0) + 40 * std::sin(x / 57.0));
    QPainterPathStroker stroker;
    stroker.setWidth(90);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centre).simplified();
}

QPointF pointInside(const QPainterPath& water, Rng& rng, const QPointF& near, double radius)
{
    for (int tries = 0; tries < 200; ++tries) {
        const QPointF p = near + QPointF(rng.range(-int(radius), int(radius)), rng.range(-int(radius), int(radius)));
        if (p.x() > 5 && p.y() > 5 && p.x() < kMapWidth - 10 && p.y() < kMapHeight - 10 && water.contains(p))
            return p;
    }
    return near;
}

WaterMap makeMap(const Water& w, Rng& rng)
{
    WaterMap m;
    m.water = w.river ? riverShape(rng) : lakeShape(rng);
    const QRectF box = m.water.boundingRect();
    for (int i = 0; i < w.spots.size(); ++i) {
        // Spots spread along the water from left to right.
        const QPointF guess(box.left() + box.width() * (i + 0.5) / w.spots.size(), box.center().y());
        m.spotAnchors << pointInside(m.water, rng, guess, 160);
    }
    return m;
}

QImage drawMap(const WaterMap& m, Rng& rng)
{
    QImage image(kMapWidth, kMapHeight, QImage::Format_RGB32);
    image.fill(QColor(0xd6, 0xe6, 0xb4));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Fields, a road, trees: enough to find one's way.
    for (int i = 0; i < 7; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? QColor(0xe4, 0xdc, 0xa4) : QColor(0xc4, 0xda, 0x9c));
        p.drawRect(rng.range(0, kMapWidth - 150), rng.range(0, kMapHeight - 100), rng.range(90, 220), rng.range(60, 160));
    }
    p.setPen(QPen(QColor(0x9a, 0x94, 0x8a), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, rng.range(20, 80)), QPointF(kMapWidth, rng.range(520, 590)));
    p.setPen(QPen(QColor(0x7a, 0x9c, 0x5a), 1));
    p.setBrush(QColor(0x5a, 0x86, 0x48));
    for (int i = 0; i < 60; ++i) {
        const QPointF t(rng.range(0, kMapWidth), rng.range(0, kMapHeight));
        if (!m.water.contains(t))
            p.drawEllipse(t, 9, 9);
    }
    p.setPen(QPen(QColor(0x3d, 0x78, 0xb0), 4));
    p.setBrush(QColor(0x78, 0xb0, 0xe0));
    p.drawPath(m.water);
    // The spots: a small jetty each.
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x2b), 5, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF& a : m.spotAnchors)
        p.drawLine(a + QPointF(-10, -10), a + QPointF(10, 10));
    return image;
}

// ---- catch pictures -----------------------------------------------------------------------

QImage drawCatchPicture(const Species& s, int length, Rng& rng)
{
    QImage image(pictures::StoredWidth, pictures::StoredHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Grass, and a measuring board.
    QLinearGradient grass(0, 0, 0, image.height());
    grass.setColorAt(0, QColor(0x7d, 0xa4, 0x4e));
    grass.setColorAt(1, QColor(0x4f, 0x7a, 0x32));
    p.fillRect(image.rect(), grass);
    const QColor wood = QColor(0xc8, 0x9a, 0x5e).darker(95 + rng.range(0, 15));
    p.fillRect(QRectF(20, 150, 600, 200), wood);
    p.setPen(QPen(wood.darker(120), 2));
    for (int y = 160; y < 350; y += 14)
        p.drawLine(QPointF(20, y), QPointF(620, y + rng.range(-3, 3)));
    p.fillRect(QRectF(20, 320, 600, 24), QColor(0xf2, 0xd0, 0x3c));
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= 120; ++i)
        p.drawLine(QPointF(30 + i * 4.8, 320), QPointF(30 + i * 4.8, i % 10 == 0 ? 336 : (i % 5 == 0 ? 331 : 326)));

    // The fish, scaled to the board: a metre is the board's width.
    const double len = std::clamp(length * 5.6, 120.0, 580.0);
    const double h = len * s.height;
    p.save();
    p.translate(30 + len / 2, 250);
    p.rotate(rng.range(-4, 4));
    const double L = len / 2;
    QPainterPath tail;
    tail.moveTo(L * 0.78, 0);
    tail.lineTo(L * 1.02, -h * 0.55);
    tail.lineTo(L * 0.95, 0);
    tail.lineTo(L * 1.02, h * 0.55);
    tail.closeSubpath();
    p.setPen(QPen(s.fins.darker(140), 2));
    p.setBrush(s.fins);
    p.drawPath(tail);
    QPainterPath fin;
    fin.moveTo(-L * 0.1, -h * 0.42);
    fin.quadTo(L * 0.05, -h * 0.95, L * 0.3, -h * 0.4);
    p.drawPath(fin);
    QPainterPath body;
    body.moveTo(-L, 0);
    body.cubicTo(-L * 0.6, -h * 0.75, L * 0.6, -h * 0.7, L * 0.85, 0);
    body.cubicTo(L * 0.6, h * 0.7, -L * 0.6, h * 0.75, -L, 0);
    QLinearGradient shade(0, -h / 2, 0, h / 2);
    shade.setColorAt(0, s.back);
    shade.setColorAt(0.6, s.back.lighter(150));
    shade.setColorAt(1, s.belly);
    p.setBrush(shade);
    p.setPen(QPen(s.back.darker(160), 2));
    p.drawPath(body);
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    if (s.bars) {
        p.setBrush(QColor(0, 0, 0, 90));
        for (int i = 0; i < 6; ++i)
            p.drawRect(QRectF(-L * 0.45 + i * L * 0.2, -h, L * 0.07, h * 0.85));
    }
    if (s.spots) {
        p.setBrush(s.belly.lighter(105));
        for (int i = 0; i < 26; ++i)
            p.drawEllipse(QPointF(-L * 0.7 + rng.unit() * L * 1.4, -h * 0.35 + rng.unit() * h * 0.5), h * 0.04 + 1, h * 0.03 + 1);
    }
    p.setClipping(false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(-L * 0.8, -h * 0.1), h * 0.08 + 2, h * 0.08 + 2);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(-L * 0.8, -h * 0.1), h * 0.04 + 1, h * 0.04 + 1);
    p.restore();
    return image;
}

// ---- catches ------------------------------------------------------------------------------

struct Outing {
    QDate date;
    int angler;
    int water;
    QTime begin;
    QTime end;
};

struct SunMoon {
    QByteArray sunRise, sunSet, moonRise, moonSet, phase;
};

// The values the entry dialog's hidden calendar gives for a catch date.
const SunMoon& sunMoon(std::map<QDate, SunMoon>& cache, const QDate& day)
{
    auto it = cache.find(day);
    if (it == cache.end()) {
        const TSunMoonCalendar calendar(QDateTime(day, QTime(0, 0)));
        it = cache.emplace(day, SunMoon{c(calendar.sunRiseText()), c(calendar.sunSetText()),
                                        c(calendar.moonRiseText()), c(calendar.moonSetText()),
                                        c(calendar.moonPhaseText())})
                 .first;
    }
    return it->second;
}

QTime quarter(int minutesOfDay)
{
    minutesOfDay = std::clamp(minutesOfDay, 0, 23 * 60 + 45);
    return QTime(minutesOfDay / 60, minutesOfDay % 60);
}

int minutes(const QTime& t)
{
    return t.hour() * 60 + t.minute();
}

void refuseExisting(const QString& folder)
{
    for (const char* name : {"Fischkladde.ini", "Fischkladde.fdb", "Angelkosten.akdb"}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        if (QFileInfo::exists(path))
            throw EFileError(QStringLiteral("In \"%1\" gibt es schon \"%2\". Beispieldaten werden nur in einen "
                                            "neuen oder leeren Ordner geschrieben.")
                                 .arg(QDir::toNativeSeparators(folder), QLatin1String(name)));
    }
}

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.").arg(QDir::toNativeSeparators(path)));
}

struct Purchase {
    const char* article;
    double price;
    int maxQuantity;
};

} // namespace

Summary writeProgramFolder(const QString& folderIn, unsigned seed)
{
    const QString folder = QDir::cleanPath(QFileInfo(folderIn).absoluteFilePath());
    refuseExisting(folder);
    makeFolder(folder + QStringLiteral("/DATs"));
    makeFolder(folder + QStringLiteral("/img"));

    Rng rng(seed);
    const QList<Species> species = speciesTable();
    const QList<Water> waters = waterTable();
    const auto speciesNamed = [&](const QString& name) -> const Species& {
        for (const Species& s : species)
            if (s.name == name)
                return s;
        return species.first();
    };
    Summary summary;
    IniFile ini(folder + QStringLiteral("/Fischkladde.ini"));

    // Maps first: the catches need their water outlines.
    QList<WaterMap> maps;
    for (const Water& w : waters) {
        maps << makeMap(w, rng);
        const QString path = folder + QStringLiteral("/karte_") + w.mapFile;
        safefile::writeOrThrow(path, jpeg::encode(drawMap(maps.last(), rng), 85));
        ini.writeString(QStringLiteral("Karte"), w.name, path);
    }

    // Outings until each year has its catches, then in date order.
    struct PlannedCatch {
        QTime time;
        int speciesIndex;
    };
    QList<std::pair<Outing, QList<PlannedCatch>>> outings;
    std::map<QDate, SunMoon> sunMoonCache;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        int count = 0;
        while (count < 70) {
            Outing o;
            const int month = rng.weighted(kMonthWeights) + 1;
            o.date = QDate(year, month, rng.range(1, QDate(year, month, 1).daysInMonth()));
            // Many anglers go out at full moon or new moon on purpose.
            if (rng.chance(0.2)) {
                const QByteArray wanted = c(astro::moonPhaseName(rng.chance(0.5) ? astro::Vollmond : astro::Neumond));
                for (QDate d = o.date; d < o.date.addDays(31) && d.year() == year; d = d.addDays(1))
                    if (sunMoon(sunMoonCache, d).phase == wanted) {
                        o.date = d;
                        break;
                    }
            }
            o.angler = rng.weighted(kAnglerWeights);
            o.water = rng.chance(0.6) ? int(std::find_if(waters.begin(), waters.end(),
                                                         [&](const Water& w) { return w.favouriteOf == o.angler; })
                                            - waters.begin())
                                      : rng.range(0, int(waters.size()) - 1);
            const int slot = rng.weighted({4, 3, 3});
            const int start = slot == 0 ? rng.range(5 * 4, 8 * 4) * 15 : slot == 1 ? rng.range(13 * 4, 16 * 4) * 15
                                                                                      : rng.range(17 * 4, 19 * 4) * 15;
            o.begin = quarter(start);
            o.end = quarter(start + rng.range(6, 18) * 15);
            const Water& w = waters[o.water];
            QList<int> weights;
            for (const auto& s : w.species)
                weights << s.second;
            QList<PlannedCatch> plan;
            const int n = 1 + rng.weighted({45, 30, 17, 8});
            const int span = std::max(1, minutes(o.end) - minutes(o.begin));
            for (int i = 0; i < n; ++i) {
                PlannedCatch pc;
                pc.time = QTime(0, 0).addSecs(60 * (minutes(o.begin) + rng.range(5, span)));
                const QString& name = w.species[rng.weighted(weights)].first;
                pc.speciesIndex = int(std::find_if(species.begin(), species.end(),
                                                   [&](const Species& s) { return s.name == name; })
                                      - species.begin());
                plan << pc;
            }
            std::sort(plan.begin(), plan.end(), [](const PlannedCatch& a, const PlannedCatch& b) { return a.time < b.time; });
            outings.append({o, plan});
            count += int(plan.size());
        }
    }
    std::stable_sort(outings.begin(), outings.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.date, a.first.begin) < std::pair(b.first.date, b.first.begin);
    });

    TTextTable db;
    for (const QByteArray& name : catchrec::fieldNames())
        db.AddField(name);
    lookup::SortedUniqueList anglers, watersList, spots, methods, baits, weathers;
    for (const auto& [o, plan] : outings) {
        const Water& w = waters[o.water];
        const WaterMap& map = maps[o.water];
        const int spot = rng.range(0, int(w.spots.size()) - 1);
        const int month = o.date.month() - 1;
        const QString weather = kWeather[rng.weighted(kWeatherWeights)];
        const int air = kAirTemperature[month] + rng.range(-4, 5);
        const int water = kWaterTemperature[month] + rng.range(-2, 2);
        const int pressure = rng.range(996, 1029);
        const QString windDirection = kWindDirections[rng.range(0, int(kWindDirections.size()) - 1)];
        const QString windForce = windDirection == kWindDirections[0] ? kWindForces[0]
                                                                       : kWindForces[1 + rng.weighted(kWindForceWeights.mid(1))];
        const QString level = rng.pick(QStringList{QStringLiteral("normal"), QStringLiteral("normal"),
                                                   QStringLiteral("hoch"), QStringLiteral("niedrig")});
        const QString clarity = weather == QStringLiteral("Regen")
                                    ? QStringLiteral("mittel")
                                    : rng.pick(QStringList{QStringLiteral("klar"), QStringLiteral("leicht"),
                                                           QStringLiteral("leicht"), QStringLiteral("mittel")});
        const int duration = (minutes(o.end) - minutes(o.begin) + 24 * 60) % (24 * 60);
        const SunMoon& sm = sunMoon(sunMoonCache, o.date);

        for (const PlannedCatch& pc : plan) {
            const Species& s = species[pc.speciesIndex];
            const Tactic& tactic = rng.pick(s.tactics);
            const double u = (rng.unit() + rng.unit() + rng.unit()) / 3;
            const int length = s.minLength + int(std::lround(u * (s.maxLength - s.minLength)));
            const long double k = lengthweight::conditionFactor(s.name).value_or(1.0L);
            const double grams = double(k) * length * length * length / 100 * (0.88 + 0.24 * rng.unit());
            const int weight = std::max(10, int(std::lround(grams / 10)) * 10);
            const bool undersized = length < s.minimumSize;
            const bool released = undersized || rng.chance(s.name.contains(QStringLiteral("karpfen")) ? 0.6 : 0.12);
            const QString remark = undersized ? QStringLiteral("Untermaßig, schonend zurückgesetzt.") : rng.pick(kRemarks);

            QStringList pictureNames;
            if (rng.chance(0.35)) {
                const QDateTime entered(o.date, pc.time.addSecs(rng.range(120, 1200)));
                const QString stem = pictures::momentText(entered) + QString::number(rng.range(0, 199));
                const int count = rng.chance(0.15) ? 2 : 1;
                for (int i = 0; i < count; ++i) {
                    const QString name = pictures::storedName(stem, i);
                    safefile::writeOrThrow(folder + QStringLiteral("/img/") + name,
                                           jpeg::encode(drawCatchPicture(s, length, rng), pictures::StoredQuality));
                    pictureNames << name;
                    ++summary.pictures;
                }
            }
            QString position;
            if (rng.chance(0.85)) {
                const QPointF at = pointInside(map.water, rng, map.spotAnchors[spot], 45);
                position = QStringLiteral("%1,%2").arg(int(at.x())).arg(int(at.y()));
            }

            db.AddRow();
            db.SetData(catchrec::Fangdatum, c(german::formatDate(o.date)));
            db.SetData(catchrec::Fangzeit, c(german::formatClock(pc.time)));
            db.SetData(catchrec::Fischart, c(s.name));
            db.SetData(catchrec::Laenge, QByteArray::number(length));
            db.SetData(catchrec::Gewicht, QByteArray::number(weight));
            db.SetData(catchrec::Faenger, c(kAnglers[o.angler]));
            db.SetData(catchrec::Gewaesser, c(w.name));
            db.SetData(catchrec::Stelle, c(w.spots[spot]));
            db.SetData(catchrec::Fangmethode, c(tactic.method));
            db.SetData(catchrec::Koeder, c(tactic.bait));
            db.SetData(catchrec::Wetter, c(weather));
            db.SetData(catchrec::Angelbeginn, c(german::formatClock(o.begin)));
            db.SetData(catchrec::Angelende, c(german::formatClock(o.end)));
            db.SetData(catchrec::Angeldauer, c(german::formatClock(QTime(duration / 60, duration % 60))));
            db.SetData(catchrec::Uferdistanz, QByteArray::number(rng.range(2, 40)));
            db.SetData(catchrec::Fangtiefe, c(QStringLiteral("%1,%2").arg(rng.range(0, 6)).arg(rng.range(1, 9))));
            db.SetData(catchrec::Bemerkungen, c(remark));
            db.SetData(catchrec::Sonnenaufgang, sm.sunRise);
            db.SetData(catchrec::Sonnenuntergang, sm.sunSet);
            db.SetData(catchrec::Mondaufgang, sm.moonRise);
            db.SetData(catchrec::Monduntergang, sm.moonSet);
            db.SetData(catchrec::Mondphase, sm.phase);
            db.SetData(catchrec::Karte, c(position));
            db.SetData(catchrec::Wassertemperatur, QByteArray::number(water));
            db.SetData(catchrec::Lufttemperatur, QByteArray::number(air));
            db.SetData(catchrec::Luftdruck, QByteArray::number(pressure));
            db.SetData(catchrec::Windrichtung, c(windDirection));
            db.SetData(catchrec::Windstaerke, c(windForce));
            db.SetData(catchrec::Wassertruebung, c(clarity));
            db.SetData(catchrec::Wasserstand, c(level));
            db.SetData(catchrec::zurueckgesetzt, released ? "-1" : "0");
            db.SetData(catchrec::Bild, c(commatext::join(pictureNames)));

            anglers.add(kAnglers[o.angler]);
            watersList.add(w.name);
            spots.add(w.spots[spot]);
            methods.add(tactic.method);
            baits.add(tactic.bait);
            weathers.add(weather);
        }
    }
    summary.catches = db.RowCount();
    summary.catchDatabase = folder + QStringLiteral("/Fischkladde.fdb");
    db.saveOrThrow(summary.catchDatabase);

    // Costs: a season's start order by post each spring, bait and small parts on the way.
    const QString local = QStringLiteral("Angelsport Müller");
    const QString mail = QStringLiteral("Fisch & Fang Versand");
    const QString lake = QStringLiteral("Anglerbedarf am See");
    const QList<Purchase> tackle = {{"Monofile Schnur 0,30 mm", 8.95, 2}, {"Geflochtene Schnur 0,12 mm", 24.90, 1},
                                    {"Vorfachhaken Gr. 8", 2.49, 4},      {"Gummifische Set", 9.99, 3},
                                    {"Wobbler schwimmend", 12.95, 2},     {"Blinker 18 g", 5.49, 3},
                                    {"Posen-Set", 7.50, 2},               {"Bleie sortiert", 4.20, 2},
                                    {"Wirbel und Karabiner", 3.95, 2},    {"Boilies 1 kg", 11.90, 3}};
    const QList<Purchase> bait = {{"Tauwürmer (Dose)", 3.50, 3}, {"Maden 0,5 l", 2.80, 2},
                                  {"Dosenmais", 1.29, 4},        {"Futtermischung 2 kg", 6.99, 2}};
    const QList<Purchase> bigItems = {{"Unterfangkescher", 39.90, 1}, {"Rutenhalter", 14.95, 2},
                                      {"Spinnrute 2,70 m", 89.00, 1},  {"Freilaufrolle", 64.50, 1}};
    TTextTable akdb;
    for (const char* name : costrec::kFields)
        akdb.AddField(name);
    lookup::SortedUniqueList shops, articles;
    struct Line {
        QDate date;
        QString shop;
        QString article;
        int quantity;
        double price;
        double shipping; // of the whole order
        int orderSize;   // articles in the whole order
    };
    QList<Line> lines;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        // The spring order: several articles, one shipping cost shared by all of them.
        QList<Line> order;
        const QDate spring(year, 3, rng.range(1, 20));
        QList<Purchase> pool = tackle;
        for (int i = 0; i < 5; ++i) {
            const Purchase item = pool.takeAt(rng.range(0, int(pool.size()) - 1));
            order << Line{spring, mail, QString::fromUtf8(item.article), rng.range(1, item.maxQuantity), item.price, 4.95, 0};
        }
        int orderSize = 0;
        for (const Line& l : order)
            orderSize += l.quantity;
        for (Line& l : order)
            l.orderSize = orderSize;
        lines << order;
        lines << Line{QDate(year, 1, rng.range(5, 25)), lake, QStringLiteral("Jahreskarte Baggersee Heide"), 1, 85.00, 0, 1};
        const Purchase big = bigItems[year - kFirstYear + rng.range(0, 2)];
        lines << Line{QDate(year, rng.range(5, 8), rng.range(1, 28)), local, QString::fromUtf8(big.article), 1, big.price, 0, 1};
        for (int month = 4; month <= 10; ++month) {
            const Purchase& b = rng.pick(bait);
            lines << Line{QDate(year, month, rng.range(1, 28)), rng.chance(0.7) ? local : lake, QString::fromUtf8(b.article),
                          rng.range(1, b.maxQuantity), b.price, 0, 1};
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.date < b.date; });
    for (const Line& l : lines) {
        const double total = l.price * l.quantity;
        const double withShipping = l.shipping / l.orderSize * l.quantity + total;
        akdb.AddRow();
        akdb.SetData(costrec::Kaufdatum, c(german::formatDate(l.date)));
        akdb.SetData(costrec::Geschaeft, c(l.shop));
        akdb.SetData(costrec::Artikel, c(l.article));
        akdb.SetData(costrec::Menge, QByteArray::number(l.quantity));
        akdb.SetData(costrec::Einzelpreis, c(german::formatFixed(l.price, 2)));
        akdb.SetData(costrec::Gesamtpreis, c(german::formatFixed(total, 2)));
        akdb.SetData(costrec::GesamtpreisVersand, c(german::formatFixed(withShipping, 2)));
        shops.add(l.shop);
        articles.add(l.article);
    }
    summary.costs = akdb.RowCount();
    summary.costDatabase = folder + QStringLiteral("/Angelkosten.akdb");
    akdb.saveOrThrow(summary.costDatabase);

    // Bites that were not landed, on some of the outings.
    TTextTable bites;
    for (const char* name : {"Datum", "Zeit", "Stelle", "Koeder", "Fischart", "Laenge"})
        bites.AddField(name);
    for (const auto& [o, plan] : outings) {
        if (!rng.chance(0.3))
            continue;
        const Water& w = waters[o.water];
        const QString& name = w.species[rng.range(0, int(w.species.size()) - 1)].first;
        const Species& s = speciesNamed(name);
        const int span = std::max(1, minutes(o.end) - minutes(o.begin));
        bites.AddRow();
        bites.SetData("Datum", c(german::formatDate(o.date)));
        bites.SetData("Zeit", c(german::formatClock(QTime(0, 0).addSecs(60 * (minutes(o.begin) + rng.range(0, span))))));
        bites.SetData("Stelle", c(rng.pick(w.spots)));
        bites.SetData("Koeder", c(rng.pick(s.tactics).bait));
        bites.SetData("Fischart", c(rng.chance(0.3) ? QString() : s.name));
        bites.SetData("Laenge", rng.chance(0.4) ? QByteArray() : c(QStringLiteral("ca. %1").arg((s.minLength + s.maxLength) / 20 * 10)));
    }
    summary.bites = bites.RowCount();
    bites.saveOrThrow(folder + QStringLiteral("/DATs/Bissliste.dat"));

    // The lookup lists as opening the databases would build them.
    const auto writeList = [&](const char* name, const QStringList& values) {
        lookup::writeList(folder + QStringLiteral("/DATs/") + QLatin1String(name) + QStringLiteral(".dat"), values);
    };
    writeList("Faenger", anglers.values());
    writeList("Gewaesser", watersList.values());
    writeList("Stelle", spots.values());
    writeList("Fangmethode", methods.values());
    writeList("Koeder", baits.values());
    writeList("Wetter", weathers.values());
    writeList("Fischarten", lookup::defaultSpecies());
    writeList("AK_Geschaeft", shops.values());
    writeList("AK_Artikelbez", articles.values());

    ini.writeString(QStringLiteral("DB"), QStringLiteral("File"), summary.catchDatabase);
    ini.writeString(QStringLiteral("AKDB"), QStringLiteral("File"), summary.costDatabase);
    ini.writeBool(QStringLiteral("Start"), QStringLiteral("start"), true);
    // One clear colour per species of the catches, the rest drawn at random as the map does.
    for (const QString& name : lookup::defaultSpecies()) {
        QColor colour(rng.range(0, 255), rng.range(0, 255), rng.range(0, 255));
        for (int i = 0; i < species.size(); ++i)
            if (species[i].name == name)
                colour = QColor::fromHsv(i * 360 / int(species.size()), 230, 225);
        ini.writeString(QStringLiteral("KarteFarbe"), name, colourText(colour));
    }
    return summary;
}

} // namespace demo
