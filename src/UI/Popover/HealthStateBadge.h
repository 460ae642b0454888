#pragma once

#include "UI/Popover/CapsuleBadge.h"

// The overall health state as a capsule badge.
class HealthStateBadge : public CapsuleBadge {
    Q_OBJECT
public:
    explicit HealthStateBadge(HealthState state, QWidget* parent = nullptr)
        : CapsuleBadge(BadgeContent::forHealthState(state), parent) {}

    void setState(HealthState state) { setContent(BadgeContent::forHealthState(state)); }
};
