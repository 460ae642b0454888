#include "App/AppDelegate.h"

#include "AppState/NWPathNetworkChangeObserver.h"
#include "AppState/WorkspaceSleepWakeObserver.h"
#include "Core/AppUpdateService.h"
#include "Core/TaskSleeper.h"
#include "Persistence/AppSettingsDefaults.h"
#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Bundle/BundleInfo.h"
#include "Platform/DBus/MessageBusAddress.h"
#include "Platform/Power/LogindSleepSignalListener.h"
#include "Platform/Power/SleepWakeNotificationCenter.h"
#include "Platform/URLSession/URLSession.h"
#include "Platform/UserNotifications/FreedesktopNotificationCenter.h"
#include "System/CloudflareSpeedTestRunner.h"
#include "System/CommandLineDNSLookupRunner.h"
#include "System/CommandLinePingProbeRunner.h"
#include "System/CommandLineTCPConnectionCounter.h"
#include "System/CoreLocationAuthorizer.h"
#include "System/CoreWLANInterfaceProvider.h"
#include "System/CoreWLANNetworkScanner.h"
#include "System/PingProbeLatencyProber.h"
#include "System/ShellCommandRunner.h"
#include "System/ShellWiFiNetworkMetadataResolver.h"
#include "System/SystemSettingsLocationOpener.h"
#include "System/URLSessionCaptivePortalChecker.h"
#include "System/URLSessionCaptivePortalProbeFetcher.h"
#include "System/WorkspaceURLOpener.h"

#include <QCoreApplication>
#include <QDBusConnection>

namespace {

// The application's constants for the shared objects.
constexpr double initialPollInterval = 2.0;
constexpr std::int64_t historySampleCount = 60;
constexpr double commandTimeout = 1.5;
constexpr double metadataCommandTimeout = 2.0;
constexpr double captivePortalTimeout = 3.5;
constexpr std::int64_t routerIgnoreFailureThreshold = 3;

std::shared_ptr<SleepProviding> newSleeper() {
    return std::make_shared<TaskSleeper>();
}

} // namespace

AppDelegate::Environment AppDelegate::productionEnvironment() {
    Environment environment;
    environment.processEnvironment = QProcessEnvironment::systemEnvironment();
    environment.preferenceFile = UserDefaultsAppSettingsStore::standardPreferenceFile();
    environment.makeSettingsStore = [preferences = environment.preferenceFile] {
        return std::make_shared<UserDefaultsAppSettingsStore>(preferences);
    };
    environment.makeLocationAuthorizer = [] { return std::make_shared<CoreLocationAuthorizer>(); };
    environment.makeLocationSettingsOpener = [] {
        return std::make_shared<SystemSettingsLocationOpener>(
            std::make_shared<WorkspaceURLOpener>(),
            QUrl::fromLocalFile(QStringLiteral("/System/Applications/System Settings.app")));
    };
    environment.makeNetworkChangeObserver = [] {
        return std::make_shared<NWPathNetworkChangeObserver>(Async::Runtime::current().executor());
    };
    // One centre for sleep and wake: the monitors pause at a sleep, and the
    // day-change timers are armed again at each wake.
    const auto sleepWakeCenter = std::make_shared<SleepWakeNotificationCenter>();
    environment.makeSleepWakeObserver = [sleepWakeCenter] {
        // logind tells of sleep and wake on the system bus; without one the
        // observer hears nothing until a system bus answers again. The bus is
        // probed first: Qt would wait for a hung one, and hold every other
        // bus of the process meanwhile.
        new LogindSleepSignalListener(
            [](const QString& connectionName) {
                return QDBusConnection::connectToBus(QDBusConnection::SystemBus, connectionName);
            },
            sleepWakeCenter, QCoreApplication::instance(),
            LogindSleepSignalListener::defaultRetryInterval, MessageBusAddress::system());
        return std::make_shared<WorkspaceSleepWakeObserver>(sleepWakeCenter);
    };
    environment.makeWallClockWatcher = [sleepWakeCenter] {
        return std::make_unique<WallClockWatcher>(NotificationCenter::defaultCenter(),
                                                  sleepWakeCenter);
    };
    environment.makeCommandRunner = [] { return std::make_shared<ShellCommandRunner>(); };
    environment.makeInterfaceProvider = [] {
        return std::make_shared<CoreWLANInterfaceProvider>();
    };
    environment.makeNetworkScanner = [] { return std::make_shared<CoreWLANNetworkScanner>(); };
    environment.makeCaptivePortalChecker = [] {
        return std::make_shared<URLSessionCaptivePortalChecker>(
            std::make_shared<URLSessionCaptivePortalProbeFetcher>(URLSession::shared()),
            URLSessionCaptivePortalChecker::defaultProbeEndpoints());
    };
    environment.makeSpeedTestRunner = [] { return std::make_shared<CloudflareSpeedTestRunner>(); };
    environment.makeUpdateService = [] {
        return std::make_shared<AppUpdateService>(AppUpdateService::configured(
            BundleInfo::mainBundle(), QProcessEnvironment::systemEnvironment(),
            URLSession::shared()));
    };
    environment.makeNotificationCenter = [] { return FreedesktopNotificationCenter::create(); };
    environment.openURL = [](const QUrl& url) { return WorkspaceURLOpener().open(url); };
    return environment;
}

std::shared_ptr<AppDelegate> AppDelegate::create(Environment environment) {
    return std::shared_ptr<AppDelegate>(new AppDelegate(std::move(environment)));
}

AppDelegate::AppDelegate(Environment environment) : environment_(std::move(environment)) {
    observableSettingsStore_ =
        std::make_shared<ObservableAppSettingsStore>(environment_.makeSettingsStore());
    appSettingsStore_ = observableSettingsStore_;
    locationPermissionController_ = LocationPermissionController::create(
        environment_.makeLocationAuthorizer(), environment_.makeLocationSettingsOpener());
    networkChangeObserver_ = environment_.makeNetworkChangeObserver();
    sleepWakeObserver_ = environment_.makeSleepWakeObserver();
    wallClockWatcher_ = environment_.makeWallClockWatcher();
}

bool AppDelegate::isTestHost() const {
    return environment_.processEnvironment.contains(QStringLiteral("XCTestConfigurationFilePath"));
}

const std::shared_ptr<WiFiMonitor>& AppDelegate::wifiMonitor() {
    if (!wifiMonitor_) {
        wifiMonitor_ = WiFiMonitor::create(
            {initialPollInterval, historySampleCount}, environment_.makeInterfaceProvider(),
            std::make_shared<ShellWiFiNetworkMetadataResolver>(environment_.makeCommandRunner(),
                                                               metadataCommandTimeout),
            newSleeper());
    }
    return wifiMonitor_;
}

const std::shared_ptr<PingMonitor>& AppDelegate::pingMonitor() {
    if (!pingMonitor_) {
        pingMonitor_ = PingMonitor::create(
            {initialPollInterval, historySampleCount, commandTimeout,
             AppSettingsDefaults::internetPingTarget, routerIgnoreFailureThreshold},
            std::make_shared<CommandLinePingProbeRunner>(environment_.makeCommandRunner(), 2, 0.5),
            newSleeper());
    }
    return pingMonitor_;
}

const std::shared_ptr<DNSMonitor>& AppDelegate::dnsMonitor() {
    if (!dnsMonitor_) {
        dnsMonitor_ = DNSMonitor::create(
            {initialPollInterval, historySampleCount, commandTimeout, std::nullopt},
            std::make_shared<CommandLineDNSLookupRunner>(environment_.makeCommandRunner()),
            newSleeper());
    }
    return dnsMonitor_;
}

const std::shared_ptr<ConnectionMonitor>& AppDelegate::connectionMonitor() {
    if (!connectionMonitor_) {
        connectionMonitor_ = ConnectionMonitor::create(
            {initialPollInterval, historySampleCount, commandTimeout},
            std::make_shared<CommandLineTCPConnectionCounter>(environment_.makeCommandRunner()),
            newSleeper());
    }
    return connectionMonitor_;
}

const std::shared_ptr<CaptivePortalMonitor>& AppDelegate::captivePortalMonitor() {
    if (!captivePortalMonitor_) {
        captivePortalMonitor_ = CaptivePortalMonitor::create(
            {initialPollInterval, historySampleCount, captivePortalTimeout},
            environment_.makeCaptivePortalChecker(), newSleeper());
    }
    return captivePortalMonitor_;
}

const std::shared_ptr<SpeedTestMonitor>& AppDelegate::speedTestMonitor() {
    if (!speedTestMonitor_) {
        auto latencyProbe = std::make_shared<PingProbeLatencyProber>(
            std::make_shared<CommandLinePingProbeRunner>(environment_.makeCommandRunner(), 1, 0.5));
        speedTestMonitor_ =
            SpeedTestMonitor::create({SpeedTestConfiguration{8'000'000, 4, 3'000'000, 4, 10.0},
                                      AppSettingsDefaults::internetPingTarget, 2.0, 5, 0.35,
                                      BufferbloatGradeThresholds{2.0, 3.0, 5.0}},
                                     environment_.makeSpeedTestRunner(), std::move(latencyProbe));
    }
    return speedTestMonitor_;
}

const std::shared_ptr<ChannelScanMonitor>& AppDelegate::channelScanMonitor() {
    if (!channelScanMonitor_) {
        channelScanMonitor_ = ChannelScanMonitor::create(
            ChannelScanConfiguration{3, 0.35}, environment_.makeNetworkScanner(),
            [weakDelegate = weak_from_this()]() -> std::optional<WiFiSnapshot> {
                const auto delegate = weakDelegate.lock();
                if (!delegate) {
                    return std::nullopt;
                }
                return delegate->wifiMonitor()->latestSnapshot().value();
            },
            newSleeper());
    }
    return channelScanMonitor_;
}

const std::shared_ptr<MonitoringLifecycleController>& AppDelegate::lifecycleController() {
    if (!lifecycleController_) {
        std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitors{
            wifiMonitor(), pingMonitor(), dnsMonitor(), connectionMonitor(),
            captivePortalMonitor()};
        lifecycleController_ = MonitoringLifecycleController::create(
            std::move(monitors), {0.5, 4.0, 30.0}, networkChangeObserver_, sleepWakeObserver_,
            newSleeper(), appSettingsStore_,
            [store = observableSettingsStore_](std::function<void()> onChange) {
                return store->batteryFriendlyWrites().subscribe(
                    [onChange = std::move(onChange)](bool) { onChange(); });
            });
        lifecycleController_->addSleepInterruptibleWork(channelScanMonitor());
    }
    return lifecycleController_;
}

const std::shared_ptr<HealthAggregationController>& AppDelegate::healthAggregationController() {
    if (!healthAggregationController_) {
        auto lifecycle = lifecycleController();
        healthAggregationController_ = HealthAggregationController::create(
            std::move(lifecycle), wifiMonitor(), pingMonitor(), dnsMonitor());
    }
    return healthAggregationController_;
}

const std::shared_ptr<MenuBarController>& AppDelegate::menuBarController() {
    if (!menuBarController_) {
        lifecycleController();
        healthAggregationController();
        wifiMonitor();
        pingMonitor();
        dnsMonitor();
        connectionMonitor();
        captivePortalMonitor();
        speedTestMonitor();
        channelScanMonitor();
        appUpdateController();
        menuBarController_ = environment_.makeMenuBarController(*this);
    }
    return menuBarController_;
}

const std::shared_ptr<AppUpdateController>& AppDelegate::appUpdateController() {
    if (!appUpdateController_) {
        appUpdateController_ = AppUpdateController::create(
            environment_.makeUpdateService(), AppUpdateController::defaultCheckInterval,
            environment_.makeNotificationCenter(), environment_.openURL, newSleeper());
    }
    return appUpdateController_;
}

void AppDelegate::applicationDidFinishLaunching() {
    if (isTestHost()) {
        return;
    }
    pingMonitor()->setInternetTarget(appSettingsStore_->internetPingTarget());
    startSettingsPersistenceObservers();
    menuBarController()->start();
    startControllersIfNeeded();
    appUpdateController()->startPeriodicChecks();
}

// Stores each new, distinct network name the Wi-Fi monitor sees.
void AppDelegate::startSettingsPersistenceObservers() {
    auto previous = std::make_shared<std::optional<QString>>();
    cancellables_.insert(wifiMonitor()->latestSnapshot().subscribe(
        [weakDelegate = weak_from_this(), previous](const std::optional<WiFiSnapshot>& snapshot) {
            if (!snapshot || !snapshot->ssid || *previous == snapshot->ssid) {
                return;
            }
            *previous = snapshot->ssid;
            if (const auto delegate = weakDelegate.lock()) {
                delegate->appSettingsStore_->setLastSSID(snapshot->ssid);
            }
        }));
}

// Permission is asked for before monitoring starts.
void AppDelegate::startControllersIfNeeded() {
    if (hasStartedControllers_) {
        return;
    }
    hasStartedControllers_ = true;
    locationPermissionController_->requestAuthorizationIfNeeded();
    lifecycleController()->applicationDidLaunch();
}

void AppDelegate::stopControllersIfNeeded() {
    if (!hasStartedControllers_) {
        return;
    }
    hasStartedControllers_ = false;
    lifecycleController_->applicationWillTerminate();
}

// Acts only on what was built: a termination before launch builds nothing.
void AppDelegate::applicationWillTerminate() {
    if (isTestHost()) {
        return;
    }
    if (appUpdateController_) {
        appUpdateController_->cancelPeriodicChecks();
    }
    stopControllersIfNeeded();
    if (menuBarController_) {
        menuBarController_->stop();
    }
}
