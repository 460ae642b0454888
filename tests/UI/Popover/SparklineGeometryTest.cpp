#include "UI/Popover/SparklineGeometry.h"

#include <gtest/gtest.h>
#include <limits>

using namespace SparklineGeometry;
using Series = std::vector<double>;

namespace {

const QSizeF size(164, 20);
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

std::vector<QPointF> elementsOf(const QPainterPath& path) {
    std::vector<QPointF> result;
    for (int index = 0; index < path.elementCount(); ++index) {
        result.emplace_back(path.elementAt(index));
    }
    return result;
}

} // namespace

TEST(SparklineGeometryTest, EveryDrawingHasAtLeastTwoPoints) {
    EXPECT_EQ(effectiveSamples({}), (Series{0, 0}));
    EXPECT_EQ(effectiveSamples({42}), (Series{42, 42}));
    EXPECT_EQ(effectiveSamples({1, 2, 3}), (Series{1, 2, 3}));
    EXPECT_EQ(effectiveSamples({notANumber, 7}), (Series{7, 7}));
}

TEST(SparklineGeometryTest, WithADomainSamplesArePlacedByTheirShareOfIt) {
    EXPECT_EQ(normalizedValues({0, 25, 100}, ClosedRange{0, 100}), (Series{0, 0.25, 1}));
    EXPECT_EQ(normalizedValues({-60, -95, -30}, ClosedRange{-95, -30}), (Series{35.0 / 65, 0, 1}));
    EXPECT_EQ(normalizedValues({42}, ClosedRange{0, 100}), (Series{0.42, 0.42}));
}

TEST(SparklineGeometryTest, SamplesOutsideTheDomainAreHeldAtItsEdges) {
    EXPECT_EQ(normalizedValues({150, -5, 50}, ClosedRange{0, 100}), (Series{1, 0, 0.5}));
}

TEST(SparklineGeometryTest, ADomainWithoutWidthDrawsAFlatLineAtMidHeight) {
    EXPECT_EQ(normalizedValues({10, 90, 30}, ClosedRange{50, 50}), (Series{0.5, 0.5, 0.5}));
    EXPECT_EQ(normalizedValues({10}, ClosedRange{80, 20}), (Series{0.5, 0.5}));
    EXPECT_EQ(normalizedValues({10}, ClosedRange{-std::numeric_limits<double>::infinity(),
                                                 std::numeric_limits<double>::infinity()}),
              (Series{0.5, 0.5}));
}

TEST(SparklineGeometryTest, WithoutADomainTheSeriesFillsItsOwnExtent) {
    EXPECT_EQ(normalizedValues({3, 5, 4}, std::nullopt), (Series{0, 1, 0.5}));
    EXPECT_EQ(normalizedValues({7}, std::nullopt), (Series{0.5, 0.5}));
}

// Nothing measured lies on the bottom edge; placed as a reading of 0 it would
// fill a range below zero (signal, noise) to the top.
TEST(SparklineGeometryTest, NoReadingsLieOnTheBottomEdgeWhateverTheScaling) {
    EXPECT_EQ(normalizedValues({}, ClosedRange{0, 100}), (Series{0, 0}));
    EXPECT_EQ(normalizedValues({}, ClosedRange{-110, -70}), (Series{0, 0}));
    EXPECT_EQ(normalizedValues({}, std::nullopt), (Series{0, 0}));
    EXPECT_EQ(normalizedValues({notANumber}, ClosedRange{-95, -30}), (Series{0, 0}));
}

TEST(SparklineGeometryTest, PointsSpanTheWidthWithYGrowingDownward) {
    EXPECT_EQ(points({0, 0.5, 1}, size), (std::vector<QPointF>{{0, 20}, {82, 10}, {164, 0}}));
    EXPECT_EQ(points({0.25, 0.25}, QSizeF(100, 40)), (std::vector<QPointF>{{0, 30}, {100, 30}}));
    EXPECT_EQ(points({}, size), std::vector<QPointF>{});
}

TEST(SparklineGeometryTest, OneSampleIsAHorizontalLineAcrossTheWholeWidth) {
    const QPainterPath line = linePath(normalizedValues({42}, ClosedRange{0, 100}), size);
    const std::vector<QPointF> vertices = elementsOf(line);
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_EQ(vertices[0].x(), 0);
    EXPECT_EQ(vertices[1].x(), 164);
    EXPECT_DOUBLE_EQ(vertices[0].y(), 20 * (1 - 0.42));
    EXPECT_DOUBLE_EQ(vertices[1].y(), vertices[0].y());
}

TEST(SparklineGeometryTest, TheAreaRunsFromTheBaselineThroughThePointsAndBack) {
    const QPainterPath area = areaPath({0, 1, 0.5}, size);
    EXPECT_EQ(baselineY(size), 19.5);
    EXPECT_EQ(
        elementsOf(area),
        (std::vector<QPointF>{{0, 19.5}, {0, 20}, {82, 0}, {164, 10}, {164, 19.5}, {0, 19.5}}));
}

TEST(SparklineGeometryTest, NoSamplesGiveASliverBetweenTheBottomEdgeAndTheBaseline) {
    const Series values = normalizedValues({}, ClosedRange{0, 100});
    EXPECT_EQ(elementsOf(linePath(values, size)), (std::vector<QPointF>{{0, 20}, {164, 20}}));
    const QRectF area = areaPath(values, size).boundingRect();
    EXPECT_EQ(area, QRectF(0, 19.5, 164, 0.5));
}

TEST(SparklineGeometryTest, PathsAreEmptyWithoutValues) {
    EXPECT_TRUE(areaPath({}, size).isEmpty());
    EXPECT_TRUE(linePath({}, size).isEmpty());
}
