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

// The test screen is 800 by 800, with no panel.
TEST(PopoverWindowTest, AChangeOfHeightWhileShownKeepsItByItsIconAndOnTheScreen) {
    PopoverWindow popover;
    popover.setContent(new QLabel(QStringLiteral("content")));
    popover.setContentSize(QSize(400, 500));
    const QRect bottomIcon(400, 776, 24, 24);
    popover.showBelow(bottomIcon);
    const struct {
        int height;
        QRect frame;
    } steps[] = {
        {500, {212, 276, 400, 500}}, {320, {212, 456, 400, 320}}, {900, {212, 4, 400, 772}}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.height);
        popover.setContentSize(QSize(400, step.height));
        EXPECT_EQ(popover.geometry(), step.frame);
    }
}

TEST(PopoverWindowTest, ReportsEveryCloseAndHoldsItsContent) {
    PopoverWindow popover;
    int closes = 0;
    popover.setOnClose([&] { ++closes; });
    auto* label = new QLabel(QStringLiteral("content"));
    popover.setContent(label);
    popover.setContentSize(QSize(400, 500));
    popover.showBelow(QRect());
    EXPECT_TRUE(popover.isShown());
    EXPECT_EQ(popover.size(), QSize(400, 500));
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
