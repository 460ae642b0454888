#pragma once

#include "Core/SleepProviding.h"
#include "Monitors/AdaptiveMonitoringControlling.h"
#include "Monitors/PollingLoop.h"
#include "Platform/Async/CurrentTask.h"

#include <memory>

// The control operations every polled monitor shares: its polling loop runs
// `Derived::pollOnce()` until stopped. Derived monitors are owned by
// std::shared_ptr (built by their create() factories).
template <class Derived>
class PolledMonitor : public AdaptiveMonitoringControlling,
                      public std::enable_shared_from_this<Derived> {
public:
    void start() override { loop_.start(this->shared_from_this()); }
    void stop() override { loop_.stop(); }
    void setPollInterval(double seconds) override { loop_.setPollInterval(seconds); }

    double pollInterval() const { return loop_.pollInterval(); }

protected:
    PolledMonitor(double pollInterval, std::shared_ptr<SleepProviding> sleeper)
        : loop_(pollInterval, std::move(sleeper)) {}

    // True after a probe returns when stop() cancelled the poll meanwhile (or
    // before it began). A cancelled probe reports a failed measurement, which
    // measured nothing: the poll then publishes nothing, keeps its histories
    // and sets or clears no message.
    static bool isCutShortByStop() { return Async::isCancelled(); }

private:
    PollingLoop loop_;
};
