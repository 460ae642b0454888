#pragma once

#include "UI/MenuBar/MenuBarBadgeTint.h"

#include <QString>

// The health badge of the status icon: which symbol, in which colour.
struct MenuBarIconStyle {
    QString badgeSymbolName;
    MenuBarBadgeTint badgeTint;

    bool operator==(const MenuBarIconStyle&) const = default;
};
