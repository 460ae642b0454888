#include "UI/SpeedTest/SpeedTestTheme.h"

#include <gtest/gtest.h>

TEST(SpeedTestThemeTest, TheEightColours) {
    const struct {
        const char* name;
        const QColor& color;
        QRgb expected;
    } cases[] = {
        // 0.08, 0.09, 0.12 and 0.04, 0.05, 0.07 of 255, rounded; white at
        // the opacities 0.04, 0.13, 0.95, 0.72 and 0.52; the dark accent blue.
        {"backgroundTop", SpeedTestTheme::backgroundTop(), qRgba(20, 23, 31, 255)},
        {"backgroundBottom", SpeedTestTheme::backgroundBottom(), qRgba(10, 13, 18, 255)},
        {"panelBackground", SpeedTestTheme::panelBackground(), qRgba(255, 255, 255, 10)},
        {"panelBorder", SpeedTestTheme::panelBorder(), qRgba(255, 255, 255, 33)},
        {"primaryText", SpeedTestTheme::primaryText(), qRgba(255, 255, 255, 242)},
        {"secondaryText", SpeedTestTheme::secondaryText(), qRgba(255, 255, 255, 184)},
        {"mutedText", SpeedTestTheme::mutedText(), qRgba(255, 255, 255, 133)},
        {"accent", SpeedTestTheme::accent(), qRgba(0x0A, 0x84, 0xFF, 255)},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(testCase.color.rgba(), testCase.expected) << testCase.name;
    }
}
