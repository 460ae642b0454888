#include "Core/WiFiRadarScoring.h"

#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

using WiFiRadarScoring::DirectionHint;

namespace {

WiFiSnapshot reading(std::int64_t rssi, std::int64_t noise, std::int64_t snr,
                     std::optional<std::int64_t> linkRate) {
    return WiFiSnapshot{TestRuntime::startDate(),
                        QStringLiteral("Linden House"),
                        std::nullopt,
                        rssi,
                        noise,
                        snr,
                        linkRate,
                        36,
                        WiFiBand::fiveGigahertz,
                        std::nullopt,
                        false};
}

struct ScoreCase {
    const char* name;
    std::optional<WiFiSnapshot> snapshot;
    int expected;
};

struct HintCase {
    std::vector<double> samples;
    DirectionHint expected;
};

} // namespace

TEST(WiFiRadarScoringTest, QualityScoreWeighsSignalSnrNoiseAndLinkRate) {
    const std::vector<ScoreCase> cases{
        {"no reading", std::nullopt, 0},
        {"every part at its best", reading(-30, -105, 60, 1300), 100},
        {"every part at its worst", reading(-95, -60, -5, std::nullopt), 0},
        {"worked example", reading(-60, -90, 30, 866), 65},
        {"no link rate adds nothing", reading(-67, -92, 25, std::nullopt), 49},
        {"signal alone, full at -45 dBm", reading(-45, -70, 0, std::nullopt), 40},
        {"signal alone, 20.4 goes down", reading(-67, -70, 0, std::nullopt), 20},
        {"SNR alone, full at 50 dB", reading(-90, -70, 50, std::nullopt), 35},
        {"noise alone, full at -100 dBm", reading(-90, -100, 0, std::nullopt), 15},
        {"noise alone, none from -70 dBm", reading(-90, -40, 0, std::nullopt), 0},
        {"link alone, full at 1200 Mbps", reading(-90, -70, 0, 1200), 10},
        {"link alone, 600 Mbps", reading(-90, -70, 0, 600), 5},
        {"a negative link rate adds nothing", reading(-90, -70, 0, -600), 0},
        {"7.5 goes up", reading(-90, -85, 0, std::nullopt), 8},
        {"10.5 goes up, not to even", reading(-90, -70, 15, std::nullopt), 11},
        {"18.5 goes up, not to even", reading(-90, -100, 5, std::nullopt), 19},
        {"1.5 goes up", reading(-90, -70, 0, 180), 2},
        {"extreme readings stay within 0 to 100", reading(100, -1000, 1000, 1'000'000), 100},
        {"extreme poor readings stay at 0", reading(-1000, 1000, -1000, -1), 0},
    };
    for (const ScoreCase& scoreCase : cases) {
        EXPECT_EQ(WiFiRadarScoring::qualityScore(scoreCase.snapshot), scoreCase.expected)
            << scoreCase.name;
    }
}

TEST(WiFiRadarScoringTest, DirectionHintComparesTheHalvesOfTheLastEightScores) {
    const auto keep = DirectionHint::keepGoing;
    const auto back = DirectionHint::goBack;
    std::vector<double> twenty(20, 50);
    // Only the 13th to 16th against the 17th to 20th count.
    twenty[0] = 100;
    twenty[11] = 100;
    std::vector<double> droppingLate = twenty;
    droppingLate[12] = 60; // older half 52.5, newer 50
    std::vector<double> risingLate = twenty;
    risingLate[19] = 51;
    const std::vector<HintCase> cases{
        {{}, keep},
        {{10}, keep},
        {{50, 60}, keep},
        {{60, 50}, back},
        {{60, 60}, keep},
        {{70, 70, 60}, back}, // 70 against the newer two's 65
        {{60, 70, 65}, keep}, // 60 against 67.5
        {{60, 60, 60}, keep},
        {{80, 80, 80, 80, 79, 80, 80, 80}, back},
        {{70, 70, 70, 70, 70, 70, 70, 71}, keep},
        {twenty, keep},
        {droppingLate, back},
        {risingLate, keep},
    };
    for (const HintCase& hintCase : cases) {
        EXPECT_EQ(WiFiRadarScoring::directionHint(hintCase.samples), hintCase.expected)
            << hintCase.samples.size() << " scores";
    }
}
