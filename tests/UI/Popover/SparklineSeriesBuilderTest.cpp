#include "UI/Popover/SparklineSeriesBuilder.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using SparklineSeriesBuilder::normalizedValues;
using Series = std::vector<double>;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double largest = std::numeric_limits<double>::max();

} // namespace

TEST(SparklineSeriesBuilderTest, AnEmptySeriesStaysEmpty) {
    EXPECT_EQ(normalizedValues({}), Series{});
}

TEST(SparklineSeriesBuilderTest, TheSmallestReadingBecomesZeroAndTheLargestOne) {
    EXPECT_EQ(normalizedValues({1, 3, 2}), (Series{0, 1, 0.5}));
    EXPECT_EQ(normalizedValues({-70, -60}), (Series{0, 1}));
    EXPECT_EQ(normalizedValues({10, 0, 5, 2.5, 10}), (Series{1, 0, 0.5, 0.25, 1}));
}

TEST(SparklineSeriesBuilderTest, AFlatSeriesIsDrawnAtTheMiddle) {
    EXPECT_EQ(normalizedValues({7}), Series{0.5});
    EXPECT_EQ(normalizedValues({2, 2, 2}), (Series{0.5, 0.5, 0.5}));
}

TEST(SparklineSeriesBuilderTest, ReadingsThatAreNotFiniteAreLeftOut) {
    EXPECT_EQ(normalizedValues({notANumber, 1, infinity, 3, -infinity, 2}), (Series{0, 1, 0.5}));
    EXPECT_EQ(normalizedValues({notANumber, 4}), Series{0.5});
    EXPECT_EQ(normalizedValues({notANumber, infinity}), Series{});
}

TEST(SparklineSeriesBuilderTest, ReadingsAtBothEndsOfTheRangeStayInTheBand) {
    EXPECT_EQ(normalizedValues({-largest, 0, largest}), (Series{0, 0.5, 1}));
}
