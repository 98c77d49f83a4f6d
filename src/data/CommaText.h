#pragma once
// The comma text of a catch's picture list (field Bild): items separated by ",", an item
// holding a blank, a control character, a comma or a double quote is enclosed in double
// quotes with inner quotes doubled. Reading follows the same rule, so blanks outside quotes
// also separate items.
#include <QString>
#include <QStringList>

namespace commatext {

QStringList split(const QString& text);
QString join(const QStringList& items);

} // namespace commatext
