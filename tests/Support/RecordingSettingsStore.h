#pragma once

#include "Persistence/InMemoryAppSettingsStore.h"

#include <QStringList>

// Settings kept in memory, with every write of the two monitoring
// preferences written to a log shared with other fakes.
class RecordingSettingsStore final : public AppSettingsStoring {
public:
    explicit RecordingSettingsStore(QStringList& log) : log_(log) {}

    bool monitoringEnabled() const override { return store_.monitoringEnabled(); }
    void setMonitoringEnabled(bool enabled) override {
        log_.append(QStringLiteral("store monitoringEnabled %1").arg(enabled));
        store_.setMonitoringEnabled(enabled);
    }
    bool batteryFriendly() const override { return store_.batteryFriendly(); }
    void setBatteryFriendly(bool enabled) override {
        log_.append(QStringLiteral("store batteryFriendly %1").arg(enabled));
        store_.setBatteryFriendly(enabled);
    }
    bool colorfulIcon() const override { return store_.colorfulIcon(); }
    void setColorfulIcon(bool enabled) override { store_.setColorfulIcon(enabled); }
    QString internetPingTarget() const override { return store_.internetPingTarget(); }
    void setInternetPingTarget(const QString& target) override {
        store_.setInternetPingTarget(target);
    }
    std::optional<QString> lastSSID() const override { return store_.lastSSID(); }
    void setLastSSID(const std::optional<QString>& ssid) override { store_.setLastSSID(ssid); }

private:
    QStringList& log_;
    InMemoryAppSettingsStore store_;
};
