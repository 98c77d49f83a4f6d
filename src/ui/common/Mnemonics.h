#pragma once
// Menu entries made from names (anglers, waters): an "&" in a name is shown as it is, and
// each entry gets the first letter of its name not yet taken in its menu as its Alt key.
#include <QString>

namespace mnemonics {

// `taken` holds the lower-case keys already used in the menu; the chosen key is added.
// A name without a free letter or digit gets no key.
QString menuText(const QString& name, QString& taken);

} // namespace mnemonics
