#pragma once
// The map in choose-position mode, for the catch entry dialog.
#include <QString>
#include <optional>

class QWidget;

namespace mapchooser {

// Shows the map of the water modally; returns the clicked position ("120,45"), or nothing when
// the user closed the map, chose no picture or named no water. `current` is marked on the map.
std::optional<QString> choosePosition(QWidget* parent, const QString& water, const QString& current);

} // namespace mapchooser
