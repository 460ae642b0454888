#include "Core/LaunchAtLoginController.h"

#include "Platform/Async/TaskHandle.h"

std::shared_ptr<LaunchAtLoginController>
LaunchAtLoginController::create(NotificationCenter& notificationCenter,
                                std::shared_ptr<LoginItemService> loginItems) {
    std::shared_ptr<LaunchAtLoginController> controller(
        new LaunchAtLoginController(notificationCenter, std::move(loginItems)));
    controller->observeActivation();
    controller->refreshStatus();
    return controller;
}

LaunchAtLoginController::LaunchAtLoginController(NotificationCenter& notificationCenter,
                                                 std::shared_ptr<LoginItemService> loginItems)
    : notificationCenter_(notificationCenter), loginItems_(std::move(loginItems)) {}

LaunchAtLoginController::~LaunchAtLoginController() {
    if (activationObserver_) {
        notificationCenter_.removeObserver(*activationObserver_);
    }
}

void LaunchAtLoginController::observeActivation() {
    activationObserver_ = notificationCenter_.addObserver(
        NotificationCenter::applicationDidBecomeActive, [weakController = weak_from_this()] {
            Async::spawn([weakController]() -> Async::Task<void> {
                if (const auto controller = weakController.lock()) {
                    controller->refreshStatus();
                }
                co_return;
            });
        });
}

void LaunchAtLoginController::refreshStatus() {
    const auto status = loginItems_->status();
    isEnabled_ = status == LoginItemService::Status::enabled;
    requiresApproval_ = status == LoginItemService::Status::requiresApproval;
}

std::optional<LaunchAtLoginError> LaunchAtLoginController::setEnabled(bool enabled) {
    refreshStatus();
    if (isEnabled_.value() == enabled) {
        return std::nullopt;
    }
    try {
        if (enabled) {
            loginItems_->registerItem();
        } else {
            loginItems_->unregisterItem();
        }
    } catch (const LoginItemService::Error& error) {
        refreshStatus();
        return LaunchAtLoginError(error.description());
    }
    refreshStatus();
    return std::nullopt;
}

void LaunchAtLoginController::openSystemSettings() {
    loginItems_->openLoginItemsSettings();
}
