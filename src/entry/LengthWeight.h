#pragma once
// Weight of a fish from its length and back, with a condition factor k per species:
// weight [g] = k · length³ [cm] / 100.
#include <QString>
#include <optional>

namespace lengthweight {

// k of a species (exact, case-sensitive name); nullopt when the species is not in the table.
std::optional<long double> conditionFactor(const QString& species);

// Both write the step trace "ADD: Fischlaenge(<species>;<text>)" first.

// The weight in grams as a whole number (halves away from zero), or "" for a species not
// in the table. Raises EConvertError when the length is not a 32-bit whole number.
QString weightFromLength(const QString& species, const QString& lengthText);

// The length in cm as a whole number (cube root, halves to the even neighbour), or "" for a
// species not in the table. Raises EConvertError when the weight is not a 32-bit whole number.
QString lengthFromWeight(const QString& species, const QString& weightText);

} // namespace lengthweight
