#include "Persistence/UserDefaultsAppSettingsStore.h"

#include "Persistence/AppSettingsDefaults.h"
#include "Platform/Foundation/RegularFileSettings.h"

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

std::unique_ptr<QSettings> UserDefaultsAppSettingsStore::standardUserDefaults() {
    // The one file by name, without the folder-wide fallbacks QSettings would
    // also open.
    const QString path = standardFileName();
    auto settings = RegularFileSettings::open(path, [path] {
        sayOnce(QStringLiteral("%1 is not a regular file; it is left as it is").arg(path));
    });
    if (!settings) {
        sayOnce(QStringLiteral("no private folder could be made for the settings"));
    }
    return settings;
}

UserDefaultsAppSettingsStore::UserDefaultsAppSettingsStore(std::unique_ptr<QSettings> userDefaults)
    : userDefaults_(std::move(userDefaults)) {}

UserDefaultsAppSettingsStore::~UserDefaultsAppSettingsStore() = default;

QVariant UserDefaultsAppSettingsStore::value(const QString& key) const {
    return userDefaults_ ? userDefaults_->value(key) : sessionValues_.value(key);
}

void UserDefaultsAppSettingsStore::setValue(const QString& key, const QVariant& value) {
    if (userDefaults_) {
        userDefaults_->setValue(key, value);
    } else {
        sessionValues_.insert(key, value);
    }
}

void UserDefaultsAppSettingsStore::remove(const QString& key) {
    if (userDefaults_) {
        userDefaults_->remove(key);
    } else {
        sessionValues_.remove(key);
    }
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
    setValue(monitoringEnabledKey, enabled);
}

bool UserDefaultsAppSettingsStore::batteryFriendly() const {
    return boolValue(batteryFriendlyKey, AppSettingsDefaults::batteryFriendly);
}

void UserDefaultsAppSettingsStore::setBatteryFriendly(bool enabled) {
    setValue(batteryFriendlyKey, enabled);
}

bool UserDefaultsAppSettingsStore::colorfulIcon() const {
    return boolValue(colorfulIconKey, AppSettingsDefaults::colorfulIcon);
}

void UserDefaultsAppSettingsStore::setColorfulIcon(bool enabled) {
    setValue(colorfulIconKey, enabled);
}

QString UserDefaultsAppSettingsStore::internetPingTarget() const {
    const QString trimmed = value(internetPingTargetKey).toString().trimmed();
    return trimmed.isEmpty() ? AppSettingsDefaults::internetPingTarget : trimmed;
}

void UserDefaultsAppSettingsStore::setInternetPingTarget(const QString& target) {
    setValue(internetPingTargetKey, target);
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
        remove(lastSSIDKey);
    } else {
        setValue(lastSSIDKey, trimmed);
    }
}
