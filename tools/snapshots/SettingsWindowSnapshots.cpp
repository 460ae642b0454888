#include "SettingsWindowSnapshots.h"

#include "Core/AppUpdateChecking.h"
#include "Core/TaskSleeper.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/UserNotifications/UserNotificationPosting.h"
#include "UI/Settings/CheckForUpdatesButton.h"
#include "UI/Settings/LaunchAtLoginAlert.h"
#include "UI/Settings/SettingsAboutPage.h"
#include "UI/Settings/SettingsView.h"

#include <functional>
#include <optional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPalette>

namespace {

constexpr QSize windowSize = SettingsView::idealWindowSize;

// Answers every check with one result; a held check never answers.
class SampleUpdateCheck final : public AppUpdateChecking {
public:
    explicit SampleUpdateCheck(UpdateCheckResult result, bool holds = false)
        : result_(std::move(result)), holds_(holds) {}

    Async::Task<UpdateCheckResult> checkForUpdate() override {
        if (holds_) {
            co_await Async::withContinuation<void>([](Async::Continuation<void>) {});
        }
        co_return result_;
    }

private:
    UpdateCheckResult result_;
    bool holds_;
};

// Posts nothing: the settings window's checks never notify.
class SilentNotificationCenter final : public UserNotificationPosting {
public:
    Async::Task<UserNotificationAuthorizationStatus> authorizationStatus() override {
        co_return UserNotificationAuthorizationStatus::denied;
    }
    Async::Task<bool> requestAuthorization() override { co_return false; }
    Async::Task<void> add(UserNotificationRequest) override { co_return; }
    void setResponseHandler(ResponseHandler) override {}
};

// A login item that reports a fixed state and is never changed here.
class SampleLoginItem final : public LoginItemService {
public:
    explicit SampleLoginItem(Status status)
        : LoginItemService(QStringLiteral("/nonexistent/pelmor-snapshots/autostart"),
                           {QStringLiteral("/usr/bin/pelmor")}, [](const QUrl&) { return true; }),
          status_(status) {}

    Status status() const override { return status_; }

private:
    Status status_;
};

struct Sample {
    bool batteryFriendly = true;
    LoginItemService::Status loginItem = LoginItemService::Status::notRegistered;
    UpdateCheckResult updateCheck = UpdateCheckResult::upToDate();
    bool holdsChecks = false;
    AppBuildMetadataDisplayInfo buildMetadata{
        QStringLiteral("v1.4.2 (57)"), QStringLiteral("4f2c9e1"), QStringLiteral("March 14, 2026")};
    bool dark = false;
};

AvailableUpdate sampleUpdate(std::optional<QString> releaseNotes) {
    return {.version = QStringLiteral("1.5.0"),
            .buildNumber = 63,
            .releaseDate = QStringLiteral("2026-04-02"),
            .downloadUrl = QStringLiteral("https://updates.example.com/pelmor-1.5.0.tar.gz"),
            .releaseNotes = std::move(releaseNotes),
            .minimumSystemVersion = std::nullopt};
}

const QString longReleaseNotes = QStringLiteral(
    "Faster channel scans on 6 GHz, a clearer speed-test summary with bufferbloat grades for "
    "download and upload, fewer false captive-portal warnings on hotel networks, and many "
    "smaller fixes to the popover's layout and the diagnostics export.");

QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0xFF, 0xD9));
    palette.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3C));
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

// Runs `start` and then the event loop until `done` holds (at most two
// seconds), under a task runtime of its own when none is installed.
void runTasks(const std::function<void()>& start, const std::function<bool()>& done) {
    std::optional<Async::Runtime> runtime;
    if (!Async::Runtime::isInstalled()) {
        runtime.emplace(std::make_shared<Async::EventLoopExecutor>(),
                        std::make_shared<Async::EventLoopTimerService>());
    }
    start();
    const QDeadlineTimer deadline(2000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

std::unique_ptr<SettingsView> settingsView(const Sample& sample) {
    auto controller = AppUpdateController::create(
        std::make_shared<SampleUpdateCheck>(sample.updateCheck, sample.holdsChecks),
        AppUpdateController::defaultCheckInterval, std::make_shared<SilentNotificationCenter>(),
        [](const QUrl&) { return true; }, std::make_shared<TaskSleeper>());
    if (sample.updateCheck.kind() == UpdateCheckResult::Kind::updateAvailable &&
        !sample.holdsChecks) {
        runTasks(
            [controller] {
                Async::spawn([controller] { return controller->checkForUpdateManually(); });
            },
            [controller] { return controller->availableUpdate().value().has_value(); });
    }
    auto store = std::make_shared<InMemoryAppSettingsStore>();
    store->setBatteryFriendly(sample.batteryFriendly);
    const auto loginItem = sample.loginItem;
    auto view = std::make_unique<SettingsView>(SettingsViewDependencies{
        .appUpdateController = controller,
        .settingsStore = store,
        .makeLaunchAtLoginController =
            [loginItem] {
                return LaunchAtLoginController::create(
                    NotificationCenter::defaultCenter(),
                    std::make_shared<SampleLoginItem>(loginItem));
            },
        .readBuildMetadata = [metadata = sample.buildMetadata] { return metadata; }});
    if (sample.dark) {
        view->setPalette(darkPalette());
    }
    // Shown (offscreen, never on a screen) so that it builds its login-item
    // controller as an opened window does.
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->show();
    return view;
}

std::function<std::unique_ptr<QWidget>()> generalPage(Sample sample) {
    return [sample] { return settingsView(sample); };
}

std::function<std::unique_ptr<QWidget>()> aboutPage(Sample sample, bool pressCheck = false) {
    return [sample, pressCheck]() -> std::unique_ptr<QWidget> {
        auto view = settingsView(sample);
        view->selectTab(SettingsTab::about);
        if (pressCheck) {
            SettingsView* shown = view.get();
            runTasks([shown] { shown->aboutPage()->checkButton()->click(); },
                     [shown] { return shown->isCheckingForUpdate(); });
        }
        return view;
    };
}

std::unique_ptr<QWidget> launchAtLoginAlert() {
    auto alert = std::make_unique<LaunchAtLoginAlert>(nullptr);
    alert->messageLabel()->setText(QStringLiteral(
        "Failed to update login item: The folder /home/ada/.config/autostart could not be "
        "created."));
    // A dialog's background comes from its window; drawn here by the view itself.
    alert->setAutoFillBackground(true);
    return alert;
}

} // namespace

std::vector<Snapshot> settingsWindowSnapshots() {
    const Sample light;
    Sample approval = light;
    approval.batteryFriendly = false;
    approval.loginItem = LoginItemService::Status::requiresApproval;
    Sample darkEnabled = light;
    darkEnabled.dark = true;
    darkEnabled.loginItem = LoginItemService::Status::enabled;

    Sample update = light;
    update.updateCheck = UpdateCheckResult::updateAvailable(sampleUpdate(longReleaseNotes));
    Sample updateWithoutNotes = light;
    updateWithoutNotes.updateCheck = UpdateCheckResult::updateAvailable(sampleUpdate(QString()));
    Sample darkUpdate = update;
    darkUpdate.dark = true;
    Sample checking = light;
    checking.holdsChecks = true;
    checking.buildMetadata.buildID = QStringLiteral(
        "release/1.4.2+4f2c9e1b7a0d3c58e6f19b2a7c4d8e0f13a5b6c7-linux-x86_64-gcc12-relwithdebinfo-"
        "reproducible-build-with-a-very-long-identifier-that-needs-cutting");

    return {
        {"settings-general", windowSize, generalPage(light)},
        {"settings-general-approval-always-fast", windowSize, generalPage(approval)},
        {"settings-general-dark-login-enabled", windowSize, generalPage(darkEnabled)},
        {"settings-about", windowSize, aboutPage(light)},
        {"settings-about-update-available", windowSize, aboutPage(update)},
        {"settings-about-update-without-notes", windowSize, aboutPage(updateWithoutNotes)},
        {"settings-about-dark-update-available", windowSize, aboutPage(darkUpdate)},
        {"settings-about-checking-long-build-id", windowSize, aboutPage(checking, true)},
        {"settings-minimum-size", SettingsView::minimumWindowSize, aboutPage(update)},
        {"settings-launch-at-login-alert", {0, 0}, launchAtLoginAlert},
    };
}
