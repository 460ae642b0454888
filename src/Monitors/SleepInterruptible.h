#pragma once

// Work run on demand whose result a system sleep spoils (a scan of the
// air while the link is down): the lifecycle controller tells it of every
// sleep and wake, whether monitoring runs or not.
class SleepInterruptible {
public:
    virtual ~SleepInterruptible() = default;

    virtual void systemWillSleep() = 0;
    virtual void systemDidWake() = 0;
};
