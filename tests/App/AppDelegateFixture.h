#pragma once

#include "App/AppDelegate.h"
#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Platform/AppKit/Tray/StatusItem.h"
#include "Support/FakeCommandRunner.h"
#include "Support/FakeNotificationPoster.h"
#include "Support/TestRuntime.h"
#include "System/SpeedTestRunnerError.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace AppDelegateFakes {

class LoggingAuthorizer final : public LocationAuthorizing {
public:
    explicit LoggingAuthorizer(std::vector<QString>& log) : log_(log) {}
    LocationPermissionStatus status = LocationPermissionStatus::notDetermined;
    LocationPermissionStatus authorizationStatus() const override { return status; }
    const StatusChangeCallback& onAuthorizationStatusChange() const override { return callback_; }
    void setOnAuthorizationStatusChange(StatusChangeCallback callback) override {
        callback_ = std::move(callback);
    }
    void requestWhenInUseAuthorization() override { log_.push_back("location request"); }

private:
    std::vector<QString>& log_;
    StatusChangeCallback callback_;
};

class NoSettingsOpener final : public LocationSettingsOpening {
public:
    bool openLocationServicesPane() override { return false; }
};

class ScriptedInterfaces final : public WiFiInterfaceProviding {
public:
    std::optional<QString> ssid;
    bool hasInterface = true;
    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override {
        if (!hasInterface) {
            return std::nullopt;
        }
        return WiFiInterfaceSnapshot{"wlan0", ssid, std::nullopt, -55,
                                     -94,     866,  44,           WiFiBand::fiveGigahertz};
    }
};

class NoNetworks final : public WiFiNetworkScanning {
public:
    Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() override { co_return {}; }
};

class NoPortal final : public CaptivePortalChecking {
public:
    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double) override {
        co_return CaptivePortalDetectionMeasurement::notCaptive();
    }
};

class NoSpeedTest final : public SpeedTesting {
public:
    Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration,
                                                      SpeedTestProgress) override {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidRequest);
        co_return SpeedTestMeasurement{};
    }
    Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration,
                                                    SpeedTestProgress) override {
        throw SpeedTestRunnerError(SpeedTestRunnerError::invalidRequest);
        co_return SpeedTestMeasurement{};
    }
};

class CountingUpdateService final : public AppUpdateChecking {
public:
    int checks = 0;
    UpdateCheckResult result = UpdateCheckResult::upToDate();
    Async::Task<UpdateCheckResult> checkForUpdate() override {
        ++checks;
        co_return result;
    }
};

class RecordingStore final : public AppSettingsStoring {
public:
    std::vector<std::optional<QString>> lastSSIDWrites;
    InMemoryAppSettingsStore store;
    bool monitoringEnabled() const override { return store.monitoringEnabled(); }
    void setMonitoringEnabled(bool enabled) override { store.setMonitoringEnabled(enabled); }
    bool batteryFriendly() const override { return store.batteryFriendly(); }
    void setBatteryFriendly(bool enabled) override { store.setBatteryFriendly(enabled); }
    bool colorfulIcon() const override { return store.colorfulIcon(); }
    void setColorfulIcon(bool enabled) override { store.setColorfulIcon(enabled); }
    QString internetPingTarget() const override { return store.internetPingTarget(); }
    void setInternetPingTarget(const QString& target) override {
        store.setInternetPingTarget(target);
    }
    std::optional<QString> lastSSID() const override { return store.lastSSID(); }
    void setLastSSID(const std::optional<QString>& ssid) override {
        lastSSIDWrites.push_back(ssid);
        store.setLastSSID(ssid);
    }
};

} // namespace AppDelegateFakes

// A delegate environment of fakes: nothing reaches the network, the tools or
// the desktop.
class AppDelegateFixture : public testing::Test {
protected:
    void SetUp() override {
        store->setMonitoringEnabled(true);
        store->setInternetPingTarget(QStringLiteral("  203.0.113.9 \n"));
    }

    AppDelegate::Environment environment() {
        AppDelegate::Environment environment;
        environment.processEnvironment = processEnvironment;
        environment.makeSettingsStore = [this] { return store; };
        environment.makeLocationAuthorizer = [this] { return authorizer; };
        environment.makeLocationSettingsOpener = [] {
            return std::make_shared<AppDelegateFakes::NoSettingsOpener>();
        };
        environment.makeNetworkChangeObserver = [] {
            return std::make_shared<NoOpNetworkChangeObserver>();
        };
        environment.makeSleepWakeObserver = [this] { return sleepWake; };
        environment.makeWallClockWatcher = [] { return nullptr; };
        environment.makeCommandRunner = [this] {
            return commandRunners.emplace_back(std::make_shared<FakeCommandRunner>());
        };
        environment.makeInterfaceProvider = [this] { return interfaces; };
        environment.makeNetworkScanner = [] {
            return std::make_shared<AppDelegateFakes::NoNetworks>();
        };
        environment.makeCaptivePortalChecker = [] {
            return std::make_shared<AppDelegateFakes::NoPortal>();
        };
        environment.makeSpeedTestRunner = [] {
            return std::make_shared<AppDelegateFakes::NoSpeedTest>();
        };
        environment.makeUpdateService = [this] { return updates; };
        environment.makeNotificationCenter = [] {
            return std::make_shared<FakeNotificationPoster>();
        };
        environment.openURL = [](const QUrl&) { return true; };
        environment.makeMenuBarController = [](AppDelegate& delegate) {
            return MenuBarController::create(MenuBarController::Dependencies{
                delegate.lifecycleController(),
                delegate.locationPermissionController(),
                delegate.healthAggregationController(),
                nullptr,
                [](PopoverCallbacks) { return new QLabel(QStringLiteral("dashboard")); },
                [](ToolWindowKind) { return new QLabel(); },
                {},
                {},
                {},
                nullptr});
        };
        return environment;
    }

    void pollWiFi(AppDelegate& delegate) {
        runtime.runToCompletion(
            [&]() -> Async::Task<void> { co_await delegate.wifiMonitor()->pollOnce(); });
    }

    TestRuntime runtime;
    QProcessEnvironment processEnvironment;
    std::vector<QString> log;
    // Every command runner the delegate asked for, in the order it asked.
    std::vector<std::shared_ptr<FakeCommandRunner>> commandRunners;
    std::shared_ptr<AppDelegateFakes::RecordingStore> store =
        std::make_shared<AppDelegateFakes::RecordingStore>();
    std::shared_ptr<AppDelegateFakes::LoggingAuthorizer> authorizer =
        std::make_shared<AppDelegateFakes::LoggingAuthorizer>(log);
    std::shared_ptr<AppDelegateFakes::ScriptedInterfaces> interfaces =
        std::make_shared<AppDelegateFakes::ScriptedInterfaces>();
    std::shared_ptr<AppDelegateFakes::CountingUpdateService> updates =
        std::make_shared<AppDelegateFakes::CountingUpdateService>();
    std::shared_ptr<NoOpSleepWakeObserver> sleepWake = std::make_shared<NoOpSleepWakeObserver>();
};
