#include "Core/LaunchAtLoginController.h"

#include "Platform/Async/TaskHandle.h"

const QString LaunchAtLoginController::loginItemDidChange =
    QStringLiteral("LaunchAtLoginControllerLoginItemDidChange");

std::shared_ptr<LaunchAtLoginController>
LaunchAtLoginController::create(NotificationCenter& notificationCenter,
                                std::shared_ptr<LoginItemService> loginItems) {
    std::shared_ptr<LaunchAtLoginController> controller(
        new LaunchAtLoginController(notificationCenter, std::move(loginItems)));
    controller->observeLoginItemChanges();
    controller->refreshStatus();
    return controller;
}

LaunchAtLoginController::LaunchAtLoginController(NotificationCenter& notificationCenter,
                                                 std::shared_ptr<LoginItemService> loginItems)
    : notificationCenter_(notificationCenter), loginItems_(std::move(loginItems)) {}

LaunchAtLoginController::~LaunchAtLoginController() {
    for (const NotificationCenter::Token token : observers_) {
        notificationCenter_.removeObserver(token);
    }
}

// Another view's controller, or the world outside while the application was
// in the background, may have changed the login item. The refresh comes on a
// later turn: never inside the click or the notification that caused it.
void LaunchAtLoginController::observeLoginItemChanges() {
    const auto refreshLater = [weakController = weak_from_this()] {
        Async::spawn([weakController]() -> Async::Task<void> {
            if (const auto controller = weakController.lock()) {
                controller->refreshStatus();
            }
            co_return;
        });
    };
    for (const QString& name :
         {NotificationCenter::applicationDidBecomeActive, loginItemDidChange}) {
        observers_.push_back(notificationCenter_.addObserver(name, refreshLater));
    }
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
    std::optional<LaunchAtLoginError> failure;
    try {
        if (enabled) {
            loginItems_->registerItem();
        } else {
            loginItems_->unregisterItem();
        }
    } catch (const LoginItemService::Error& error) {
        failure = LaunchAtLoginError(error.description());
    }
    refreshStatus();
    notificationCenter_.post(loginItemDidChange);
    return failure;
}

void LaunchAtLoginController::openSystemSettings() {
    loginItems_->openLoginItemsSettings();
}
