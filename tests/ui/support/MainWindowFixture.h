#pragma once
// A program folder with a catch and a cost database and the settings naming them, for the
// tests of the main window and its dialogs.
#include "support/TempHome.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "storage/TTextTable.h"

#include <QFile>
#include <vector>

struct TestCatch {
    QByteArray date;
    QByteArray angler = "Tom";
    QByteArray species = "Hecht";
    QByteArray length = "50";
    QByteArray weight = "1000";
    QByteArray water = "";
};

inline TTextTable catchTable(const std::vector<TestCatch>& catches)
{
    TTextTable db = catchdb::emptyTable(catchdb::Kind::Catches);
    for (const TestCatch& c : catches) {
        db.AddRow();
        db.SetData("Fangdatum", c.date);
        db.SetData("Fangzeit", QByteArray("07:45"));
        db.SetData("Faenger", c.angler);
        db.SetData("Fischart", c.species);
        db.SetData("Laenge", c.length);
        db.SetData("Gewicht", c.weight);
        db.SetData("Gewaesser", c.water);
    }
    return db;
}

// Writes the databases into the home and names them in the settings file.
inline void installDatabases(const TempHome& home, const std::vector<TestCatch>& catches, bool withCosts = true)
{
    const QString db = home.file(QStringLiteral("fang.fdb"));
    catchTable(catches).saveOrThrow(db);
    IniFile::settings().writeString(QStringLiteral("DB"), QStringLiteral("File"), db);
    if (withCosts) {
        const QString akdb = home.file(QStringLiteral("kosten.akdb"));
        catchdb::createFile(akdb, catchdb::Kind::Costs);
        IniFile::settings().writeString(QStringLiteral("AKDB"), QStringLiteral("File"), akdb);
    }
}

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(13, 20, 7)); }
};

// Lines of a Windows-1252 CR LF file as text.
inline QStringList fileLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
