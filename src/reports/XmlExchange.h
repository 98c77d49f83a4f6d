#pragma once
// The XML exchange files of the catch and the cost table: one element per row, one child
// element per field. The file is pure ASCII: markup characters, line breaks and every
// character beyond ASCII are written as references, so any XML reader accepts it and an
// import gives back exactly what was exported.
#include "data/CatchDatabase.h"
#include "storage/TTextTable.h"

#include <QByteArray>
#include <QString>

namespace xmlexchange {

// The whole file for the table's rows, in table order, lines ending in CR LF. Raises FkError
// naming row and field for a control character that XML cannot carry.
QByteArray exportTable(const TTextTable& table, catchdb::Kind kind);

// Appends one row per record element of the file's bytes and returns how many were added.
// A file that does not parse raises FkError "XML Fehler: " and the reason; a value that
// Windows-1252 cannot hold raises FkError naming record and field. On any error the table
// stays exactly as it was.
int appendRecords(TTextTable& table, catchdb::Kind kind, const QByteArray& xml);

// The menu commands without their dialogs: the export writes the file through the safe save;
// the import reads the file, appends, saves the table to `tablePath` and only then keeps the
// new rows in `table`, so nothing is written and nothing changes on any error.
void exportFile(const TTextTable& table, catchdb::Kind kind, const QString& path);
int importFile(TTextTable& table, const QString& tablePath, catchdb::Kind kind, const QString& path);

} // namespace xmlexchange
