#include "UI/PanelRoute.h"

namespace PanelRoutes {

double preferredPopoverHeight(PanelRoute route) {
    switch (route) {
    case PanelRoute::settings:
        return 560;
    case PanelRoute::connectionMonitor:
    case PanelRoute::captivePortal:
        return 430;
    case PanelRoute::dashboard:
    case PanelRoute::toolbox:
        break;
    }
    return 650;
}

QMargins contentPadding(PanelRoute route) {
    const int horizontal = route == PanelRoute::dashboard ? 16 : 14;
    const bool isMonitorPanel =
        route == PanelRoute::connectionMonitor || route == PanelRoute::captivePortal;
    const int bottom = isMonitorPanel ? 8 : 10;
    return {horizontal, 14, horizontal, bottom};
}

} // namespace PanelRoutes
