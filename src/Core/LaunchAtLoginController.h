#pragma once

#include "Core/LaunchAtLoginError.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Reactive/Published.h"
#include "Platform/ServiceManagement/LoginItemService.h"

#include <memory>
#include <optional>
#include <vector>

// Starts the application at login. Each settings view builds its own
// controller; all state lives in the login item itself, so controllers agree
// after a refresh. Every controller refreshes its flags on a later turn
// whenever one of them has changed the login item, and whenever the
// application becomes active.
class LaunchAtLoginController final : public std::enable_shared_from_this<LaunchAtLoginController> {
public:
    // Posted by a controller once it has asked the login item for a change.
    static const QString loginItemDidChange;

    static std::shared_ptr<LaunchAtLoginController>
    create(NotificationCenter& notificationCenter = NotificationCenter::defaultCenter(),
           std::shared_ptr<LoginItemService> loginItems = std::make_shared<LoginItemService>());
    ~LaunchAtLoginController();
    LaunchAtLoginController(const LaunchAtLoginController&) = delete;
    LaunchAtLoginController& operator=(const LaunchAtLoginController&) = delete;

    const Reactive::Published<bool>& isEnabled() const { return isEnabled_; }
    const Reactive::Published<bool>& requiresApproval() const { return requiresApproval_; }

    void refreshStatus();
    // Nothing on success; the error to show when the login item refused.
    std::optional<LaunchAtLoginError> setEnabled(bool enabled);
    void openSystemSettings();

private:
    LaunchAtLoginController(NotificationCenter& notificationCenter,
                            std::shared_ptr<LoginItemService> loginItems);
    void observeLoginItemChanges();

    NotificationCenter& notificationCenter_;
    std::shared_ptr<LoginItemService> loginItems_;
    std::vector<NotificationCenter::Token> observers_;
    Reactive::Published<bool> isEnabled_{false};
    Reactive::Published<bool> requiresApproval_{false};
};
