#include "UI/ChannelScan/ChannelScanTheme.h"

#include <gtest/gtest.h>

// sRGB 0.08, 0.09, 0.12 and 0.04, 0.05, 0.07 of 255, rounded; white at the
// opacities 0.04, 0.13, 0.95, 0.72 and 0.52; the dark accent blue.
TEST(ChannelScanThemeTest, ColoursAreTheWindowsDarkShades) {
    const struct {
        const char* name;
        const QColor& color;
        QRgb expected;
    } cases[] = {
        {"backgroundTop", ChannelScanTheme::backgroundTop(), qRgba(20, 23, 31, 255)},
        {"backgroundBottom", ChannelScanTheme::backgroundBottom(), qRgba(10, 13, 18, 255)},
        {"panelBackground", ChannelScanTheme::panelBackground(), qRgba(255, 255, 255, 10)},
        {"panelBorder", ChannelScanTheme::panelBorder(), qRgba(255, 255, 255, 33)},
        {"primaryText", ChannelScanTheme::primaryText(), qRgba(255, 255, 255, 242)},
        {"secondaryText", ChannelScanTheme::secondaryText(), qRgba(255, 255, 255, 184)},
        {"mutedText", ChannelScanTheme::mutedText(), qRgba(255, 255, 255, 133)},
        {"accent", ChannelScanTheme::accent(), qRgba(0x0A, 0x84, 0xFF, 255)},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(testCase.color.rgba(), testCase.expected) << testCase.name;
    }
}
