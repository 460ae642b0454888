#include "UI/Ground/Spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double restTolerance = 0.001;

double angularFrequency(double response) {
    return 2 * std::numbers::pi / std::max(response, 1e-3);
}

// Damping from nearly none to just under critical, where the closed form
// below holds.
double boundedDamping(double dampingFraction) {
    return std::clamp(dampingFraction, 0.05, 0.99);
}

} // namespace

double Spring::progress(double seconds) const {
    if (seconds <= 0) {
        return 0;
    }
    const double omega = angularFrequency(response);
    const double zeta = boundedDamping(dampingFraction);
    const double dampedOmega = omega * std::sqrt(1 - zeta * zeta);
    const double decay = std::exp(-zeta * omega * seconds);
    return 1 - decay * (std::cos(dampedOmega * seconds) +
                        zeta * omega / dampedOmega * std::sin(dampedOmega * seconds));
}

std::chrono::milliseconds Spring::settlingTime() const {
    const double omega = angularFrequency(response);
    const double zeta = boundedDamping(dampingFraction);
    // The swing around rest never exceeds its envelope, which starts at
    // 1 / sqrt(1 - zeta^2) and decays by e^(-zeta omega t).
    const double amplitude = 1 / std::sqrt(1 - zeta * zeta);
    const double seconds = std::log(amplitude / restTolerance) / (zeta * omega);
    return std::chrono::milliseconds(static_cast<long>(std::ceil(seconds * 1000)));
}
