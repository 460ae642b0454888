#include "UI/Dashboard/LocationCardModel.h"

namespace LocationCardModel {

LocationCardContent content(LocationPermissionStatus status) {
    const QString openSettings = QStringLiteral("Open Settings");
    switch (status) {
    case LocationPermissionStatus::notDetermined:
        return {QStringLiteral("Allow Location Services to read SSID and BSSID diagnostics."),
                QStringLiteral("Allow Location Access")};
    case LocationPermissionStatus::denied:
        return {QStringLiteral("Location access is denied. Enable it in System Settings to show "
                               "SSID and BSSID."),
                openSettings};
    case LocationPermissionStatus::restricted:
        return {QStringLiteral("Location access is restricted on this Mac. SSID and BSSID may "
                               "remain unavailable."),
                openSettings};
    case LocationPermissionStatus::authorized:
        break;
    }
    return {QStringLiteral("Location access granted for SSID and BSSID diagnostics."),
            std::nullopt};
}

void performButtonAction(LocationPermissionController& controller) {
    switch (controller.status().value()) {
    case LocationPermissionStatus::denied:
    case LocationPermissionStatus::restricted:
        controller.openLocationSettings();
        return;
    case LocationPermissionStatus::notDetermined:
        controller.requestAuthorizationIfNeeded();
        return;
    case LocationPermissionStatus::authorized:
        return;
    }
}

} // namespace LocationCardModel
