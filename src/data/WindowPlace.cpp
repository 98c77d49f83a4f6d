#include "data/WindowPlace.h"

namespace {
const QString kSection = QStringLiteral("Hauptfenster");
constexpr int kLargest = 20000;

std::optional<int> number(const IniFile& settings, const char* key)
{
    bool ok = false;
    const int v = settings.readString(kSection, QString::fromLatin1(key)).trimmed().toInt(&ok);
    if (!ok || v < -kLargest || v > kLargest)
        return std::nullopt;
    return v;
}
} // namespace

std::optional<WindowPlace> readWindowPlace(const IniFile& settings, const QSize& minimum)
{
    const auto left = number(settings, "Links"), top = number(settings, "Oben");
    const auto width = number(settings, "Breite"), height = number(settings, "Hoehe");
    if (!left || !top || !width || !height || *width < minimum.width() || *height < minimum.height())
        return std::nullopt;
    return WindowPlace{QRect(*left, *top, *width, *height), settings.readBool(kSection, QStringLiteral("Maximiert"))};
}

void writeWindowPlace(const IniFile& settings, const WindowPlace& place)
{
    settings.replaceSection(kSection, {{QStringLiteral("Links"), QString::number(place.normal.left())},
                                       {QStringLiteral("Oben"), QString::number(place.normal.top())},
                                       {QStringLiteral("Breite"), QString::number(place.normal.width())},
                                       {QStringLiteral("Hoehe"), QString::number(place.normal.height())},
                                       {QStringLiteral("Maximiert"), place.maximised ? QStringLiteral("1") : QStringLiteral("0")}});
}
