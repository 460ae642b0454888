#include "App/AppDelegate.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Platform/AppKit/StatusItem.h"
#include "Support/FakeCommandRunner.h"
#include "Support/FakeNotificationPoster.h"
#include "Support/TestRuntime.h"
#include "System/SpeedTestRunnerError.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace {

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
    Async::Task<UpdateCheckResult> checkForUpdate() override {
        ++checks;
        co_return UpdateCheckResult::upToDate();
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

} // namespace

class AppDelegateTest : public testing::Test {
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
            return std::make_shared<NoSettingsOpener>();
        };
        environment.makeNetworkChangeObserver = [] {
            return std::make_shared<NoOpNetworkChangeObserver>();
        };
        environment.makeSleepWakeObserver = [] {
            return std::make_shared<NoOpSleepWakeObserver>();
        };
        environment.makeCommandRunner = [] { return std::make_shared<FakeCommandRunner>(); };
        environment.makeInterfaceProvider = [this] { return interfaces; };
        environment.makeNetworkScanner = [] { return std::make_shared<NoNetworks>(); };
        environment.makeCaptivePortalChecker = [] { return std::make_shared<NoPortal>(); };
        environment.makeSpeedTestRunner = [] { return std::make_shared<NoSpeedTest>(); };
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
    std::shared_ptr<RecordingStore> store = std::make_shared<RecordingStore>();
    std::shared_ptr<LoggingAuthorizer> authorizer = std::make_shared<LoggingAuthorizer>(log);
    std::shared_ptr<ScriptedInterfaces> interfaces = std::make_shared<ScriptedInterfaces>();
    std::shared_ptr<CountingUpdateService> updates = std::make_shared<CountingUpdateService>();
};

TEST_F(AppDelegateTest, LaunchAsksForPermissionBeforeMonitoringAndStartsEverything) {
    auto delegate = AppDelegate::create(environment());
    auto subscription = delegate->lifecycleController()->isMonitoringEnabled().subscribe(
        [&](bool enabled) { log.push_back(QStringLiteral("monitoring %1").arg(enabled)); });
    log.clear();
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(log, (std::vector<QString>{"location request", "monitoring 1"}));
    EXPECT_EQ(delegate->pingMonitor()->internetTarget(), QStringLiteral("203.0.113.9"));
    ASSERT_NE(delegate->menuBarController()->statusItem(), nullptr);
    EXPECT_TRUE(delegate->appUpdateController()->checkTask().isValid());
    runtime.advance(5.0);
    EXPECT_EQ(updates->checks, 1) << "the first update check comes 5 s after launch";
    delegate->applicationWillTerminate();
}

TEST_F(AppDelegateTest, ADecidedPermissionIsNotAskedForAgainAndStoredMonitoringOffStaysOff) {
    authorizer->status = LocationPermissionStatus::denied;
    store->setMonitoringEnabled(false);
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(delegate->lifecycleController()->isMonitoringEnabled().value());
    EXPECT_NE(delegate->menuBarController()->statusItem(), nullptr)
        << "the status item is still shown";
    delegate->applicationWillTerminate();
}

TEST_F(AppDelegateTest, UnderATestHostLaunchAndTerminationDoNothing) {
    processEnvironment.insert(QStringLiteral("XCTestConfigurationFilePath"), QString());
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    delegate->applicationWillTerminate();
    EXPECT_FALSE(delegate->hasBuiltMenuBarController());
    EXPECT_TRUE(log.empty());
}

TEST_F(AppDelegateTest, TerminationBeforeLaunchBuildsNothingAndAfterItStopsEverything) {
    auto early = AppDelegate::create(environment());
    early->applicationWillTerminate();
    EXPECT_FALSE(early->hasBuiltMenuBarController());

    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    delegate->applicationWillTerminate();
    delegate->applicationWillTerminate();
    EXPECT_FALSE(delegate->appUpdateController()->checkTask().isValid());
    EXPECT_FALSE(delegate->lifecycleController()->isMonitoringEnabled().value());
    EXPECT_EQ(delegate->menuBarController()->statusItem(), nullptr);
    runtime.advance(10.0);
    EXPECT_EQ(updates->checks, 0);
}

TEST_F(AppDelegateTest, TheLastNetworkNameIsStoredOncePerDistinctName) {
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    const auto see = [&](std::optional<QString> ssid, bool hasInterface = true) {
        interfaces->ssid = std::move(ssid);
        interfaces->hasInterface = hasInterface;
        pollWiFi(*delegate);
    };
    see(QStringLiteral("Linden House"));
    see(QStringLiteral("Linden House"));
    see(std::nullopt);
    see(std::nullopt, false);
    see(QStringLiteral("Linden House"));
    see(QStringLiteral("Café Nord"));
    see(QStringLiteral("Linden House"));
    EXPECT_EQ(store->lastSSIDWrites,
              (std::vector<std::optional<QString>>{QStringLiteral("Linden House"),
                                                   QStringLiteral("Café Nord"),
                                                   QStringLiteral("Linden House")}));
    delegate->applicationWillTerminate();
}
