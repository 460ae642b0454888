#pragma once

#include "UI/Popover/CapsuleBadge.h"

// One metric's grade as a capsule badge.
class SignalQualityBadge : public CapsuleBadge {
    Q_OBJECT
public:
    explicit SignalQualityBadge(SignalQuality quality, QWidget* parent = nullptr)
        : CapsuleBadge(BadgeContent::forSignalQuality(quality), parent) {}

    void setQuality(SignalQuality quality) { setContent(BadgeContent::forSignalQuality(quality)); }
};
