#include "ui/common/Mnemonics.h"

namespace mnemonics {

QString menuText(const QString& name, QString& taken)
{
    QString text;
    bool keyed = false;
    for (const QChar c : name) {
        if (!keyed && c.isLetterOrNumber() && !taken.contains(c.toLower())) {
            taken.append(c.toLower());
            text.append(QLatin1Char('&'));
            keyed = true;
        }
        text.append(c);
        if (c == QLatin1Char('&'))
            text.append(QLatin1Char('&'));
    }
    return text;
}

} // namespace mnemonics
