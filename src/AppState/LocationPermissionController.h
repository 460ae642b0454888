#pragma once

#include "Platform/Reactive/Published.h"
#include "System/LocationAuthorizing.h"
#include "System/LocationSettingsOpening.h"

#include <memory>

// The one observable source of the location-permission status: kept current
// from the platform's change callback, refreshed on demand, with the request
// for permission and the way to the settings where it is granted.
class LocationPermissionController final
    : public std::enable_shared_from_this<LocationPermissionController> {
public:
    static std::shared_ptr<LocationPermissionController>
    create(std::shared_ptr<LocationAuthorizing> authorizer,
           std::shared_ptr<LocationSettingsOpening> settingsOpener);

    const Reactive::Published<LocationPermissionStatus>& status() const { return status_; }

    void refreshAuthorizationStatus();
    // Asks for permission only while nothing has been decided.
    void requestAuthorizationIfNeeded();
    void openLocationSettings();

private:
    LocationPermissionController(std::shared_ptr<LocationAuthorizing> authorizer,
                                 std::shared_ptr<LocationSettingsOpening> settingsOpener);
    void observeStatusChanges();

    std::shared_ptr<LocationAuthorizing> authorizer_;
    std::shared_ptr<LocationSettingsOpening> settingsOpener_;
    Reactive::Published<LocationPermissionStatus> status_;
};
