#pragma once

#include <cstdint>

// A whole number of `value`'s integral part, at least `minimum`: NaN gives
// `minimum`, and anything beyond the 64-bit range the largest count.
std::int64_t saturatedWholeNumber(double value, std::int64_t minimum);
