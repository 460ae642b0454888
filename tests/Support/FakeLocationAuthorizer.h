#pragma once

#include "System/LocationAuthorizing.h"

// A location permission the test sets; counts the requests for permission.
class FakeLocationAuthorizer final : public LocationAuthorizing {
public:
    LocationPermissionStatus status = LocationPermissionStatus::authorized;
    int requests = 0;

    LocationPermissionStatus authorizationStatus() const override { return status; }
    const StatusChangeCallback& onAuthorizationStatusChange() const override { return callback_; }
    void setOnAuthorizationStatusChange(StatusChangeCallback callback) override {
        callback_ = std::move(callback);
    }
    void requestWhenInUseAuthorization() override { ++requests; }

    // The platform reports a new status.
    void report(LocationPermissionStatus newStatus) {
        status = newStatus;
        if (callback_) {
            callback_(newStatus);
        }
    }

private:
    StatusChangeCallback callback_;
};
