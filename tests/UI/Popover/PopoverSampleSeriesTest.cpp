#include "UI/Popover/PopoverSampleSeries.h"

#include "Support/QStringPrinter.h"

#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace PopoverSampleSeries;
using Series = std::vector<double>;

namespace {

const Date someDate = Date{} + std::chrono::seconds(1'767'225'600);

WiFiSnapshot snapshot(std::int64_t rssi, std::int64_t noise, std::optional<std::int64_t> linkRate) {
    return {.timestamp = someDate,
            .ssid = std::nullopt,
            .bssid = std::nullopt,
            .rssiDbm = rssi,
            .noiseFloorDbm = noise,
            .snrDb = rssi - noise,
            .linkRateMbps = linkRate,
            .channelNumber = std::nullopt,
            .band = std::nullopt,
            .ipAddress = std::nullopt,
            .isVPNActive = false};
}

PingResult ping(std::optional<double> latency, std::optional<double> jitter, bool didSucceed) {
    return {.target = PingTarget::internet,
            .timestamp = someDate,
            .latencyMilliseconds = latency,
            .jitterMilliseconds = jitter,
            .packetLossPercent = didSucceed ? 0.0 : 100.0,
            .didSucceed = didSucceed};
}

DNSResult lookup(std::optional<double> latency, bool didSucceed) {
    return {.domain = u"example.com"_s,
            .timestamp = someDate,
            .latencyMilliseconds = latency,
            .didSucceed = didSucceed};
}

ConnectionPressureResult connections(std::int64_t established, std::int64_t timeWait,
                                     std::int64_t closeWait) {
    return {.timestamp = someDate,
            .counts = {established, timeWait, closeWait},
            .quality = SignalQuality::good};
}

} // namespace

TEST(PopoverSampleSeriesTest, EmptyHistoriesGiveEmptySeries) {
    EXPECT_EQ(rssiSparklineSamples({}), Series{});
    EXPECT_EQ(linkRateSparklineSamples({}), Series{});
    EXPECT_EQ(latencySparklineSamples({}), Series{});
    EXPECT_EQ(internetJitterSparklineSamples({}), Series{});
    EXPECT_EQ(dnsSparklineSamples({}), Series{});
    EXPECT_EQ(connectionTotalSamples({}), Series{});
    EXPECT_EQ(connectionOrphanedSamples({}), Series{});
}

TEST(PopoverSampleSeriesTest, WiFiSeriesTakeEverySnapshotInOrder) {
    const std::vector history{snapshot(-60, -90, 400), snapshot(-55, -92, std::nullopt),
                              snapshot(-70, -88, 144)};
    EXPECT_EQ(rssiSparklineSamples(history), (Series{-60, -55, -70}));
    EXPECT_EQ(noiseSparklineSamples(history), (Series{-90, -92, -88}));
    EXPECT_EQ(snrSparklineSamples(history), (Series{30, 37, 18}));
    EXPECT_EQ(linkRateSparklineSamples(history), (Series{400, 144}));
}

TEST(PopoverSampleSeriesTest, SnapshotsWithoutALinkRateLeaveThatSeriesEmpty) {
    const std::vector history{snapshot(-60, -90, std::nullopt), snapshot(-61, -90, std::nullopt)};
    EXPECT_EQ(linkRateSparklineSamples(history), Series{});
    EXPECT_EQ(rssiSparklineSamples(history), (Series{-60, -61}));
}

TEST(PopoverSampleSeriesTest, PingSeriesSkipResultsWithoutTheValueButNotFailedOnes) {
    const std::vector history{ping(12.5, 1.5, true), ping(std::nullopt, std::nullopt, false),
                              ping(480, std::nullopt, false), ping(9, 0.25, true)};
    EXPECT_EQ(latencySparklineSamples(history), (Series{12.5, 480, 9}));
    EXPECT_EQ(internetJitterSparklineSamples(history), (Series{1.5, 0.25}));
}

TEST(PopoverSampleSeriesTest, DNSSeriesSkipsLookupsWithoutALatency) {
    const std::vector history{lookup(20, true), lookup(std::nullopt, false), lookup(5000, false)};
    EXPECT_EQ(dnsSparklineSamples(history), (Series{20, 5000}));
}

TEST(PopoverSampleSeriesTest, LatenciesThatAreNotFiniteAreLeftOut) {
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(latencySparklineSamples({ping(notANumber, infinity, true), ping(4, 1, true)}),
              Series{4});
    EXPECT_EQ(internetJitterSparklineSamples({ping(notANumber, infinity, true), ping(4, 1, true)}),
              Series{1});
    EXPECT_EQ(dnsSparklineSamples({lookup(infinity, true), lookup(8, true)}), Series{8});
}

TEST(PopoverSampleSeriesTest, ConnectionSeriesCountEachStateAndTheirSums) {
    const std::vector history{connections(5, 2, 1), connections(6, 0, 0), connections(0, 0, 3)};
    EXPECT_EQ(connectionEstablishedSamples(history), (Series{5, 6, 0}));
    EXPECT_EQ(connectionTimeWaitSamples(history), (Series{2, 0, 0}));
    EXPECT_EQ(connectionCloseWaitSamples(history), (Series{1, 0, 3}));
    EXPECT_EQ(connectionTotalSamples(history), (Series{8, 6, 3}));
    EXPECT_EQ(connectionOrphanedSamples(history), (Series{3, 0, 3}));
}

TEST(PopoverSampleSeriesTest, HugeConnectionCountsAddUpWithoutOverflow) {
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    const std::vector history{connections(most, most, most)};
    EXPECT_EQ(connectionTotalSamples(history), Series{3.0 * static_cast<double>(most)});
    EXPECT_EQ(connectionOrphanedSamples(history), Series{2.0 * static_cast<double>(most)});
}
