#pragma once

#include "AppState/DiagnosticsExportWorkRunning.h"
#include "Core/DiagnosticsExport/DiagnosticsExportInput.h"

// What a diagnostics export reads and drives: the channel scan and the speed
// test it waits for, and one still picture of the shared monitors.
class DiagnosticsExportSources {
public:
    virtual ~DiagnosticsExportSources() = default;

    virtual DiagnosticsExportWorkRunning& channelScan() = 0;
    virtual DiagnosticsExportWorkRunning& speedTest() = 0;

    // Every monitor value of the input, read at once; the export's own
    // fields (time, version, build) are left as they are, and the scan's and
    // test's error texts are the monitors' own.
    virtual DiagnosticsExportInput currentInput() const = 0;
};
