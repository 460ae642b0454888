#include "Platform/Symbols/SymbolImage.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

QImage painted(const SymbolImage& image, const QRectF& rect, const QColor& color) {
    QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    image.paint(painter, rect, color);
    return canvas;
}

} // namespace

TEST(SymbolImageTest, AnUnknownNameOrASizeOfZeroGivesNoImage) {
    EXPECT_FALSE(SymbolImage::named(u"no.such.symbol"_s, 15));
    EXPECT_FALSE(SymbolImage::named(u"wifi"_s, 0));
}

TEST(SymbolImageTest, AKnownNameIsASquareOfItsSize) {
    const auto image = SymbolImage::named(u"gearshape"_s, 15);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ligature(), u"settings"_s);
    EXPECT_EQ(image->size(), QSizeF(15, 15));
}

TEST(SymbolImageTest, TheGlyphIsDrawnInTheTintInsideItsRectangle) {
    const auto image = SymbolImage::named(u"wifi"_s, 20);
    ASSERT_TRUE(image);
    const QRect rect(10, 10, 20, 20);
    const QImage canvas = painted(*image, rect, QColor(255, 0, 0));
    int inside = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QColor pixel = canvas.pixelColor(x, y);
            if (pixel.alpha() == 0) {
                continue;
            }
            EXPECT_TRUE(rect.contains(x, y)) << x << "," << y;
            EXPECT_EQ(pixel.green(), 0);
            EXPECT_EQ(pixel.blue(), 0);
            ++inside;
        }
    }
    EXPECT_GT(inside, 20);
}
