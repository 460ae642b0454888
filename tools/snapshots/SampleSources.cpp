#include "SampleSources.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "SampleLoginItems.h"
#include "SampleNetwork.h"
#include "SilentNotifications.h"

#include <chrono>

#include <QCoreApplication>

namespace {

constexpr int pollCount = 24;
constexpr std::int64_t historyLimit = 60;

// 2026-01-01 09:41:27 UTC.
const Date sampleStart = Date{} + std::chrono::seconds(1'767'260'487);

// The sample start, and two seconds later at each reading.
DateProvider sampleClock() {
    auto next = std::make_shared<Date>(sampleStart);
    return [next] {
        const Date now = *next;
        *next += std::chrono::seconds(2);
        return now;
    };
}

// Runs the event loop until every task has ended.
void settle() {
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (Async::Runtime::current().liveTaskCount() > 0);
    QCoreApplication::processEvents();
}

template <class Work> void runToEnd(Work work) {
    Async::spawn(std::move(work));
    settle();
}

BundleInfo sampleBundle() {
    return BundleInfo({{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.4.2")},
                       {QStringLiteral("CFBundleVersion"), QStringLiteral("57")},
                       {QStringLiteral("BuildID"), QStringLiteral("9f3c2ab")},
                       {QStringLiteral("ReleaseDate"), QStringLiteral("2026-01-12")}});
}

} // namespace

ContentView::Sources makeSampleSources(SampleState state) {
    const auto network = std::make_shared<SampleNetwork>(state);
    const auto sleeper = std::make_shared<TaskSleeper>();
    const DateProvider clock = sampleClock();
    const auto store = std::make_shared<InMemoryAppSettingsStore>();
    store->setMonitoringEnabled(state != SampleState::monitoringOff);

    ContentView::Sources sources;
    sources.dateProvider = [] { return sampleStart; };
    sources.wifiMonitor =
        WiFiMonitor::create({0.5, historyLimit}, network, network, sleeper, clock);
    sources.pingMonitor =
        PingMonitor::create({0.5, historyLimit, 1.0, "1.1.1.1", 3}, network, sleeper, clock);
    sources.dnsMonitor =
        DNSMonitor::create({0.5, historyLimit, 1.0, std::nullopt}, network, sleeper, clock);
    sources.connectionMonitor =
        ConnectionMonitor::create({0.5, historyLimit, 1.0}, network, sleeper, clock);
    sources.captivePortalMonitor =
        CaptivePortalMonitor::create({0.5, historyLimit, 1.0}, network, sleeper, clock);
    sources.lifecycleController = MonitoringLifecycleController::create(
        {}, {0.5, 4.0, 30.0}, std::make_shared<NoOpNetworkChangeObserver>(),
        std::make_shared<NoOpSleepWakeObserver>(), sleeper, store);
    sources.healthAggregationController =
        HealthAggregationController::create(sources.lifecycleController, sources.wifiMonitor,
                                            sources.pingMonitor, sources.dnsMonitor, clock);
    sources.locationPermissionController = LocationPermissionController::create(network, network);
    sources.appUpdateController = AppUpdateController::create(
        network, AppUpdateController::defaultCheckInterval, std::make_shared<SilentNotifications>(),
        [](const QUrl&) { return false; }, sleeper);
    sources.settingsEnvironment = {[] {
                                       return LaunchAtLoginController::create(
                                           NotificationCenter::defaultCenter(),
                                           std::make_shared<SampleLoginItems>());
                                   },
                                   sampleBundle};

    // Monitoring runs while the readings come in, so that the health grade
    // follows them; the switched-off state is switched off afterwards.
    sources.lifecycleController->setMonitoringEnabled(true);
    for (int poll = 0; poll < pollCount; ++poll) {
        runToEnd([&]() -> Async::Task<void> {
            co_await sources.wifiMonitor->pollOnce();
            co_await sources.pingMonitor->pollOnce();
            co_await sources.dnsMonitor->pollOnce();
            co_await sources.connectionMonitor->pollOnce();
            co_await sources.captivePortalMonitor->pollOnce();
        });
    }
    runToEnd([&]() -> Async::Task<void> {
        co_await sources.appUpdateController->checkForUpdateManually();
    });
    if (state == SampleState::monitoringOff) {
        sources.lifecycleController->setMonitoringEnabled(false);
    }
    settle();
    return sources;
}
