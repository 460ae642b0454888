#include "UI/ChannelScan/ChannelScanTheme.h"

#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

TEST(ChannelScanThemeTest, ColoursAreTheWindowsDarkShades) {
    const struct {
        const char* name;
        const QColor& color;
        QColor expected;
    } cases[] = {
        {"backgroundTop", ChannelScanTheme::backgroundTop(), QColor::fromRgbF(0.08F, 0.09F, 0.12F)},
        {"backgroundBottom", ChannelScanTheme::backgroundBottom(),
         QColor::fromRgbF(0.04F, 0.05F, 0.07F)},
        {"panelBackground", ChannelScanTheme::panelBackground(), QColor(255, 255, 255, 10)},
        {"panelBorder", ChannelScanTheme::panelBorder(), QColor(255, 255, 255, 33)},
        {"primaryText", ChannelScanTheme::primaryText(), QColor(255, 255, 255, 242)},
        {"secondaryText", ChannelScanTheme::secondaryText(), QColor(255, 255, 255, 184)},
        {"mutedText", ChannelScanTheme::mutedText(), QColor(255, 255, 255, 133)},
        {"accent", ChannelScanTheme::accent(), NamedColors::accent},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(testCase.color.rgba(), testCase.expected.rgba()) << testCase.name;
    }
    EXPECT_EQ(ChannelScanTheme::backgroundTop().red(), 20);
    EXPECT_EQ(ChannelScanTheme::backgroundBottom().blue(), 18);
}
