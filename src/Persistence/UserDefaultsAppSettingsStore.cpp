#include "Persistence/UserDefaultsAppSettingsStore.h"

#include "Persistence/AppSettingsDefaults.h"
#include "Platform/Foundation/PreferenceFile.h"

#include <cstdio>
#include <optional>

#include <QFile>
#include <QStandardPaths>
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

// Says on standard error, once however often the preferences are asked for,
// why they are kept in memory only.
void sayOnce(const QString& text) {
    static QStringList said;
    if (said.contains(text)) {
        return;
    }
    said.append(text);
    std::fprintf(stderr, "Pelmor: %s; this session keeps its settings in memory and saves none.\n",
                 text.toLocal8Bit().constData());
}
} // namespace

QString UserDefaultsAppSettingsStore::standardFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/pelmor/pelmor.conf");
}

std::shared_ptr<PreferenceFile> UserDefaultsAppSettingsStore::standardPreferenceFile() {
    const QString path = standardFileName();
    return std::make_shared<PreferenceFile>(path, [path] {
        sayOnce(QStringLiteral("%1 is not a regular file; it is left as it is").arg(path));
    });
}

UserDefaultsAppSettingsStore::UserDefaultsAppSettingsStore(
    std::shared_ptr<PreferenceFile> preferences)
    : preferences_(std::move(preferences)) {}

UserDefaultsAppSettingsStore::~UserDefaultsAppSettingsStore() = default;

QVariant UserDefaultsAppSettingsStore::value(const QString& key) const {
    return preferences_->value(key);
}

bool UserDefaultsAppSettingsStore::boolValue(const QString& key, bool defaultValue) const {
    // A flag Pelmor wrote reads back as a bool before the file is synced and
    // as its text after; both read as text here.
    return parsedFlag(value(key).toString()).value_or(defaultValue);
}

bool UserDefaultsAppSettingsStore::monitoringEnabled() const {
    return boolValue(monitoringEnabledKey, AppSettingsDefaults::monitoringEnabled);
}

void UserDefaultsAppSettingsStore::setMonitoringEnabled(bool enabled) {
    preferences_->setValue(monitoringEnabledKey, enabled);
}

bool UserDefaultsAppSettingsStore::batteryFriendly() const {
    return boolValue(batteryFriendlyKey, AppSettingsDefaults::batteryFriendly);
}

void UserDefaultsAppSettingsStore::setBatteryFriendly(bool enabled) {
    preferences_->setValue(batteryFriendlyKey, enabled);
}

bool UserDefaultsAppSettingsStore::colorfulIcon() const {
    return boolValue(colorfulIconKey, AppSettingsDefaults::colorfulIcon);
}

void UserDefaultsAppSettingsStore::setColorfulIcon(bool enabled) {
    preferences_->setValue(colorfulIconKey, enabled);
}

QString UserDefaultsAppSettingsStore::internetPingTarget() const {
    const QString trimmed = value(internetPingTargetKey).toString().trimmed();
    return trimmed.isEmpty() ? AppSettingsDefaults::internetPingTarget : trimmed;
}

void UserDefaultsAppSettingsStore::setInternetPingTarget(const QString& target) {
    preferences_->setValue(internetPingTargetKey, target);
}

std::optional<QString> UserDefaultsAppSettingsStore::lastSSID() const {
    const QVariant stored = value(lastSSIDKey);
    if (!stored.isValid()) {
        return std::nullopt;
    }
    return stored.toString();
}

void UserDefaultsAppSettingsStore::setLastSSID(const std::optional<QString>& ssid) {
    const QString trimmed = ssid ? ssid->trimmed() : QString();
    if (trimmed.isEmpty()) {
        preferences_->remove(lastSSIDKey);
    } else {
        preferences_->setValue(lastSSIDKey, trimmed);
    }
}
