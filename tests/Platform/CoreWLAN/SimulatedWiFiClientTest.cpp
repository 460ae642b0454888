#include "Platform/CoreWLAN/SimulatedWiFiClient.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

using namespace std::chrono_literals;

// A clock the test moves by hand.
struct ManualClock {
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    SimulatedWiFiClient::Clock function() {
        return [this] { return now; };
    }
};

} // namespace

class SimulatedWiFiClientTest : public testing::Test {
protected:
    ManualClock clock;

    std::unique_ptr<SimulatedWiFiClient> makeClient(std::uint64_t seed) {
        return std::make_unique<SimulatedWiFiClient>(seed, clock.function());
    }

    // Readings four times a second over `duration`.
    std::vector<WLANInterface> readings(SimulatedWiFiClient& client,
                                        std::chrono::seconds duration) {
        const auto start = clock.now;
        std::vector<WLANInterface> result;
        for (; clock.now - start < duration; clock.now += 250ms) {
            result.push_back(*client.currentInterface());
        }
        clock.now = start;
        return result;
    }
};

TEST_F(SimulatedWiFiClientTest, ASeedAndAClockReplayTheSameReadingsAndScans) {
    auto first = makeClient(7);
    auto second = makeClient(7);

    EXPECT_EQ(readings(*first, 120s), readings(*second, 120s));
    clock.now += 42s;
    EXPECT_EQ(first->scanForNetworks(), second->scanForNetworks());
}

TEST_F(SimulatedWiFiClientTest, OtherSeedsGiveOtherReadings) {
    auto first = makeClient(7);
    auto second = makeClient(8);

    EXPECT_NE(readings(*first, 120s), readings(*second, 120s));
}

TEST_F(SimulatedWiFiClientTest, TheAssociatedLinkDriftsWithinPlausibleRanges) {
    auto client = makeClient(SimulatedWiFiClient::defaultSeed);
    std::set<std::int64_t> rssiValues;
    std::set<std::int64_t> noiseValues;
    std::set<double> rates;

    for (const WLANInterface& reading : readings(*client, 600s)) {
        EXPECT_GE(reading.rssiValue, -90);
        EXPECT_LE(reading.rssiValue, -30);
        EXPECT_GE(reading.noiseMeasurement, -100);
        EXPECT_LE(reading.noiseMeasurement, -85);
        EXPECT_GT(reading.transmitRate, 0);
        EXPECT_LE(reading.transmitRate, 866.7);
        rssiValues.insert(reading.rssiValue);
        noiseValues.insert(reading.noiseMeasurement);
        rates.insert(reading.transmitRate);
    }

    EXPECT_GE(rssiValues.size(), 10u);
    EXPECT_GE(noiseValues.size(), 3u);
    EXPECT_GE(rates.size(), 2u);
}

TEST_F(SimulatedWiFiClientTest, TheSignalDriftsWithoutJumps) {
    auto client = makeClient(3);
    const auto series = readings(*client, 300s);

    for (std::size_t index = 1; index < series.size(); ++index) {
        EXPECT_LE(std::abs(series[index].rssiValue - series[index - 1].rssiValue), 5)
            << "at " << index * 0.25 << " s";
    }
}

TEST_F(SimulatedWiFiClientTest, TheInterfaceIsAssociatedOnAFiveGigahertzChannel) {
    const auto reading = makeClient(1)->currentInterface();

    ASSERT_TRUE(reading);
    EXPECT_TRUE(reading->interfaceName);
    EXPECT_TRUE(reading->ssid);
    EXPECT_TRUE(reading->bssid);
    EXPECT_EQ(reading->wlanChannel, (WLANChannel{36, WLANChannelBand::band5GHz}));
}

TEST_F(SimulatedWiFiClientTest, ScansSeeADozenNetworksOnEveryBandOneHidden) {
    auto client = makeClient(1);
    clock.now += 10s;
    const auto interface = client->currentInterface();
    const auto networks = client->scanForNetworks();

    EXPECT_EQ(networks.size(), 12u);
    EXPECT_EQ(std::count_if(networks.begin(), networks.end(),
                            [](const WLANNetwork& network) { return !network.ssid; }),
              1);
    std::set<WLANChannelBand> bands;
    for (const WLANNetwork& network : networks) {
        ASSERT_TRUE(network.wlanChannel);
        ASSERT_TRUE(network.bssid);
        EXPECT_GE(network.rssiValue, -95);
        EXPECT_LE(network.rssiValue, -30);
        bands.insert(network.wlanChannel->channelBand);
    }
    EXPECT_EQ(bands, (std::set{WLANChannelBand::band2GHz, WLANChannelBand::band5GHz,
                               WLANChannelBand::band6GHz}));
    const auto own =
        std::find_if(networks.begin(), networks.end(),
                     [&](const WLANNetwork& network) { return network.bssid == interface->bssid; });
    ASSERT_NE(own, networks.end());
    EXPECT_EQ(own->rssiValue, interface->rssiValue);
}

TEST_F(SimulatedWiFiClientTest, NearbySignalsChangeBetweenScans) {
    auto client = makeClient(5);
    const auto before = client->scanForNetworks();
    clock.now += 30s;
    const auto after = client->scanForNetworks();

    ASSERT_EQ(before.size(), after.size());
    EXPECT_NE(before, after);
}
