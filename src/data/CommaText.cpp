#include "data/CommaText.h"

namespace commatext {
namespace {

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

bool needsQuotes(const QString& item)
{
    for (QChar c : item)
        if (c.unicode() <= 32 || c == QLatin1Char('"') || c == QLatin1Char(','))
            return true;
    return false;
}

} // namespace

QStringList split(const QString& text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype p = 0;
    auto skipBlanks = [&] {
        while (p < n && isBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        QString item;
        if (text[p] == QLatin1Char('"')) {
            // Quoted: runs to the closing quote ("" stands for one quote) or to the end.
            ++p;
            while (p < n) {
                if (text[p] == QLatin1Char('"')) {
                    if (p + 1 < n && text[p + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && text[p].unicode() > 32 && text[p] != QLatin1Char(','))
                ++p;
            item = text.mid(start, p - start);
        }
        items << item;
        skipBlanks();
        if (p < n && text[p] == QLatin1Char(',')) {
            if (p + 1 == n)
                items << QString(); // a trailing comma ends with an empty item
            ++p;
            skipBlanks();
        }
    }
    return items;
}

QString join(const QStringList& items)
{
    // A single empty item must survive a round trip, so it is written as "".
    if (items.size() == 1 && items.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(items.size());
    for (const QString& item : items) {
        if (needsQuotes(item)) {
            QString quoted = item;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            parts << QLatin1Char('"') + quoted + QLatin1Char('"');
        } else {
            parts << item;
        }
    }
    return parts.join(QLatin1Char(','));
}

} // namespace commatext
