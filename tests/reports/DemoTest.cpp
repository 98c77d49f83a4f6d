// The sample program folder: complete, consistent with itself and with what the program
// computes, readable by every command, the same bytes for the same seed, and never written
// over a real catch log.
#include "base/Jpeg.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "data/CommaText.h"
#include "data/GermanFormat.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "entry/TSunMoonCalendar.h"
#include "reports/Demo.h"
#include "storage/TTextTable.h"
#include "support/ErrorText.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

TTextTable load(const QString& path)
{
    TTextTable t;
    EXPECT_TRUE(t.LoadFromFile(path)) << path.toStdString();
    return t;
}

QString text(const TTextTable& t, int row, const char* field)
{
    return win1252::decode(t.value(row, t.FieldIndex(field)));
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string s(const QString& q)
{
    return q.toStdString();
}

// One demo folder for the whole suite: writing it takes a moment.
class DemoFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        home = new TempHome;
        run = new CliResult(runCli({QStringLiteral("demo"), home->path()}));
    }
    static void TearDownTestSuite()
    {
        delete run;
        delete home;
    }
    static TempHome* home;
    static CliResult* run;
};
TempHome* DemoFolder::home = nullptr;
CliResult* DemoFolder::run = nullptr;

TEST_F(DemoFolder, CatchesHaveEveryFieldAndPlausibleValues)
{
    ASSERT_EQ(run->status, 0) << run->err.toStdString();
    EXPECT_TRUE(run->out.contains("Fänge")) << run->out.toStdString();
    const IniFile ini(home->file(QStringLiteral("Fischkladde.ini")));
    EXPECT_TRUE(ini.readBool(QStringLiteral("Start"), QStringLiteral("start")));
    const QString dbPath = ini.readString(QStringLiteral("DB"), QStringLiteral("File"));
    EXPECT_EQ(dbPath, home->file(QStringLiteral("Fischkladde.fdb")));
    const TTextTable db = load(dbPath);
    EXPECT_EQ(db.fieldNames(), catchrec::fieldNames());
    ASSERT_GE(db.RowCount(), 100);

    QSet<QString> anglers, years, species;
    std::map<QByteArray, int> filled;
    QDate previous;
    for (int row = 1; row <= db.RowCount(); ++row) {
        for (const QByteArray& f : catchrec::fieldNames())
            if (!db.value(row, db.FieldIndex(f)).isEmpty())
                ++filled[f];
        const QDate day = german::parseDate(text(db, row, catchrec::Fangdatum));
        EXPECT_LE(previous, day) << "row " << row << " entered out of date order";
        previous = day;
        anglers << text(db, row, catchrec::Faenger);
        years << QString::number(day.year());
        species << text(db, row, catchrec::Fischart);

        // The trip's length is end minus begin, and the fish bit during the trip.
        const QTime begin = german::parseTime(text(db, row, catchrec::Angelbeginn));
        const QTime end = german::parseTime(text(db, row, catchrec::Angelende));
        const QTime caught = german::parseTime(text(db, row, catchrec::Fangzeit));
        EXPECT_EQ(german::parseTime(text(db, row, catchrec::Angeldauer)), QTime(0, 0).addSecs(begin.secsTo(end)))
            << "row " << row;
        EXPECT_TRUE(begin <= caught && caught <= end) << "row " << row;
        EXPECT_GT(german::parseInt(text(db, row, catchrec::Gewicht)), 0);
        EXPECT_GT(german::parseInt(text(db, row, catchrec::Laenge)), 0);
        const QString released = text(db, row, catchrec::zurueckgesetzt);
        EXPECT_TRUE(released == QLatin1String("-1") || released == QLatin1String("0"));
        // Sunrise before sunset, and in summer time a June sunrise at 51.6° N before 6 o'clock.
        const QTime rise = german::parseTime(text(db, row, catchrec::Sonnenaufgang));
        const QTime set = german::parseTime(text(db, row, catchrec::Sonnenuntergang));
        EXPECT_LT(rise, set);
        if (day.month() == 6) {
            EXPECT_LT(rise, QTime(6, 0)) << s(day.toString());
        }
    }
    for (const QByteArray& f : catchrec::fieldNames()) {
        if (f == catchrec::Bild || f == catchrec::Karte) {
            EXPECT_GT(filled[f], db.RowCount() / 5) << f.constData();
            EXPECT_LT(filled[f], db.RowCount()) << f.constData();
        } else {
            EXPECT_EQ(filled[f], db.RowCount()) << f.constData() << " left empty";
        }
    }
    EXPECT_EQ(anglers, (QSet<QString>{"Thomas", "Anna", "Jürgen"}));
    EXPECT_EQ(years, (QSet<QString>{"2024", "2025"}));
    EXPECT_GE(species.size(), 8);
}

TEST_F(DemoFolder, SunAndMoonAreThoseTheEntryDialogComputes)
{
    const TTextTable db = load(home->file(QStringLiteral("Fischkladde.fdb")));
    ASSERT_GT(db.RowCount(), 0);
    QSet<QString> phases;
    for (int row = 1; row <= db.RowCount(); row += 7) {
        const QDate day = german::parseDate(text(db, row, catchrec::Fangdatum));
        const TSunMoonCalendar calendar(QDateTime(day, QTime(0, 0)));
        EXPECT_EQ(text(db, row, catchrec::Sonnenaufgang), calendar.sunRiseText()) << "row " << row;
        EXPECT_EQ(text(db, row, catchrec::Sonnenuntergang), calendar.sunSetText()) << "row " << row;
        EXPECT_EQ(text(db, row, catchrec::Mondaufgang), calendar.moonRiseText()) << "row " << row;
        EXPECT_EQ(text(db, row, catchrec::Monduntergang), calendar.moonSetText()) << "row " << row;
        EXPECT_EQ(text(db, row, catchrec::Mondphase), calendar.moonPhaseText()) << "row " << row;
    }
    for (int row = 1; row <= db.RowCount(); ++row)
        phases << text(db, row, catchrec::Mondphase);
    EXPECT_EQ(phases.size(), 4) << "two years of catches see every moon phase";
}

TEST_F(DemoFolder, PicturesAndMapPositionsArePlaceable)
{
    const TTextTable db = load(home->file(QStringLiteral("Fischkladde.fdb")));
    const IniFile ini(home->file(QStringLiteral("Fischkladde.ini")));
    const QRegularExpression stored(QStringLiteral("^\\d{14}\\d{1,3}_\\d+\\.jpg$"));
    std::map<QString, QSize> mapSizes;
    int pictures = 0;
    for (int row = 1; row <= db.RowCount(); ++row) {
        for (const QString& name : commatext::split(text(db, row, catchrec::Bild))) {
            EXPECT_TRUE(stored.match(name).hasMatch()) << s(name);
            QString error;
            int w = 0, h = 0;
            EXPECT_TRUE(jpeg::readSize(bytes(home->file(QStringLiteral("img/") + name)), &w, &h, &error)) << s(error);
            EXPECT_EQ(QSize(w, h), QSize(640, 480)) << s(name);
            ++pictures;
        }
        const QString water = text(db, row, catchrec::Gewaesser);
        if (!mapSizes.count(water)) {
            const QString map = ini.readString(QStringLiteral("Karte"), water);
            EXPECT_EQ(QFileInfo(map).fileName().left(6), QStringLiteral("karte_")) << s(map);
            int w = 0, h = 0;
            EXPECT_TRUE(jpeg::readSize(bytes(map), &w, &h)) << s(water) << " has no map picture";
            mapSizes[water] = QSize(w, h);
        }
        const QString position = text(db, row, catchrec::Karte);
        if (position.isEmpty())
            continue;
        const QStringList xy = position.split(QLatin1Char(','));
        ASSERT_EQ(xy.size(), 2) << s(position);
        const int x = german::parseInt(xy[0]), y = german::parseInt(xy[1]);
        EXPECT_TRUE(x > 0 && y > 0 && x + 5 < mapSizes[water].width() && y + 5 < mapSizes[water].height())
            << s(position) << " outside the map of " << s(water);
    }
    EXPECT_GT(pictures, 20);
    EXPECT_EQ(QDir(home->file(QStringLiteral("img"))).entryList(QDir::Files).size(), pictures)
        << "every picture in img belongs to a catch";

    // Every species of the list has its colour for the map dots.
    const QRegularExpression colour(QStringLiteral("^#[0-9A-F]{6}$"));
    for (const QString& name : lookup::readList(home->file(QStringLiteral("DATs/Fischarten.dat"))))
        EXPECT_TRUE(colour.match(ini.readString(QStringLiteral("KarteFarbe"), name)).hasMatch()) << s(name);
}

TEST_F(DemoFolder, CostsShareTheShippingOfAnOrder)
{
    const IniFile ini(home->file(QStringLiteral("Fischkladde.ini")));
    const TTextTable akdb = load(ini.readString(QStringLiteral("AKDB"), QStringLiteral("File")));
    QList<QByteArray> names;
    for (const char* f : costrec::kFields)
        names << f;
    EXPECT_EQ(akdb.fieldNames(), names);
    QSet<int> years;
    std::map<QString, double> shippingPerOrder;
    for (int row = 1; row <= akdb.RowCount(); ++row) {
        years << german::parseDate(text(akdb, row, costrec::Kaufdatum)).year();
        const double unit = german::parseFloat(text(akdb, row, costrec::Einzelpreis));
        const int quantity = german::parseInt(text(akdb, row, costrec::Menge));
        const double total = german::parseFloat(text(akdb, row, costrec::Gesamtpreis));
        const double withShipping = german::parseFloat(text(akdb, row, costrec::GesamtpreisVersand));
        EXPECT_NEAR(total, unit * quantity, 0.005) << "row " << row;
        EXPECT_GE(withShipping, total);
        EXPECT_EQ(text(akdb, row, costrec::Einzelpreis), german::formatFixed(unit, 2));
        shippingPerOrder[text(akdb, row, costrec::Kaufdatum) + text(akdb, row, costrec::Geschaeft)] += withShipping - total;
    }
    EXPECT_EQ(years, (QSet<int>{demo::kFirstYear, demo::kLastYear}));
    int orders = 0;
    for (const auto& [order, shipping] : shippingPerOrder) {
        if (shipping > 0.001) {
            EXPECT_NEAR(shipping, 4.95, 0.03) << s(order);
            ++orders;
        }
    }
    EXPECT_EQ(orders, 2) << "one mail order per year";

    // The cost lists hold every shop and article once.
    const QStringList shops = lookup::readList(home->file(QStringLiteral("DATs/AK_Geschaeft.dat")));
    for (int row = 1; row <= akdb.RowCount(); ++row)
        EXPECT_EQ(shops.count(text(akdb, row, costrec::Geschaeft)), 1);
}

TEST_F(DemoFolder, ListsAndBiteListMatchTheCatches)
{
    const TTextTable db = load(home->file(QStringLiteral("Fischkladde.fdb")));
    EXPECT_EQ(lookup::readList(home->file(QStringLiteral("DATs/Faenger.dat"))),
              (QStringList{"Anna", "Jürgen", "Thomas"}));
    EXPECT_TRUE(home->read(QStringLiteral("DATs/Faenger.dat")).contains("J\xfcrgen\r\n")) << "lists are Windows-1252";
    const std::pair<const char*, const char*> lists[] = {{"Gewaesser", catchrec::Gewaesser}, {"Stelle", catchrec::Stelle},
                                                         {"Koeder", catchrec::Koeder},       {"Wetter", catchrec::Wetter},
                                                         {"Fangmethode", catchrec::Fangmethode}, {"Fischarten", catchrec::Fischart}};
    for (const auto& [list, field] : lists) {
        const QStringList values = lookup::readList(home->file(QStringLiteral("DATs/%1.dat").arg(QLatin1String(list))));
        for (int row = 1; row <= db.RowCount(); ++row)
            EXPECT_TRUE(values.contains(text(db, row, field))) << list << " lacks " << s(text(db, row, field));
    }

    const QByteArray bites = home->read(QStringLiteral("DATs/Bissliste.dat"));
    EXPECT_TRUE(bites.startsWith("Datum;Zeit;Stelle;Koeder;Fischart;Laenge\r\n"));
    const TTextTable b = load(home->file(QStringLiteral("DATs/Bissliste.dat")));
    EXPECT_GE(b.RowCount(), 5);
    for (int row = 1; row <= b.RowCount(); ++row) {
        EXPECT_EQ(german::parseDate(text(b, row, "Datum")).isValid(), true);
        EXPECT_EQ(german::parseTime(text(b, row, "Zeit")).isValid(), true);
    }
}

TEST_F(DemoFolder, CommandsReadItAndShowEveryFigure)
{
    const CliResult check = runCli({QStringLiteral("check")});
    EXPECT_EQ(check.status, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.isEmpty());
    for (const QStringList& filter : {QStringList{}, QStringList{"--year", "2024"}, QStringList{"--angler", "Anna"}}) {
        const CliResult overview = runCli(QStringList{QStringLiteral("overview")} + filter);
        ASSERT_EQ(overview.status, 0) << overview.err.toStdString();
        const QStringList lines = QString::fromUtf8(overview.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), 25);
        for (const QString& line : lines) {
            const QString value = line.section(QLatin1Char('\t'), 1);
            EXPECT_FALSE(value.isEmpty() || value == QStringLiteral("–")) << s(filter.join(' ')) << ": " << s(line);
        }
    }
}

TEST(Demo, SameSeedSameFilesAndNeverOverARealLog)
{
    TempHome home;
    const demo::Summary a = demo::writeProgramFolder(home.file(QStringLiteral("a")), 5);
    const demo::Summary b = demo::writeProgramFolder(home.file(QStringLiteral("b")), 5);
    const demo::Summary other = demo::writeProgramFolder(home.file(QStringLiteral("c")), 6);
    EXPECT_EQ(a.catches, b.catches);
    for (const QString& f : {QStringLiteral("Fischkladde.fdb"), QStringLiteral("Angelkosten.akdb"),
                             QStringLiteral("DATs/Bissliste.dat")})
        EXPECT_EQ(bytes(home.file("a/" + f)), bytes(home.file("b/" + f))) << s(f);
    const QStringList pictures = QDir(home.file(QStringLiteral("a/img"))).entryList(QDir::Files);
    EXPECT_EQ(pictures, QDir(home.file(QStringLiteral("b/img"))).entryList(QDir::Files));
    ASSERT_FALSE(pictures.isEmpty());
    EXPECT_EQ(bytes(home.file("a/img/" + pictures.first())), bytes(home.file("b/img/" + pictures.first())));
    EXPECT_NE(bytes(home.file(QStringLiteral("a/Fischkladde.fdb"))), bytes(home.file(QStringLiteral("c/Fischkladde.fdb"))));
    EXPECT_GE(other.catches, 100);

    // A folder with a catch log in it stays as it is.
    home.write(QStringLiteral("real/Fischkladde.ini"), "[DB]\r\nFile=x\r\n");
    EXPECT_TRUE(errorText<EFileError>([&] { demo::writeProgramFolder(home.file(QStringLiteral("real"))); })
                    .contains(QStringLiteral("Fischkladde.ini")));
    EXPECT_EQ(home.read(QStringLiteral("real/Fischkladde.ini")), "[DB]\r\nFile=x\r\n");
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("real/Fischkladde.fdb"))));
    home.write(QStringLiteral("real2/Fischkladde.fdb"), "Fangdatum\r\n");
    const CliResult refused = runCli({QStringLiteral("demo"), home.file(QStringLiteral("real2"))});
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.err.contains("Fischkladde.fdb"));
    EXPECT_EQ(home.read(QStringLiteral("real2/Fischkladde.fdb")), "Fangdatum\r\n");
    EXPECT_EQ(runCli({QStringLiteral("demo")}).status, 2) << "a folder must be named";

    // The program folder in use, as the commands and the program see it.
    EXPECT_EQ(runCli({QStringLiteral("folder")}).out, QDir::cleanPath(home.path()).toUtf8() + "\n");
}

} // namespace
