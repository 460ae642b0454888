#include "Platform/CoreWLAN/SeededNoise.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(SeededNoiseTest, UniformValuesAreRepeatableAndSpreadOverTheUnitInterval) {
    double sum = 0;
    int below = 0;
    constexpr int count = 10'000;
    for (int position = 0; position < count; ++position) {
        const double value = SeededNoise::uniform(11, 2, position);
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        ASSERT_EQ(value, SeededNoise::uniform(11, 2, position));
        sum += value;
        below += value < 0.25 ? 1 : 0;
    }
    EXPECT_NEAR(sum / count, 0.5, 0.02);
    EXPECT_NEAR(below / double(count), 0.25, 0.02);
}

TEST(SeededNoiseTest, SeedsStreamsAndPositionsGiveDifferentValues) {
    const double value = SeededNoise::uniform(11, 2, 3);
    EXPECT_NE(value, SeededNoise::uniform(12, 2, 3));
    EXPECT_NE(value, SeededNoise::uniform(11, 3, 3));
    EXPECT_NE(value, SeededNoise::uniform(11, 2, 4));
}

TEST(SeededNoiseTest, SmoothNoiseStaysInRangeAndMovesContinuously) {
    double previous = SeededNoise::smooth(4, 1, 0, 2.0);
    for (int step = 1; step <= 4'000; ++step) {
        const double seconds = step * 0.01;
        const double value = SeededNoise::smooth(4, 1, seconds, 2.0);
        ASSERT_GE(value, -1.0);
        ASSERT_LE(value, 1.0);
        // The steepest cosine join of -1 to 1 over 2 s moves under 0.016 in 10 ms.
        ASSERT_LT(std::abs(value - previous), 0.016) << "at " << seconds << " s";
        previous = value;
    }
}

TEST(SeededNoiseTest, SmoothNoiseMeetsItsRandomValueAtEveryKnot) {
    for (int knot = -3; knot <= 3; ++knot) {
        EXPECT_DOUBLE_EQ(SeededNoise::smooth(4, 1, knot * 2.0, 2.0),
                         2 * SeededNoise::uniform(4, 1, knot) - 1);
    }
}
