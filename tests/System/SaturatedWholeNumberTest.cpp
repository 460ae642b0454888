#include "System/SaturatedWholeNumber.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(SaturatedWholeNumberTest, DropsTheFractionAndKeepsTheMinimum) {
    EXPECT_EQ(saturatedWholeNumber(1500.0, 1), 1500);
    EXPECT_EQ(saturatedWholeNumber(2.9, 1), 2);
    EXPECT_EQ(saturatedWholeNumber(0.4, 1), 1);
    EXPECT_EQ(saturatedWholeNumber(-5.0, 1), 1);
    EXPECT_EQ(saturatedWholeNumber(std::nan(""), 1), 1);
    EXPECT_EQ(saturatedWholeNumber(-std::numeric_limits<double>::infinity(), 0), 0);
}

TEST(SaturatedWholeNumberTest, ValuesBeyondSixtyFourBitsSaturate) {
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(saturatedWholeNumber(9223372036854775808.0, 1), largest);
    EXPECT_EQ(saturatedWholeNumber(std::numeric_limits<double>::infinity(), 1), largest);
    EXPECT_EQ(saturatedWholeNumber(9223372036854774784.0, 1), 9223372036854774784);
}
