#pragma once
// The catch recommendation: for each month, the weekday, species, hour and bait the catch log
// has been most successful with.
#include <QString>
#include <QStringList>
#include <array>

class TTextTable;

namespace statistik {

struct EmpfehlungRow {
    QString monat;   // "Januar" ...
    QString tag;     // weekday label; empty (like the three below) for a month without catches
    QString fischart;
    QString uhrzeit; // "5 Uhr" ... "23 Uhr", "0 Uhr"
    QString koeder;
};

// Hour slot labels in tie-break order: "1 Uhr" ... "23 Uhr", "0 Uhr".
const QStringList& hourSlots();

// Counts all catches, whoever the angler; the candidates decide what can be recommended.
// `species`: the species selection without "--Gesamt--"; `baits`: the bait selection, both
// in their order (the tie-break order). A species scores its catches of the month; a bait
// scores its catches of the month plus all catches (any month) of the recommended species
// with it. Without candidate species the species column stays empty and the bait scores only
// the month's catches. Raises EConvertError for a `Fangdatum` that is not a date or a
// `Fangzeit` that is not a time.
std::array<EmpfehlungRow, 12> fangempfehlung(const TTextTable& db, const QStringList& species,
                                             const QStringList& baits);

} // namespace statistik
