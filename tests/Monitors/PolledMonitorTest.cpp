#include "Monitors/PolledMonitor.h"

#include "Core/TaskSleeper.h"
#include "Monitors/CaptivePortalMonitor.h"
#include "Monitors/ConnectionMonitor.h"
#include "Monitors/DNSMonitor.h"
#include "Monitors/PingMonitor.h"
#include "Monitors/WiFiMonitor.h"
#include "Support/FakeCaptivePortalChecker.h"
#include "Support/FakeDNSLookupRunner.h"
#include "Support/FakePingProbeRunner.h"
#include "Support/FakeTCPConnectionCounter.h"
#include "Support/FixedNetworkMetadata.h"
#include "Support/ScriptedWiFiInterface.h"
#include "Support/TestRuntime.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// Names every published value of a monitor that is assigned while watched.
class PublicationLog {
public:
    template <class T> void watch(std::string name, const Reactive::Published<T>& published) {
        subscriptions_.push_back(published.subscribe(
            [this, name = std::move(name)](const T&) { names.push_back(name); }));
    }

    std::vector<std::string> names;

private:
    std::vector<Reactive::Cancellable> subscriptions_;
};

// A polled monitor over fakes that answer at once, every value it publishes
// watched, and the switch that makes its probes take a second from then on.
struct WatchedMonitor {
    std::shared_ptr<AdaptiveMonitoringControlling> monitor;
    std::function<void()> slowTheProbesDown;
};

struct StoppedPollCase {
    const char* name;
    std::function<WatchedMonitor(TestRuntime&, PublicationLog&)> make;
};

const QString router = QStringLiteral("192.168.1.1");
const QString internet = QStringLiteral("198.51.100.53");

WatchedMonitor watchedPingMonitor(TestRuntime& runtime, PublicationLog& log,
                                  std::shared_ptr<FakePingProbeRunner> probe,
                                  std::function<void()> slowTheProbesDown) {
    probe->measurements[router] = FakePingProbeRunner::answered(3, 1);
    probe->measurements[internet] = FakePingProbeRunner::answered(20, 2);
    auto monitor =
        PingMonitor::create({2.0, 60, 1.5, internet, 3}, probe, std::make_shared<TaskSleeper>(),
                            runtime.clock().dateProvider());
    log.watch("routerIPAddress", monitor->routerIPAddress());
    log.watch("routerResult", monitor->routerResult());
    log.watch("internetResult", monitor->internetResult());
    log.watch("routerHistory", monitor->routerHistory());
    log.watch("internetHistory", monitor->internetHistory());
    log.watch("isRouterIgnored", monitor->isRouterIgnored());
    return {monitor, std::move(slowTheProbesDown)};
}

std::vector<StoppedPollCase> stoppedPollCases() {
    return {
        {"ping, stopped while it looks for the router",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto probe = std::make_shared<FakePingProbeRunner>();
             probe->gateway = router;
             return watchedPingMonitor(runtime, log, probe, [probe] { probe->gatewaySeconds = 1; });
         }},
        {"ping, stopped while it pings the router and the internet",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto probe = std::make_shared<FakePingProbeRunner>();
             probe->gateway = router;
             return watchedPingMonitor(runtime, log, probe, [probe] {
                 probe->pingSeconds = {{router, 1}, {internet, 1}};
             });
         }},
        {"ping without a router, stopped while it pings the internet",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto probe = std::make_shared<FakePingProbeRunner>();
             return watchedPingMonitor(runtime, log, probe, [probe] {
                 probe->pingSeconds = {{internet, 1}};
             });
         }},
        {"DNS",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto lookups = std::make_shared<FakeDNSLookupRunner>();
             auto monitor = DNSMonitor::create({2.0, 60, 1.5, std::nullopt}, lookups,
                                               std::make_shared<TaskSleeper>(),
                                               runtime.clock().dateProvider());
             log.watch("latestResult", monitor->latestResult());
             log.watch("history", monitor->history());
             log.watch("dnsQuality", monitor->dnsQuality());
             return WatchedMonitor{monitor, [lookups] { lookups->lookupSeconds = 1; }};
         }},
        {"connection pressure",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto counter = std::make_shared<FakeTCPConnectionCounter>();
             auto monitor =
                 ConnectionMonitor::create({2.0, 60, 1.5}, counter, std::make_shared<TaskSleeper>(),
                                           runtime.clock().dateProvider());
             log.watch("latestResult", monitor->latestResult());
             log.watch("history", monitor->history());
             log.watch("connectionQuality", monitor->connectionQuality());
             log.watch("lastErrorMessage", monitor->lastErrorMessage());
             return WatchedMonitor{monitor, [counter] { counter->countSeconds = 1; }};
         }},
        {"captive portal",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto checker = std::make_shared<FakeCaptivePortalChecker>();
             auto monitor = CaptivePortalMonitor::create({2.0, 60, 3.5}, checker,
                                                         std::make_shared<TaskSleeper>(),
                                                         runtime.clock().dateProvider());
             log.watch("latestStatus", monitor->latestStatus());
             log.watch("history", monitor->history());
             log.watch("isCaptivePortal", monitor->isCaptivePortal());
             log.watch("portalURL", monitor->portalURL());
             log.watch("lastErrorMessage", monitor->lastErrorMessage());
             return WatchedMonitor{monitor, [checker] { checker->checkSeconds = 1; }};
         }},
        {"Wi-Fi",
         [](TestRuntime& runtime, PublicationLog& log) {
             auto interface = std::make_shared<ScriptedWiFiInterface>();
             interface->snapshot =
                 ScriptedWiFiInterface::associated(QStringLiteral("Office"), -60, -90, 866);
             auto metadata = std::make_shared<FixedNetworkMetadata>();
             auto monitor = WiFiMonitor::create({2.0, 60}, interface, metadata,
                                                std::make_shared<TaskSleeper>(),
                                                runtime.clock().dateProvider());
             log.watch("isConnected", monitor->isConnected());
             log.watch("latestSnapshot", monitor->latestSnapshot());
             log.watch("history", monitor->history());
             return WatchedMonitor{monitor, [metadata] { metadata->lookupSeconds = 1; }};
         }},
    };
}

} // namespace

// Stopping monitoring cancels the probe in flight, which then reports a
// failure (100 % loss, a failed lookup or count): that is not what the network
// did, so the monitor keeps showing its last measurement.
TEST(PolledMonitorTest, AMeasurementCutShortByStopPublishesNothing) {
    for (const StoppedPollCase& testCase : stoppedPollCases()) {
        SCOPED_TRACE(testCase.name);
        TestRuntime runtime;
        PublicationLog log;
        const WatchedMonitor watched = testCase.make(runtime, log);
        log.names.clear();
        watched.monitor->start();
        runtime.runUntilIdle();
        ASSERT_FALSE(log.names.empty()) << "the first poll published nothing";
        watched.slowTheProbesDown();
        runtime.advance(2.0);
        ASSERT_GT(runtime.clock().pendingTimerCount(), 0u) << "no probe in flight";
        log.names.clear();

        watched.monitor->stop();
        runtime.runUntilIdle();
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u) << "the probe was not cancelled";
        EXPECT_EQ(log.names, std::vector<std::string>{}) << "published after stop()";
    }
}
