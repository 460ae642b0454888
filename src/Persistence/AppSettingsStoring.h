#pragma once

#include <optional>

#include <QString>

// The application's five preferences, read and written through one interface
// so that no other layer touches the preference storage itself.
class AppSettingsStoring {
public:
    virtual ~AppSettingsStoring() = default;

    // The user wants monitoring on.
    virtual bool monitoringEnabled() const = 0;
    virtual void setMonitoringEnabled(bool enabled) = 0;

    // The user wants battery-friendly polling.
    virtual bool batteryFriendly() const = 0;
    virtual void setBatteryFriendly(bool enabled) = 0;

    // The status-item badge is drawn in colour.
    virtual bool colorfulIcon() const = 0;
    virtual void setColorfulIcon(bool enabled) = 0;

    // The internet host the ping monitor pings.
    virtual QString internetPingTarget() const = 0;
    virtual void setInternetPingTarget(const QString& target) = 0;

    // The name of the last Wi-Fi network seen.
    virtual std::optional<QString> lastSSID() const = 0;
    virtual void setLastSSID(const std::optional<QString>& ssid) = 0;
};
