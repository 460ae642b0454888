#pragma once

#include "Support/FakeDiagnosticsExportSources.h"

#include <vector>

// Ends a fake scan or speed test as soon as it starts.
inline Reactive::Cancellable endWhenStarted(FakeExportWork& work) {
    return work.running.subscribe([&work](bool running) {
        if (running) {
            work.running = false;
        }
    });
}

// Ends both the scan and the speed test as soon as each starts.
inline std::vector<Reactive::Cancellable>
endAllWorkWhenStarted(FakeDiagnosticsExportSources& sources) {
    std::vector<Reactive::Cancellable> endings;
    endings.push_back(endWhenStarted(sources.scan));
    endings.push_back(endWhenStarted(sources.speed));
    return endings;
}
