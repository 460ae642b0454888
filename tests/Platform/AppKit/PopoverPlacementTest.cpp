#include "Platform/AppKit/PopoverPlacement.h"

#include <gtest/gtest.h>

// Opened at one height, then resized: it keeps its side and its edge by the
// icon, and stays inside the available area, or the whole screen where that
// area is empty, a few pixels from each of its edges but the icon's. Beside a side panel it stands
// beside the icon with the screen's height as its room. (Shrinking and cutting by a tray at the
// bottom: PopoverWindowTest.)
TEST(PopoverPlacementTest, ByTheIconItKeepsItsSideAndItsNearEdgeAtEveryHeight) {
    const QRect screen(0, 0, 1920, 1080);
    const QRect topIcon(1000, 0, 24, 24);
    const QRect bottomIcon(1000, 1056, 24, 24);
    const QRect shortScreenBelowPanel(0, 24, 1280, 576);
    const struct {
        const char* name;
        QRect icon;
        QRect area;
        int openedAt;
        int height;
        QRect frame;
    } cases[] = {
        {"top tray, grown", topIcon, screen, 430, 700, {812, 24, 400, 700}},
        {"near the right edge", {1900, 0, 20, 24}, screen, 650, 650, {1516, 24, 400, 650}},
        {"bottom tray", bottomIcon, screen, 650, 650, {812, 406, 400, 650}},
        {"bottom tray, grown", bottomIcon, screen, 430, 650, {812, 406, 400, 650}},
        {"short screen", {600, 0, 24, 24}, shortScreenBelowPanel, 650, 650, {412, 24, 400, 572}},
        {"no usable area", topIcon, QRect(), 650, 650, {812, 24, 400, 650}},
        {"left panel", {3, 520, 24, 24}, {30, 0, 1890, 1080}, 700, 700, {30, 182, 400, 700}},
        {"right panel", {1893, 520, 24, 24}, {0, 0, 1890, 1080}, 430, 700, {1490, 182, 400, 700}},
    };
    for (const auto& testCase : cases) {
        const auto placement = PopoverPlacement::byIcon(
            testCase.icon, QSize(400, testCase.openedAt), screen, testCase.area);
        EXPECT_EQ(placement.frame(QSize(400, testCase.height)), testCase.frame) << testCase.name;
    }
}

// A StatusNotifier host gives no icon geometry: the popover opens beside the
// pointer, away from the nearest screen edge, inside the available area.
TEST(PopoverPlacementTest, WithoutIconGeometryItOpensBesideThePointerOnTheClickedEdge) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(400, 650);
    struct Case {
        const char* name;
        QPoint pointer;
        QRect area;
        QPoint expected;
        int height = 650;
    };
    const Case cases[] = {
        {"top panel, left end", {12, 12}, screen, {4, 28}},
        {"top panel, middle", {1000, 12}, screen, {800, 28}},
        {"top panel with its area reserved", {1000, 12}, {0, 30, 1920, 1050}, {800, 30}},
        {"bottom panel", {1000, 1066}, screen, {800, 400}},
        {"bottom panel with its area reserved", {1000, 1066}, {0, 0, 1920, 1036}, {800, 386}},
        {"left panel", {14, 500}, screen, {30, 175}},
        {"top panel, in the corner nearer the side", {7, 14}, screen, {4, 30}},
        {"bottom panel, right corner", {1915, 1070}, screen, {1516, 404}},
        {"right panel", {1906, 300}, {0, 0, 1892, 1080}, {1490, 4}},
        {"right panel, near the top", {1906, 40}, {0, 0, 1892, 1080}, {1488, 56}},
        {"away from every edge, nearest the top", {900, 500}, screen, {700, 516}, 560},
        {"second screen's top panel", {2500, 10}, {1920, 0, 1920, 1080}, {2300, 26}},
        {"no usable area", {1000, 12}, QRect(), {800, 28}},
    };
    for (const auto& testCase : cases) {
        const QRect geometry = testCase.area.x() >= 1920 ? QRect(1920, 0, 1920, 1080) : screen;
        const auto placement =
            PopoverPlacement::atPointer(testCase.pointer, geometry, testCase.area);
        EXPECT_EQ(placement.frame(size), QRect(testCase.expected, QSize(400, testCase.height)))
            << testCase.name;
    }
}
