#include "Platform/AppKit/PopoverWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

TEST(PopoverWindowTest, OpensBelowTheIconCentredAndStaysOnScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(400, 650);
    EXPECT_EQ(PopoverWindow::placement(QRect(1000, 0, 24, 24), size, screen), QPoint(812, 24));
    // Near the right edge the popover is pushed back onto the screen.
    EXPECT_EQ(PopoverWindow::placement(QRect(1900, 0, 20, 24), size, screen), QPoint(1520, 24));
    // A tray at the bottom: the popover opens above the icon.
    EXPECT_EQ(PopoverWindow::placement(QRect(1000, 1056, 24, 24), size, screen), QPoint(812, 406));
    // Without a position from the tray: the top right of the screen.
    EXPECT_EQ(PopoverWindow::placement(QRect(), size, screen), QPoint(1511, 8));
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
