#pragma once

#include "Persistence/AppSettingsStoring.h"
#include "Platform/Reactive/Published.h"

#include <memory>

// Another store seen through: every read and write goes to it, and each write
// of "batteryFriendly", whoever makes it, is published once stored, so that
// one writer's change reaches the others.
class ObservableAppSettingsStore final : public AppSettingsStoring {
public:
    explicit ObservableAppSettingsStore(std::shared_ptr<AppSettingsStoring> store);

    // The stored value at construction, then each value written.
    const Reactive::Published<bool>& batteryFriendlyWrites() const {
        return batteryFriendlyWrites_;
    }

    bool monitoringEnabled() const override { return store_->monitoringEnabled(); }
    void setMonitoringEnabled(bool enabled) override { store_->setMonitoringEnabled(enabled); }

    bool batteryFriendly() const override { return store_->batteryFriendly(); }
    void setBatteryFriendly(bool enabled) override;

    bool colorfulIcon() const override { return store_->colorfulIcon(); }
    void setColorfulIcon(bool enabled) override { store_->setColorfulIcon(enabled); }

    QString internetPingTarget() const override { return store_->internetPingTarget(); }
    void setInternetPingTarget(const QString& target) override {
        store_->setInternetPingTarget(target);
    }

    std::optional<QString> lastSSID() const override { return store_->lastSSID(); }
    void setLastSSID(const std::optional<QString>& ssid) override { store_->setLastSSID(ssid); }

private:
    std::shared_ptr<AppSettingsStoring> store_;
    Reactive::Published<bool> batteryFriendlyWrites_;
};
