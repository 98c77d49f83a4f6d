#pragma once
// The exchange commands of the "Fang" and "Angelkosten" menus: XML and CSV export and import
// of the catch and the cost table.
#include "data/CatchDatabase.h"

class WindowHost;

namespace exchangecommands {

enum class Format { Xml, Csv };

// Asks for the file and writes it; nothing happens when the user cancels.
void exportTable(WindowHost& host, catchdb::Kind kind, Format format);
// Asks for the file, appends its rows, saves the table and refreshes the main window.
void importTable(WindowHost& host, catchdb::Kind kind, Format format);

} // namespace exchangecommands
