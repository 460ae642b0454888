#pragma once

#include <functional>

// What the popover's views ask of the menu-bar controller.
struct PopoverCallbacks {
    std::function<void(double)> onPreferredPopoverHeightChange;
    std::function<void()> onOpenWiFiRadar;
    std::function<void()> onOpenSpeedTestWindow;
    std::function<void()> onOpenChannelScanWindow;
    std::function<void()> onOpenDiagnosticsExport;
    std::function<void()> onQuit;
};
