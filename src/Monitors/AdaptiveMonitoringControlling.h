#pragma once

// The control operations the lifecycle controller drives every polled monitor
// through, always in list order.
class AdaptiveMonitoringControlling {
public:
    virtual ~AdaptiveMonitoringControlling() = default;

    // Starts the polling loop unless one runs.
    virtual void start() = 0;
    // Cancels the running loop, if any, without waiting for it.
    virtual void stop() = 0;
    // Takes effect at the loop's next pause; values below 0 count as 0.
    virtual void setPollInterval(double seconds) = 0;
    // Puts the published measurements back to their initial values.
    virtual void resetTransientState() = 0;
};
