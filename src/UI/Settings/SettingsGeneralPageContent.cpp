#include "UI/Settings/SettingsGeneralPageContent.h"

SettingsGeneralPageContent SettingsGeneralPageContent::make(bool isBatteryFriendly,
                                                            bool isLaunchAtLoginEnabled,
                                                            bool requiresApproval) {
    return {.isBatteryFriendlyOn = isBatteryFriendly,
            .batteryModeBadge = batteryModeBadgeText(isBatteryFriendly),
            .isLaunchAtLoginOn = isLaunchAtLoginEnabled,
            .showsApprovalRow = requiresApproval};
}

QString SettingsGeneralPageContent::batteryModeBadgeText(bool isBatteryFriendly) {
    return isBatteryFriendly ? QStringLiteral("Adaptive") : QStringLiteral("Always Fast");
}
