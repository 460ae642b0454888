#include "UI/MenuBar/StatusImageComposer.h"

#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

// How many pixels of the badge's corner are close to `color`.
int pixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = image.height() / 2; y < image.height(); ++y) {
        for (int x = image.width() / 2; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200 && std::abs(pixel.red() - color.red()) < 12 &&
                std::abs(pixel.green() - color.green()) < 12 &&
                std::abs(pixel.blue() - color.blue()) < 12) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace

TEST(StatusImageComposerTest, TheBadgeIsDrawnInItsTintOverTheApplicationIcon) {
    const auto image = StatusImageComposer::makeStatusImage(
        "checkmark.circle.fill", NamedColors::green, "pelmor status good");
    EXPECT_EQ(image.size(), QSize(36, 36));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.text("Description"), QStringLiteral("pelmor status good"));
    EXPECT_GT(pixelsNear(image, NamedColors::green), 20) << "no green badge in the corner";
    EXPECT_EQ(pixelsNear(image, NamedColors::red), 0);
    // The application icon fills the canvas under the badge.
    EXPECT_GT(image.pixelColor(9, 9).alpha(), 200);
}

// Pixels of the badge's corner, laid over a panel of `panel`, that stand out
// from the panel: a quarter of the lightness range or more apart.
int pixelsStandingOutFrom(const QImage& image, const QColor& panel) {
    QImage onPanel(image.size(), QImage::Format_ARGB32_Premultiplied);
    onPanel.setDevicePixelRatio(image.devicePixelRatio());
    onPanel.fill(panel);
    QPainter painter(&onPanel);
    painter.drawImage(0, 0, image);
    painter.end();
    // Only where the badge overhangs the application icon: the icon's own
    // light glyph must not count for the badge.
    int count = 0;
    for (int y = image.height() * 3 / 4; y < image.height(); ++y) {
        for (int x = image.width() * 3 / 4; x < image.width(); ++x) {
            if (std::abs(onPanel.pixelColor(x, y).lightness() - panel.lightness()) > 64) {
                ++count;
            }
        }
    }
    return count;
}

TEST(StatusImageComposerTest, WithoutATintTheBadgeIsLegibleOnDarkAndLightPanels) {
    const QColor panels[] = {QColor(0x1E, 0x1E, 0x1E), QColor(0x00, 0x00, 0x00),
                             QColor(0xF2, 0xF2, 0xF2), QColor(0xFF, 0xFF, 0xFF)};
    for (const char* symbol : {"checkmark.circle.fill", "exclamationmark.circle.fill",
                               "xmark.circle.fill", "pause.circle.fill"}) {
        const auto image = StatusImageComposer::makeStatusImage(symbol, std::nullopt, "x");
        for (const QColor& panel : panels) {
            EXPECT_GT(pixelsStandingOutFrom(image, panel), 8)
                << symbol << " is lost on a panel of " << panel.name().toStdString();
        }
        EXPECT_GT(pixelsNear(image, StatusImageComposer::untintedBadgeColor), 20) << symbol;
        EXPECT_GT(pixelsNear(image, StatusImageComposer::badgeOutlineColor), 10) << symbol;
    }
}

TEST(StatusImageComposerTest, AnUnknownBadgeLeavesTheBareIconAndTintsMapToNamedColours) {
    const auto bare = StatusImageComposer::makeStatusImage("no.such.symbol", NamedColors::red, "x");
    EXPECT_GT(bare.pixelColor(9, 9).alpha(), 200) << "the icon went blank";
    EXPECT_EQ(pixelsNear(bare, NamedColors::red), 0) << "a badge was drawn";
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::none), std::nullopt);
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::orange), NamedColors::orange);
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::gray), NamedColors::gray);
}
