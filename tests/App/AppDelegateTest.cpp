#include "App/AppDelegate.h"

#include "AppDelegateFixture.h"
#include "Support/QStringPrinter.h"

#include <set>

class AppDelegateTest : public AppDelegateFixture {};

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

// A sleep reaches the channel scan as well as the monitors, with monitoring
// off too: a scan under way ends cancelled rather than with a result.
TEST_F(AppDelegateTest, ASleepCancelsAChannelScanUnderWay) {
    store->setMonitoringEnabled(false);
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    const auto& scan = delegate->channelScanMonitor();
    scan->startScan();
    runtime.runUntilIdle();
    sleepWake->onWillSleep()();
    runtime.advance(5.0);
    EXPECT_EQ(scan->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
    EXPECT_FALSE(scan->latestResult().value());
    delegate->applicationWillTerminate();
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

TEST_F(AppDelegateTest, TheSharedObjectsAreBuiltWithTheApplicationsConstants) {
    auto delegate = AppDelegate::create(environment());
    const auto& wifi = delegate->wifiMonitor()->configuration();
    const auto& ping = delegate->pingMonitor()->configuration();
    const auto& dns = delegate->dnsMonitor()->configuration();
    const auto& connections = delegate->connectionMonitor()->configuration();
    const auto& portal = delegate->captivePortalMonitor()->configuration();
    const auto& speed = delegate->speedTestMonitor()->configuration();
    const auto& scan = delegate->channelScanMonitor()->configuration();
    const auto& lifecycle = delegate->lifecycleController()->configuration();
    struct Constant {
        const char* name;
        double wired;
        double expected;
    };
    const std::vector<Constant> constants{
        {"Wi-Fi poll interval", wifi.pollInterval, 2.0},
        {"Wi-Fi history", double(wifi.maxHistorySampleCount), 60},
        {"ping poll interval", ping.pollInterval, 2.0},
        {"ping history", double(ping.maxHistorySampleCount), 60},
        {"ping time-out", ping.commandTimeout, 1.5},
        {"router ignore threshold", double(ping.routerIgnoreFailureThreshold), 3},
        {"DNS poll interval", dns.pollInterval, 2.0},
        {"DNS history", double(dns.maxHistorySampleCount), 60},
        {"DNS time-out", dns.commandTimeout, 1.5},
        {"connection poll interval", connections.pollInterval, 2.0},
        {"connection history", double(connections.maxHistorySampleCount), 60},
        {"connection time-out", connections.commandTimeout, 1.5},
        {"portal poll interval", portal.pollInterval, 2.0},
        {"portal history", double(portal.maxHistorySampleCount), 60},
        {"portal time-out", portal.commandTimeout, 3.5},
        {"download chunk bytes", double(speed.configuration.downloadChunkSizeBytes), 8'000'000},
        {"download chunks", double(speed.configuration.downloadChunks), 4},
        {"upload chunk bytes", double(speed.configuration.uploadChunkSizeBytes), 3'000'000},
        {"upload chunks", double(speed.configuration.uploadChunks), 4},
        {"speed-test request time-out", speed.configuration.requestTimeout, 10.0},
        {"latency probe time-out", speed.latencyProbeTimeout, 2.0},
        {"baseline probe attempts", double(speed.baselineProbeAttempts), 5},
        {"loaded latency sampling", speed.phaseLatencySamplingInterval, 0.35},
        {"bufferbloat A below", speed.gradeThresholds.aUpperBoundExclusive, 2.0},
        {"bufferbloat B below", speed.gradeThresholds.bUpperBoundExclusive, 3.0},
        {"bufferbloat C below", speed.gradeThresholds.cUpperBoundExclusive, 5.0},
        {"channel scan passes", double(scan.passCount), 3},
        {"channel scan pause", scan.pauseBetweenPasses, 0.35},
        {"active poll interval", lifecycle.activePollInterval, 0.5},
        {"background poll interval", lifecycle.backgroundPollInterval, 4.0},
        {"network-change window", lifecycle.networkChangeFastPollingDuration, 30.0},
    };
    for (const Constant& constant : constants) {
        EXPECT_EQ(constant.wired, constant.expected) << constant.name;
    }
    EXPECT_EQ(speed.latencyProbeHost, ping.internetTarget);
    EXPECT_EQ(dns.testDomains, std::nullopt);
}

TEST_F(AppDelegateTest, EachCommandLineAdapterRunsItsOwnRunnerWithItsOwnCounts) {
    auto delegate = AppDelegate::create(environment());
    pollWiFi(*delegate);
    for (const auto& poll : std::vector<std::function<Async::Task<void>()>>{
             [&] { return delegate->pingMonitor()->pollOnce(); },
             [&] { return delegate->dnsMonitor()->pollOnce(); },
             [&] { return delegate->connectionMonitor()->pollOnce(); }}) {
        runtime.runToCompletion(poll);
    }
    delegate->speedTestMonitor()->startSpeedTest();
    runtime.advance(30.0);

    // One runner per adapter, in the order they were built: the Wi-Fi
    // metadata, the ping monitor, DNS, TCP states, the speed test's latency.
    ASSERT_EQ(commandRunners.size(), 5U) << "a runner is shared";
    const auto executables = [&](std::size_t index) {
        std::set<QString> seen;
        for (const auto& request : commandRunners[index]->requests()) {
            seen.insert(request.executable);
        }
        return seen;
    };
    const auto pingArguments = [&](std::size_t index) {
        for (const auto& request : commandRunners[index]->requests()) {
            if (request.executable == QStringLiteral("/sbin/ping")) {
                return request.arguments.mid(0, 4);
            }
        }
        return QStringList();
    };
    for (const auto& request : commandRunners[0]->requests()) {
        EXPECT_EQ(request.timeout, 2.0) << "metadata time-out";
    }
    EXPECT_FALSE(executables(0).empty());
    EXPECT_FALSE(executables(0).contains(QStringLiteral("/sbin/ping")));
    EXPECT_EQ(pingArguments(1), (QStringList{"-c", "2", "-W", "1500"}));
    EXPECT_EQ(executables(2), std::set<QString>{QStringLiteral("/usr/bin/dig")});
    EXPECT_EQ(executables(3), std::set<QString>{QStringLiteral("/usr/sbin/netstat")});
    EXPECT_EQ(executables(4), std::set<QString>{QStringLiteral("/sbin/ping")});
    EXPECT_EQ(pingArguments(4), (QStringList{"-c", "1", "-W", "2000"}));
}
