#pragma once

#include "Snapshot.h"

#include <vector>

// The Wi-Fi Radar window at its fixed size in the states worth looking at,
// with the sweep held still.
std::vector<Snapshot> radarWindowSnapshots();
