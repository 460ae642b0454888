#pragma once

#include <array>

#include <QMargins>

// The panels the popover shows one at a time: the live dashboard and four
// overlays that replace it.
enum class PanelRoute { dashboard, settings, toolbox, connectionMonitor, captivePortal };

namespace PanelRoutes {

inline constexpr std::array<PanelRoute, 5> allCases{
    PanelRoute::dashboard, PanelRoute::settings, PanelRoute::toolbox, PanelRoute::connectionMonitor,
    PanelRoute::captivePortal};

// The popover height, in points, that suits the panel; the host clamps it.
double preferredPopoverHeight(PanelRoute route);

// The space between the panel's edges and its content: 16 pt at the sides of
// the dashboard and 14 pt beside every overlay, 14 pt on top, and 10 pt below
// (8 pt below the connection and captive-portal panels).
QMargins contentPadding(PanelRoute route);

} // namespace PanelRoutes
