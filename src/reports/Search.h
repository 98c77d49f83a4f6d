#pragma once
// The free-text catch search.
#include <QByteArray>
#include <QList>
#include <QString>

class TTextTable;

namespace search {

// One found catch: its 1-based row in the catch table and the shown fields as stored.
struct Hit {
    int row = 0;
    QByteArray fangdatum;
    QByteArray faenger;
    QByteArray fischart;
    QByteArray laenge;
    QByteArray gewicht;
};

// Every catch, in table order, where `text` occurs in Koeder, Bemerkungen, Laenge, Gewicht,
// Stelle, Gewaesser, Fischart or Mondphase. Only the letters A-Z are compared without case
// (an "ö" does not find an "Ö"); an empty text finds nothing.
QList<Hit> findCatches(const TTextTable& db, const QString& text);

} // namespace search
