#include "Platform/CoreWLAN/WLANChannel.h"

#include <gtest/gtest.h>

namespace {

WLANChannel channel(std::int64_t number, WLANChannelBand band) {
    return {number, band};
}

} // namespace

TEST(WLANChannelTest, TwoPointFourGigahertzBandFrom2412To2484) {
    using enum WLANChannelBand;
    EXPECT_EQ(WLANChannel::fromFrequency(2411), std::nullopt);
    EXPECT_EQ(WLANChannel::fromFrequency(2412), channel(1, band2GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(2437), channel(6, band2GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(2472), channel(13, band2GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(2484), channel(14, band2GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(2485), std::nullopt);
}

TEST(WLANChannelTest, FiveGigahertzBandFrom5150To5895) {
    using enum WLANChannelBand;
    EXPECT_EQ(WLANChannel::fromFrequency(5149), std::nullopt);
    EXPECT_EQ(WLANChannel::fromFrequency(5150), channel(30, band5GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5180), channel(36, band5GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5745), channel(149, band5GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5885), channel(177, band5GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5895), channel(179, band5GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5896), std::nullopt);
}

TEST(WLANChannelTest, SixGigahertzBandFrom5925To7125) {
    using enum WLANChannelBand;
    EXPECT_EQ(WLANChannel::fromFrequency(5924), std::nullopt);
    EXPECT_EQ(WLANChannel::fromFrequency(5925)->channelBand, band6GHz);
    EXPECT_EQ(WLANChannel::fromFrequency(5935), channel(2, band6GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(5955), channel(1, band6GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(6135), channel(37, band6GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(7115), channel(233, band6GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(7125), channel(235, band6GHz));
    EXPECT_EQ(WLANChannel::fromFrequency(7126), std::nullopt);
}

TEST(WLANChannelTest, FrequenciesBetweenAndBeyondTheBandsHaveNoChannel) {
    for (const std::int64_t megahertz : {0, 900, 4920, 5900, 60480, -2412}) {
        EXPECT_EQ(WLANChannel::fromFrequency(megahertz), std::nullopt) << megahertz;
    }
}
