#pragma once

#include "UI/Popover/ConnectionMonitorCardContent.h"

#include <array>
#include <optional>
#include <vector>

#include <QColor>
#include <QString>

// The rows of the connection monitor card, computed from its content.
namespace ConnectionMonitorCardModel {

struct MetricLine {
    QString title;
    QString value;
    std::vector<double> samples;
    QColor strokeColor;

    bool operator==(const MetricLine&) const = default;
};

// Established, TIME_WAIT, CLOSE_WAIT, Total and Orphaned, in that order; the
// divider sits between the third and the fourth. Values are plain decimal
// integers, "—" each without a result.
std::array<MetricLine, 5> metricLines(const ConnectionMonitorCardContent& content);
inline constexpr std::size_t dividerPosition = 3;

// The result's grade; no badge without a result.
std::optional<SignalQuality> badgeQuality(const ConnectionMonitorCardContent& content);

} // namespace ConnectionMonitorCardModel
