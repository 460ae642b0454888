#pragma once

#include <chrono>

// A damped spring that carries a change from its old value to its new one:
// `response` is the period, in seconds, of its undamped swing and
// `dampingFraction` how much of that swing is damped (1 settles without
// overshoot, less overshoots a little).
struct Spring {
    double response = 0.2;
    double dampingFraction = 0.85;

    // How far along the change is after `seconds`: 0 at the start, 1 at rest;
    // an underdamped spring passes 1 briefly on the way.
    double progress(double seconds) const;
    // From when on the spring stays within a thousandth of rest.
    std::chrono::milliseconds settlingTime() const;
};

namespace Springs {

// The popover's monitoring switch and health state changes.
inline constexpr Spring stateChange{0.2, 0.85};
// The popover's change of panel.
inline constexpr Spring panelChange{0.18, 0.85};

} // namespace Springs
