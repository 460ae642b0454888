#include "UI/MenuBar/ToolWindowKind.h"

const std::array<ToolWindowSpecification, 4>& toolWindowSpecifications() {
    static const std::array<ToolWindowSpecification, 4> specifications{{
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
         {860, 580},
         std::nullopt,
         true},
    }};
    return specifications;
}

const ToolWindowSpecification& toolWindowSpecification(ToolWindowKind kind) {
    return toolWindowSpecifications()[static_cast<std::size_t>(kind)];
}
