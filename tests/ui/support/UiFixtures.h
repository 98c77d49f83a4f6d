#pragma once
// Shared set-up of the window tests: a program folder with sample databases, the main window
// on it, fixed time and random numbers, one-colour pictures, and looks at modal windows.
#include "entry/TSunMoonCalendar.h"
#include "support/TempHome.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/Trace.h"
#include "base/Win1252.h"
#include "base/Jpeg.h"
#include "base/FkError.h"
#include "ui/common/FkApplication.h"
#include "ui/common/ScriptedInteraction.h"
#include "ui/main/CatchListModel.h"
#include "ui/main/TfrmMain.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <vector>

// main() for a window test: the real application object (with the global error handler), offscreen.
#define FK_UI_TEST_MAIN(TestClass)                   \
    int main(int argc, char** argv)                  \
    {                                                \
        qputenv("QT_QPA_PLATFORM", "offscreen");     \
        FkApplication app(argc, argv);               \
        TestClass test;                              \
        return QTest::qExec(&test, argc, argv);      \
    }

inline const QByteArray kCatchHeader =
    "Fangdatum;Fangzeit;Angelbeginn;Angelende;Angeldauer;Fischart;Laenge;Gewicht;Faenger;Gewaesser;Stelle;"
    "Uferdistanz;Fangtiefe;Fangmethode;Koeder;Wetter;Bemerkungen;Sonnenaufgang;Sonnenuntergang;Mondaufgang;"
    "Monduntergang;Mondphase;Bild;Karte;Lufttemperatur;Wassertemperatur;Wasserstand;Wassertruebung;"
    "Windrichtung;Windstaerke;Luftdruck;zurueckgesetzt\r\n";

struct TestCatch {
    QByteArray date;
    QByteArray angler = "Tom";
    QByteArray species = "Hecht";
    QByteArray length = "50";
    QByteArray weight = "1000";
    QByteArray water = "";
};

inline std::vector<TestCatch> sampleCatches()
{
    return {{"07.05.2006", "Tom", "Hecht", "60"},    {"01.02.2007", "Anna", "Zander", "46"},
            {"03.03.2006", "Tom", "Barsch", "30"},   {"09.09.2007", "Tom", "Aal", "72"},
            {"12.06.2005", "Anna", "Schleie", "45"}, {"20.07.2006", "Anna", "Hecht", "81"}};
}

// One more row; unnamed fields as a fresh entry leaves them.
inline void addCatch(TTextTable& db, const QList<QPair<const char*, QByteArray>>& values)
{
    if (db.FieldCount() == 0)
        db = catchdb::emptyTable(catchdb::Kind::Catches);
    db.AddRow();
    db.SetData("Fangdatum", "08.05.2006");
    db.SetData("Gewicht", "0");
    for (const auto& [field, value] : values)
        db.SetData(field, value);
}

inline TTextTable catchTable(const std::vector<TestCatch>& catches)
{
    TTextTable db;
    for (const TestCatch& c : catches)
        addCatch(db, {{"Fangdatum", c.date}, {"Fangzeit", "07:45"}, {"Angeldauer", "01:00"}, {"Faenger", c.angler},
                      {"Fischart", c.species}, {"Laenge", c.length}, {"Gewicht", c.weight}, {"Gewaesser", c.water}});
    return db.FieldCount() ? db : catchdb::emptyTable(catchdb::Kind::Catches);
}

// Writes the databases into the home and names them in the settings file.
inline void installDatabases(const TempHome& home, const std::vector<TestCatch>& catches, bool withCosts = true)
{
    catchTable(catches).saveOrThrow(home.file("fang.fdb"));
    IniFile::settings().writeString("DB", "File", home.file("fang.fdb"));
    if (withCosts) {
        catchdb::createFile(home.file("kosten.akdb"), catchdb::Kind::Costs);
        IniFile::settings().writeString("AKDB", "File", home.file("kosten.akdb"));
    }
}

// A program folder with the sample catches, the scripted user and (after open()) the main window.
struct MainEnv {
    TempHome home;
    ScriptedInteraction ui;
    std::unique_ptr<TfrmMain> win;

    explicit MainEnv(const std::vector<TestCatch>& catches = sampleCatches()) { installDatabases(home, catches); }
    // Shown on screen when the test clicks into it, else started as the program starts it.
    TfrmMain& open(bool exposed = false)
    {
        win = std::make_unique<TfrmMain>();
        if (exposed) {
            win->show();
            if (!QTest::qWaitForWindowExposed(win.get()))
                qFatal("main window not exposed");
        } else {
            win->FormShow();
        }
        return *win;
    }
};

class FixedClock : public Clock {
public:
    QDateTime at{QDate(2026, 12, 5), QTime(13, 20, 7)};
    QDateTime now() const override { return at; }
};

struct QueuedRandom : RandomSource {
    QList<int> values;
    int bounded(int) override { return values.isEmpty() ? 0 : values.takeFirst(); }
};

inline QString traceText(const TempHome& home) { return win1252::decode(home.read("error.log")); }

// The texts of one column of a list, a combo box or the catch list, top to bottom.
inline QStringList columnTexts(const QAbstractItemModel* model, int column = 0)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out.append(model->index(r, column).data().toString());
    return out;
}

// A menu text as the user reads it: the Alt key marks removed, "&&" shown as "&".
inline QString shownText(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out.append(text[i]);
    }
    return out;
}

inline QStringList menuTexts(const QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : shownText(a->text()));
    return out;
}

inline QList<int> listIds(const TfrmMain& w)
{
    QList<int> out;
    for (int id : w.listModel->rows())
        out.append(id);
    return out;
}

// Centre of a list row's date cell, for mouse clicks into the list.
inline QPoint rowPoint(const TfrmMain& w, int row)
{
    return w.ListView1->visualRect(w.listModel->index(row, 1)).center();
}

// What "fischkladde-cli astro" prints for a day: sunrise;sunset;moonrise;moonset;phase.
// The five sun and moon fields the entry dialog stores for a day at the default observer.
inline QByteArray astroFields(const QString& day)
{
    const TSunMoonCalendar c(QDateTime(QDate::fromString(day, QStringLiteral("dd.MM.yyyy")), QTime(0, 0)));
    return win1252::encodeLossy(c.sunRiseText() + ';' + c.sunSetText() + ';' + c.moonRiseText() + ';' + c.moonSetText()
                                + ';' + c.moonPhaseText());
}

// A JPEG of one colour at <home>/<relative>; returns its full path.
inline QString writeJpeg(const TempHome& home, const QString& relative, QRgb colour, int w = 640, int h = 480)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    home.write(relative, jpeg::encode(image, 90));
    return home.file(relative);
}

// What the large picture window opened next looked like; it is closed right away.
struct ModalPeek {
    bool seen = false;
    QString title;
    QSize size;
    QSize pictureSize;
    ModalPeek()
    {
        QTimer::singleShot(0, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->objectName() != QLatin1String("PictureWindow"))
                return;
            seen = true;
            title = w->windowTitle();
            size = w->size();
            if (auto* label = w->findChild<QLabel*>())
                pictureSize = label->pixmap().size();
            w->close();
        });
    }
};
