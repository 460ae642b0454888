#pragma once

#include <cstdint>

// Repeatable pseudo-random values: the same seed, stream and position always
// give the same value, on every run.
namespace SeededNoise {

// A value in [0, 1) for one position of one stream.
double uniform(std::uint64_t seed, std::uint64_t stream, std::int64_t position);

// A value in [-1, 1] that wanders smoothly over time: random values at every
// whole multiple of `period` seconds, joined by cosine interpolation.
double smooth(std::uint64_t seed, std::uint64_t stream, double seconds, double period);

} // namespace SeededNoise
