#pragma once

#include "Core/Date.h"

#include <functional>

// A clock, injected wherever something is stamped with the time.
using DateProvider = std::function<Date()>;

inline DateProvider systemDateProvider() {
    return [] { return std::chrono::system_clock::now(); };
}
