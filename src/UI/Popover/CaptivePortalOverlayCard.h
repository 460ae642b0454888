#pragma once

#include "UI/Popover/CaptivePortalCardContent.h"

#include <functional>

#include <QWidget>

class MetricRow;
class OneLineLabel;
class OverlayCardHeader;
class SignalQualityBadge;
class WrappingLabel;

// The captive-portal panel: what the latest successful check found (state,
// reason, portal URL as text, time of the check) with a grade badge and a
// status line. Back returns to the toolbox; nothing here opens a URL.
class CaptivePortalOverlayCard : public QWidget {
    Q_OBJECT
public:
    CaptivePortalOverlayCard(CaptivePortalCardContent content, std::function<void()> onClose,
                             QWidget* parent = nullptr);

    void setContent(const CaptivePortalCardContent& content);

    OverlayCardHeader* header() const { return header_; }
    SignalQualityBadge* badge() const { return badge_; }
    MetricRow* stateRow() const { return state_; }
    MetricRow* reasonRow() const { return reason_; }
    OneLineLabel* portalURLLabel() const { return portalURL_; }
    MetricRow* lastCheckRow() const { return lastCheck_; }
    WrappingLabel* statusLine() const { return status_; }

private:
    OverlayCardHeader* header_;
    SignalQualityBadge* badge_;
    MetricRow* state_;
    MetricRow* reason_;
    OneLineLabel* portalURL_;
    MetricRow* lastCheck_;
    WrappingLabel* status_;
};
