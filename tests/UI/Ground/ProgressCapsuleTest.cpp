#include "UI/Ground/ProgressCapsule.h"

#include <gtest/gtest.h>
#include <limits>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

namespace {

const QColor track(0, 0, 255);
const QColor fill(255, 0, 0);

// The number of columns of the bar's middle row that the fill colours.
int filledColumns(ProgressCapsule& bar) {
    QImage image(bar.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    bar.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, image.height() / 2);
        count += pixel.red() > 127 && pixel.blue() < 128 ? 1 : 0;
    }
    return count;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

TEST(ProgressCapsuleTest, TheFractionIsHeldBetweenZeroAndOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, double> cases[] = {
        {0.25, 0.25}, {nan, 0}, {-0.5, 0}, {1.5, 1}, {infinity, 1}, {-infinity, 0}, {1, 1},
    };
    ProgressCapsule bar(track, fill);
    for (const auto& [given, held] : cases) {
        bar.setFraction(0.5);
        bar.setFraction(given);
        EXPECT_EQ(bar.fraction(), held) << given;
    }
}

TEST(ProgressCapsuleTest, TheFillIsTheFractionOfTheTrackAndAtLeastACapsule) {
    const std::pair<double, int> cases[] = {
        {0, 0}, {0.5, 100}, {0.25, 50}, {1, 200}, {0.01, ProgressCapsule::defaultBarHeight},
    };
    ProgressCapsule bar(track, fill);
    bar.resize(200, ProgressCapsule::defaultBarHeight);
    for (const auto& [fraction, columns] : cases) {
        bar.setFraction(fraction);
        EXPECT_NEAR(filledColumns(bar), columns, 1) << fraction;
    }
    // A track narrower than a capsule's minimum still holds the fill.
    bar.setFraction(0.01);
    EXPECT_EQ(bar.fillWidth(4), 4);
}

TEST(ProgressCapsuleTest, ItKeepsItsBarHeightAndExpandsSideways) {
    ProgressCapsule bar(track, fill);
    EXPECT_EQ(bar.sizeHint().height(), ProgressCapsule::defaultBarHeight);
    EXPECT_EQ(bar.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(bar.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    bar.setBarHeight(4);
    EXPECT_EQ(bar.sizeHint().height(), 4);
    EXPECT_EQ(bar.minimumSizeHint(), QSize(4, 4));
}

TEST(ProgressCapsuleTest, ItRepaintsOnlyWhenTheFractionChanges) {
    ProgressCapsule bar(track, fill);
    bar.resize(200, 6);
    bar.setFraction(0.5);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QCoreApplication::processEvents();
    PaintCounter paints;
    bar.installEventFilter(&paints);
    bar.setFraction(0.5);
    bar.setFraction(std::numeric_limits<double>::quiet_NaN());
    bar.setFraction(-1);
    QCoreApplication::processEvents();
    const int whileHeldAtZero = paints.count;
    bar.setFraction(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, whileHeldAtZero);
    bar.setFraction(0.75);
    QCoreApplication::processEvents();
    EXPECT_GT(paints.count, whileHeldAtZero);
}
