#pragma once

#include <array>
#include <optional>

#include <QSize>
#include <QString>

// The four tool windows the toolbox opens, and how each is framed.
enum class ToolWindowKind { wifiRadar, speedTest, channelScan, diagnosticsExport };

struct ToolWindowDescriptor {
    ToolWindowKind kind;
    QString title;
    QString frameAutosaveName;
    QSize contentSize;
    QSize minimumSize;
    // Only the radar window has one: it is the one window of fixed size.
    std::optional<QSize> maximumSize;
    bool isResizable;
};

const std::array<ToolWindowDescriptor, 4>& toolWindowDescriptors();
const ToolWindowDescriptor& toolWindowDescriptor(ToolWindowKind kind);
