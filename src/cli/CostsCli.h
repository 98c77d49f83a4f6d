#pragma once
// What the cost commands share: the cost table they read and the line form they print.
#include "costs/Costs.h"

#include <QStringList>

class QTextStream;
class TTextTable;

namespace cli {

// The cost table named by --costs, else the settings' AKDB/File; raises UsageError when
// neither names one and EFileError when it cannot be read.
TTextTable costTable(QStringList& args);

// ID TAB Kaufdatum TAB Geschaeft TAB Artikel TAB Menge TAB Einzelpreis TAB GesamtpreisVersand;
// "\\", TAB, CR and LF inside a value escaped as the catches command does.
void printCostLine(QTextStream& out, const costs::CostLine& line);

} // namespace cli
