#include "Platform/CoreWLAN/SeededNoise.h"

#include <cmath>
#include <numbers>

namespace {

// The finaliser of SplitMix64: every input bit affects every output bit.
std::uint64_t mix(std::uint64_t value) {
    value ^= value >> 30;
    value *= 0xBF58476D1CE4E5B9ULL;
    value ^= value >> 27;
    value *= 0x94D049BB133111EBULL;
    value ^= value >> 31;
    return value;
}

} // namespace

namespace SeededNoise {

double uniform(std::uint64_t seed, std::uint64_t stream, std::int64_t position) {
    const std::uint64_t key =
        mix(seed + 0x9E3779B97F4A7C15ULL * (stream + 1)) ^ static_cast<std::uint64_t>(position);
    // The top 53 bits make a double in [0, 1) with every value equally likely.
    return static_cast<double>(mix(key) >> 11) * 0x1.0p-53;
}

double smooth(std::uint64_t seed, std::uint64_t stream, double seconds, double period) {
    const double knots = seconds / period;
    const double floorKnot = std::floor(knots);
    const auto position = static_cast<std::int64_t>(floorKnot);
    const double from = 2 * uniform(seed, stream, position) - 1;
    const double to = 2 * uniform(seed, stream, position + 1) - 1;
    const double weight = (1 - std::cos((knots - floorKnot) * std::numbers::pi)) / 2;
    return from + (to - from) * weight;
}

} // namespace SeededNoise
