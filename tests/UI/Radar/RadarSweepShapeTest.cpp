#include "UI/Radar/RadarSweepShape.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(RadarSweepShapeTest, TurnsOnceEveryTwoPointTwoSecondsFromStraightUp) {
    const std::vector<std::pair<double, double>> cases{
        {0.0, -90}, {0.55, 0}, {1.1, 90}, {1.65, 180}, {2.2, -90}, {3.3, 90}, {22.0, -90},
    };
    for (const auto& [seconds, degrees] : cases) {
        // The same direction: a whole turn apart at most.
        const double rotation = RadarSweepShape::rotationDegrees(seconds);
        EXPECT_NEAR(std::remainder(rotation - degrees, 360), 0, 1e-9) << seconds;
        EXPECT_GE(rotation, -90) << seconds;
        EXPECT_LT(rotation, 270) << seconds;
    }
}

TEST(RadarSweepShapeTest, TheWedgeRunsFromTheRightEdgeUpwardsBySeventyTwoDegrees) {
    const QRectF frame(0, 0, 200, 100); // radius 50 about (100, 50)
    const QPainterPath wedge = RadarSweepShape::path(frame);
    const auto inside = [&](double degreesUp, double distance) {
        const double radians = degreesUp * M_PI / 180;
        return wedge.contains(
            QPointF(100 + distance * std::cos(radians), 50 - distance * std::sin(radians)));
    };
    EXPECT_TRUE(inside(1, 45));
    EXPECT_TRUE(inside(36, 45));
    EXPECT_TRUE(inside(71, 45));
    EXPECT_FALSE(inside(73, 45));
    EXPECT_FALSE(inside(-1, 45)) << "the wedge lies above its straight edge";
    EXPECT_FALSE(inside(180, 45));
    EXPECT_FALSE(inside(36, 55)) << "the radius is half the smaller side";
    EXPECT_EQ(wedge.currentPosition(), QPointF(100, 50));
}
