#pragma once

#include "UI/Popover/ConnectionMonitorCardContent.h"

#include <array>
#include <functional>

#include <QWidget>

class MetricTrendRow;
class OverlayCardHeader;
class SignalQualityBadge;
class WrappingLabel;

// The connection-pressure panel: the TCP state counts of the latest result,
// their total and the orphaned count, each beside its history on one shared
// scale, the grade as a badge and a status line. Back returns to the toolbox.
class ConnectionMonitorOverlayCard : public QWidget {
    Q_OBJECT
public:
    ConnectionMonitorOverlayCard(ConnectionMonitorCardContent content,
                                 std::function<void()> onClose, QWidget* parent = nullptr);

    void setContent(ConnectionMonitorCardContent content);

    OverlayCardHeader* header() const { return header_; }
    SignalQualityBadge* badge() const { return badge_; }
    const std::array<MetricTrendRow*, 5>& rows() const { return rows_; }
    WrappingLabel* statusLine() const { return status_; }

private:
    OverlayCardHeader* header_;
    SignalQualityBadge* badge_;
    std::array<MetricTrendRow*, 5> rows_{};
    WrappingLabel* status_;
};
