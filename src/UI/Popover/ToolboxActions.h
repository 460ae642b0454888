#pragma once

#include <functional>

// The toolbox card's callbacks, in the order its owner hands them over.
struct ToolboxActions {
    std::function<void()> onOpenWiFiRadar;
    std::function<void()> onOpenDiagnosticsExport;
    std::function<void()> onOpenSpeedTest;
    std::function<void()> onOpenChannelScan;
    std::function<void()> onOpenConnectionMonitor;
    std::function<void()> onOpenCaptivePortal;
    std::function<void()> onClose;
};
