#include "UI/Popover/ToolboxTool.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

// Callbacks that record which of them ran, by name.
struct RecordingActions {
    QStringList calls;

    ToolboxActions actions() {
        const auto record = [this](const QString& name) {
            return [this, name] { calls.append(name); };
        };
        return {.onOpenWiFiRadar = record(u"radar"_s),
                .onOpenDiagnosticsExport = record(u"export"_s),
                .onOpenSpeedTest = record(u"speed"_s),
                .onOpenChannelScan = record(u"channels"_s),
                .onOpenConnectionMonitor = record(u"connections"_s),
                .onOpenCaptivePortal = record(u"portal"_s),
                .onClose = record(u"close"_s)};
    }
};

} // namespace

TEST(ToolboxToolTest, SixToolsInDisplayOrder) {
    RecordingActions recording;
    const std::vector<ToolboxTool> tools = ToolboxTool::all(recording.actions());
    ASSERT_EQ(tools.size(), 6u);
    const QStringList titles{u"Wi-Fi Radar"_s,        u"Channel Scan"_s,   u"Speed Test"_s,
                             u"Connection Monitor"_s, u"Captive Portal"_s, u"Diagnostics Export"_s};
    const QStringList symbols{u"scope"_s,
                              u"dot.radiowaves.left.and.right"_s,
                              u"speedometer"_s,
                              u"point.3.connected.trianglepath.dotted"_s,
                              u"wifi.exclamationmark"_s,
                              u"square.and.arrow.up.on.square"_s};
    for (std::size_t index = 0; index < tools.size(); ++index) {
        EXPECT_EQ(tools[index].title, titles[qsizetype(index)]);
        EXPECT_EQ(tools[index].symbolName, symbols[qsizetype(index)]);
    }
    EXPECT_EQ(tools[0].subtitle,
              u"Live signal radar and nearby network crowding in a dedicated window."_s);
    EXPECT_EQ(tools[2].subtitle,
              u"Measure throughput and bufferbloat in a dedicated Cloudflare window."_s);
    EXPECT_EQ(tools[5].subtitle, u"Collect current network diagnostics and export them as JSON."_s);
}

// The rows are shown in a different order from the callbacks handed over.
TEST(ToolboxToolTest, EachToolCallsItsOwnCallbackOnly) {
    RecordingActions recording;
    const std::vector<ToolboxTool> tools = ToolboxTool::all(recording.actions());
    for (const ToolboxTool& tool : tools) {
        tool.action();
    }
    EXPECT_EQ(recording.calls, (QStringList{u"radar"_s, u"channels"_s, u"speed"_s, u"connections"_s,
                                            u"portal"_s, u"export"_s}));
}
