#include "Persistence/ObservableAppSettingsStore.h"

// Each value written is read back from the store, which may normalise it (a
// blank target reads as the built-in one).
ObservableAppSettingsStore::ObservableAppSettingsStore(std::shared_ptr<AppSettingsStoring> store)
    : store_(std::move(store)), monitoringEnabled_(store_->monitoringEnabled()),
      colorfulIcon_(store_->colorfulIcon()), internetPingTarget_(store_->internetPingTarget()),
      lastSSID_(store_->lastSSID()), batteryFriendlyWrites_(store_->batteryFriendly()) {}

void ObservableAppSettingsStore::setMonitoringEnabled(bool enabled) {
    store_->setMonitoringEnabled(enabled);
    monitoringEnabled_ = store_->monitoringEnabled();
}

void ObservableAppSettingsStore::setBatteryFriendly(bool enabled) {
    store_->setBatteryFriendly(enabled);
    batteryFriendlyWrites_ = store_->batteryFriendly();
}

void ObservableAppSettingsStore::setColorfulIcon(bool enabled) {
    store_->setColorfulIcon(enabled);
    colorfulIcon_ = store_->colorfulIcon();
}

void ObservableAppSettingsStore::setInternetPingTarget(const QString& target) {
    store_->setInternetPingTarget(target);
    internetPingTarget_ = store_->internetPingTarget();
}

void ObservableAppSettingsStore::setLastSSID(const std::optional<QString>& ssid) {
    store_->setLastSSID(ssid);
    lastSSID_ = store_->lastSSID();
}
