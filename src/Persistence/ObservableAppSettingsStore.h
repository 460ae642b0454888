#pragma once

#include "Persistence/AppSettingsStoring.h"
#include "Platform/Reactive/Published.h"

#include <memory>

// The settings in force for this session over another store: each is read
// from it once, at construction, and from then on changes only through this
// store, which writes it through. So a setting edited by hand in the file
// while Pelmor runs reads, everywhere, as what Pelmor acts on; the edit takes
// effect at the next start, unless Pelmor changes that setting first. Each
// write of "batteryFriendly", whoever makes it, is published once stored, so
// that one writer's change reaches the others.
class ObservableAppSettingsStore final : public AppSettingsStoring {
public:
    explicit ObservableAppSettingsStore(std::shared_ptr<AppSettingsStoring> store);

    // The value at construction, then each value written.
    const Reactive::Published<bool>& batteryFriendlyWrites() const {
        return batteryFriendlyWrites_;
    }

    bool monitoringEnabled() const override { return monitoringEnabled_; }
    void setMonitoringEnabled(bool enabled) override;

    bool batteryFriendly() const override { return batteryFriendlyWrites_.value(); }
    void setBatteryFriendly(bool enabled) override;

    bool colorfulIcon() const override { return colorfulIcon_; }
    void setColorfulIcon(bool enabled) override;

    QString internetPingTarget() const override { return internetPingTarget_; }
    void setInternetPingTarget(const QString& target) override;

    std::optional<QString> lastSSID() const override { return lastSSID_; }
    void setLastSSID(const std::optional<QString>& ssid) override;

private:
    std::shared_ptr<AppSettingsStoring> store_;
    bool monitoringEnabled_;
    bool colorfulIcon_;
    QString internetPingTarget_;
    std::optional<QString> lastSSID_;
    Reactive::Published<bool> batteryFriendlyWrites_;
};
