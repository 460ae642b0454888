#include "Persistence/ObservableAppSettingsStore.h"

ObservableAppSettingsStore::ObservableAppSettingsStore(std::shared_ptr<AppSettingsStoring> store)
    : store_(std::move(store)), batteryFriendlyWrites_(store_->batteryFriendly()) {}

void ObservableAppSettingsStore::setBatteryFriendly(bool enabled) {
    store_->setBatteryFriendly(enabled);
    batteryFriendlyWrites_ = enabled;
}
