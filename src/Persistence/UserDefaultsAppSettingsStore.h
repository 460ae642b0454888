#pragma once

#include "Persistence/AppSettingsStoring.h"

#include <memory>

class PreferenceFile;
class QVariant;

// The settings in the user's preference file. A key never written reads as its
// default, and defaults are never written. The internet target reads trimmed,
// with the built-in target for blank text; a blank last SSID removes its key.
class UserDefaultsAppSettingsStore final : public AppSettingsStoring {
public:
    // The user's preference file: "pelmor/pelmor.conf" in the user's
    // configuration folder.
    static QString standardFileName();
    // The standard file, read and written only while that path leads to a
    // regular file. The first time something else is there, behind any links
    // (a FIFO, a device, a folder, a link loop), at the start or later, that
    // is said once on standard error, the path is left as it is, and what is
    // set is kept in memory for the session. A file not there yet is made on
    // the first save. The application makes one and shares it.
    static std::shared_ptr<PreferenceFile> standardPreferenceFile();

    explicit UserDefaultsAppSettingsStore(std::shared_ptr<PreferenceFile> preferences);
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
    QVariant value(const QString& key) const;

    std::shared_ptr<PreferenceFile> preferences_;
};
