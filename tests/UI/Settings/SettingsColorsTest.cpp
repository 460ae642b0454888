#include "UI/Settings/SettingsColors.h"

#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

#include <QPalette>

namespace {

QPalette palette(const QColor& window, const QColor& text, const QColor& highlight) {
    QPalette result;
    result.setColor(QPalette::Window, window);
    result.setColor(QPalette::WindowText, text);
    result.setColor(QPalette::Highlight, highlight);
    return result;
}

const QColor lightWindow(0xEC, 0xEC, 0xEC);
const QColor darkWindow(0x1E, 0x1E, 0x1E);
const QColor selection(0x30, 0x8C, 0xC6);

} // namespace

TEST(SettingsColorsTest, ALightDesktopGivesDarkTextAndTheLightNamedColours) {
    const SettingsColors colors = SettingsColors::from(palette(lightWindow, Qt::black, selection));
    EXPECT_FALSE(SettingsColors::isDark(palette(lightWindow, Qt::black, selection)));
    EXPECT_EQ(colors.background, lightWindow);
    EXPECT_EQ(colors.primary, QColor(Qt::black));
    EXPECT_EQ(colors.secondary, QColor(0, 0, 0, 128));
    EXPECT_EQ(colors.accent, selection);
    EXPECT_EQ(colors.blue, NamedColors::Light::blue);
    EXPECT_EQ(colors.orange, NamedColors::Light::orange);
}

TEST(SettingsColorsTest, ADarkDesktopGivesLightTextAndTheDarkNamedColours) {
    const QColor text(255, 255, 255, 217);
    const SettingsColors colors = SettingsColors::from(palette(darkWindow, text, selection));
    EXPECT_TRUE(SettingsColors::isDark(palette(darkWindow, text, selection)));
    EXPECT_EQ(colors.primary, text);
    // 0.55 of the text's own opacity.
    EXPECT_EQ(colors.secondary, QColor(255, 255, 255, 119));
    EXPECT_EQ(colors.blue, NamedColors::blue);
    EXPECT_EQ(colors.orange, NamedColors::orange);
}

TEST(SettingsColorsTest, SurfacesAreThePrimaryAccentAndBlueAtTheirOpacities) {
    const SettingsColors colors = SettingsColors::from(palette(lightWindow, Qt::black, selection));
    EXPECT_EQ(colors.cardFill(), QColor(0, 0, 0, 13));
    EXPECT_EQ(colors.cardStroke(), QColor(0, 0, 0, 23));
    EXPECT_EQ(colors.badgeFill(), QColor(0, 0, 0, 20));
    EXPECT_EQ(colors.selectedTabFill(), QColor(0x30, 0x8C, 0xC6, 36));
    QColor blueFill = NamedColors::Light::blue;
    blueFill.setAlpha(20);
    EXPECT_EQ(colors.updateCardFill(), blueFill);
    QColor blueStroke = NamedColors::Light::blue;
    blueStroke.setAlpha(51);
    EXPECT_EQ(colors.updateCardStroke(), blueStroke);
}
