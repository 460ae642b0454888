#pragma once

#include "Snapshot.h"

#include <vector>

// The Speed Test window in the states worth looking at: before any test,
// during each phase, after each outcome, at its minimum size and in a locale
// with a decimal comma.
std::vector<Snapshot> speedTestWindowSnapshots();
