#include "UI/Popover/ToolboxTool.h"

std::vector<ToolboxTool> ToolboxTool::all(const ToolboxActions& actions) {
    return {
        {QStringLiteral("scope"), QStringLiteral("Wi-Fi Radar"),
         QStringLiteral("Live signal radar and nearby network crowding in a dedicated window."),
         actions.onOpenWiFiRadar},
        {QStringLiteral("dot.radiowaves.left.and.right"), QStringLiteral("Channel Scan"),
         QStringLiteral("Scan nearby networks and suggest a cleaner channel."),
         actions.onOpenChannelScan},
        {QStringLiteral("speedometer"), QStringLiteral("Speed Test"),
         QStringLiteral("Measure throughput and bufferbloat in a dedicated Cloudflare window."),
         actions.onOpenSpeedTest},
        {QStringLiteral("point.3.connected.trianglepath.dotted"),
         QStringLiteral("Connection Monitor"),
         QStringLiteral("Track TCP connection pressure from netstat states."),
         actions.onOpenConnectionMonitor},
        {QStringLiteral("wifi.exclamationmark"), QStringLiteral("Captive Portal"),
         QStringLiteral("Detect redirects and injected portal login pages."),
         actions.onOpenCaptivePortal},
        {QStringLiteral("square.and.arrow.up.on.square"), QStringLiteral("Diagnostics Export"),
         QStringLiteral("Collect current network diagnostics and export them as JSON."),
         actions.onOpenDiagnosticsExport},
    };
}
