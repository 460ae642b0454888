#include "UI/Ground/PopoverTheme.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FontFaces.h"

#include <gtest/gtest.h>

#include <QFontInfo>

using namespace Qt::Literals::StringLiterals;

TEST(PopoverThemeTest, OpacitiesRoundToTheNearestAlphaStep) {
    EXPECT_EQ(withOpacity(Qt::white, 0.72).alpha(), 184);
    EXPECT_EQ(withOpacity(Qt::white, 0.96).alpha(), 245);
    EXPECT_EQ(withOpacity(Qt::white, 0.55).alpha(), 140);
    EXPECT_EQ(withOpacity(Qt::white, 1.5).alpha(), 255);
    EXPECT_EQ(withOpacity(Qt::white, -1).alpha(), 0);
    // Opacity multiplies a colour's own alpha.
    EXPECT_EQ(withOpacity(QColor(255, 0, 0, 128), 0.5).alpha(), 64);
    EXPECT_EQ(withOpacity(QColor(10, 20, 30), 0.2).rgb(), QColor(10, 20, 30).rgb());
}

TEST(PopoverThemeTest, TextAndSurfaceColoursAreWhiteAtTheirOpacities) {
    const QColor white(255, 255, 255);
    EXPECT_EQ(PopoverTheme::primaryText(), withOpacity(white, 0.96));
    EXPECT_EQ(PopoverTheme::secondaryText(), withOpacity(white, 0.72));
    EXPECT_EQ(PopoverTheme::mutedText(), withOpacity(white, 0.55));
    EXPECT_EQ(PopoverTheme::rowSurface(), withOpacity(white, 0.07));
    EXPECT_EQ(PopoverTheme::capsuleSurface(), withOpacity(white, 0.12));
    EXPECT_EQ(PopoverTheme::panelBorder(), withOpacity(white, 0.16));
}

TEST(PopoverThemeTest, EveryRequiredFontFaceIsInstalled) {
    EXPECT_EQ(FontFaces::missingFaces(), QStringList());
}

// Each font resolves to the interface face at its size in pixels and its own
// weight, not to a substitute.
TEST(PopoverThemeTest, FontsResolveToTheInterfaceFaceAtTheirSizesAndWeights) {
    struct Expected {
        const QFont& font;
        int pixelSize;
        int weight;
    };
    const Expected expectations[] = {
        {PopoverTheme::subtitleFont(), 13, QFont::Medium},
        {PopoverTheme::bodyFont(), 13, QFont::Medium},
        {PopoverTheme::sectionLabelFont(), 11, QFont::DemiBold},
        {PopoverTheme::metricTitleFont(), 12, QFont::DemiBold},
        {PopoverTheme::metricValueFont(), 12, QFont::Medium},
        {PopoverTheme::microFont(), 11, QFont::Medium},
    };
    for (const Expected& expected : expectations) {
        const QFontInfo info(expected.font);
        EXPECT_EQ(info.family(), u"Inter"_s);
        EXPECT_EQ(info.pixelSize(), expected.pixelSize);
        EXPECT_EQ(info.weight(), expected.weight);
    }
}
