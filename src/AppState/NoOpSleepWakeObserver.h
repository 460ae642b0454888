#pragma once

#include "AppState/SleepWakeObserving.h"

// Keeps its callbacks and never calls them.
class NoOpSleepWakeObserver final : public SleepWakeObserving {
public:
    Callback onWillSleep() const override { return onWillSleep_; }
    void setOnWillSleep(Callback callback) override { onWillSleep_ = std::move(callback); }

    Callback onDidWake() const override { return onDidWake_; }
    void setOnDidWake(Callback callback) override { onDidWake_ = std::move(callback); }

    void start() override {}
    void stop() override {}

private:
    Callback onWillSleep_;
    Callback onDidWake_;
};
