#include "data/CatchDatabase.h"
#include "data/SettingsPaths.h"
#include "data/CatchRecord.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/ProgramFolder.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/Win1252.h"

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

namespace {

// The settings must be able to name the file, or the next start (and the entry dialog,
// which re-reads the path) would work on another database than the one shown.
void requireStorablePath(const QString& path)
{
    const QString bad = win1252::firstUnencodable(path);
    if (!bad.isEmpty())
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" kann nicht verwendet werden: der Pfad enthält das "
                                        "Zeichen \"%2\", das die Einstellungsdatei nicht speichern kann. Bitte "
                                        "die Datei in einen anderen Ordner legen oder umbenennen.")
                             .arg(QDir::toNativeSeparators(path), bad));
    if (IniFile::hasLineBreak(path))
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" kann nicht verwendet werden: der Pfad enthält einen "
                                        "Zeilenumbruch, den die Einstellungsdatei nicht speichern kann. Bitte die "
                                        "Datei umbenennen.")
                             .arg(QDir::toNativeSeparators(path)));
}

// Table, held path and settings change together: the settings are written last of the
// steps that can fail, and the session only once everything succeeded.
void switchTo(Session& session, const QString& path, Kind kind, TTextTable&& table)
{
    IniFile::settings().writeString(section(kind), QStringLiteral("File"), path);
    if (kind == Kind::Catches) {
        session.DB = std::move(table);
        session.dbPath = path;
    } else {
        session.AKDB = std::move(table);
        session.akdbPath = path;
    }
}

TTextTable loadOrThrow(const QString& path)
{
    TTextTable table;
    if (!table.LoadFromFile(path))
        throw EFileError(QStringLiteral("Die Datenbank \"%1\" konnte nicht geöffnet werden.")
                             .arg(QDir::toNativeSeparators(path)));
    return table;
}

} // namespace

void createDatabase(Session& session, const QString& path, Kind kind)
{
    requireStorablePath(path);
    createFile(path, kind);
    switchTo(session, path, kind, loadOrThrow(path));
    if (kind == Kind::Catches)
        lookup::deleteCatchLists();
    else
        lookup::deleteCostLists();
}

bool openDatabase(Session& session, const QString& path, Kind kind)
{
    if (!QFileInfo(path).isFile())
        return false;
    requireStorablePath(path);
    TTextTable table = loadOrThrow(path);
    // An older catch database is brought up to date as at start-up, and saved before it
    // becomes the open one.
    if (kind == Kind::Catches && !upgradeCatchTable(table).isEmpty())
        table.saveOrThrow(path);
    switchTo(session, path, kind, std::move(table));
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

QString nulInPath(const QString& section)
{
    return QStringLiteral("In \"Fischkladde.ini\" enthält der Pfad unter [%1] File ein Nullzeichen; die Einstellungsdatei "
                          "ist beschädigt. Bitte die Datenbank neu auswählen.")
        .arg(section);
}

StartupResult startupLoad(Session& session)
{
    StartupResult result;
    ProgramFolder::ensureFolders();
    const IniFile settings = IniFile::settings();
    const QString dbPath = settings.readString(QStringLiteral("DB"), QStringLiteral("File"));
    // A damaged settings file: no file name holds a NUL, so say so rather than start the
    // setup as if there were no database at all.
    if (dbPath.contains(QChar(0))) {
        result.error = nulInPath(QStringLiteral("DB"));
        return result;
    }
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
    if (session.akdbPath.contains(QChar(0))) {
        result.error = nulInPath(QStringLiteral("AKDB"));
        session.akdbPath.clear();
    }
    try {
        if (!session.akdbPath.isEmpty() && QFileInfo(session.akdbPath).isFile())
            session.AKDB.LoadFromFile(session.akdbPath);
    } catch (const FkError& e) {
        // Never save over a cost file that could not be read.
        result.error = e.message();
        session.akdbPath.clear();
    }
    // A file that already has every field and is in the saved form would be written back
    // byte for byte: leave it alone (a large log opens much faster).
    const bool upgraded = !upgradeCatchTable(session.DB).isEmpty();
    try {
        if (upgraded || !session.DB.matchesLoadedBytes())
            session.saveDB();
    } catch (const FkError& e) {
        result.error = result.error.isEmpty() ? e.message() : result.error + QLatin1Char('\n') + e.message();
        return result;
    }
    result.loaded = true;
    return result;
}

} // namespace catchdb
