#pragma once
// Where the main window was left: its normal (not maximised) geometry and whether it was
// maximised, kept in the settings file so the next start opens it there again.
#include "data/IniFile.h"

#include <QRect>

#include <optional>

struct WindowPlace {
    QRect normal;
    bool maximised = false;
};

// Nothing when the settings hold no place, or one that is no window (no numbers, a size below
// `minimum`, absurd sizes): the window then opens at its first size.
std::optional<WindowPlace> readWindowPlace(const IniFile& settings, const QSize& minimum);
// One write; raises EFileError like every settings write.
void writeWindowPlace(const IniFile& settings, const WindowPlace& place);
