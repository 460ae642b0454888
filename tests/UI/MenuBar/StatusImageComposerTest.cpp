#include "UI/MenuBar/StatusImageComposer.h"

#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

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

TEST(StatusImageComposerTest, WithoutATintTheBadgeTakesTheLabelColour) {
    const auto image = StatusImageComposer::makeStatusImage("pause.circle.fill", std::nullopt,
                                                            "pelmor status disconnected");
    EXPECT_GT(pixelsNear(image, QGuiApplication::palette().color(QPalette::WindowText)), 20);
}

TEST(StatusImageComposerTest, AnUnknownBadgeLeavesTheBareIconAndTintsMapToNamedColours) {
    const auto bare = StatusImageComposer::makeStatusImage("no.such.symbol", NamedColors::red, "x");
    EXPECT_GT(bare.pixelColor(9, 9).alpha(), 200) << "the icon went blank";
    EXPECT_EQ(pixelsNear(bare, NamedColors::red), 0) << "a badge was drawn";
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::none), std::nullopt);
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::orange), NamedColors::orange);
    EXPECT_EQ(StatusImageComposer::color(MenuBarBadgeTint::gray), NamedColors::gray);
}
