#include "Platform/AppKit/PopoverWindow.h"

#include "Platform/AppKit/PopoverContentShaping.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRegion>

namespace {

struct FakeCompositing final : CompositingChecking {
    bool compositing = true;
    bool isCompositing() const override { return compositing; }
};

// Draws a rectangle 10 pt in from every side.
class InsetContent final : public QWidget, public PopoverContentShaping {
public:
    QPainterPath visibleShape(QSizeF size) const override {
        QPainterPath path;
        path.addRect(QRectF(QPointF(0, 0), size).adjusted(10, 10, -10, -10));
        return path;
    }
};

} // namespace

TEST(PopoverWindowTest, OpensBelowTheIconCentredAndStaysOnScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(400, 650);
    EXPECT_EQ(PopoverWindow::placement(QRect(1000, 0, 24, 24), size, screen), QPoint(812, 24));
    // Near the right edge the popover is pushed back onto the screen.
    EXPECT_EQ(PopoverWindow::placement(QRect(1900, 0, 20, 24), size, screen), QPoint(1520, 24));
    // A tray at the bottom: the popover opens above the icon.
    EXPECT_EQ(PopoverWindow::placement(QRect(1000, 1056, 24, 24), size, screen), QPoint(812, 406));
}

// A StatusNotifier host gives no icon geometry: the popover opens beside the
// pointer, away from the nearest screen edge, inside the available area.
TEST(PopoverWindowTest, WithoutIconGeometryOpensBesideThePointerOnTheClickedEdge) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(400, 650);
    struct Case {
        const char* name;
        QPoint pointer;
        QRect area;
        QPoint expected;
    };
    const Case cases[] = {
        {"top panel, left end", {12, 12}, screen, {0, 28}},
        {"top panel, middle", {1000, 12}, screen, {800, 28}},
        {"top panel with its area reserved", {1000, 12}, {0, 30, 1920, 1050}, {800, 30}},
        {"bottom panel", {1000, 1066}, screen, {800, 400}},
        {"bottom panel with its area reserved", {1000, 1066}, {0, 0, 1920, 1036}, {800, 386}},
        {"left panel", {14, 500}, screen, {30, 175}},
        {"top panel, in the corner nearer the side", {7, 14}, screen, {0, 30}},
        {"bottom panel, right corner", {1915, 1070}, screen, {1520, 404}},
        {"right panel", {1906, 300}, {0, 0, 1892, 1080}, {1490, 0}},
        {"right panel, near the top", {1906, 40}, {0, 0, 1892, 1080}, {1492, 56}},
        {"away from every edge, nearest the top", {900, 500}, screen, {700, 430}},
        {"second screen's top panel", {2500, 10}, {1920, 0, 1920, 1080}, {2300, 26}},
    };
    for (const auto& testCase : cases) {
        const QRect geometry = testCase.area.x() >= 1920 ? QRect(1920, 0, 1920, 1080) : screen;
        EXPECT_EQ(
            PopoverWindow::placementAtPointer(testCase.pointer, size, geometry, testCase.area),
            testCase.expected)
            << testCase.name;
    }
}

TEST(PopoverWindowTest, ReportsEveryCloseAndHoldsItsContent) {
    PopoverWindow popover;
    int closes = 0;
    popover.setOnClose([&] { ++closes; });
    auto* label = new QLabel(QStringLiteral("content"));
    popover.setContent(label);
    popover.setContentSize(QSize(400, 650));
    popover.showBelow(QRect());
    EXPECT_TRUE(popover.isShown());
    EXPECT_EQ(popover.size(), QSize(400, 650));
    EXPECT_EQ(popover.content(), label);
    popover.performClose();
    EXPECT_FALSE(popover.isShown());
    popover.performClose();
    EXPECT_EQ(closes, 1);
}

TEST(PopoverWindowTest, EscapeClosesItOtherKeysDoNot) {
    const struct {
        Qt::Key key;
        bool closes;
    } cases[] = {{Qt::Key_Escape, true}, {Qt::Key_A, false}, {Qt::Key_Return, false}};
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.key);
        PopoverWindow popover;
        int closes = 0;
        popover.setOnClose([&] { ++closes; });
        auto* label = new QLabel(QStringLiteral("content"));
        popover.setContent(label);
        popover.showBelow(QRect());
        // Sent to the content, which takes no keys: it reaches the window.
        QKeyEvent press(QEvent::KeyPress, testCase.key, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        EXPECT_EQ(popover.isShown(), !testCase.closes);
        EXPECT_EQ(closes, testCase.closes ? 1 : 0);
    }
}

TEST(PopoverWindowTest, WithoutACompositorItIsShapedToWhatItsContentDraws) {
    const auto compositing = std::make_shared<FakeCompositing>();
    PopoverWindow popover(compositing);
    popover.setContent(new InsetContent);
    popover.setContentSize(QSize(400, 300));
    const QRegion inset(10, 10, 380, 280);
    const struct {
        const char* what;
        bool compositing;
        QSize size;
        QRegion mask;
    } cases[] = {
        {"a compositor runs", true, QSize(400, 300), QRegion()},
        {"none runs", false, QSize(400, 300), inset},
        {"none runs, taller", false, QSize(400, 500), QRegion(10, 10, 380, 480)},
        {"one started", true, QSize(400, 500), QRegion()},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        compositing->compositing = testCase.compositing;
        popover.showBelow(QRect());
        popover.setContentSize(testCase.size);
        EXPECT_EQ(popover.mask(), testCase.mask);
        popover.performClose();
    }
    EXPECT_TRUE(popover.testAttribute(Qt::WA_TranslucentBackground));
}
