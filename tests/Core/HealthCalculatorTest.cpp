#include "Core/HealthCalculator.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <QString>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

PingResult pingResult(std::optional<double> latency, std::optional<double> jitter,
                      bool didSucceed = true) {
    return {.target = PingTarget::internet,
            .timestamp = Date{} + std::chrono::seconds(1'700'000'000),
            .latencyMilliseconds = latency,
            .jitterMilliseconds = jitter,
            .packetLossPercent = 0.0,
            .didSucceed = didSucceed};
}

DNSResult dnsResult(std::optional<double> latency, bool didSucceed = true) {
    return {.domain = u"example.com"_s,
            .timestamp = Date{} + std::chrono::seconds(1'700'000'000),
            .latencyMilliseconds = latency,
            .didSucceed = didSucceed};
}

struct GradeCase {
    double milliseconds;
    SignalQuality expected;
};

std::string describe(double milliseconds) {
    return testing::PrintToString(milliseconds) + " ms";
}

} // namespace

TEST(HealthCalculatorTest, NoResultGradesPoor) {
    EXPECT_EQ(HealthCalculator::pingLatencyQuality(std::nullopt), SignalQuality::poor);
    EXPECT_EQ(HealthCalculator::pingJitterQuality(std::nullopt), SignalQuality::poor);
    EXPECT_EQ(HealthCalculator::dnsQuality(std::nullopt), SignalQuality::poor);
}

TEST(HealthCalculatorTest, AFailedResultGradesPoorWhateverItCarries) {
    const auto failedPing = pingResult(5.0, 1.0, false);
    EXPECT_EQ(HealthCalculator::pingLatencyQuality(failedPing), SignalQuality::poor);
    EXPECT_EQ(HealthCalculator::pingJitterQuality(failedPing), SignalQuality::poor);
    EXPECT_EQ(HealthCalculator::dnsQuality(dnsResult(5.0, false)), SignalQuality::poor);
}

TEST(HealthCalculatorTest, EachRuleLooksOnlyAtItsOwnValue) {
    const auto latencyWithoutJitter = pingResult(20.0, std::nullopt);
    EXPECT_EQ(HealthCalculator::pingLatencyQuality(latencyWithoutJitter), SignalQuality::good);
    EXPECT_EQ(HealthCalculator::pingJitterQuality(latencyWithoutJitter), SignalQuality::poor);

    const auto jitterWithoutLatency = pingResult(std::nullopt, 5.0);
    EXPECT_EQ(HealthCalculator::pingLatencyQuality(jitterWithoutLatency), SignalQuality::poor);
    EXPECT_EQ(HealthCalculator::pingJitterQuality(jitterWithoutLatency), SignalQuality::good);

    EXPECT_EQ(HealthCalculator::dnsQuality(dnsResult(std::nullopt)), SignalQuality::poor);
}

TEST(HealthCalculatorTest, PacketLossDoesNotAffectTheGrades) {
    auto lossy = pingResult(20.0, 5.0);
    lossy.packetLossPercent = 100.0;
    EXPECT_EQ(HealthCalculator::pingLatencyQuality(lossy), SignalQuality::good);
    EXPECT_EQ(HealthCalculator::pingJitterQuality(lossy), SignalQuality::good);
}

TEST(HealthCalculatorTest, PingLatencyIncludesItsGoodBoundOf50AndWarningBoundOf100) {
    const std::vector<GradeCase> cases{
        {-infinity, SignalQuality::good},
        {-1.0, SignalQuality::good},
        {0.0, SignalQuality::good},
        {50.0, SignalQuality::good},
        {std::nextafter(50.0, infinity), SignalQuality::warning},
        {50.001, SignalQuality::warning},
        {100.0, SignalQuality::warning},
        {std::nextafter(100.0, infinity), SignalQuality::poor},
        {100.001, SignalQuality::poor},
        {infinity, SignalQuality::poor},
        {notANumber, SignalQuality::poor},
    };
    for (const auto& [milliseconds, expected] : cases) {
        SCOPED_TRACE(describe(milliseconds));
        EXPECT_EQ(HealthCalculator::pingLatencyQuality(pingResult(milliseconds, 1.0)), expected);
    }
}

TEST(HealthCalculatorTest, PingJitterExcludesItsGoodBoundOf10AndIncludesItsWarningBoundOf30) {
    const std::vector<GradeCase> cases{
        {-1.0, SignalQuality::good},
        {0.0, SignalQuality::good},
        {9.999, SignalQuality::good},
        {std::nextafter(10.0, 0.0), SignalQuality::good},
        {10.0, SignalQuality::warning},
        {30.0, SignalQuality::warning},
        {std::nextafter(30.0, infinity), SignalQuality::poor},
        {30.001, SignalQuality::poor},
        {notANumber, SignalQuality::poor},
    };
    for (const auto& [milliseconds, expected] : cases) {
        SCOPED_TRACE(describe(milliseconds));
        EXPECT_EQ(HealthCalculator::pingJitterQuality(pingResult(20.0, milliseconds)), expected);
    }
}

TEST(HealthCalculatorTest, DNSTimeExcludesItsGoodBoundOf50AndIncludesItsWarningBoundOf100) {
    const std::vector<GradeCase> cases{
        {-1.0, SignalQuality::good},
        {0.0, SignalQuality::good},
        {49.999, SignalQuality::good},
        {std::nextafter(50.0, 0.0), SignalQuality::good},
        {50.0, SignalQuality::warning},
        {100.0, SignalQuality::warning},
        {std::nextafter(100.0, infinity), SignalQuality::poor},
        {100.001, SignalQuality::poor},
        {notANumber, SignalQuality::poor},
    };
    for (const auto& [milliseconds, expected] : cases) {
        SCOPED_TRACE(describe(milliseconds));
        EXPECT_EQ(HealthCalculator::dnsQuality(dnsResult(milliseconds)), expected);
    }
}
