#include "AppState/MonitorDiagnosticsExportSources.h"

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
    MonitorDiagnosticsExportSources sources{{nullptr, nullptr, nullptr, nullptr, nullptr, monitor}};
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
