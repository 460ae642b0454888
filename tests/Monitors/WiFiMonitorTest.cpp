#include "Monitors/WiFiMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/FixedNetworkMetadata.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

namespace {

class ScriptedInterfaceProvider final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> snapshot;
    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override { return snapshot; }
};

WiFiInterfaceSnapshot interfaceReading(std::int64_t rssi, std::int64_t noise) {
    return WiFiInterfaceSnapshot{QStringLiteral("wlan0"),
                                 QStringLiteral("Linden House"),
                                 QStringLiteral("3c:84:6a:02:7e:11"),
                                 rssi,
                                 noise,
                                 866,
                                 44,
                                 WiFiBand::fiveGigahertz};
}

} // namespace

class WiFiMonitorTest : public testing::Test {
protected:
    // One poll, run to its end on the virtual clock.
    void poll() {
        auto handle = Async::spawn([this]() -> Async::Task<void> { co_await monitor->pollOnce(); });
        while (!handle.isFinished()) {
            runtime.clock().fireNext();
        }
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedInterfaceProvider> provider =
        std::make_shared<ScriptedInterfaceProvider>();
    std::shared_ptr<FixedNetworkMetadata> resolver = [] {
        auto metadata = std::make_shared<FixedNetworkMetadata>();
        metadata->lookupSeconds = 1.0;
        return metadata;
    }();
    std::shared_ptr<WiFiMonitor> monitor =
        WiFiMonitor::create({2.0, 60}, provider, resolver, std::make_shared<TaskSleeper>(),
                            runtime.clock().dateProvider());
};

TEST_F(WiFiMonitorTest, AReadingCarriesTheRadioFiguresTheRatioAndTheNetworkDetails) {
    provider->snapshot = interfaceReading(-62, -92);
    poll();
    const WiFiSnapshot expected{TestRuntime::startDate(),
                                QStringLiteral("Linden House"),
                                QStringLiteral("3c:84:6a:02:7e:11"),
                                -62,
                                -92,
                                30,
                                866,
                                44,
                                WiFiBand::fiveGigahertz,
                                QStringLiteral("192.168.1.20"),
                                false};
    EXPECT_TRUE(monitor->isConnected().value());
    EXPECT_EQ(monitor->latestSnapshot().value(), expected)
        << "stamped when the lookups began, not a second later when they ended";
    EXPECT_EQ(monitor->history().value(), std::vector<WiFiSnapshot>{expected});
    EXPECT_EQ(resolver->askedInterfaces, std::vector<QString>{"wlan0"});
    EXPECT_EQ(runtime.clock().elapsedNanoseconds(), 1'000'000'000u)
        << "the lookups did not overlap";
}

TEST_F(WiFiMonitorTest, NoInterfaceMeansNotConnectedAndKeepsTheHistory) {
    poll();
    EXPECT_FALSE(monitor->isConnected().value());
    EXPECT_FALSE(monitor->latestSnapshot().value());
    EXPECT_TRUE(monitor->history().value().empty());

    provider->snapshot = interfaceReading(-60, -90);
    poll();
    poll();
    poll();
    provider->snapshot.reset();
    poll();
    EXPECT_FALSE(monitor->isConnected().value());
    EXPECT_FALSE(monitor->latestSnapshot().value());
    EXPECT_EQ(monitor->history().value().size(), 3u);
}

TEST_F(WiFiMonitorTest, FailedLookupsStillPublishTheReading) {
    provider->snapshot = interfaceReading(-60, -90);
    resolver->address.reset();
    resolver->vpn = true;
    poll();
    ASSERT_TRUE(monitor->latestSnapshot().value());
    EXPECT_FALSE(monitor->latestSnapshot().value()->ipAddress);
    EXPECT_TRUE(monitor->latestSnapshot().value()->isVPNActive);
}

TEST_F(WiFiMonitorTest, HistoryKeepsTheNewestSixtyAndResetClearsEverything) {
    provider->snapshot = interfaceReading(-60, -90);
    for (int index = 0; index < 61; ++index) {
        poll();
    }
    ASSERT_EQ(monitor->history().value().size(), 60u);
    EXPECT_EQ(monitor->history().value().front().timestamp,
              TestRuntime::startDate() + std::chrono::seconds(1));
    monitor->resetTransientState();
    EXPECT_FALSE(monitor->isConnected().value());
    EXPECT_FALSE(monitor->latestSnapshot().value());
    EXPECT_TRUE(monitor->history().value().empty());
}
