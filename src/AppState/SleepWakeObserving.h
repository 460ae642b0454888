#pragma once

#include <functional>

// Tells its owner, on the main thread, that the system is about to sleep or
// has woken.
class SleepWakeObserving {
public:
    using Callback = std::function<void()>;

    virtual ~SleepWakeObserving() = default;

    // Empty when unset.
    virtual Callback onWillSleep() const = 0;
    virtual void setOnWillSleep(Callback callback) = 0;

    virtual Callback onDidWake() const = 0;
    virtual void setOnDidWake(Callback callback) = 0;

    virtual void start() = 0;
    virtual void stop() = 0;
};
