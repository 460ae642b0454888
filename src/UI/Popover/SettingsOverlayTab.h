#pragma once

#include "Core/RawTextEnum.h"

#include <QString>

struct SettingsOverlayTabCases {
    enum Value { general, about };
    static constexpr std::array<std::string_view, 2> rawTexts{"general", "about"};
};

// The tabs of the popover's settings card, identified by their raw values.
using SettingsOverlayTab = RawTextEnum<SettingsOverlayTabCases>;

namespace SettingsOverlayTabs {

// "General" or "About".
QString title(SettingsOverlayTab tab);
// "slider.horizontal.3" or "info.circle".
QString symbolName(SettingsOverlayTab tab);

} // namespace SettingsOverlayTabs
