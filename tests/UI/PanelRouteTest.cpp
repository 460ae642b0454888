#include "UI/PanelRoute.h"

#include <gtest/gtest.h>

TEST(PanelRouteTest, CasesComeInDeclarationOrder) {
    EXPECT_EQ(
        PanelRoutes::allCases,
        (std::array<PanelRoute, 5>{PanelRoute::dashboard, PanelRoute::settings, PanelRoute::toolbox,
                                   PanelRoute::connectionMonitor, PanelRoute::captivePortal}));
}

TEST(PanelRouteTest, EachPanelAsksForItsOwnHeight) {
    EXPECT_EQ(PanelRoutes::preferredPopoverHeight(PanelRoute::dashboard), 650);
    EXPECT_EQ(PanelRoutes::preferredPopoverHeight(PanelRoute::settings), 560);
    EXPECT_EQ(PanelRoutes::preferredPopoverHeight(PanelRoute::toolbox), 650);
    EXPECT_EQ(PanelRoutes::preferredPopoverHeight(PanelRoute::connectionMonitor), 430);
    EXPECT_EQ(PanelRoutes::preferredPopoverHeight(PanelRoute::captivePortal), 430);
}

TEST(PanelRouteTest, TheDashboardIsPaddedWiderAndTheMonitorPanelsShorterBelow) {
    EXPECT_EQ(PanelRoutes::contentPadding(PanelRoute::dashboard), QMargins(16, 14, 16, 10));
    EXPECT_EQ(PanelRoutes::contentPadding(PanelRoute::settings), QMargins(14, 14, 14, 10));
    EXPECT_EQ(PanelRoutes::contentPadding(PanelRoute::toolbox), QMargins(14, 14, 14, 10));
    EXPECT_EQ(PanelRoutes::contentPadding(PanelRoute::connectionMonitor), QMargins(14, 14, 14, 8));
    EXPECT_EQ(PanelRoutes::contentPadding(PanelRoute::captivePortal), QMargins(14, 14, 14, 8));
}
