#include "reports/ExchangeCommon.h"
#include "base/FkError.h"
#include "base/Win1252.h"

namespace exchange {

int appendAndSave(TTextTable& table, const QString& tablePath, const std::function<int(TTextTable&)>& append)
{
    if (tablePath.isEmpty())
        throw FkError(QStringLiteral("Es ist keine Datenbank geöffnet, in die importiert werden kann."));
    TTextTable work = table;
    const int added = append(work);
    work.saveOrThrow(tablePath);
    table = std::move(work);
    return added;
}

void throwUnencodable(const QString& value, const QString& where, const QString& field)
{
    const QChar bad = win1252::firstUnencodable(value);
    QString shown = bad;
    if (bad.isHighSurrogate()) {
        const qsizetype at = value.indexOf(bad);
        shown = value.mid(at, 2);
    }
    throw FkError(QStringLiteral("%1, Feld %2: Das Zeichen \u201E%3\u201C (U+%4) kann nicht gespeichert werden, "
                                 "weil es im Zeichensatz Windows-1252 nicht vorkommt.")
                      .arg(where, field, shown,
                           QStringLiteral("%1").arg(shown.toUcs4().value(0), 4, 16, QLatin1Char('0')).toUpper()));
}

} // namespace exchange
