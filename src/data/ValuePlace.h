#pragma once
// Where a stored catch value that does not convert sits, so the message can say it.
#include "storage/TTextTable.h"

#include <QString>

namespace catchrec {

// Puts row and field in front of a conversion message about a stored catch value:
// "Zeile 17, Feld Fangdatum: '31.02.2025' is not a valid date". The place is the first row
// (counted from 1, as `check` counts) whose value in a field of the message's kind is the
// quoted text and does not convert. The message comes back unchanged when no value fits.
QString withPlace(const TTextTable& catches, const QString& message);

} // namespace catchrec
