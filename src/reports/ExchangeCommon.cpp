#include "reports/ExchangeCommon.h"
#include "base/FkError.h"
#include "base/Win1252.h"

#include <cstdint>
#include <cstring>

namespace exchange {

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            uint64_t chunk;
            std::memcpy(&chunk, p, 8);
            if ((chunk & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n;
        uint32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= n)
            return false;
        for (int i = 1; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if ((n == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) || (n == 3 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        p += n + 1;
    }
    return true;
}


int appendAndSave(TTextTable& table, const QString& tablePath, const std::function<int(TTextTable&)>& append)
{
    // A database whose file was missing at start has no fields; rows without columns would
    // overwrite it with an empty table.
    if (tablePath.isEmpty() || table.FieldCount() == 0)
        throw FkError(QStringLiteral("Es ist keine Datenbank geöffnet, in die importiert werden kann."));
    TTextTable work = table;
    const int added = append(work);
    work.saveOrThrow(tablePath);
    table = std::move(work);
    return added;
}

void throwUnencodable(const QString& value, const QString& where, const QString& field)
{
    const QString shown = win1252::firstUnencodable(value);
    throw FkError(QStringLiteral("%1, Feld %2: Das Zeichen \u201E%3\u201C (U+%4) kann nicht gespeichert werden, "
                                 "weil es im Zeichensatz Windows-1252 nicht vorkommt.")
                      .arg(where, field, shown,
                           QStringLiteral("%1").arg(shown.toUcs4().value(0), 4, 16, QLatin1Char('0')).toUpper()));
}

} // namespace exchange
