#include "UI/ChannelScan/ChannelScanChannelList.h"

#include "ChannelScanSamples.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ChannelScanSamples;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct Listed {
    std::int64_t channel;
    WiFiBand band;

    bool operator==(const Listed&) const = default;
    friend void PrintTo(const Listed& listed, std::ostream* stream) {
        *stream << listed.channel << '|' << listed.band.rawValue().toStdString();
    }
};

std::vector<Listed> listed(const std::optional<ChannelScanResult>& result) {
    std::vector<Listed> rows;
    for (const auto& row : ChannelScanChannelList::preferredBandChannels(result)) {
        rows.push_back({row.channelNumber, row.band});
    }
    return rows;
}

// Channels 1, 5, 9, ... 77 of the 6 GHz band, busier the higher the channel.
std::vector<ChannelCongestionSample> twentyChannels() {
    std::vector<ChannelCongestionSample> channels;
    for (int index = 0; index < 20; ++index) {
        channels.push_back(sample(1 + 4 * index, band6, 0.1 * (index + 1)));
    }
    return channels;
}

} // namespace

TEST(ChannelScanChannelListTest, OrdersPinnedFirstThenByInterferenceUniqueAndCapped) {
    const struct {
        const char* name;
        std::optional<ChannelScanResult> result;
        std::vector<Listed> expected;
    } cases[] = {
        {"no result", std::nullopt, {}},
        {"current 6, recommended 1, then 11",
         result({sample(1, band24, 0.5), sample(6, band24, 2.0), sample(11, band24, 0.5)}, 6,
                band24, 1, band24),
         {{6, band24}, {1, band24}, {11, band24}}},
        {"equal scores go to the lower channel",
         result({sample(11, band24, 0.5), sample(3, band24, 0.5), sample(7, band24, 0.2)},
                std::nullopt, std::nullopt, std::nullopt, band24),
         {{7, band24}, {3, band24}, {11, band24}}},
        {"only the active band is listed",
         result({sample(36, band5, 0.1), sample(1, band24, 0.3), sample(6, band24, 0.2)}, 6, band24,
                std::nullopt, std::nullopt),
         {{6, band24}, {1, band24}}},
        {"the suggested band is active without a current band",
         result({sample(36, band5, 0.4), sample(1, band24, 0.3), sample(44, band5, 0.2)},
                std::nullopt, std::nullopt, 44, band5),
         {{44, band5}, {36, band5}}},
        {"current and recommended the same channel: one row",
         result({sample(6, band24, 0.1), sample(1, band24, 0.5)}, 6, band24, 6, band24),
         {{6, band24}, {1, band24}}},
        {"twelve rows, the pinned ones first, then the least interfered",
         result(twentyChannels(), 77, band6, 41, band6),
         {{77, band6},
          {41, band6},
          {1, band6},
          {5, band6},
          {9, band6},
          {13, band6},
          {17, band6},
          {21, band6},
          {25, band6},
          {29, band6},
          {33, band6},
          {37, band6}}},
        {"a pinned channel without a sample is a placeholder of the active band",
         result({sample(1, band24, 0.5), sample(6, band5, 0.1)}, 6, band24, 11, band24),
         {{6, band24}, {11, band24}, {1, band24}}},
        {"no band known: a pinned channel without a sample is left out",
         result({sample(149, band5, 0.5), sample(5, band6, 0.1)}, 36, std::nullopt, std::nullopt,
                std::nullopt),
         {{5, band6}, {149, band5}}},
        {"no band known: one row per channel number, the first in sorted order",
         result({sample(1, band24, 0.4), sample(1, band6, 0.2), sample(5, band6, 0.3)}, 1,
                std::nullopt, std::nullopt, std::nullopt),
         {{1, band6}, {5, band6}}},
        {"no band known, no pin: every channel by interference",
         result({sample(36, band5, 0.3), sample(1, band24, 0.1)}, std::nullopt, std::nullopt,
                std::nullopt, std::nullopt),
         {{1, band24}, {36, band5}}},
        {"scores that are not finite follow every finite one, by channel",
         result({sample(11, band24, notANumber), sample(1, band24, 0.5),
                 sample(6, band24, infinity), sample(3, band24, 0.2), sample(9, band24, notANumber),
                 sample(2, band24, -infinity)},
                std::nullopt, std::nullopt, std::nullopt, band24),
         {{3, band24}, {1, band24}, {2, band24}, {6, band24}, {9, band24}, {11, band24}}},
        {"a known band without samples or pins lists nothing",
         result({sample(36, band5, 0.3)}, std::nullopt, std::nullopt, std::nullopt, band24),
         {}},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(listed(testCase.result), testCase.expected) << testCase.name;
    }
}

// A placeholder is an empty channel of the active band; a measured row is the
// sample itself, and of two equal samples on one channel the first scanned.
TEST(ChannelScanChannelListTest, RowsAreTheSamplesThemselvesOrEmptyPlaceholders) {
    const ChannelScanResult pinned =
        result({sample(1, band24, 0.5)}, 6, band24, std::nullopt, std::nullopt);
    EXPECT_EQ(ChannelScanChannelList::preferredBandChannels(pinned),
              (std::vector<ChannelCongestionSample>{{6, band24, 0, -100.0, 0.0, 0.0},
                                                    pinned.channels.front()}));
    const ChannelScanResult equal = result({sample(1, band6, 0.2, 4), sample(1, band24, 0.2, 9)},
                                           std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(ChannelScanChannelList::preferredBandChannels(equal),
              std::vector{equal.channels.front()});
}
