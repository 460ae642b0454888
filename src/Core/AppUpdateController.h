#pragma once

#include "Core/AppUpdateChecking.h"
#include "Core/AppUpdateModels.h"
#include "Core/SleepProviding.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Published.h"
#include "Platform/UserNotifications/UserNotificationPosting.h"

#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QUrl>

// The application's update behaviour: a check shortly after launch and then
// once per check interval, checks on demand, one notification the first time
// a given build is found, the published update the settings views show, and
// opening the download page. A click on the update notification opens it too.
// Main thread only.
class AppUpdateController final : public std::enable_shared_from_this<AppUpdateController> {
public:
    // Opens a URL in the user's browser; true when it was opened.
    using URLOpener = std::function<bool(const QUrl&)>;

    static constexpr double firstCheckDelay = 5.0;
    static constexpr double defaultCheckInterval = 86'400.0;

    // Takes over the notification center's click handling.
    static std::shared_ptr<AppUpdateController>
    create(std::shared_ptr<AppUpdateChecking> updateService, double checkInterval,
           std::shared_ptr<UserNotificationPosting> notificationCenter, URLOpener urlOpener,
           std::shared_ptr<SleepProviding> sleeper);

    // The build found by the last check that found one; none once a check
    // finds the running build current.
    const Reactive::Published<std::optional<AvailableUpdate>>& availableUpdate() const {
        return availableUpdate_;
    }
    double checkInterval() const { return checkInterval_; }
    // The running periodic loop; invalid when none was started or it was cancelled.
    const Async::TaskHandle<void>& checkTask() const { return checkTask_; }

    // Starts the periodic loop, replacing a running one: the first check
    // comes `firstCheckDelay` later, each further one a check interval after
    // the previous one ended.
    void startPeriodicChecks();
    // Cancels the loop and forgets it. A check in progress completes.
    void cancelPeriodicChecks();

    // One check that publishes what it finds and never notifies.
    Async::Task<void> checkForUpdateManually();

    // Opens the given text, or without one the published update's download
    // URL, when it is an http or https URL (trimmed); anything else is ignored.
    void openDownloadPage(const std::optional<QString>& downloadURLString);

private:
    AppUpdateController(std::shared_ptr<AppUpdateChecking> updateService, double checkInterval,
                        std::shared_ptr<UserNotificationPosting> notificationCenter,
                        URLOpener urlOpener, std::shared_ptr<SleepProviding> sleeper);

    void handleNotificationResponse(const UserNotificationResponse& response);
    Async::Task<void> runPeriodicChecks();
    // False when the loop is to end: the sleep failed or the task was cancelled.
    Async::Task<bool> pause(double seconds);
    Async::Task<void> checkForUpdateAndNotify();
    // Publishes a check's result; true when it found a build other than the
    // one published before.
    bool publish(const UpdateCheckResult& result);
    Async::Task<void> showUpdateNotification(AvailableUpdate update);

    std::shared_ptr<AppUpdateChecking> updateService_;
    double checkInterval_;
    std::shared_ptr<UserNotificationPosting> notificationCenter_;
    URLOpener urlOpener_;
    std::shared_ptr<SleepProviding> sleeper_;
    Reactive::Published<std::optional<AvailableUpdate>> availableUpdate_{std::nullopt};
    Async::TaskHandle<void> checkTask_;
};
