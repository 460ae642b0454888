#include "UI/Popover/SettingsOverlayTab.h"

namespace SettingsOverlayTabs {

QString title(SettingsOverlayTab tab) {
    return tab == SettingsOverlayTab::general ? QStringLiteral("General") : QStringLiteral("About");
}

QString symbolName(SettingsOverlayTab tab) {
    return tab == SettingsOverlayTab::general ? QStringLiteral("slider.horizontal.3")
                                              : QStringLiteral("info.circle");
}

} // namespace SettingsOverlayTabs
