#pragma once

#include "Snapshot.h"

#include <vector>

// The popover's shared look, building blocks and cards in the states worth
// looking at.
std::vector<Snapshot> popoverViewSnapshots();
