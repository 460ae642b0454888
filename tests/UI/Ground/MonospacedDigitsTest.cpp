#include "UI/Ground/MonospacedDigits.h"

#include "UI/Ground/PopoverTheme.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

// The leftmost column with ink after drawing `text` from x = 0.
int firstInkColumn(const QString& text, const QFont& font) {
    QImage canvas(200, 30, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setPen(Qt::white);
        MonospacedDigits::draw(painter, QPointF(0, 20), text, font);
    }
    for (int x = 0; x < canvas.width(); ++x) {
        for (int y = 0; y < canvas.height(); ++y) {
            if (canvas.pixelColor(x, y).alpha() > 0) {
                return x;
            }
        }
    }
    return -1;
}

} // namespace

TEST(MonospacedDigitsTest, ValuesOfTheSameShapeTakeTheSameWidth) {
    const QFont& font = PopoverTheme::metricValueFont();
    // The interface face's own digits differ in width, so this is not a given.
    ASSERT_NE(QFontMetricsF(font).horizontalAdvance(u"111"_s),
              QFontMetricsF(font).horizontalAdvance(u"888"_s));
    EXPECT_EQ(MonospacedDigits::width(u"111"_s, font), MonospacedDigits::width(u"888"_s, font));
    EXPECT_EQ(MonospacedDigits::width(u"11.1 ms"_s, font),
              MonospacedDigits::width(u"80.4 ms"_s, font));
    EXPECT_DOUBLE_EQ(MonospacedDigits::width(u"1234"_s, font),
                     4 * MonospacedDigits::digitAdvance(font));
}

TEST(MonospacedDigitsTest, OtherCharactersKeepTheirOwnAdvance) {
    const QFont& font = PopoverTheme::metricValueFont();
    const QFontMetricsF metrics(font);
    EXPECT_DOUBLE_EQ(MonospacedDigits::width(u"Mbps"_s, font),
                     metrics.horizontalAdvance(u"Mbps"_s));
    EXPECT_DOUBLE_EQ(MonospacedDigits::width(u"5 ms"_s, font),
                     MonospacedDigits::digitAdvance(font) + metrics.horizontalAdvance(u" ms"_s));
    EXPECT_EQ(MonospacedDigits::width(QString(), font), 0);
}

// Flush-right values keep their unit in place as the digits change.
TEST(MonospacedDigitsTest, TheUnitDoesNotMoveWhenTheDigitsChange) {
    const QFont& font = PopoverTheme::metricValueFont();
    const double narrow = MonospacedDigits::width(u"11"_s, font);
    const double wide = MonospacedDigits::width(u"88"_s, font);
    EXPECT_EQ(narrow, wide);
    // A narrow digit sits centred in its cell rather than at its start.
    EXPECT_GT(firstInkColumn(u"1"_s, font), firstInkColumn(u"8"_s, font));
}
