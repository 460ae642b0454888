#include "UI/MenuBar/PopoverHeightRule.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(PopoverHeightRuleTest, HeightsAreHeldInRangeAndSmallChangesIgnored) {
    EXPECT_EQ(PopoverHeightRule::newHeight(1000, 650), 700.0);
    EXPECT_EQ(PopoverHeightRule::newHeight(100, 650), 320.0);
    EXPECT_EQ(PopoverHeightRule::newHeight(650.4, 650), std::nullopt);
    EXPECT_EQ(PopoverHeightRule::newHeight(650.5, 650), std::nullopt);
    EXPECT_EQ(PopoverHeightRule::newHeight(651, 650), 651.0);
    EXPECT_EQ(PopoverHeightRule::newHeight(1000, 700), std::nullopt);
    EXPECT_EQ(PopoverHeightRule::newHeight(std::nan(""), 650), std::nullopt);
}
