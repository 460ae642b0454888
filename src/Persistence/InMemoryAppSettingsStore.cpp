#include "Persistence/InMemoryAppSettingsStore.h"

bool InMemoryAppSettingsStore::monitoringEnabled() const {
    return values_.monitoringEnabled;
}

void InMemoryAppSettingsStore::setMonitoringEnabled(bool enabled) {
    values_.monitoringEnabled = enabled;
}

bool InMemoryAppSettingsStore::batteryFriendly() const {
    return values_.batteryFriendly;
}

void InMemoryAppSettingsStore::setBatteryFriendly(bool enabled) {
    values_.batteryFriendly = enabled;
}

bool InMemoryAppSettingsStore::colorfulIcon() const {
    return values_.colorfulIcon;
}

void InMemoryAppSettingsStore::setColorfulIcon(bool enabled) {
    values_.colorfulIcon = enabled;
}

QString InMemoryAppSettingsStore::internetPingTarget() const {
    return values_.internetPingTarget;
}

void InMemoryAppSettingsStore::setInternetPingTarget(const QString& target) {
    values_.internetPingTarget = target;
}

std::optional<QString> InMemoryAppSettingsStore::lastSSID() const {
    return values_.lastSSID;
}

void InMemoryAppSettingsStore::setLastSSID(const std::optional<QString>& ssid) {
    values_.lastSSID = ssid;
}
