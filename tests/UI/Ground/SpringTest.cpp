#include "UI/Ground/Spring.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace {

struct SpringCase {
    const char* name;
    Spring spring;
};

const std::vector<SpringCase> springs{
    {"state change", Springs::stateChange},
    {"panel change", Springs::panelChange},
    {"loose", Spring{0.5, 0.4}},
};

double seconds(std::chrono::milliseconds duration) {
    return std::chrono::duration<double>(duration).count();
}

} // namespace

TEST(SpringTest, ThePopoversSpringsHaveTheirResponseAndDamping) {
    EXPECT_DOUBLE_EQ(Springs::stateChange.response, 0.2);
    EXPECT_DOUBLE_EQ(Springs::stateChange.dampingFraction, 0.85);
    EXPECT_DOUBLE_EQ(Springs::panelChange.response, 0.18);
    EXPECT_DOUBLE_EQ(Springs::panelChange.dampingFraction, 0.85);
}

TEST(SpringTest, ItStartsAtZeroAndStaysAtRestFromItsSettlingTimeOn) {
    for (const auto& [name, spring] : springs) {
        EXPECT_EQ(spring.progress(0), 0.0) << name;
        EXPECT_EQ(spring.progress(-1), 0.0) << name;
        const double settled = seconds(spring.settlingTime());
        for (double time = settled; time < settled * 3; time += settled / 50) {
            EXPECT_NEAR(spring.progress(time), 1.0, 0.001) << name << " at " << time;
        }
        // Not long before, it was still on its way.
        double largestGap = 0;
        for (double time = 0; time < settled * 0.6; time += settled / 200) {
            largestGap = std::max(largestGap, std::abs(1 - spring.progress(time)));
        }
        EXPECT_GT(largestGap, 0.01) << name;
    }
}

TEST(SpringTest, DampingBoundsTheOvershootAndResponseTheSpeed) {
    // An underdamped spring passes its target once, by about e^(-pi z / sqrt(1 - z^2)).
    for (const auto& [name, spring] : springs) {
        double peak = 0;
        for (double time = 0; time < seconds(spring.settlingTime()); time += 0.0005) {
            peak = std::max(peak, spring.progress(time));
        }
        const double zeta = spring.dampingFraction;
        const double expected = std::exp(-std::numbers::pi * zeta / std::sqrt(1 - zeta * zeta));
        EXPECT_NEAR(peak - 1, expected, expected * 0.05 + 1e-4) << name;
    }
    // The same damping with a shorter response gets there sooner, in proportion.
    const double stateSettles = seconds(Springs::stateChange.settlingTime());
    const double panelSettles = seconds(Springs::panelChange.settlingTime());
    EXPECT_NEAR(panelSettles / stateSettles, 0.18 / 0.2, 0.01);
    EXPECT_DOUBLE_EQ(Springs::panelChange.progress(0.09), Springs::stateChange.progress(0.1));
}
