#include "Core/TaskSleeper.h"

#include "Platform/Async/Sleep.h"

#include <limits>

namespace {
constexpr double nanosecondsPerSecond = 1'000'000'000.0;
// 2^64: the first value that no longer fits an unsigned 64-bit count.
constexpr double firstUnrepresentableCount = 18446744073709551616.0;
} // namespace

std::uint64_t TaskSleeper::nanoseconds(double seconds) noexcept {
    if (!(seconds > 0)) {
        return 0;
    }
    const double count = seconds * nanosecondsPerSecond;
    if (count >= firstUnrepresentableCount) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(count);
}

Async::Task<void> TaskSleeper::sleep(double seconds) {
    const std::uint64_t count = nanoseconds(seconds);
    if (count == 0) {
        co_return;
    }
    co_await Async::sleep(count);
}
