#include "UI/Popover/WiFiNetworkHeaderModel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace WiFiNetworkHeaderModel;

namespace {

WiFiSnapshot snapshot(std::optional<QString> ssid, std::optional<std::int64_t> channel,
                      std::optional<WiFiBand> band) {
    return {.timestamp = Date{},
            .ssid = std::move(ssid),
            .bssid = std::nullopt,
            .rssiDbm = -55,
            .noiseFloorDbm = -92,
            .snrDb = 37,
            .linkRateMbps = 866,
            .channelNumber = channel,
            .band = band,
            .ipAddress = std::nullopt,
            .isVPNActive = false};
}

} // namespace

TEST(WiFiNetworkHeaderModelTest, TheNameIsTheSSIDExactlyOrNotConnected) {
    EXPECT_EQ(ssidName(std::nullopt), u"Not Connected"_s);
    EXPECT_EQ(ssidName(snapshot(std::nullopt, 36, WiFiBand::fiveGigahertz)), u"Not Connected"_s);
    EXPECT_EQ(ssidName(snapshot(u""_s, 36, WiFiBand::fiveGigahertz)), u"Not Connected"_s);
    EXPECT_EQ(ssidName(snapshot(u"Office"_s, 36, WiFiBand::fiveGigahertz)), u"Office"_s);
    EXPECT_EQ(ssidName(snapshot(u"  Café  "_s, 36, std::nullopt)), u"  Café  "_s);
    EXPECT_EQ(ssidName(snapshot(u" "_s, 36, std::nullopt)), u" "_s);
}

TEST(WiFiNetworkHeaderModelTest, ChannelDetailsNameTheChannelAndTheBandWhenKnown) {
    EXPECT_EQ(channelDetailsText(std::nullopt), u"Channel unavailable"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, std::nullopt, WiFiBand::fiveGigahertz)),
              u"Channel unavailable"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, 11, std::nullopt)), u"Channel 11"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, 149, WiFiBand::fiveGigahertz)),
              u"Channel 149 (5 GHz)"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, 1, WiFiBand::twoPointFourGigahertz)),
              u"Channel 1 (2.4 GHz)"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, 5, WiFiBand::sixGigahertz)),
              u"Channel 5 (6 GHz)"_s);
    EXPECT_EQ(channelDetailsText(snapshot(u"Office"_s, 1234, WiFiBand::unknown)),
              u"Channel 1234 (Unknown)"_s);
}

TEST(WiFiNetworkHeaderModelTest, TheCapsuleShowsAnyKnownBandEvenWithoutAName) {
    EXPECT_EQ(bandText(std::nullopt), std::nullopt);
    EXPECT_EQ(bandText(snapshot(u"Office"_s, 11, std::nullopt)), std::nullopt);
    EXPECT_EQ(bandText(snapshot(std::nullopt, std::nullopt, WiFiBand::fiveGigahertz)), u"5 GHz"_s);
    EXPECT_EQ(bandText(snapshot(u"Office"_s, 36, WiFiBand::unknown)), u"Unknown"_s);
}

TEST(WiFiNetworkHeaderModelTest, TheDotIsGreenWhileConnectedElseDimmedWhite) {
    EXPECT_EQ(connectionDotColor(true), NamedColors::green);
    EXPECT_EQ(connectionDotColor(false), QColor(255, 255, 255, 115));
}
