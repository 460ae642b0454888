#include "AppState/MonitorDiagnosticsExportSources.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Platform/Async/Sleep.h"
#include "Support/FakeCaptivePortalChecker.h"
#include "Support/FakeDNSLookupRunner.h"
#include "Support/FakePingProbeRunner.h"
#include "Support/FakeSleeper.h"
#include "Support/FakeTCPConnectionCounter.h"
#include "Support/FixedNetworkMetadata.h"
#include "Support/QStringPrinter.h"
#include "Support/ScriptedLatencyProbe.h"
#include "Support/ScriptedSpeedTestRunner.h"
#include "Support/ScriptedWiFiInterface.h"
#include "Support/TestRuntime.h"
#include "System/WiFiNetworkScannerError.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

// Each scan finds nothing, or fails when told to.
class QuietScanner final : public WiFiNetworkScanning {
public:
    bool fails = false;
    Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() override {
        if (fails) {
            throw WiFiNetworkScannerError(WiFiNetworkScannerError::interfaceUnavailable);
        }
        co_return std::vector<WiFiScannedNetwork>{};
    }
};

// A download that lasts until it is cancelled.
class EndlessSpeedTest final : public SpeedTesting {
public:
    Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration,
                                                      SpeedTestProgress) override {
        co_await Async::sleep(3'600'000'000'000);
        co_return SpeedTestMeasurement{};
    }
    Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration,
                                                    SpeedTestProgress) override {
        co_return SpeedTestMeasurement{};
    }
};

class InstantLatencyProbe final : public SpeedTestLatencyProbing {
public:
    Async::Task<std::optional<double>> measureLatency(QString, double) override { co_return 20.0; }
};

} // namespace

// The export drives the shared channel-scan monitor itself: starting,
// cancelling and reading its texts go to that monitor.
class MonitorDiagnosticsExportSourcesTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<QuietScanner> scanner = std::make_shared<QuietScanner>();
    std::shared_ptr<FakeSleeper> sleeper = std::make_shared<FakeSleeper>();
    std::shared_ptr<ChannelScanMonitor> monitor = ChannelScanMonitor::create(
        {3, 0.35}, scanner, [] { return std::optional<WiFiSnapshot>(); }, sleeper,
        runtime.clock().dateProvider());
    std::shared_ptr<SpeedTestMonitor> speedTestMonitor = SpeedTestMonitor::create(
        {SpeedTestConfiguration{8'000'000, 4, 3'000'000, 4, 10.0}, QStringLiteral("198.51.100.53"),
         2.0, 1, 0.35, BufferbloatGradeThresholds{2.0, 3.0, 5.0}},
        std::make_shared<EndlessSpeedTest>(), std::make_shared<InstantLatencyProbe>(),
        runtime.clock().dateProvider());
    MonitorDiagnosticsExportSources sources{
        {nullptr, nullptr, nullptr, nullptr, speedTestMonitor, monitor}};
};

TEST_F(MonitorDiagnosticsExportSourcesTest, StartsWaitsForAndCancelsTheSharedScan) {
    DiagnosticsExportWorkRunning& scan = sources.channelScan();
    EXPECT_EQ(&scan.isRunning(), &monitor->isScanning());
    scan.start();
    EXPECT_TRUE(scan.isRunning().value());
    runtime.runUntilIdle();
    ASSERT_EQ(sleeper->suspendedCount(), 1u);
    scan.cancel();
    runtime.runUntilIdle();
    EXPECT_FALSE(scan.isRunning().value());
    EXPECT_EQ(scan.lastErrorMessage(), QStringLiteral("Channel scan cancelled."));

    scanner->fails = true;
    scan.start();
    runtime.runUntilIdle();
    EXPECT_FALSE(scan.isRunning().value());
    EXPECT_EQ(scan.lastErrorMessage(), monitor->lastErrorMessage().value());
    EXPECT_TRUE(scan.lastErrorMessage()->startsWith(QStringLiteral("Channel scan failed: ")));
}

TEST_F(MonitorDiagnosticsExportSourcesTest, StartsAndCancelsTheSharedSpeedTest) {
    DiagnosticsExportWorkRunning& test = sources.speedTest();
    EXPECT_EQ(&test.isRunning(), &speedTestMonitor->isRunning());
    test.start();
    EXPECT_TRUE(test.isRunning().value());
    runtime.advance(1);
    EXPECT_TRUE(test.isRunning().value());
    test.cancel();
    runtime.runUntilIdle();
    EXPECT_FALSE(test.isRunning().value());
    EXPECT_EQ(speedTestMonitor->phase().value(), SpeedTestPhase::cancelled);
    EXPECT_EQ(test.lastErrorMessage(), speedTestMonitor->lastErrorMessage().value());
}

// Every monitor of the application, each holding values no other one holds.
class MonitorDiagnosticsExportSourcesInputTest : public testing::Test {
protected:
    template <class Poll> void run(Poll poll) {
        runtime.runToCompletion([&]() -> Async::Task<void> { co_await poll(); });
    }

    void runSpeedTestAndScan() {
        speedTest->startSpeedTest();
        channelScan->startScan();
        runtime.runUntilIdle();
        while ((speedTest->isRunning().value() || channelScan->isScanning().value()) &&
               runtime.clock().fireNext()) {
            runtime.runUntilIdle();
        }
    }

    TestRuntime runtime;
    std::shared_ptr<TaskSleeper> sleeper = std::make_shared<TaskSleeper>();
    std::shared_ptr<InMemoryAppSettingsStore> store = std::make_shared<InMemoryAppSettingsStore>();
    std::shared_ptr<MonitoringLifecycleController> lifecycle =
        MonitoringLifecycleController::create(
            {}, {0.5, 4.0, 30.0}, std::make_shared<NoOpNetworkChangeObserver>(),
            std::make_shared<NoOpSleepWakeObserver>(), sleeper, store);
    std::shared_ptr<WiFiMonitor> wifi = WiFiMonitor::create(
        {2.0, 60}, std::make_shared<ScriptedWiFiInterface>(),
        std::make_shared<FixedNetworkMetadata>(), sleeper, runtime.clock().dateProvider());
    std::shared_ptr<PingMonitor> pings = PingMonitor::create(
        {2.0, 60, 1.5, "198.51.100.53", 3}, std::make_shared<FakePingProbeRunner>(), sleeper,
        runtime.clock().dateProvider());
    std::shared_ptr<DNSMonitor> dns =
        DNSMonitor::create({2.0, 60, 1.5, std::nullopt}, std::make_shared<FakeDNSLookupRunner>(),
                           sleeper, runtime.clock().dateProvider());
    std::shared_ptr<HealthAggregationController> health = HealthAggregationController::create(
        lifecycle, wifi, pings, dns, runtime.clock().dateProvider());
    std::shared_ptr<FakeTCPConnectionCounter> counter =
        std::make_shared<FakeTCPConnectionCounter>();
    std::shared_ptr<ConnectionMonitor> connection =
        ConnectionMonitor::create({2.0, 60, 1.5}, counter, sleeper, runtime.clock().dateProvider());
    std::shared_ptr<FakeCaptivePortalChecker> checker =
        std::make_shared<FakeCaptivePortalChecker>();
    std::shared_ptr<CaptivePortalMonitor> captivePortal = CaptivePortalMonitor::create(
        {2.0, 60, 1.5}, checker, sleeper, runtime.clock().dateProvider());
    std::shared_ptr<ScriptedSpeedTestRunner> speedTestRunner =
        std::make_shared<ScriptedSpeedTestRunner>();
    std::shared_ptr<SpeedTestMonitor> speedTest = SpeedTestMonitor::create(
        {SpeedTestConfiguration{8'000'000, 4, 3'000'000, 4, 10.0}, QStringLiteral("198.51.100.53"),
         2.0, 1, 0.35, BufferbloatGradeThresholds{2.0, 3.0, 5.0}},
        speedTestRunner, std::make_shared<ScriptedLatencyProbe>(), runtime.clock().dateProvider());
    std::shared_ptr<QuietScanner> scanner = std::make_shared<QuietScanner>();
    std::shared_ptr<ChannelScanMonitor> channelScan = ChannelScanMonitor::create(
        {1, 0.35}, scanner, [] { return std::optional<WiFiSnapshot>(); }, sleeper,
        runtime.clock().dateProvider());
    MonitorDiagnosticsExportSources sources{
        {lifecycle, health, connection, captivePortal, speedTest, channelScan}};
};

TEST_F(MonitorDiagnosticsExportSourcesInputTest, EachFieldComesFromItsOwnMonitor) {
    using Input = DiagnosticsExportInput;
    const std::vector<std::pair<const char*, std::function<bool(const Input&)>>> fields{
        {"monitoringEnabled",
         [&](const Input& input) {
             return input.monitoringEnabled == lifecycle->isMonitoringEnabled().value();
         }},
        {"batteryFriendlyModeEnabled",
         [&](const Input& input) {
             return input.batteryFriendlyModeEnabled == lifecycle->isBatteryFriendly().value();
         }},
        {"diagnosticsSnapshot",
         [&](const Input& input) {
             return input.diagnosticsSnapshot &&
                    input.diagnosticsSnapshot == health->latestDiagnosticsSnapshot().value();
         }},
        {"connectionResult",
         [&](const Input& input) {
             return input.connectionResult &&
                    input.connectionResult == connection->latestResult().value();
         }},
        {"connectionLastErrorMessage",
         [&](const Input& input) {
             return input.connectionLastErrorMessage == connection->lastErrorMessage().value();
         }},
        {"captivePortalStatus",
         [&](const Input& input) {
             return input.captivePortalStatus &&
                    input.captivePortalStatus == captivePortal->latestStatus().value();
         }},
        {"captivePortalLastErrorMessage",
         [&](const Input& input) {
             return input.captivePortalLastErrorMessage ==
                    captivePortal->lastErrorMessage().value();
         }},
        {"speedTestResult",
         [&](const Input& input) {
             return input.speedTestResult == speedTest->latestResult().value();
         }},
        {"speedTestPhase",
         [&](const Input& input) { return input.speedTestPhase == speedTest->phase().value(); }},
        {"speedTestLastErrorMessage",
         [&](const Input& input) {
             return input.speedTestLastErrorMessage == speedTest->lastErrorMessage().value();
         }},
        {"channelScanResult",
         [&](const Input& input) {
             return input.channelScanResult == channelScan->latestResult().value();
         }},
        {"channelScanLastErrorMessage",
         [&](const Input& input) {
             return input.channelScanLastErrorMessage == channelScan->lastErrorMessage().value();
         }},
    };
    // First everything succeeds with monitoring on and battery-friendly mode
    // off, then everything fails with the two switches the other way round.
    store->setMonitoringEnabled(true);
    store->setBatteryFriendly(false);
    lifecycle->applicationDidLaunch();
    for (const bool fails : {false, true}) {
        if (fails) {
            lifecycle->setMonitoringEnabled(false);
            lifecycle->setBatteryFriendly(true);
            counter->measurement = TCPConnectionMeasurement{std::nullopt, false};
            checker->measurement = CaptivePortalDetectionMeasurement::failed();
            speedTestRunner->downloadFailure =
                SpeedTestRunnerError(SpeedTestRunnerError::invalidResponse);
            scanner->fails = true;
        }
        run([&] { return connection->pollOnce(); });
        run([&] { return captivePortal->pollOnce(); });
        runSpeedTestAndScan();
        ASSERT_TRUE(speedTest->latestResult().value() || fails);
        ASSERT_TRUE(channelScan->latestResult().value() || fails);
        const std::set<std::optional<QString>> messages{
            connection->lastErrorMessage().value(), captivePortal->lastErrorMessage().value(),
            speedTest->lastErrorMessage().value(), channelScan->lastErrorMessage().value()};
        ASSERT_EQ(messages.size(), fails ? 4U : 1U) << "the monitors' texts tell them apart";

        const Input input = sources.currentInput();
        for (const auto& [name, isFromItsMonitor] : fields) {
            EXPECT_TRUE(isFromItsMonitor(input)) << name << (fails ? " after failures" : "");
        }
    }
}
