#pragma once

#include "Snapshot.h"

#include <vector>

// The Diagnostics Export window at its opening size and at its minimum, in
// every state worth looking at: fresh, mid-run, ready (full, all sections
// unavailable, warning and poor health), each feedback line and the fallback
// document.
std::vector<Snapshot> diagnosticsExportWindowSnapshots();
