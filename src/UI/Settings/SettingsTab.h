#pragma once

#include "Core/RawTextEnum.h"

#include <array>
#include <string_view>

#include <QString>

// The pages of the settings window, in sidebar order.
struct SettingsTabCases {
    enum Value { general, about };
    static constexpr std::array<std::string_view, 2> rawTexts{"general", "about"};
};
using SettingsTab = RawTextEnum<SettingsTabCases>;

// The sidebar button's title: the raw value with its first letter upper-cased.
QString settingsTabTitle(SettingsTab tab);

// The symbol beside the title.
QString settingsTabSymbolName(SettingsTab tab);
