#pragma once

#include "Persistence/AppSettingsStoring.h"

#include <memory>

class QSettings;

// The settings in the user's preference file. A key never written reads as its
// default, and defaults are never written. The internet target reads trimmed,
// with the built-in target for blank text; a blank last SSID removes its key.
class UserDefaultsAppSettingsStore final : public AppSettingsStoring {
public:
    // The user's preferences: organisation and application "pelmor", native
    // format, in the user's configuration folder.
    static std::unique_ptr<QSettings> standardUserDefaults();

    explicit UserDefaultsAppSettingsStore(
        std::unique_ptr<QSettings> userDefaults = standardUserDefaults());
    ~UserDefaultsAppSettingsStore() override;

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
    bool boolValue(const QString& key, bool defaultValue) const;

    std::unique_ptr<QSettings> userDefaults_;
};
