#include "UI/MenuBar/ToolWindowKind.h"

#include <gtest/gtest.h>

TEST(ToolWindowKindTest, EachWindowHasItsTitleAutosaveNameAndSizes) {
    const auto& radar = toolWindowDescriptor(ToolWindowKind::wifiRadar);
    EXPECT_EQ(radar.title, "Wi-Fi Radar");
    EXPECT_EQ(radar.frameAutosaveName, "pelmor.wifiRadar.windowFrame");
    EXPECT_EQ(radar.contentSize, QSize(1080, 680));
    EXPECT_EQ(radar.minimumSize, QSize(1080, 680));
    EXPECT_EQ(radar.maximumSize, QSize(1080, 680));
    EXPECT_FALSE(radar.isResizable);

    const auto& speed = toolWindowDescriptor(ToolWindowKind::speedTest);
    EXPECT_EQ(speed.title, "Speed Test");
    EXPECT_EQ(speed.frameAutosaveName, "pelmor.speedTest.windowFrame");
    EXPECT_EQ(speed.contentSize, QSize(980, 680));
    EXPECT_EQ(speed.minimumSize, QSize(860, 580));
    EXPECT_FALSE(speed.maximumSize.has_value());

    const auto& scan = toolWindowDescriptor(ToolWindowKind::channelScan);
    EXPECT_EQ(scan.title, "Channel Scan");
    EXPECT_EQ(scan.frameAutosaveName, "pelmor.channelScan.windowFrame");
    EXPECT_EQ(scan.contentSize, QSize(960, 680));

    const auto& exportWindow = toolWindowDescriptor(ToolWindowKind::diagnosticsExport);
    EXPECT_EQ(exportWindow.title, "Diagnostics Export");
    EXPECT_EQ(exportWindow.frameAutosaveName, "pelmor.diagnosticsExport.windowFrame");
    EXPECT_EQ(exportWindow.contentSize, QSize(1020, 700));
    // The window holds its content, which needs at least 980 by 660.
    EXPECT_EQ(exportWindow.minimumSize, QSize(980, 660));
    EXPECT_TRUE(exportWindow.isResizable);
}
