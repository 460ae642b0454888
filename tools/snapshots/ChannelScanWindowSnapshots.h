#pragma once

#include "Snapshot.h"

#include <vector>

// The Channel Scan window before its first result and with results, idle and
// scanning, at its ideal and its minimum size, and in a decimal-comma locale.
std::vector<Snapshot> channelScanWindowSnapshots();
