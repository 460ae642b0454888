#pragma once

#include "UI/Popover/CapsuleBadge.h"

// The overall health state as a capsule badge; a change of state is carried
// along the state-change spring.
class HealthStateBadge : public CapsuleBadge {
    Q_OBJECT
public:
    explicit HealthStateBadge(HealthState state, QWidget* parent = nullptr)
        : CapsuleBadge(BadgeContent::forHealthState(state), parent) {
        setTransitionSpring(Springs::stateChange);
    }

    void setState(HealthState state) { setContent(BadgeContent::forHealthState(state)); }
};
