#include "AppState/MonitorDiagnosticsExportSources.h"

#include "Platform/Async/Sleep.h"
#include "Support/FakeSleeper.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "System/WiFiNetworkScannerError.h"

#include <gtest/gtest.h>

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
