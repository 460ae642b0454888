#include "UI/Radar/RadarSweepRaster.h"

#include "UI/Radar/RadarDiscLayers.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include <QPainter>

namespace {

// Every channel differs from pixel to pixel, so that the blend is checked
// over many values beneath it.
QImage ramp(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb((x * 5) % 256, (y * 3) % 256, (x + y) % 256));
        }
    }
    return image;
}

// The sweep as QPainter draws it: the wedge path, clipped to the disc.
QImage paintedByQt(const QImage& beneath, const QRectF& disc, double rotation, const QColor& tint) {
    QImage image = beneath;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    RadarDiscLayers::clipToDisc(painter, disc);
    RadarDiscLayers::paintSweep(painter, disc, rotation, tint);
    return image;
}

int channelDifference(QRgb one, QRgb other) {
    return std::max({std::abs(qRed(one) - qRed(other)), std::abs(qGreen(one) - qGreen(other)),
                     std::abs(qBlue(one) - qBlue(other))});
}

} // namespace

// The loop draws what QPainter draws: within a level or two where the wedge
// covers pixels wholly, near it along the antialiased edges; and a frame of
// part of the disc gets the same pixels as the whole, and none outside it.
TEST(RadarSweepRasterTest, ScreensTheWedgeAsQPainterDoesAndAnyFrameOfItAlike) {
    struct Case {
        QRectF disc;
        double rotation;
        QColor tint;
    };
    const std::vector<Case> cases{
        {{10, 10, 180, 180}, -90, QColor(52, 199, 89)},
        {{10.5, 12.25, 180, 180}, 33.3, QColor(255, 204, 0)},
        {{4, 4, 240, 240}, 135, QColor(255, 59, 48)},
        {{20, 6, 121, 121}, 200, Qt::white},
        {{10, 10, 180, 180}, 269.9, QColor(0, 122, 255)},
    };
    const QSize size(260, 260);
    for (const Case& sweep : cases) {
        SCOPED_TRACE(testing::Message() << "rotation " << sweep.rotation);
        const QImage beneath = ramp(size);
        const QImage expected = paintedByQt(beneath, sweep.disc, sweep.rotation, sweep.tint);
        QImage actual = beneath;
        RadarSweepRaster::screen(actual, actual.rect(), sweep.disc.center(), sweep.disc.width() / 2,
                                 sweep.rotation, sweep.tint);

        int changed = 0;
        int worstSolid = 0;
        long edgeDifference = 0;
        const QRectF inner = sweep.disc.adjusted(2, 2, -2, -2);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const int difference = channelDifference(expected.pixel(x, y), actual.pixel(x, y));
                const bool moved = expected.pixel(x, y) != beneath.pixel(x, y);
                changed += moved ? 1 : 0;
                // Whole pixels: those whose neighbours Qt changed too.
                const bool solid = moved && inner.contains(x, y) &&
                                   expected.pixel(x - 2, y) != beneath.pixel(x - 2, y) &&
                                   expected.pixel(x + 2, y) != beneath.pixel(x + 2, y) &&
                                   expected.pixel(x, y - 2) != beneath.pixel(x, y - 2) &&
                                   expected.pixel(x, y + 2) != beneath.pixel(x, y + 2);
                if (solid) {
                    worstSolid = std::max(worstSolid, difference);
                } else {
                    edgeDifference += difference;
                }
            }
        }
        ASSERT_GT(changed, 1000) << "Qt drew no sweep to compare with";
        EXPECT_LE(worstSolid, 2);
        EXPECT_LT(static_cast<double>(edgeDifference) / changed, 0.5);

        const QRect frame(sweep.disc.center().toPoint() - QPoint(30, 70), QSize(90, 110));
        QImage part = beneath;
        RadarSweepRaster::screen(part, frame, sweep.disc.center(), sweep.disc.width() / 2,
                                 sweep.rotation, sweep.tint);
        EXPECT_EQ(part.copy(frame), actual.copy(frame));
        const QRect rowAbove(frame.left(), frame.top() - 1, frame.width(), 1);
        EXPECT_EQ(part.copy(rowAbove), beneath.copy(rowAbove)) << "drawn outside the frame";
    }
}
