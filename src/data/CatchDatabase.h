#pragma once
// The catch and cost databases: their fields, creating, opening, and the load at start-up.
#include "data/Session.h"

#include <QList>
#include <QByteArray>
#include <QString>

namespace catchdb {

enum class Kind { Catches, Costs };

// The 32 fields of a catch, in the column order of a new file.
const QList<QByteArray>& catchFields();
// The 7 fields of a cost record.
const QList<QByteArray>& costFields();

// A table with the kind's fields and no rows.
TTextTable emptyTable(Kind kind);

// Writes a new database file holding only the header line; raises EFileError.
void createFile(const QString& path, Kind kind);

// Creating from the database dialog or the wizard: file written, table loaded, settings key
// written and the path held, the kind's list files deleted. Raises EFileError; a path the
// settings cannot store (a character outside Windows-1252) is refused before anything is
// written, and a failure leaves the session and the settings as they were.
void createDatabase(Session& session, const QString& path, Kind kind);

// Opening: when the file exists it is loaded, an older catch database upgraded and saved,
// its path written to the settings and held, all or nothing: any failure (damaged file,
// failed save, settings that cannot be written or cannot hold the path) raises EFileError
// and leaves table, held path and settings as they were. Returns false when the file does
// not exist (nothing changed). The caller rebuilds the lists.
bool openDatabase(Session& session, const QString& path, Kind kind);

// Appends the fields that later versions added, in their order; returns their names.
QList<QByteArray> upgradeCatchTable(TTextTable& db);

struct StartupResult {
    bool catchDatabaseFound = false; // DB/File named an existing file
    bool loaded = false;             // ... and it was loaded, upgraded and saved
    QString error;                   // German text when loading or saving failed
};

// The load at start-up: folders, settings, both tables, the upgrade and the save. A catch
// database that cannot be loaded is reported in `error` and never saved over.
StartupResult startupLoad(Session& session);

} // namespace catchdb
