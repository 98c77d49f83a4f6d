#include "data/CatchRecord.h"
#include "base/FkError.h"

#include <QString>

namespace catchrec {

bool isReleased(const QByteArray& stored)
{
    const QString text = QString::fromLatin1(stored).trimmed();
    if (text.isEmpty())
        return false;
    bool ok = false;
    const double number = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok)
        return number != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(QString::fromLatin1(stored)));
}

} // namespace catchrec
