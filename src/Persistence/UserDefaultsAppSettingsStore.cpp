#include "Persistence/UserDefaultsAppSettingsStore.h"

#include "Persistence/AppSettingsDefaults.h"

#include <optional>

#include <QSettings>
#include <QStringList>

namespace {
const QString monitoringEnabledKey = QStringLiteral("monitoringEnabled");
const QString batteryFriendlyKey = QStringLiteral("batteryFriendly");
const QString colorfulIconKey = QStringLiteral("colorfulIcon");
const QString internetPingTargetKey = QStringLiteral("internetPingTarget");
const QString lastSSIDKey = QStringLiteral("lastSSID");

// A flag as written by Pelmor or by hand: true, yes, on or 1, and false, no,
// off or 0, in any letter case; anything else is no answer.
std::optional<bool> parsedFlag(const QString& text) {
    static const QStringList trueWords{QStringLiteral("true"), QStringLiteral("yes"),
                                       QStringLiteral("on"), QStringLiteral("1")};
    static const QStringList falseWords{QStringLiteral("false"), QStringLiteral("no"),
                                        QStringLiteral("off"), QStringLiteral("0")};
    const QString word = text.trimmed();
    if (trueWords.contains(word, Qt::CaseInsensitive)) {
        return true;
    }
    if (falseWords.contains(word, Qt::CaseInsensitive)) {
        return false;
    }
    return std::nullopt;
}
} // namespace

std::unique_ptr<QSettings> UserDefaultsAppSettingsStore::standardUserDefaults() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("pelmor"), QStringLiteral("pelmor"));
}

UserDefaultsAppSettingsStore::UserDefaultsAppSettingsStore(std::unique_ptr<QSettings> userDefaults)
    : userDefaults_(std::move(userDefaults)) {}

UserDefaultsAppSettingsStore::~UserDefaultsAppSettingsStore() = default;

bool UserDefaultsAppSettingsStore::boolValue(const QString& key, bool defaultValue) const {
    // A flag Pelmor wrote reads back as a bool before the file is synced and
    // as its text after; both read as text here.
    return parsedFlag(userDefaults_->value(key).toString()).value_or(defaultValue);
}

bool UserDefaultsAppSettingsStore::monitoringEnabled() const {
    return boolValue(monitoringEnabledKey, AppSettingsDefaults::monitoringEnabled);
}

void UserDefaultsAppSettingsStore::setMonitoringEnabled(bool enabled) {
    userDefaults_->setValue(monitoringEnabledKey, enabled);
}

bool UserDefaultsAppSettingsStore::batteryFriendly() const {
    return boolValue(batteryFriendlyKey, AppSettingsDefaults::batteryFriendly);
}

void UserDefaultsAppSettingsStore::setBatteryFriendly(bool enabled) {
    userDefaults_->setValue(batteryFriendlyKey, enabled);
}

bool UserDefaultsAppSettingsStore::colorfulIcon() const {
    return boolValue(colorfulIconKey, AppSettingsDefaults::colorfulIcon);
}

void UserDefaultsAppSettingsStore::setColorfulIcon(bool enabled) {
    userDefaults_->setValue(colorfulIconKey, enabled);
}

QString UserDefaultsAppSettingsStore::internetPingTarget() const {
    const QString trimmed = userDefaults_->value(internetPingTargetKey).toString().trimmed();
    return trimmed.isEmpty() ? AppSettingsDefaults::internetPingTarget : trimmed;
}

void UserDefaultsAppSettingsStore::setInternetPingTarget(const QString& target) {
    userDefaults_->setValue(internetPingTargetKey, target);
}

std::optional<QString> UserDefaultsAppSettingsStore::lastSSID() const {
    const QVariant stored = userDefaults_->value(lastSSIDKey);
    if (!stored.isValid()) {
        return std::nullopt;
    }
    return stored.toString();
}

void UserDefaultsAppSettingsStore::setLastSSID(const std::optional<QString>& ssid) {
    const QString trimmed = ssid ? ssid->trimmed() : QString();
    if (trimmed.isEmpty()) {
        userDefaults_->remove(lastSSIDKey);
    } else {
        userDefaults_->setValue(lastSSIDKey, trimmed);
    }
}
