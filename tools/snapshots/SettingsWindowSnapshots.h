#pragma once

#include "Snapshot.h"

#include <vector>

// The settings window's pages in the states worth looking at, in a light and
// a dark desktop palette, and its login-item alert.
std::vector<Snapshot> settingsWindowSnapshots();
