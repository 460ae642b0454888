#include "UI/PopoverTestSources.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"

PopoverTestSources::PopoverTestSources(TestRuntime& testRuntime) : runtime(testRuntime) {
    const QStringList names{"wifi", "ping", "dns", "connection", "captive"};
    std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> controls;
    for (std::size_t index = 0; index < monitorControls.size(); ++index) {
        monitorControls[index] =
            std::make_shared<RecordingMonitorControl>(names[qsizetype(index)], log);
        controls.push_back(monitorControls[index]);
    }
    const auto sleeper = std::make_shared<TaskSleeper>();
    const DateProvider clock = runtime.clock().dateProvider();
    pings->gateway = QString::fromLatin1(gateway);

    sources.wifiMonitor = WiFiMonitor::create(
        {0.5, 60}, wifiInterface, std::make_shared<FixedNetworkMetadata>(), sleeper, clock);
    sources.pingMonitor = PingMonitor::create(
        {0.5, 60, 1.0, QString::fromLatin1(internetTarget), 3}, pings, sleeper, clock);
    sources.dnsMonitor =
        DNSMonitor::create({0.5, 60, 1.0, QStringList{"example.org"}}, lookups, sleeper, clock);
    sources.connectionMonitor =
        ConnectionMonitor::create({0.5, 60, 1.0}, connections, sleeper, clock);
    sources.captivePortalMonitor =
        CaptivePortalMonitor::create({0.5, 60, 1.0}, portals, sleeper, clock);
    sources.lifecycleController = MonitoringLifecycleController::create(
        controls, {0.5, 4.0, 30.0}, std::make_shared<NoOpNetworkChangeObserver>(),
        std::make_shared<NoOpSleepWakeObserver>(), sleeper, store);
    sources.healthAggregationController =
        HealthAggregationController::create(sources.lifecycleController, sources.wifiMonitor,
                                            sources.pingMonitor, sources.dnsMonitor, clock);
    sources.locationPermissionController =
        LocationPermissionController::create(authorizer, locationSettings);
    sources.appUpdateController = AppUpdateController::create(
        updates, AppUpdateController::defaultCheckInterval,
        std::make_shared<FakeNotificationPoster>(),
        [this](const QUrl& url) {
            openedURLs.push_back(url);
            return true;
        },
        sleeper);
    // Redraws on the next turn, so that one pass of the event loop shows them.
    sources.refreshCoalescingInterval = std::chrono::milliseconds(0);
    sources.dateProvider = clock;
    sources.clockChanges = &notificationCenter;
    sources.settingsEnvironment = {
        [this] {
            madeLoginControllers.push_back(
                LaunchAtLoginController::create(notificationCenter, loginItems));
            return madeLoginControllers.back();
        },
        [] {
            return BundleInfo({{QStringLiteral("CFBundleShortVersionString"), "1.4.2"},
                               {QStringLiteral("CFBundleVersion"), "57"},
                               {QStringLiteral("BuildID"), "9f3c2ab"},
                               {QStringLiteral("ReleaseDate"), "2026-01-12"}});
        }};
}

void PopoverTestSources::launch() {
    sources.lifecycleController->applicationDidLaunch();
    runtime.runUntilIdle();
}

void PopoverTestSources::poll(int times) {
    for (int index = 0; index < times; ++index) {
        runtime.runToCompletion([this]() -> Async::Task<void> {
            co_await sources.wifiMonitor->pollOnce();
            co_await sources.pingMonitor->pollOnce();
            co_await sources.dnsMonitor->pollOnce();
            co_await sources.connectionMonitor->pollOnce();
            co_await sources.captivePortalMonitor->pollOnce();
        });
    }
    runtime.runUntilIdle();
}

void PopoverTestSources::answerAsHealthyNetwork() {
    wifiInterface->snapshot =
        ScriptedWiFiInterface::associated(QStringLiteral("Office"), -52, -93, 866);
    pings->measurements[QString::fromLatin1(gateway)] = FakePingProbeRunner::answered(3.25, 0.6);
    pings->measurements[QString::fromLatin1(internetTarget)] =
        FakePingProbeRunner::answered(18.44, 1.96);
    lookups->measurement = {24.06, true};
    connections->measurement = {TCPConnectionStateCounts{42, 6, 1}, true};
}
