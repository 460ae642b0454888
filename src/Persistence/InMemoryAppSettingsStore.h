#pragma once

#include "Persistence/AppSettingsDefaults.h"
#include "Persistence/AppSettingsStoring.h"

// Settings kept in memory only, for where nothing should persist. Values are
// kept exactly as written: no trimming, no fallback.
class InMemoryAppSettingsStore final : public AppSettingsStoring {
public:
    struct Values {
        bool monitoringEnabled = AppSettingsDefaults::monitoringEnabled;
        bool batteryFriendly = AppSettingsDefaults::batteryFriendly;
        bool colorfulIcon = AppSettingsDefaults::colorfulIcon;
        QString internetPingTarget = AppSettingsDefaults::internetPingTarget;
        std::optional<QString> lastSSID;
    };

    InMemoryAppSettingsStore() = default;
    explicit InMemoryAppSettingsStore(Values values) : values_(std::move(values)) {}

    bool monitoringEnabled() const override;
    void setMonitoringEnabled(bool enabled) override;

    bool batteryFriendly() const override;
    void setBatteryFriendly(bool enabled) override;

    bool colorfulIcon() const override;
    void setColorfulIcon(bool enabled) override;

    QString internetPingTarget() const override;
    void setInternetPingTarget(const QString& target) override;

    std::optional<QString> lastSSID() const override;
    void setLastSSID(const std::optional<QString>& ssid) override;

private:
    Values values_;
};
