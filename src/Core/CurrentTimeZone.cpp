#include "Core/CurrentTimeZone.h"

#include <chrono>
#include <ctime>

namespace {

int cLibraryOffset(Date instant) {
    const std::time_t seconds =
        std::chrono::floor<std::chrono::seconds>(instant.time_since_epoch()).count();
    // localtime_r reads TZ only once unless asked to again.
    ::tzset();
    std::tm fields{};
    return ::localtime_r(&seconds, &fields) ? static_cast<int>(fields.tm_gmtoff) : 0;
}

} // namespace

TimeZoneOffsets currentTimeZone() {
    return TimeZoneOffsets(&cLibraryOffset);
}
