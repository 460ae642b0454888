#pragma once

#include "Platform/CoreLocation/LocationAuthorizationStatus.h"
#include "Platform/CoreLocation/LocationManagerDelegate.h"

#include <QObject>

// The application's location authorization. Linux gates no Wi-Fi data behind
// location permission, so the status is always `authorizedAlways` and a
// request has nothing left to decide. As on platforms that do gate it, the
// delegate is told the status once on a later turn of the event loop after
// it is set, and again whenever the status changes, which here it never does.
// Delegate calls arrive on the thread that created the manager; the delegate
// is not owned and must outlive the manager or be cleared.
class LocationManager {
public:
    LocationManager();
    virtual ~LocationManager();
    LocationManager(const LocationManager&) = delete;
    LocationManager& operator=(const LocationManager&) = delete;

    virtual LocationAuthorizationStatus authorizationStatus() const;

    // Asks for permission while the application is in use. The answer comes
    // through the delegate when the status changes; a status already decided
    // makes the request do nothing.
    virtual void requestWhenInUseAuthorization();

    LocationManagerDelegate* delegate() const { return delegate_; }
    void setDelegate(LocationManagerDelegate* delegate);

private:
    void tellDelegate();

    LocationManagerDelegate* delegate_ = nullptr;
    // Queued delegate calls are dropped with it when the manager goes.
    QObject callbackContext_;
};
