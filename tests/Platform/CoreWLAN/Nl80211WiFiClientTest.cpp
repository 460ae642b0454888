#include "Platform/CoreWLAN/Nl80211WiFiClient.h"

#include "Platform/CoreWLAN/WLANError.h"
#include "Support/WiFiHardware.h"

#include <chrono>
#include <gtest/gtest.h>
#include <linux/nl80211.h>
#include <vector>

namespace {

Nl80211InterfaceRecord station(std::uint32_t index, std::optional<QString> ssid,
                               std::optional<std::uint32_t> frequency = 5180) {
    return {.interfaceIndex = index,
            .name = QStringLiteral("wlan%1").arg(index),
            .type = NL80211_IFTYPE_STATION,
            .frequency = frequency,
            .ssid = std::move(ssid)};
}

const Nl80211StationRecord accessPoint{.macAddress = QStringLiteral("a4:2b:b0:5e:10:24"),
                                       .signalDbm = -58,
                                       .transmitBitrateMbps = 866.7};

} // namespace

TEST(Nl80211WiFiClientTest, ReadsTheAssociatedClientInterfaceFirst) {
    Nl80211InterfaceRecord accessPointMode = station(1, QStringLiteral("Hotspot"));
    accessPointMode.type = NL80211_IFTYPE_AP;
    const std::vector interfaces{accessPointMode, station(2, std::nullopt),
                                 station(3, QStringLiteral("Home")),
                                 station(4, QStringLiteral("Other"))};

    EXPECT_EQ(Nl80211WiFiClient::stationInterface(interfaces)->interfaceIndex, 3u);
    EXPECT_EQ(Nl80211WiFiClient::stationInterface(std::vector{accessPointMode, station(2, {})})
                  ->interfaceIndex,
              2u);
    EXPECT_EQ(Nl80211WiFiClient::stationInterface(std::vector{accessPointMode}), std::nullopt);
    EXPECT_EQ(Nl80211WiFiClient::stationInterface({}), std::nullopt);
}

TEST(Nl80211WiFiClientTest, AnAssociatedInterfaceReadsItsLinkAndTheNoiseOfItsChannel) {
    const std::vector surveys{
        Nl80211SurveyRecord{.frequency = 2412, .noiseDbm = -97, .isInUse = false},
        Nl80211SurveyRecord{.frequency = 5180, .noiseDbm = -92, .isInUse = true},
    };

    const WLANInterface reading = Nl80211WiFiClient::interfaceReading(
        station(3, QStringLiteral("Home")), accessPoint, surveys);

    EXPECT_EQ(reading, (WLANInterface{.interfaceName = QStringLiteral("wlan3"),
                                      .ssid = QStringLiteral("Home"),
                                      .bssid = QStringLiteral("a4:2b:b0:5e:10:24"),
                                      .rssiValue = -58,
                                      .noiseMeasurement = -92,
                                      .transmitRate = 866.7,
                                      .wlanChannel = WLANChannel{36, WLANChannelBand::band5GHz}}));
}

TEST(Nl80211WiFiClientTest, WithoutAnInUseMarkTheSurveyOfTheInterfaceFrequencyCounts) {
    const std::vector surveys{
        Nl80211SurveyRecord{.frequency = 2412, .noiseDbm = -97},
        Nl80211SurveyRecord{.frequency = 5180, .noiseDbm = -88},
    };

    EXPECT_EQ(
        Nl80211WiFiClient::interfaceReading(station(3, {}), accessPoint, surveys).noiseMeasurement,
        -88);
}

TEST(Nl80211WiFiClientTest, UnmeasuredNoiseReadsTheAssumedFloorNeverZero) {
    const std::vector<std::vector<Nl80211SurveyRecord>> unmeasured{
        {},
        {{.frequency = 5180, .noiseDbm = std::nullopt, .isInUse = true}},
        {{.frequency = 5180, .noiseDbm = 0, .isInUse = true}},
        {{.frequency = 2412, .noiseDbm = -90, .isInUse = false}},
    };

    for (const auto& surveys : unmeasured) {
        EXPECT_EQ(Nl80211WiFiClient::interfaceReading(station(3, {}), accessPoint, surveys)
                      .noiseMeasurement,
                  Nl80211WiFiClient::assumedNoiseFloorDbm);
    }
    EXPECT_LT(Nl80211WiFiClient::assumedNoiseFloorDbm, 0);
}

TEST(Nl80211WiFiClientTest, TheChannelComesFromTheSurveyWhenTheInterfaceGivesNoFrequency) {
    const std::vector surveys{
        Nl80211SurveyRecord{.frequency = 2437, .noiseDbm = std::nullopt, .isInUse = true}};

    const WLANInterface reading =
        Nl80211WiFiClient::interfaceReading(station(3, {}, std::nullopt), accessPoint, surveys);

    EXPECT_EQ(reading.wlanChannel, (WLANChannel{6, WLANChannelBand::band2GHz}));
}

TEST(Nl80211WiFiClientTest, AnInterfaceNotAssociatedReadsZerosAndNoNetwork) {
    const std::vector surveys{Nl80211SurveyRecord{.frequency = 5180, .noiseDbm = -92}};

    const WLANInterface reading =
        Nl80211WiFiClient::interfaceReading(station(3, {}), std::nullopt, surveys);

    WLANInterface unassociated;
    unassociated.interfaceName = QStringLiteral("wlan3");
    EXPECT_EQ(reading, unassociated);
}

TEST(Nl80211WiFiClientTest, AnInterfaceWithoutANameHasNone) {
    Nl80211InterfaceRecord nameless = station(3, {});
    nameless.name.clear();

    EXPECT_EQ(Nl80211WiFiClient::interfaceReading(nameless, accessPoint, {}).interfaceName,
              std::nullopt);
}

TEST(Nl80211WiFiClientTest, ScanResultsBecomeNetworks) {
    const Nl80211BssRecord hidden{.bssid = QStringLiteral("f2:9f:c2:13:55:a0"),
                                  .frequency = 6135,
                                  .signalDbm = -77,
                                  .ssid = std::nullopt};
    const Nl80211BssRecord unmeasured{.bssid = QStringLiteral("00:1d:7e:c8:43:9a"),
                                      .frequency = 4920,
                                      .signalDbm = std::nullopt,
                                      .ssid = QStringLiteral("Harbour")};

    EXPECT_EQ(Nl80211WiFiClient::network(hidden),
              (WLANNetwork{.ssid = std::nullopt,
                           .bssid = QStringLiteral("f2:9f:c2:13:55:a0"),
                           .rssiValue = -77,
                           .wlanChannel = WLANChannel{37, WLANChannelBand::band6GHz}}));
    EXPECT_EQ(Nl80211WiFiClient::network(unmeasured),
              (WLANNetwork{.ssid = QStringLiteral("Harbour"),
                           .bssid = QStringLiteral("00:1d:7e:c8:43:9a"),
                           .rssiValue = -100,
                           .wlanChannel = std::nullopt}));
}

class Nl80211WiFiClientWithoutWiFiTest : public testing::Test {
protected:
    void SetUp() override {
        if (machineHasWiFi()) {
            GTEST_SKIP() << "this machine has Wi-Fi";
        }
    }

    Nl80211WiFiClient client;
};

TEST_F(Nl80211WiFiClientWithoutWiFiTest, ReportsNoInterfaceQuickly) {
    const auto start = std::chrono::steady_clock::now();
    for (int reading = 0; reading < 40; ++reading) {
        ASSERT_EQ(client.currentInterface(), std::nullopt);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_LT(elapsed / 40, std::chrono::milliseconds(5));
}

TEST_F(Nl80211WiFiClientWithoutWiFiTest, ScansFailWithAReadableError) {
    try {
        client.scanForNetworks();
        FAIL() << "the scan returned networks";
    } catch (const WLANError& error) {
        EXPECT_FALSE(error.description().isEmpty());
        EXPECT_EQ(QString::fromUtf8(error.what()), error.description());
    }
}
