#include "data/CatchDatabase.h"
#include "data/CatchRecord.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "base/FkError.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QFileInfo>

namespace catchdb {

const QList<QByteArray>& catchFields()
{
    static const QList<QByteArray> fields = catchrec::fieldNames();
    return fields;
}

const QList<QByteArray>& costFields()
{
    static const QList<QByteArray> fields = [] {
        QList<QByteArray> names;
        for (const char* f : costrec::kFields)
            names.append(QByteArray(f));
        return names;
    }();
    return fields;
}

TTextTable emptyTable(Kind kind)
{
    TTextTable table;
    for (const QByteArray& f : kind == Kind::Catches ? catchFields() : costFields())
        table.AddField(f);
    return table;
}

void createFile(const QString& path, Kind kind)
{
    emptyTable(kind).saveOrThrow(path);
}

static QString section(Kind kind)
{
    return kind == Kind::Catches ? QStringLiteral("DB") : QStringLiteral("AKDB");
}

void createDatabase(Session& session, const QString& path, Kind kind)
{
    createFile(path, kind);
    IniFile::settings().writeString(section(kind), QStringLiteral("File"), path);
    if (!QFileInfo::exists(path))
        return;
    TTextTable& table = kind == Kind::Catches ? session.DB : session.AKDB;
    table.LoadFromFile(path);
    if (kind == Kind::Catches) {
        session.dbPath = path;
        lookup::deleteCatchLists();
    } else {
        session.akdbPath = path;
        lookup::deleteCostLists();
    }
}

bool openDatabase(Session& session, const QString& path, Kind kind)
{
    if (!QFileInfo(path).isFile())
        return false;
    TTextTable& table = kind == Kind::Catches ? session.DB : session.AKDB;
    if (!table.LoadFromFile(path))
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" konnte nicht geöffnet werden.")
                             .arg(QDir::toNativeSeparators(path)));
    IniFile::settings().writeString(section(kind), QStringLiteral("File"), path);
    (kind == Kind::Catches ? session.dbPath : session.akdbPath) = path;
    return true;
}

QList<QByteArray> upgradeCatchTable(TTextTable& db)
{
    QList<QByteArray> added;
    auto add = [&](const QByteArray& name) {
        if (db.FieldIndex(name) == 0 && db.AddField(name))
            added.append(name);
    };
    if (db.FieldIndex("Luftemperatur") == 0)
        add(catchrec::Lufttemperatur);
    if (db.FieldIndex("Wasseremperatur") == 0)
        add(catchrec::Wassertemperatur);
    for (const char* name : {catchrec::zurueckgesetzt, catchrec::Luftdruck, catchrec::Windrichtung, catchrec::Windstaerke,
                             catchrec::Wassertruebung, catchrec::Wasserstand})
        add(name);
    return added;
}

StartupResult startupLoad(Session& session)
{
    StartupResult result;
    ProgramFolder::ensureFolders();
    const IniFile settings = IniFile::settings();
    const QString dbPath = settings.readString(QStringLiteral("DB"), QStringLiteral("File"));
    if (dbPath.isEmpty() || !QFileInfo(dbPath).isFile())
        return result;
    result.catchDatabaseFound = true;
    try {
        if (!session.DB.LoadFromFile(dbPath))
            throw EFileError(QStringLiteral("Die Fangdatenbank \"%1\" konnte nicht geöffnet werden.")
                                 .arg(QDir::toNativeSeparators(dbPath)));
    } catch (const FkError& e) {
        result.error = e.message();
        return result;
    }
    session.dbPath = dbPath;
    session.akdbPath = settings.readString(QStringLiteral("AKDB"), QStringLiteral("File"));
    try {
        if (!session.akdbPath.isEmpty() && QFileInfo(session.akdbPath).isFile())
            session.AKDB.LoadFromFile(session.akdbPath);
    } catch (const FkError& e) {
        // Never save over a cost file that could not be read.
        result.error = e.message();
        session.akdbPath.clear();
    }
    upgradeCatchTable(session.DB);
    try {
        session.saveDB();
    } catch (const FkError& e) {
        result.error = result.error.isEmpty() ? e.message() : result.error + QLatin1Char('\n') + e.message();
        return result;
    }
    result.loaded = true;
    return result;
}

} // namespace catchdb
