#include "Platform/CoreLocation/LocationManager.h"

#include <QMetaObject>

LocationManager::LocationManager() = default;

LocationManager::~LocationManager() = default;

LocationAuthorizationStatus LocationManager::authorizationStatus() const {
    return LocationAuthorizationStatus::authorizedAlways;
}

void LocationManager::requestWhenInUseAuthorization() {}

void LocationManager::setDelegate(LocationManagerDelegate* delegate) {
    delegate_ = delegate;
    if (delegate_ != nullptr) {
        QMetaObject::invokeMethod(
            &callbackContext_, [this] { tellDelegate(); }, Qt::QueuedConnection);
    }
}

void LocationManager::tellDelegate() {
    if (delegate_ != nullptr) {
        delegate_->locationManagerDidChangeAuthorization(*this);
    }
}
