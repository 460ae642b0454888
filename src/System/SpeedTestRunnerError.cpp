#include "System/SpeedTestRunnerError.h"

#include <array>

const char* SpeedTestRunnerError::what() const noexcept {
    static constexpr std::array<const char*, 3> descriptions{
        "the speed-test request is invalid",
        "the speed-test service gave an invalid response",
        "the speed test transferred no data",
    };
    return descriptions[case_];
}
