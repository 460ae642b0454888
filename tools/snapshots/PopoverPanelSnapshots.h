#pragma once

#include "Snapshot.h"

#include <vector>

// The whole popover, 400 pt wide at the height each panel asks for: the
// dashboard in every sample state and each of the four other panels.
std::vector<Snapshot> popoverPanelSnapshots();
