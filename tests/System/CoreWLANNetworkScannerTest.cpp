#include "System/CoreWLANNetworkScanner.h"

#include "Platform/Async/TaskHandle.h"
#include "Platform/CoreWLAN/WLANError.h"
#include "Support/FakeWiFiClient.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/TestRuntime.h"
#include "Support/WiFiHardware.h"
#include "System/WiFiNetworkScannerError.h"

#include <algorithm>
#include <exception>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <thread>

#include <QThreadPool>

namespace {

WLANNetwork network(std::optional<QString> ssid, std::int32_t band = 1,
                    std::int64_t channelNumber = 6) {
    return WLANNetwork{
        .ssid = std::move(ssid),
        .bssid = QStringLiteral("b0:be:76:41:09:c2"),
        .rssiValue = -74,
        .wlanChannel = WLANChannel{channelNumber, static_cast<WLANChannelBand>(band)},
    };
}

} // namespace

class CoreWLANNetworkScannerTest : public testing::Test {
protected:
    void SetUp() override { client->setInterface(WLANInterface{}); }

    // Runs one scan to its end; its error, if any, lands in `error`.
    std::vector<WiFiScannedNetwork> scan(CoreWLANNetworkScanner& scanner) {
        std::vector<WiFiScannedNetwork> networks;
        auto handle = Async::spawn([&]() -> Async::Task<void> {
            try {
                networks = co_await scanner.scanNetworks();
            } catch (...) {
                error = std::current_exception();
            }
        });
        EXPECT_TRUE(runtime.executor().runUntil([&] { return handle.isFinished(); }));
        return networks;
    }

    std::vector<WiFiScannedNetwork> scanOf(std::vector<WLANNetwork> found) {
        client->setScanOutcome(std::move(found));
        return scan(scanner);
    }

    TestRuntime runtime;
    std::shared_ptr<FakeWiFiClient> client = std::make_shared<FakeWiFiClient>();
    CoreWLANNetworkScanner scanner{client};
    std::exception_ptr error;
};

TEST_F(CoreWLANNetworkScannerTest, NetworkNamesAreTrimmedAndBlankOnesAbsent) {
    const auto networks =
        scanOf({network(QStringLiteral("  Cafe \n")), network(QStringLiteral("   ")),
                network(QStringLiteral("\t\r\n")), network(QString())});

    ASSERT_EQ(networks.size(), 4u);
    EXPECT_EQ(networks[0].ssid, QStringLiteral("Cafe"));
    EXPECT_EQ(networks[1].ssid, std::nullopt);
    EXPECT_EQ(networks[2].ssid, std::nullopt);
    EXPECT_EQ(networks[3].ssid, std::nullopt);
}

TEST_F(CoreWLANNetworkScannerTest, AHiddenNetworkKeepsItsAddressAndSignal) {
    WLANNetwork hidden = network(std::nullopt);
    hidden.bssid = QStringLiteral(" f2:9f:c2:13:55:a0 ");
    hidden.rssiValue = -80;

    EXPECT_EQ(scanOf({hidden}), (std::vector{WiFiScannedNetwork{
                                    .ssid = std::nullopt,
                                    .bssid = QStringLiteral(" f2:9f:c2:13:55:a0 "),
                                    .rssiDbm = -80,
                                    .channelNumber = 6,
                                    .band = WiFiBand::twoPointFourGigahertz,
                                }}));
}

TEST_F(CoreWLANNetworkScannerTest, BandsMapAsTheInterfaceReaderMapsThem) {
    const auto networks =
        scanOf({network(QStringLiteral("a"), 1, 1), network(QStringLiteral("b"), 2, 36),
                network(QStringLiteral("c"), 3, 37), network(QStringLiteral("d"), 0, 14),
                network(QStringLiteral("e"), 9, 2)});

    std::vector<std::pair<std::int64_t, WiFiBand>> channels;
    for (const auto& scanned : networks) {
        channels.emplace_back(scanned.channelNumber, scanned.band);
    }
    EXPECT_EQ(channels, (std::vector<std::pair<std::int64_t, WiFiBand>>{
                            {1, WiFiBand::twoPointFourGigahertz},
                            {36, WiFiBand::fiveGigahertz},
                            {37, WiFiBand::sixGigahertz},
                            {14, WiFiBand::unknown},
                            {2, WiFiBand::unknown},
                        }));
}

TEST_F(CoreWLANNetworkScannerTest, NetworksWithoutAChannelAreLeftOutAndTheOrderKept) {
    WLANNetwork channelless = network(QStringLiteral("Nowhere"));
    channelless.wlanChannel.reset();

    const auto networks =
        scanOf({network(QStringLiteral("First")), channelless, network(QStringLiteral("Last"))});

    ASSERT_EQ(networks.size(), 2u);
    EXPECT_EQ(networks[0].ssid, QStringLiteral("First"));
    EXPECT_EQ(networks[1].ssid, QStringLiteral("Last"));
}

TEST_F(CoreWLANNetworkScannerTest, ASilentScanIsAnEmptyListNotAnError) {
    EXPECT_TRUE(scanOf({}).empty());
    EXPECT_FALSE(error);
}

TEST_F(CoreWLANNetworkScannerTest, NoInterfaceThrowsInterfaceUnavailableWithoutScanning) {
    client->setInterface(std::nullopt);
    client->setScanOutcome(std::vector{network(QStringLiteral("Cafe"))});

    EXPECT_TRUE(scan(scanner).empty());

    ASSERT_TRUE(error);
    try {
        std::rethrow_exception(error);
    } catch (const WiFiNetworkScannerError& thrown) {
        EXPECT_EQ(thrown, WiFiNetworkScannerError::interfaceUnavailable);
        EXPECT_TRUE(thrown.description().contains(QStringLiteral("Wi-Fi interface")));
    }
    EXPECT_EQ(client->scanCount(), 0);
}

TEST_F(CoreWLANNetworkScannerTest, APlatformFailurePassesUnchanged) {
    const WLANError failure(QStringLiteral("The Wi-Fi scan was aborted."));
    client->setScanOutcome(failure);

    scan(scanner);

    ASSERT_TRUE(error);
    try {
        std::rethrow_exception(error);
    } catch (const WLANError& thrown) {
        EXPECT_EQ(thrown, failure);
    }
}

TEST_F(CoreWLANNetworkScannerTest, TheBlockingScanRunsOffTheMainThread) {
    client->setScanOutcome(std::vector{network(QStringLiteral("Cafe"))});

    EXPECT_EQ(scan(scanner).size(), 1u);

    EXPECT_NE(client->interfaceThread(), std::this_thread::get_id());
    EXPECT_NE(client->scanThread(), std::this_thread::get_id());
}

// The scan's closure holds the client while it runs on the pool; every scan,
// found, failed or without an interface, must give that hold back exactly once.
TEST_F(CoreWLANNetworkScannerTest, ScansLeaveTheClientsOwnersAsTheyWere) {
    const long owners = client.use_count();
    for (int round = 0; round < 4; ++round) {
        client->setInterface(WLANInterface{});
        client->setScanOutcome(std::vector{network(QStringLiteral("Cafe"))});
        scan(scanner);
        client->setScanOutcome(WLANError(QStringLiteral("The Wi-Fi scan was aborted.")));
        scan(scanner);
        client->setInterface(std::nullopt);
        scan(scanner);
        // The pool lets go of the finished call's closure just after resuming.
        QThreadPool::globalInstance()->waitForDone();

        ASSERT_EQ(client.use_count(), owners) << "after round " << round;
    }
    EXPECT_EQ(client->scanCount(), 8);
}

class CoreWLANNetworkScannerBackendTest : public CoreWLANNetworkScannerTest {};

TEST_F(CoreWLANNetworkScannerBackendTest, TheSimulatedBackendGivesNetworks) {
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", "simulated");
    CoreWLANNetworkScanner simulated(WiFiClient::fromEnvironment());

    const auto networks = scan(simulated);

    EXPECT_FALSE(error);
    EXPECT_EQ(networks.size(), 12u);
    std::set<WiFiBand> bands;
    for (const auto& scanned : networks) {
        bands.insert(scanned.band);
    }
    EXPECT_EQ(bands.size(), 3u);
    EXPECT_EQ(std::count_if(networks.begin(), networks.end(),
                            [](const WiFiScannedNetwork& scanned) { return !scanned.ssid; }),
              1);
}

TEST_F(CoreWLANNetworkScannerBackendTest, WithoutWiFiOrTheSimulationTheInterfaceIsUnavailable) {
    if (machineHasWiFi()) {
        GTEST_SKIP() << "this machine has Wi-Fi";
    }
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", std::nullopt);
    CoreWLANNetworkScanner real(WiFiClient::fromEnvironment());

    EXPECT_TRUE(scan(real).empty());

    ASSERT_TRUE(error);
    try {
        std::rethrow_exception(error);
    } catch (const WiFiNetworkScannerError& thrown) {
        EXPECT_EQ(thrown, WiFiNetworkScannerError::interfaceUnavailable);
    }
}
