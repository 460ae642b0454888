#pragma once

#include <QString>

// What the General page shows, computed from the stored battery-friendly
// preference and the login item's state as its controller last read it.
struct SettingsGeneralPageContent {
    bool isBatteryFriendlyOn = true;
    QString batteryModeBadge;
    bool isLaunchAtLoginOn = false;
    bool showsApprovalRow = false;

    bool operator==(const SettingsGeneralPageContent&) const = default;

    static SettingsGeneralPageContent make(bool isBatteryFriendly, bool isLaunchAtLoginEnabled,
                                           bool requiresApproval);

    // "Adaptive" while battery-friendly, "Always Fast" otherwise.
    static QString batteryModeBadgeText(bool isBatteryFriendly);
};
