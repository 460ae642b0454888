#include "System/CoreLocationAuthorizer.h"

CoreLocationAuthorizer::CoreLocationAuthorizer(std::unique_ptr<LocationManager> locationManager)
    : locationManager_(std::move(locationManager)) {
    locationManager_->setDelegate(this);
}

CoreLocationAuthorizer::~CoreLocationAuthorizer() {
    locationManager_->setDelegate(nullptr);
}

LocationPermissionStatus
CoreLocationAuthorizer::permissionStatus(LocationAuthorizationStatus status) {
    switch (status) {
    case LocationAuthorizationStatus::notDetermined:
        return LocationPermissionStatus::notDetermined;
    case LocationAuthorizationStatus::restricted:
        return LocationPermissionStatus::restricted;
    case LocationAuthorizationStatus::denied:
        return LocationPermissionStatus::denied;
    case LocationAuthorizationStatus::authorizedAlways:
    case LocationAuthorizationStatus::authorizedWhenInUse:
        return LocationPermissionStatus::authorized;
    }
    return LocationPermissionStatus::restricted;
}

LocationPermissionStatus CoreLocationAuthorizer::authorizationStatus() const {
    return permissionStatus(locationManager_->authorizationStatus());
}

const LocationAuthorizing::StatusChangeCallback&
CoreLocationAuthorizer::onAuthorizationStatusChange() const {
    return onAuthorizationStatusChange_;
}

void CoreLocationAuthorizer::setOnAuthorizationStatusChange(StatusChangeCallback callback) {
    onAuthorizationStatusChange_ = std::move(callback);
}

void CoreLocationAuthorizer::requestWhenInUseAuthorization() {
    locationManager_->requestWhenInUseAuthorization();
}

void CoreLocationAuthorizer::locationManagerDidChangeAuthorization(LocationManager& manager) {
    if (onAuthorizationStatusChange_) {
        onAuthorizationStatusChange_(permissionStatus(manager.authorizationStatus()));
    }
}
