#pragma once

#include <functional>

// Runs the Qt event loop until `condition` holds or `milliseconds` of real
// time pass; returns whether it holds.
bool processEventsUntil(const std::function<bool()>& condition, int milliseconds = 10'000);
