#pragma once

#include "Core/AppUpdateController.h"
#include "Core/LaunchAtLoginController.h"
#include "Core/TaskSleeper.h"
#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "Platform/Reactive/Published.h"
#include "Support/FakeNotificationPoster.h"
#include "Support/TestRuntime.h"
#include "UI/Settings/SettingsViewDependencies.h"

#include <optional>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

// Answers each check with `result`; while `holdsChecks` is set a check waits
// until finishHeldCheck().
class ScriptedUpdateCheck final : public AppUpdateChecking {
public:
    UpdateCheckResult result = UpdateCheckResult::upToDate();
    bool holdsChecks = false;
    int checkCount = 0;

    Async::Task<UpdateCheckResult> checkForUpdate() override {
        ++checkCount;
        if (holdsChecks) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { held_ = continuation; });
        }
        co_return result;
    }

    bool finishHeldCheck() { return held_ && std::exchange(held_, std::nullopt)->resume(); }

private:
    std::optional<Async::Continuation<void>> held_;
};

// The real autostart entry under a test folder, with every change and every
// read of the status counted; the status can be forced.
class CountingLoginItems final : public LoginItemService {
public:
    using LoginItemService::LoginItemService;
    int changes = 0;
    mutable int statusReads = 0;
    std::optional<Status> forcedStatus;

    Status status() const override {
        ++statusReads;
        return forcedStatus.value_or(LoginItemService::status());
    }
    void registerItem() override {
        ++changes;
        LoginItemService::registerItem();
    }
    void unregisterItem() override {
        ++changes;
        LoginItemService::unregisterItem();
    }
};

// Everything a settings view works with, over test doubles: the update
// controller over a scripted check, preferences in a temporary file, login
// items in a temporary autostart folder and a private notification centre.
class SettingsTestEnvironment {
public:
    SettingsTestEnvironment() { useAutostartFolder(configHome.filePath("autostart")); }

    // Login items in `folder` from the next controller on.
    void useAutostartFolder(const QString& folder) {
        loginItems = std::make_shared<CountingLoginItems>(
            folder, LoginItemService::defaultCommand(), [this](const QUrl& url) {
                openedSettings.push_back(url);
                return true;
            });
    }

    // An autostart folder that cannot be created: a file stands where it would go.
    void blockAutostartFolder() {
        QFile blocker(configHome.filePath("blocked"));
        blocker.open(QIODevice::WriteOnly);
        blocker.close();
        useAutostartFolder(configHome.filePath("blocked/autostart"));
    }

    SettingsViewDependencies dependencies() {
        return {.appUpdateController = updateController,
                .settingsStore = settingsStore,
                .observeBatteryFriendlyChanges =
                    [this](std::function<void()> onChange) {
                        return batteryFriendlySetElsewhere.subscribe(
                            [onChange = std::move(onChange)](bool) { onChange(); });
                    },
                .makeLaunchAtLoginController =
                    [this] {
                        ++controllersMade;
                        return LaunchAtLoginController::create(center, loginItems);
                    },
                .readBuildMetadata = [this] { return buildMetadata; }};
    }

    // The preferences file as another reader sees it.
    QVariant storedValue(const QString& key) const {
        return QSettings(preferencesPath, QSettings::IniFormat).value(key);
    }

    static AvailableUpdate update(const QString& version,
                                  std::optional<QString> releaseNotes = std::nullopt) {
        return {.version = version,
                .buildNumber = 63,
                .releaseDate = "2026-04-02",
                .downloadUrl = "https://updates.example/pelmor-" + version + ".tar.gz",
                .releaseNotes = std::move(releaseNotes),
                .minimumSystemVersion = std::nullopt};
    }

    TestRuntime runtime;
    QTemporaryDir configHome;
    NotificationCenter center;
    std::shared_ptr<CountingLoginItems> loginItems;
    std::vector<QUrl> openedSettings;
    int controllersMade = 0;
    // What another writer of "batteryFriendly" (the popover) publishes after
    // storing it.
    Reactive::Published<bool> batteryFriendlySetElsewhere{true};

    QString preferencesPath = configHome.filePath("pelmor.conf");
    std::shared_ptr<UserDefaultsAppSettingsStore> settingsStore =
        std::make_shared<UserDefaultsAppSettingsStore>(
            std::make_shared<PreferenceFile>(preferencesPath));

    std::shared_ptr<ScriptedUpdateCheck> updateCheck = std::make_shared<ScriptedUpdateCheck>();
    std::shared_ptr<FakeNotificationPoster> notifications =
        std::make_shared<FakeNotificationPoster>();
    std::vector<QUrl> openedDownloads;
    std::shared_ptr<AppUpdateController> updateController = AppUpdateController::create(
        updateCheck, AppUpdateController::defaultCheckInterval, notifications,
        [this](const QUrl& url) {
            openedDownloads.push_back(url);
            return true;
        },
        std::make_shared<TaskSleeper>());

    AppBuildMetadataDisplayInfo buildMetadata{"v1.4.2 (57)", "4f2c9e1", "March 14, 2026"};
};
