#pragma once

#include "Platform/CoreLocation/LocationManager.h"
#include "System/LocationAuthorizing.h"

#include <memory>

// The location permission as the platform's location manager reports it. The
// manager is created with the authorizer, on the main thread, and reports to
// it for the authorizer's whole life.
class CoreLocationAuthorizer final : public LocationAuthorizing, public LocationManagerDelegate {
public:
    explicit CoreLocationAuthorizer(
        std::unique_ptr<LocationManager> locationManager = std::make_unique<LocationManager>());
    ~CoreLocationAuthorizer() override;
    CoreLocationAuthorizer(const CoreLocationAuthorizer&) = delete;
    CoreLocationAuthorizer& operator=(const CoreLocationAuthorizer&) = delete;

    // Both authorized statuses are `authorized`; a value the platform does not
    // define is `restricted`, never `notDetermined`, so no request is made on it.
    static LocationPermissionStatus permissionStatus(LocationAuthorizationStatus status);

    LocationPermissionStatus authorizationStatus() const override;
    const StatusChangeCallback& onAuthorizationStatusChange() const override;
    void setOnAuthorizationStatusChange(StatusChangeCallback callback) override;
    void requestWhenInUseAuthorization() override;

    void locationManagerDidChangeAuthorization(LocationManager& manager) override;

private:
    std::unique_ptr<LocationManager> locationManager_;
    StatusChangeCallback onAuthorizationStatusChange_;
};
