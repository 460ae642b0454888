#include "System/CoreWLANInterfaceProvider.h"

#include "Platform/CoreWLAN/SimulatedWiFiClient.h"
#include "Support/FakeWiFiClient.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/WiFiHardware.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

WLANInterface associated() {
    return WLANInterface{
        .interfaceName = QStringLiteral("wlan0"),
        .ssid = QStringLiteral("Linden House"),
        .bssid = QStringLiteral("3c:84:6a:02:7e:11"),
        .rssiValue = -60,
        .noiseMeasurement = -92,
        .transmitRate = 866.7,
        .wlanChannel = WLANChannel{44, WLANChannelBand::band5GHz},
    };
}

} // namespace

class CoreWLANInterfaceProviderTest : public testing::Test {
protected:
    std::shared_ptr<FakeWiFiClient> client = std::make_shared<FakeWiFiClient>();
    CoreWLANInterfaceProvider provider{client};

    std::optional<WiFiInterfaceSnapshot> snapshotOf(const WLANInterface& interface) {
        client->setInterface(interface);
        return provider.currentSnapshot();
    }
};

TEST_F(CoreWLANInterfaceProviderTest, AnAssociatedInterfaceGivesEveryField) {
    EXPECT_EQ(snapshotOf(associated()),
              (WiFiInterfaceSnapshot{.interfaceName = QStringLiteral("wlan0"),
                                     .ssid = QStringLiteral("Linden House"),
                                     .bssid = QStringLiteral("3c:84:6a:02:7e:11"),
                                     .rssiDbm = -60,
                                     .noiseFloorDbm = -92,
                                     .linkRateMbps = 867,
                                     .channelNumber = 44,
                                     .band = WiFiBand::fiveGigahertz}));
}

TEST_F(CoreWLANInterfaceProviderTest, NoInterfaceGivesNoSnapshot) {
    client->setInterface(std::nullopt);

    EXPECT_EQ(provider.currentSnapshot(), std::nullopt);
}

TEST_F(CoreWLANInterfaceProviderTest, OnlyBothFiguresAtZeroMeanNotAssociated) {
    WLANInterface silent = associated();
    silent.rssiValue = 0;
    silent.noiseMeasurement = 0;
    WLANInterface noiseless = associated();
    noiseless.noiseMeasurement = 0;
    WLANInterface signalless = associated();
    signalless.rssiValue = 0;

    EXPECT_EQ(snapshotOf(silent), std::nullopt);
    ASSERT_TRUE(snapshotOf(noiseless));
    EXPECT_EQ(snapshotOf(noiseless)->rssiDbm, -60);
    EXPECT_EQ(snapshotOf(noiseless)->noiseFloorDbm, 0);
    ASSERT_TRUE(snapshotOf(signalless));
    EXPECT_EQ(snapshotOf(signalless)->rssiDbm, 0);
}

TEST_F(CoreWLANInterfaceProviderTest, TheLinkRateIsTheTransmitRateRoundedHalvesAwayFromZero) {
    const std::vector<std::pair<double, std::optional<std::int64_t>>> cases{
        {0.0, std::nullopt},  {0.4, std::nullopt},  {0.5, 1}, {144.4, 144}, {866.5, 867}, {2.5, 3},
        {-0.4, std::nullopt}, {-3.0, std::nullopt},
    };
    for (const auto& [rate, expected] : cases) {
        WLANInterface interface = associated();
        interface.transmitRate = rate;
        EXPECT_EQ(snapshotOf(interface)->linkRateMbps, expected) << rate;
    }
}

TEST_F(CoreWLANInterfaceProviderTest, ARateNotFiniteOrBeyondSixtyFourBitsGivesNoLinkRate) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    for (const double rate : {std::nan(""), infinity, -infinity, 0x1p63, 1e19, 1e300,
                              -0x1p63 - 4096.0, std::numeric_limits<double>::max()}) {
        EXPECT_EQ(CoreWLANInterfaceProvider::linkRateMbps(rate), std::nullopt) << rate;
    }
    EXPECT_EQ(CoreWLANInterfaceProvider::linkRateMbps(0x1p63 - 1024.0),
              std::int64_t{0x7FFFFFFFFFFFFC00});
}

TEST_F(CoreWLANInterfaceProviderTest, AnInterfaceWithoutANameIsEn0) {
    WLANInterface nameless = associated();
    nameless.interfaceName.reset();

    EXPECT_EQ(snapshotOf(nameless)->interfaceName, QStringLiteral("en0"));
}

TEST_F(CoreWLANInterfaceProviderTest, EachPlatformBandMapsToItsBandAndAnyOtherToUnknown) {
    const std::vector<std::pair<std::int32_t, WiFiBand>> cases{
        {1, WiFiBand::twoPointFourGigahertz},
        {2, WiFiBand::fiveGigahertz},
        {3, WiFiBand::sixGigahertz},
        {0, WiFiBand::unknown},
        {4, WiFiBand::unknown},
        {-1, WiFiBand::unknown},
    };
    for (const auto& [value, band] : cases) {
        WLANInterface interface = associated();
        interface.wlanChannel = WLANChannel{11, static_cast<WLANChannelBand>(value)};
        const auto snapshot = snapshotOf(interface);
        EXPECT_EQ(snapshot->band, band) << value;
        EXPECT_EQ(snapshot->channelNumber, 11) << value;
    }
}

TEST_F(CoreWLANInterfaceProviderTest, NoChannelGivesNeitherNumberNorBand) {
    WLANInterface channelless = associated();
    channelless.wlanChannel.reset();

    const auto snapshot = snapshotOf(channelless);

    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->channelNumber, std::nullopt);
    EXPECT_EQ(snapshot->band, std::nullopt);
}

TEST_F(CoreWLANInterfaceProviderTest, AWithheldNetworkNameAndAddressLeaveTheRestFilled) {
    WLANInterface withheld = associated();
    withheld.ssid.reset();
    withheld.bssid.reset();

    EXPECT_EQ(snapshotOf(withheld), (WiFiInterfaceSnapshot{.interfaceName = QStringLiteral("wlan0"),
                                                           .ssid = std::nullopt,
                                                           .bssid = std::nullopt,
                                                           .rssiDbm = -60,
                                                           .noiseFloorDbm = -92,
                                                           .linkRateMbps = 867,
                                                           .channelNumber = 44,
                                                           .band = WiFiBand::fiveGigahertz}));
}

TEST_F(CoreWLANInterfaceProviderTest, TheNetworkNameIsKeptAsThePlatformGivesIt) {
    WLANInterface padded = associated();
    padded.ssid = QStringLiteral("  Cafe \n");

    EXPECT_EQ(snapshotOf(padded)->ssid, QStringLiteral("  Cafe \n"));
}

TEST_F(CoreWLANInterfaceProviderTest, EveryCallReadsAfresh) {
    const auto first = snapshotOf(associated());
    WLANInterface weaker = associated();
    weaker.rssiValue = -75;

    EXPECT_EQ(first->rssiDbm, -60);
    EXPECT_EQ(snapshotOf(weaker)->rssiDbm, -75);
    client->setInterface(std::nullopt);
    EXPECT_EQ(provider.currentSnapshot(), std::nullopt);
}

TEST(CoreWLANInterfaceProviderBackendTest, TheSimulatedBackendGivesSnapshots) {
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", "simulated");
    CoreWLANInterfaceProvider provider(WiFiClient::fromEnvironment());

    const auto snapshot = provider.currentSnapshot();

    ASSERT_TRUE(snapshot);
    EXPECT_TRUE(snapshot->ssid);
    EXPECT_LT(snapshot->noiseFloorDbm, snapshot->rssiDbm);
    EXPECT_TRUE(snapshot->linkRateMbps);
    EXPECT_EQ(snapshot->band, WiFiBand::fiveGigahertz);
}

TEST(CoreWLANInterfaceProviderBackendTest, WithoutWiFiOrTheSimulationThereIsNoSnapshot) {
    if (machineHasWiFi()) {
        GTEST_SKIP() << "this machine has Wi-Fi";
    }
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", std::nullopt);
    CoreWLANInterfaceProvider provider(WiFiClient::fromEnvironment());

    EXPECT_EQ(provider.currentSnapshot(), std::nullopt);
}
