#pragma once

#include "AppState/HealthAggregationController.h"
#include "AppState/LocationPermissionController.h"
#include "AppState/MonitoringLifecycleController.h"
#include "AppState/NetworkChangeObserving.h"
#include "AppState/SleepWakeObserving.h"
#include "Core/AppUpdateChecking.h"
#include "Core/AppUpdateController.h"
#include "Monitors/CaptivePortalMonitor.h"
#include "Monitors/ChannelScanMonitor.h"
#include "Monitors/ConnectionMonitor.h"
#include "Monitors/DNSMonitor.h"
#include "Monitors/PingMonitor.h"
#include "Monitors/SpeedTestMonitor.h"
#include "Monitors/WiFiMonitor.h"
#include "Persistence/AppSettingsStoring.h"
#include "Persistence/ObservableAppSettingsStore.h"
#include "Platform/Foundation/WallClockWatcher.h"
#include "Platform/Reactive/CancellableSet.h"
#include "Platform/UserNotifications/UserNotificationPosting.h"
#include "System/CaptivePortalChecking.h"
#include "System/CommandRunning.h"
#include "System/LocationAuthorizing.h"
#include "System/LocationSettingsOpening.h"
#include "System/SpeedTesting.h"
#include "System/WiFiInterfaceProviding.h"
#include "System/WiFiNetworkScanning.h"
#include "UI/MenuBar/MenuBarController.h"

#include <functional>
#include <memory>

#include <QProcessEnvironment>

class PreferenceFile;

// The composition root: builds every shared monitor, controller and adapter
// once, with the application's constants, wires them together and runs the
// launch and termination sequences. Five objects are built at once (the
// settings store, the location-permission controller, the two observers and
// the wall-clock watcher); everything else the first time it is needed, and
// then shared.
class AppDelegate final : public std::enable_shared_from_this<AppDelegate> {
public:
    // The objects that reach outside the process; production's by default,
    // fakes in tests.
    struct Environment {
        QProcessEnvironment processEnvironment;
        // The user's preference file, shared by the settings store and the
        // window frames; none in tests.
        std::shared_ptr<PreferenceFile> preferenceFile;
        std::function<std::shared_ptr<AppSettingsStoring>()> makeSettingsStore;
        std::function<std::shared_ptr<LocationAuthorizing>()> makeLocationAuthorizer;
        std::function<std::shared_ptr<LocationSettingsOpening>()> makeLocationSettingsOpener;
        std::function<std::shared_ptr<NetworkChangeObserving>()> makeNetworkChangeObserver;
        std::function<std::shared_ptr<SleepWakeObserving>()> makeSleepWakeObserver;
        // Posts the changes of the wall clock to the default notification
        // centre, for the day-change timers of the views; none in tests.
        std::function<std::unique_ptr<WallClockWatcher>()> makeWallClockWatcher;
        // Each command-line adapter gets a runner of its own.
        std::function<std::shared_ptr<CommandRunning>()> makeCommandRunner;
        std::function<std::shared_ptr<WiFiInterfaceProviding>()> makeInterfaceProvider;
        std::function<std::shared_ptr<WiFiNetworkScanning>()> makeNetworkScanner;
        std::function<std::shared_ptr<CaptivePortalChecking>()> makeCaptivePortalChecker;
        std::function<std::shared_ptr<SpeedTesting>()> makeSpeedTestRunner;
        std::function<std::shared_ptr<AppUpdateChecking>()> makeUpdateService;
        std::function<std::shared_ptr<UserNotificationPosting>()> makeNotificationCenter;
        std::function<bool(const QUrl&)> openURL;
        // The menu bar's views, given the shared objects.
        std::function<std::shared_ptr<MenuBarController>(AppDelegate&)> makeMenuBarController;
    };

    static Environment productionEnvironment();
    static std::shared_ptr<AppDelegate> create(Environment environment = productionEnvironment());

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    const std::shared_ptr<AppSettingsStoring>& appSettingsStore() const {
        return appSettingsStore_;
    }
    const std::shared_ptr<LocationPermissionController>& locationPermissionController() const {
        return locationPermissionController_;
    }
    // The factories of the objects that reach outside the process, for the
    // views that build adapters of their own (the radar window).
    const Environment& environment() const { return environment_; }

    // The shared objects, built on first use.
    const std::shared_ptr<WiFiMonitor>& wifiMonitor();
    const std::shared_ptr<PingMonitor>& pingMonitor();
    const std::shared_ptr<DNSMonitor>& dnsMonitor();
    const std::shared_ptr<ConnectionMonitor>& connectionMonitor();
    const std::shared_ptr<CaptivePortalMonitor>& captivePortalMonitor();
    const std::shared_ptr<SpeedTestMonitor>& speedTestMonitor();
    const std::shared_ptr<ChannelScanMonitor>& channelScanMonitor();
    const std::shared_ptr<MonitoringLifecycleController>& lifecycleController();
    const std::shared_ptr<HealthAggregationController>& healthAggregationController();
    const std::shared_ptr<MenuBarController>& menuBarController();
    const std::shared_ptr<AppUpdateController>& appUpdateController();

    // Whether the menu-bar controller (and with it every shared object) was built.
    bool hasBuiltMenuBarController() const { return menuBarController_ != nullptr; }

private:
    explicit AppDelegate(Environment environment);

    bool isTestHost() const;
    void startSettingsPersistenceObservers();
    void startControllersIfNeeded();
    void stopControllersIfNeeded();

    Environment environment_;
    // One store for every writer; its "batteryFriendly" writes reach the lifecycle controller.
    std::shared_ptr<ObservableAppSettingsStore> observableSettingsStore_;
    std::shared_ptr<AppSettingsStoring> appSettingsStore_;
    std::shared_ptr<LocationPermissionController> locationPermissionController_;
    std::shared_ptr<NetworkChangeObserving> networkChangeObserver_;
    std::shared_ptr<SleepWakeObserving> sleepWakeObserver_;
    std::unique_ptr<WallClockWatcher> wallClockWatcher_;

    std::shared_ptr<WiFiMonitor> wifiMonitor_;
    std::shared_ptr<PingMonitor> pingMonitor_;
    std::shared_ptr<DNSMonitor> dnsMonitor_;
    std::shared_ptr<ConnectionMonitor> connectionMonitor_;
    std::shared_ptr<CaptivePortalMonitor> captivePortalMonitor_;
    std::shared_ptr<SpeedTestMonitor> speedTestMonitor_;
    std::shared_ptr<ChannelScanMonitor> channelScanMonitor_;
    std::shared_ptr<MonitoringLifecycleController> lifecycleController_;
    std::shared_ptr<HealthAggregationController> healthAggregationController_;
    std::shared_ptr<MenuBarController> menuBarController_;
    std::shared_ptr<AppUpdateController> appUpdateController_;
    bool hasStartedControllers_ = false;
    Reactive::CancellableSet cancellables_;
};
