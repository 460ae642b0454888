#include "Core/AppUpdateController.h"

#include "Core/WebURL.h"
#include "Platform/Async/CurrentTask.h"

#include <utility>

namespace {

const QString typeKey = QStringLiteral("type");
const QString versionKey = QStringLiteral("version");
const QString downloadURLKey = QStringLiteral("downloadURL");
const QString updateNotificationType = QStringLiteral("app-update");

UserNotificationRequest notificationRequest(const AvailableUpdate& update) {
    return {.identifier = QStringLiteral("app-update-") + QString::number(update.buildNumber),
            .content = {.title = QStringLiteral("Update Available"),
                        .body = QStringLiteral("Pelmor ") + update.version +
                                QStringLiteral(" is now available. Click to download."),
                        .playsDefaultSound = true,
                        .userInfo = {{typeKey, updateNotificationType},
                                     {versionKey, update.version},
                                     {downloadURLKey, update.downloadUrl}}}};
}

std::optional<QString> userInfoText(const UserNotificationResponse& response, const QString& key) {
    const auto found = response.userInfo.find(key);
    if (found == response.userInfo.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace

std::shared_ptr<AppUpdateController>
AppUpdateController::create(std::shared_ptr<AppUpdateChecking> updateService, double checkInterval,
                            std::shared_ptr<UserNotificationPosting> notificationCenter,
                            URLOpener urlOpener, std::shared_ptr<SleepProviding> sleeper) {
    const auto controller = std::shared_ptr<AppUpdateController>(new AppUpdateController(
        std::move(updateService), checkInterval, std::move(notificationCenter),
        std::move(urlOpener), std::move(sleeper)));
    controller->notificationCenter_->setResponseHandler(
        [weakController = std::weak_ptr<AppUpdateController>(controller)](
            const UserNotificationResponse& response) {
            if (const auto strongController = weakController.lock()) {
                strongController->handleNotificationResponse(response);
            }
        });
    return controller;
}

AppUpdateController::AppUpdateController(
    std::shared_ptr<AppUpdateChecking> updateService, double checkInterval,
    std::shared_ptr<UserNotificationPosting> notificationCenter, URLOpener urlOpener,
    std::shared_ptr<SleepProviding> sleeper)
    : updateService_(std::move(updateService)), checkInterval_(checkInterval),
      notificationCenter_(std::move(notificationCenter)), urlOpener_(std::move(urlOpener)),
      sleeper_(std::move(sleeper)) {}

void AppUpdateController::startPeriodicChecks() {
    checkTask_.cancel();
    // Weak until the task first runs, then held until the loop ends.
    checkTask_ = Async::spawn([weakController = weak_from_this()]() -> Async::Task<void> {
        const auto controller = weakController.lock();
        if (!controller) {
            co_return;
        }
        co_await controller->runPeriodicChecks();
    });
}

void AppUpdateController::cancelPeriodicChecks() {
    checkTask_.cancel();
    checkTask_ = {};
}

Async::Task<void> AppUpdateController::runPeriodicChecks() {
    bool paused = co_await pause(firstCheckDelay);
    while (paused) {
        co_await checkForUpdateAndNotify();
        if (Async::isCancelled()) {
            co_return;
        }
        paused = co_await pause(checkInterval_);
    }
}

Async::Task<bool> AppUpdateController::pause(double seconds) {
    try {
        co_await sleeper_->sleep(seconds);
    } catch (...) {
        // Cut short by cancellation: the loop ends quietly.
        co_return false;
    }
    co_return !Async::isCancelled();
}

Async::Task<void> AppUpdateController::checkForUpdateAndNotify() {
    const UpdateCheckResult result = co_await updateService_->checkForUpdate();
    if (publish(result)) {
        co_await showUpdateNotification(*result.update());
    }
}

Async::Task<void> AppUpdateController::checkForUpdateManually() {
    const auto self = shared_from_this();
    const UpdateCheckResult result = co_await updateService_->checkForUpdate();
    publish(result);
}

bool AppUpdateController::publish(const UpdateCheckResult& result) {
    switch (result.kind()) {
    case UpdateCheckResult::Kind::upToDate:
        availableUpdate_ = std::nullopt;
        return false;
    case UpdateCheckResult::Kind::checkFailed:
        return false;
    case UpdateCheckResult::Kind::updateAvailable:
        break;
    }
    const AvailableUpdate& update = *result.update();
    const auto& published = availableUpdate_.value();
    const bool isSameBuild = published && published->buildNumber == update.buildNumber;
    availableUpdate_ = update;
    return !isSameBuild;
}

Async::Task<void> AppUpdateController::showUpdateNotification(AvailableUpdate update) {
    try {
        const auto status = co_await notificationCenter_->authorizationStatus();
        if (status == UserNotificationAuthorizationStatus::notDetermined) {
            co_await notificationCenter_->requestAuthorization();
        }
        const auto decided = co_await notificationCenter_->authorizationStatus();
        if (decided != UserNotificationAuthorizationStatus::authorized) {
            co_return;
        }
        UserNotificationRequest request = notificationRequest(update);
        co_await notificationCenter_->add(std::move(request));
    } catch (...) {
        // Refused permission and failed deliveries are not shown to the user.
    }
}

void AppUpdateController::handleNotificationResponse(const UserNotificationResponse& response) {
    if (userInfoText(response, typeKey) != updateNotificationType) {
        return;
    }
    openDownloadPage(userInfoText(response, downloadURLKey));
}

void AppUpdateController::openDownloadPage(const std::optional<QString>& downloadURLString) {
    const auto& published = availableUpdate_.value();
    const QString text = downloadURLString ? *downloadURLString
                         : published       ? published->downloadUrl
                                           : QString();
    const std::optional<QUrl> url = WebURL::parse(text.trimmed());
    if (url && WebURL::isWebURL(*url)) {
        urlOpener_(*url);
    }
}
