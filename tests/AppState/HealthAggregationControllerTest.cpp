#include "AppState/HealthAggregationController.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Support/FakeDNSLookupRunner.h"
#include "Support/FakePingProbeRunner.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

namespace {

WiFiSnapshot link(std::int64_t rssi, std::int64_t noise) {
    return WiFiSnapshot{TestRuntime::startDate(),
                        QStringLiteral("Linden House"),
                        std::nullopt,
                        rssi,
                        noise,
                        rssi - noise,
                        866,
                        44,
                        WiFiBand::fiveGigahertz,
                        std::nullopt,
                        false};
}

PingResult ping(PingTarget target, std::optional<double> latency, std::optional<double> jitter,
                bool succeeded = true) {
    return PingResult{target, TestRuntime::startDate(), latency, jitter, 0, succeeded};
}

// Everything good: a strong link, fast pings, a fast lookup.
HealthAggregationController::Inputs healthy() {
    return {true,
            true,
            link(-50, -95),
            ping(PingTarget::router, 2, 1),
            ping(PingTarget::internet, 20, 2),
            false,
            DNSResult{"example.com", TestRuntime::startDate(), 12, true}};
}

class ScriptedInterfaceProvider final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> snapshot;
    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override { return snapshot; }
};

class SilentMetadataResolver final : public WiFiNetworkMetadataResolving {
public:
    Async::Task<std::optional<QString>> ipv4Address(QString) override { co_return std::nullopt; }
    Async::Task<bool> isVPNActive() override { co_return false; }
};

} // namespace

class HealthAggregationControllerTest : public testing::Test {
protected:
    void SetUp() override {
        interfaces->snapshot = WiFiInterfaceSnapshot{
            "wlan0", QStringLiteral("Linden House"), std::nullopt, -50, -95, 866,
            44,      WiFiBand::fiveGigahertz};
        pingProbe->gateway = "192.168.1.1";
        pingProbe->measurements["192.168.1.1"] = FakePingProbeRunner::answered(2, 1);
        pingProbe->measurements["198.51.100.53"] = FakePingProbeRunner::answered(20, 2);
    }

    template <class Monitor> void poll(const std::shared_ptr<Monitor>& monitor) {
        runtime.runToCompletion([&]() -> Async::Task<void> { co_await monitor->pollOnce(); });
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedInterfaceProvider> interfaces =
        std::make_shared<ScriptedInterfaceProvider>();
    std::shared_ptr<FakePingProbeRunner> pingProbe = std::make_shared<FakePingProbeRunner>();
    std::shared_ptr<FakeDNSLookupRunner> lookups = std::make_shared<FakeDNSLookupRunner>();
    std::shared_ptr<TaskSleeper> sleeper = std::make_shared<TaskSleeper>();
    std::shared_ptr<WiFiMonitor> wifi =
        WiFiMonitor::create({2.0, 60}, interfaces, std::make_shared<SilentMetadataResolver>(),
                            sleeper, runtime.clock().dateProvider());
    std::shared_ptr<PingMonitor> pings = PingMonitor::create(
        {2.0, 60, 1.5, "198.51.100.53", 3}, pingProbe, sleeper, runtime.clock().dateProvider());
    std::shared_ptr<DNSMonitor> dns = DNSMonitor::create({2.0, 60, 1.5, std::nullopt}, lookups,
                                                         sleeper, runtime.clock().dateProvider());
    std::shared_ptr<InMemoryAppSettingsStore> store = std::make_shared<InMemoryAppSettingsStore>();
    std::shared_ptr<MonitoringLifecycleController> lifecycle =
        MonitoringLifecycleController::create(
            {}, {0.5, 4.0, 30.0}, std::make_shared<NoOpNetworkChangeObserver>(),
            std::make_shared<NoOpSleepWakeObserver>(), sleeper, store);
};

TEST_F(HealthAggregationControllerTest, ASnapshotExistsFromTheStartAndEachInputDeliveryRecomputes) {
    auto controller = HealthAggregationController::create(lifecycle, wifi, pings, dns,
                                                          runtime.clock().dateProvider());
    ASSERT_TRUE(controller->latestDiagnosticsSnapshot().value());
    EXPECT_EQ(controller->healthState().value(), HealthState::disconnected);
    int publications = 0;
    auto subscription = controller->latestDiagnosticsSnapshot().subscribe(
        [&](const std::optional<DiagnosticsSnapshot>&) { ++publications; });
    publications = 0;
    runtime.runUntilIdle();
    EXPECT_EQ(publications, 7) << "one recomputation per subscription's first delivery";
}

TEST_F(HealthAggregationControllerTest, RecomputesAfterEveryChangeWithItsOwnTimestamp) {
    store->setMonitoringEnabled(true);
    lifecycle->applicationDidLaunch();
    auto controller = HealthAggregationController::create(lifecycle, wifi, pings, dns,
                                                          runtime.clock().dateProvider());
    runtime.runUntilIdle();
    poll(wifi);
    EXPECT_EQ(controller->healthState().value(), HealthState::poor)
        << "no internet or DNS result yet";
    poll(pings);
    runtime.advance(1.0);
    poll(dns);
    EXPECT_EQ(controller->healthState().value(), HealthState::good);
    const auto snapshot = *controller->latestDiagnosticsSnapshot().value();
    EXPECT_EQ(snapshot.timestamp, TestRuntime::startDate() + std::chrono::seconds(1));
    EXPECT_EQ(snapshot.dnsResult, dns->latestResult().value());
    EXPECT_EQ(snapshot.routerPingResult, pings->routerResult().value());
    EXPECT_EQ(snapshot.healthState, HealthState::good);
}

TEST_F(HealthAggregationControllerTest, MonitoringOffIsDisconnectedButTheSnapshotKeepsTheReadings) {
    store->setMonitoringEnabled(true);
    lifecycle->applicationDidLaunch();
    auto controller = HealthAggregationController::create(lifecycle, wifi, pings, dns,
                                                          runtime.clock().dateProvider());
    poll(wifi);
    poll(pings);
    poll(dns);
    lifecycle->setMonitoringEnabled(false);
    runtime.runUntilIdle();
    EXPECT_EQ(controller->healthState().value(), HealthState::disconnected);
    const auto snapshot = *controller->latestDiagnosticsSnapshot().value();
    EXPECT_TRUE(snapshot.wifiSnapshot.has_value());
    EXPECT_TRUE(snapshot.internetPingResult.has_value());
}

TEST_F(HealthAggregationControllerTest, TasksLeftWhenTheControllerIsGoneDoNothing) {
    auto controller = HealthAggregationController::create(lifecycle, wifi, pings, dns,
                                                          runtime.clock().dateProvider());
    controller.reset();
    poll(wifi);
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
}

TEST_F(HealthAggregationControllerTest, LinkGradesFollowTheirBounds) {
    using C = HealthAggregationController;
    EXPECT_EQ(C::rssiQuality(-59), SignalQuality::good);
    EXPECT_EQ(C::rssiQuality(-60), SignalQuality::warning);
    EXPECT_EQ(C::rssiQuality(-75), SignalQuality::warning);
    EXPECT_EQ(C::rssiQuality(-76), SignalQuality::poor);
    EXPECT_EQ(C::snrQuality(25), SignalQuality::good);
    EXPECT_EQ(C::snrQuality(24), SignalQuality::warning);
    EXPECT_EQ(C::snrQuality(20), SignalQuality::warning);
    EXPECT_EQ(C::snrQuality(19), SignalQuality::poor);
    EXPECT_EQ(C::noiseFloorQuality(-91), SignalQuality::good);
    EXPECT_EQ(C::noiseFloorQuality(-90), SignalQuality::warning);
    EXPECT_EQ(C::noiseFloorQuality(-80), SignalQuality::warning);
    EXPECT_EQ(C::noiseFloorQuality(-79), SignalQuality::poor);
}

TEST_F(HealthAggregationControllerTest, HealthIsTheWorstGradeUnlessNothingCanBeGraded) {
    using Inputs = HealthAggregationController::Inputs;
    struct Case {
        const char* name;
        std::function<void(Inputs&)> change;
        HealthState expected;
    };
    const std::vector<Case> cases{
        {"all good", [](Inputs&) {}, HealthState::good},
        {"monitoring off", [](Inputs& in) { in.isMonitoringEnabled = false; },
         HealthState::disconnected},
        {"Wi-Fi not connected", [](Inputs& in) { in.isWiFiConnected = false; },
         HealthState::disconnected},
        {"no Wi-Fi reading", [](Inputs& in) { in.wifiSnapshot.reset(); },
         HealthState::disconnected},
        {"weak signal", [](Inputs& in) { in.wifiSnapshot = link(-70, -95); }, HealthState::warning},
        {"noisy channel", [](Inputs& in) { in.wifiSnapshot = link(-50, -75); }, HealthState::poor},
        {"no internet result", [](Inputs& in) { in.internetResult.reset(); }, HealthState::poor},
        {"no DNS result", [](Inputs& in) { in.dnsResult.reset(); }, HealthState::poor},
        {"DNS at 50 ms",
         [](Inputs& in) {
             in.dnsResult = DNSResult{"example.com", TestRuntime::startDate(), 50, true};
         },
         HealthState::warning},
        {"internet jitter 12 ms",
         [](Inputs& in) { in.internetResult = ping(PingTarget::internet, 20, 12); },
         HealthState::warning},
        {"router failing",
         [](Inputs& in) {
             in.routerResult = ping(PingTarget::router, std::nullopt, std::nullopt, false);
         },
         HealthState::poor},
        {"router failing but ignored",
         [](Inputs& in) {
             in.routerResult = ping(PingTarget::router, std::nullopt, std::nullopt, false);
             in.isRouterIgnored = true;
         },
         HealthState::good},
        {"no router result", [](Inputs& in) { in.routerResult.reset(); }, HealthState::poor},
        {"packet loss alone",
         [](Inputs& in) {
             in.internetResult =
                 PingResult{PingTarget::internet, TestRuntime::startDate(), 20, 2, 50, true};
         },
         HealthState::good},
    };
    for (const auto& testCase : cases) {
        Inputs inputs = healthy();
        testCase.change(inputs);
        EXPECT_EQ(HealthAggregationController::healthState(inputs), testCase.expected)
            << testCase.name;
    }
}
