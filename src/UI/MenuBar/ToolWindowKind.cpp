#include "UI/MenuBar/ToolWindowKind.h"

const std::array<ToolWindowDescriptor, 4>& toolWindowDescriptors() {
    static const std::array<ToolWindowDescriptor, 4> descriptors{{
        {ToolWindowKind::wifiRadar,
         QStringLiteral("Wi-Fi Radar"),
         QStringLiteral("pelmor.wifiRadar.windowFrame"),
         {1080, 680},
         {1080, 680},
         QSize(1080, 680),
         false},
        {ToolWindowKind::speedTest,
         QStringLiteral("Speed Test"),
         QStringLiteral("pelmor.speedTest.windowFrame"),
         {980, 680},
         {860, 580},
         std::nullopt,
         true},
        {ToolWindowKind::channelScan,
         QStringLiteral("Channel Scan"),
         QStringLiteral("pelmor.channelScan.windowFrame"),
         {960, 680},
         {860, 580},
         std::nullopt,
         true},
        {ToolWindowKind::diagnosticsExport,
         QStringLiteral("Diagnostics Export"),
         QStringLiteral("pelmor.diagnosticsExport.windowFrame"),
         {1020, 700},
         {980, 660},
         std::nullopt,
         true},
    }};
    return descriptors;
}

const ToolWindowDescriptor& toolWindowDescriptor(ToolWindowKind kind) {
    return toolWindowDescriptors()[static_cast<std::size_t>(kind)];
}
