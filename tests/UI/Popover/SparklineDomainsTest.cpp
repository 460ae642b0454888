#include "UI/Popover/SparklineDomains.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>

using SparklineDomains::adaptiveConnectionDomain;
using SparklineDomains::adaptiveLinkRateDomain;

// Lets failures show the range.
void PrintTo(const ClosedRange& range, std::ostream* stream) {
    *stream << range.lowerBound << " ... " << range.upperBound;
}

TEST(SparklineDomainsTest, LinkRateWindowIsAtLeast80TallAndCentredOnTheData) {
    EXPECT_EQ(adaptiveLinkRateDomain({866}), (ClosedRange{826, 906}));
    EXPECT_EQ(adaptiveLinkRateDomain({400, 600, 500}), (ClosedRange{400, 600}));
    EXPECT_EQ(adaptiveLinkRateDomain({300, 320}), (ClosedRange{270, 350}));
}

TEST(SparklineDomainsTest, LinkRateWindowIsShiftedBackInsideZeroTo1200) {
    EXPECT_EQ(adaptiveLinkRateDomain({0}), (ClosedRange{0, 80}));
    EXPECT_EQ(adaptiveLinkRateDomain({20, 30}), (ClosedRange{0, 80}));
    EXPECT_EQ(adaptiveLinkRateDomain({1200}), (ClosedRange{1120, 1200}));
    EXPECT_EQ(adaptiveLinkRateDomain({1180, 1190}), (ClosedRange{1120, 1200}));
}

TEST(SparklineDomainsTest, LinkRateWindowNeverLeavesZeroTo1200) {
    EXPECT_EQ(adaptiveLinkRateDomain({}), (ClosedRange{0, 1200}));
    EXPECT_EQ(adaptiveLinkRateDomain({100, 1500}), (ClosedRange{0, 1200}));
    EXPECT_EQ(adaptiveLinkRateDomain({-50, 2000}), (ClosedRange{0, 1200}));
    EXPECT_EQ(adaptiveLinkRateDomain({5000}), (ClosedRange{1120, 1200}));
}

TEST(SparklineDomainsTest, ConnectionDomainStartsAtZeroWithTwentyPercentHeadroom) {
    EXPECT_EQ(adaptiveConnectionDomain({}), (ClosedRange{0, 1000}));
    EXPECT_EQ(adaptiveConnectionDomain({10}), (ClosedRange{0, 20}));
    EXPECT_EQ(adaptiveConnectionDomain({0, 0}), (ClosedRange{0, 20}));
    EXPECT_EQ(adaptiveConnectionDomain({101}), (ClosedRange{0, 122}));
    EXPECT_EQ(adaptiveConnectionDomain({16, 4, 50, 12}), (ClosedRange{0, 60}));
    EXPECT_EQ(adaptiveConnectionDomain({1659, 425}), (ClosedRange{0, 1991}));
}

TEST(SparklineDomainsTest, ReadingsThatAreNotFiniteAreLeftOut) {
    constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(adaptiveConnectionDomain({notANumber, 101, infinity}), (ClosedRange{0, 122}));
    EXPECT_EQ(adaptiveConnectionDomain({notANumber}), (ClosedRange{0, 1000}));
    EXPECT_EQ(adaptiveLinkRateDomain({notANumber, 866, -infinity}), (ClosedRange{826, 906}));
    EXPECT_EQ(adaptiveLinkRateDomain({infinity}), (ClosedRange{0, 1200}));
}
