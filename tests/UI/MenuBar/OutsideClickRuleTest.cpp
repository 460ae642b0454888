#include "UI/MenuBar/OutsideClickRule.h"

#include <gtest/gtest.h>

#include <QWindow>

TEST(OutsideClickRuleTest, OnlyClicksOutsideThePopoverAndTheStatusIconClose) {
    QWindow popover;
    QWindow statusItem;
    QWindow toolWindow;
    EXPECT_FALSE(OutsideClickRule::closesPopover(&popover, &popover, &statusItem));
    EXPECT_FALSE(OutsideClickRule::closesPopover(&statusItem, &popover, &statusItem));
    EXPECT_TRUE(OutsideClickRule::closesPopover(&toolWindow, &popover, &statusItem));
    // The popover's own pop-ups, however deep, and tooltips are part of it.
    QWindow bubble;
    bubble.setTransientParent(&popover);
    QWindow menuOfBubble;
    menuOfBubble.setTransientParent(&bubble);
    QWindow tooltip;
    tooltip.setFlags(Qt::ToolTip);
    EXPECT_FALSE(OutsideClickRule::closesPopover(&bubble, &popover, &statusItem));
    EXPECT_FALSE(OutsideClickRule::closesPopover(&menuOfBubble, &popover, &statusItem));
    EXPECT_FALSE(OutsideClickRule::closesPopover(&tooltip, &popover, &statusItem));
    // A click without a window, while the status icon has none either, is on the icon.
    EXPECT_FALSE(OutsideClickRule::closesPopover(nullptr, &popover, nullptr));
    EXPECT_TRUE(OutsideClickRule::closesPopover(nullptr, &popover, &statusItem));
}
