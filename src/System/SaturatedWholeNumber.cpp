#include "System/SaturatedWholeNumber.h"

#include <limits>

namespace {
// 2^63: the first real that no longer fits a signed 64-bit integer.
constexpr double firstUnrepresentable = 9223372036854775808.0;
} // namespace

std::int64_t saturatedWholeNumber(double value, std::int64_t minimum) {
    if (!(value > static_cast<double>(minimum))) {
        return minimum;
    }
    if (value >= firstUnrepresentable) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(value);
}
