#include "reports/Search.h"
#include "base/Win1252.h"
#include "data/CatchRecord.h"
#include "storage/TTextTable.h"

#include <array>

namespace search {

namespace {

QByteArray lowerAZ(QByteArrayView text)
{
    QByteArray out(text.data(), text.size());
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return out;
}

} // namespace

QList<Hit> findCatches(const TTextTable& db, const QString& text)
{
    QList<Hit> hits;
    QByteArray needle;
    // A character the files cannot hold cannot be in any field either.
    if (text.isEmpty() || !win1252::encode(text, &needle))
        return hits;
    needle = lowerAZ(needle);

    const std::array<int, 8> searched = {
        db.FieldIndex(catchrec::Koeder),   db.FieldIndex(catchrec::Bemerkungen), db.FieldIndex(catchrec::Laenge),
        db.FieldIndex(catchrec::Gewicht),  db.FieldIndex(catchrec::Stelle),      db.FieldIndex(catchrec::Gewaesser),
        db.FieldIndex(catchrec::Fischart), db.FieldIndex(catchrec::Mondphase)};
    for (int row = 1; row <= db.RowCount(); ++row) {
        bool match = false;
        for (int column : searched) {
            if (column > 0 && lowerAZ(db.view(row, column)).contains(needle)) {
                match = true;
                break;
            }
        }
        if (!match)
            continue;
        hits.append(Hit{row, db.value(row, db.FieldIndex(catchrec::Fangdatum)), db.value(row, db.FieldIndex(catchrec::Faenger)),
                        db.value(row, db.FieldIndex(catchrec::Fischart)), db.value(row, db.FieldIndex(catchrec::Laenge)),
                        db.value(row, db.FieldIndex(catchrec::Gewicht))});
    }
    return hits;
}

} // namespace search
