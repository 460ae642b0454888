#pragma once

#include "AppState/SleepWakeObserving.h"
#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <memory>
#include <vector>

// Reports sleep and wake from the workspace's notification centre, on the
// main thread. start() registers for will-sleep and did-wake once; stop()
// removes both registrations.
class WorkspaceSleepWakeObserver final : public SleepWakeObserving {
public:
    explicit WorkspaceSleepWakeObserver(
        std::shared_ptr<SleepWakeNotificationCenter> notificationCenter);
    // Stops the observer: no callback runs once it is gone.
    ~WorkspaceSleepWakeObserver() override;
    WorkspaceSleepWakeObserver(const WorkspaceSleepWakeObserver&) = delete;
    WorkspaceSleepWakeObserver& operator=(const WorkspaceSleepWakeObserver&) = delete;

    Callback onWillSleep() const override { return onWillSleep_; }
    void setOnWillSleep(Callback callback) override { onWillSleep_ = std::move(callback); }

    Callback onDidWake() const override { return onDidWake_; }
    void setOnDidWake(Callback callback) override { onDidWake_ = std::move(callback); }

    void start() override;
    void stop() override;

private:
    static void call(const Callback& callback);

    Callback onWillSleep_;
    Callback onDidWake_;
    std::shared_ptr<SleepWakeNotificationCenter> notificationCenter_;
    std::vector<SleepWakeNotificationCenter::ObserverToken> observerTokens_;
};
