#pragma once

#include "System/LocationPermissionStatus.h"

#include <functional>

// The application's location permission: its status, a callback for its
// changes and the request for permission while in use.
class LocationAuthorizing {
public:
    using StatusChangeCallback = std::function<void(LocationPermissionStatus)>;

    virtual ~LocationAuthorizing() = default;

    virtual LocationPermissionStatus authorizationStatus() const = 0;

    // Called with each status the platform reports, on whatever thread it
    // reports it; empty for none.
    virtual const StatusChangeCallback& onAuthorizationStatusChange() const = 0;
    virtual void setOnAuthorizationStatusChange(StatusChangeCallback callback) = 0;

    // The answer arrives later through the callback.
    virtual void requestWhenInUseAuthorization() = 0;
};
