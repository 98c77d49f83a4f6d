#pragma once
// Spreadsheet exchange of the catch and the cost table: UTF-8 with a byte-order mark, ";"
// between values, a header line of the field names, CR LF line ends, values quoted when they
// hold ";", '"', CR or LF. Stored texts travel unchanged, so an export imported into an empty
// table of the same fields gives the same table bytes.
#include "data/CatchDatabase.h"
#include "storage/TTextTable.h"

#include <QByteArray>
#include <QString>

namespace csvexchange {

// Every field of every row in the table's field order.
QByteArray exportTable(const TTextTable& table);

// Appends the rows of a CSV file (UTF-8 with or without byte-order mark, or Windows-1252).
// The header names decide the column each value fills; unknown columns are ignored, missing
// ones stay empty. Raises FkError (naming row and field where one is at fault) and leaves the
// table unchanged on any error. Returns the number of rows added.
int appendRows(TTextTable& table, const QByteArray& csv);

// As the XML commands: safe save of the export; import appended, saved, then kept.
void exportFile(const TTextTable& table, const QString& path);
int importFile(TTextTable& table, const QString& tablePath, const QString& path);

} // namespace csvexchange
