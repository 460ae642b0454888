#pragma once

#include "Platform/Reactive/Published.h"

#include <optional>

#include <QString>

// One kind of on-demand work on a shared monitor (a channel scan, a speed
// test) that a diagnostics export starts, waits for and cancels. The monitor
// runs at most one at a time, whoever started it.
class DiagnosticsExportWorkRunning {
public:
    virtual ~DiagnosticsExportWorkRunning() = default;

    // True from the moment a start begins the work until the work has ended.
    virtual const Reactive::Published<bool>& isRunning() const = 0;
    // Starts the work unless it runs already.
    virtual void start() = 0;
    // Asks the running work, if any, to stop; returns at once.
    virtual void cancel() = 0;
    virtual std::optional<QString> lastErrorMessage() const = 0;
};
