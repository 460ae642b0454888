#include "AppState/LocationPermissionController.h"

#include "Platform/Async/TaskHandle.h"

std::shared_ptr<LocationPermissionController>
LocationPermissionController::create(std::shared_ptr<LocationAuthorizing> authorizer,
                                     std::shared_ptr<LocationSettingsOpening> settingsOpener) {
    std::shared_ptr<LocationPermissionController> controller(
        new LocationPermissionController(std::move(authorizer), std::move(settingsOpener)));
    controller->observeStatusChanges();
    return controller;
}

LocationPermissionController::LocationPermissionController(
    std::shared_ptr<LocationAuthorizing> authorizer,
    std::shared_ptr<LocationSettingsOpening> settingsOpener)
    : authorizer_(std::move(authorizer)), settingsOpener_(std::move(settingsOpener)),
      status_(authorizer_->authorizationStatus()) {}

// The platform may report from any thread; the status is only ever written on
// the main thread, by a task, and republished even when unchanged.
void LocationPermissionController::observeStatusChanges() {
    authorizer_->setOnAuthorizationStatusChange(
        [weakController = weak_from_this()](LocationPermissionStatus reported) {
            Async::spawn([weakController, reported]() -> Async::Task<void> {
                if (const auto controller = weakController.lock()) {
                    controller->status_ = reported;
                }
                co_return;
            });
        });
}

void LocationPermissionController::refreshAuthorizationStatus() {
    status_ = authorizer_->authorizationStatus();
}

void LocationPermissionController::requestAuthorizationIfNeeded() {
    if (status_.value() == LocationPermissionStatus::notDetermined) {
        authorizer_->requestWhenInUseAuthorization();
    }
}

void LocationPermissionController::openLocationSettings() {
    settingsOpener_->openLocationServicesPane();
}
