#pragma once

#include "AppState/NetworkChangeObserving.h"
#include "AppState/SleepWakeObserving.h"
#include "Core/SleepProviding.h"
#include "Monitors/AdaptiveMonitoringControlling.h"
#include "Monitors/SleepInterruptible.h"
#include "Persistence/AppSettingsStoring.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Cancellable.h"
#include "Platform/Reactive/Published.h"

#include <functional>
#include <memory>
#include <vector>

#include <QString>

// Decides when the polled monitors run and how often they poll: monitoring on
// or off as the user's setting says, detailed or background intervals from the
// battery-friendly setting and the popover, a short window of detailed polling
// after a network change, and a pause while the system sleeps. A
// battery-friendly value stored by another writer (the settings window) is
// followed as if the switch had been turned. Work run on demand that a sleep
// spoils is told of every sleep and wake, whether monitoring runs or not.
class MonitoringLifecycleController final
    : public std::enable_shared_from_this<MonitoringLifecycleController> {
public:
    struct Configuration {
        double activePollInterval;
        double backgroundPollInterval;
        double networkChangeFastPollingDuration;
    };
    // Subscribes to writes of the stored "batteryFriendly", whoever makes them.
    using ChangeObserver = std::function<Reactive::Cancellable(std::function<void()> onChange)>;

    static std::shared_ptr<MonitoringLifecycleController> create(
        std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitorControllers,
        Configuration configuration, std::shared_ptr<NetworkChangeObserving> networkChangeObserver,
        std::shared_ptr<SleepWakeObserving> sleepWakeObserver,
        std::shared_ptr<SleepProviding> sleeper, std::shared_ptr<AppSettingsStoring> settingsStore,
        const ChangeObserver& observeStoredBatteryFriendly = {});
    ~MonitoringLifecycleController();
    MonitoringLifecycleController(const MonitoringLifecycleController&) = delete;
    MonitoringLifecycleController& operator=(const MonitoringLifecycleController&) = delete;

    const Reactive::Published<bool>& isMonitoringEnabled() const { return isMonitoringEnabled_; }
    const Reactive::Published<bool>& isPopoverPresented() const { return isPopoverPresented_; }
    const Reactive::Published<bool>& isBatteryFriendly() const { return isBatteryFriendly_; }
    bool isNetworkFastPollingActive() const { return isNetworkFastPollingActive_; }
    bool isPausedForSystemSleep() const { return isPausedForSystemSleep_; }
    QString monitoringStatusText() const;
    const Configuration& configuration() const { return configuration_; }

    void applicationDidLaunch();
    void applicationWillTerminate();
    // The user's monitoring switch: stored first, then applied.
    void setMonitoringEnabled(bool enabled);
    void setPopoverPresented(bool presented);
    // The user's battery-friendly switch: stored first, then applied.
    void setBatteryFriendly(bool enabled);
    // Told of each sleep and wake from now on, before the monitors.
    void addSleepInterruptibleWork(std::shared_ptr<SleepInterruptible> work);

private:
    MonitoringLifecycleController(
        std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitorControllers,
        Configuration configuration, std::shared_ptr<NetworkChangeObserving> networkChangeObserver,
        std::shared_ptr<SleepWakeObserving> sleepWakeObserver,
        std::shared_ptr<SleepProviding> sleeper, std::shared_ptr<AppSettingsStoring> settingsStore);

    void hookObservers();
    void followStoredBatteryFriendly(const ChangeObserver& observe);
    void adoptStoredBatteryFriendly();
    void applyBatteryFriendly(bool enabled);
    void startMonitoring();
    void stopMonitoring();
    void applyPollingMode();
    void resetTransientMonitorState();
    void scheduleFastPollingWindowEnd();
    void closeFastPollingWindow();
    void handleNetworkChange();
    void handleSystemWillSleep();
    void handleSystemDidWake();

    std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitorControllers_;
    std::vector<std::shared_ptr<SleepInterruptible>> sleepInterruptibleWork_;
    Configuration configuration_;
    std::shared_ptr<NetworkChangeObserving> networkChangeObserver_;
    std::shared_ptr<SleepWakeObserving> sleepWakeObserver_;
    std::shared_ptr<SleepProviding> sleeper_;
    std::shared_ptr<AppSettingsStoring> settingsStore_;

    Reactive::Published<bool> isMonitoringEnabled_{false};
    Reactive::Published<bool> isPopoverPresented_{false};
    Reactive::Published<bool> isBatteryFriendly_{true};
    bool isNetworkFastPollingActive_ = false;
    bool isPausedForSystemSleep_ = false;
    bool hasStartedObservers_ = false;
    bool isStoringBatteryFriendly_ = false;
    Reactive::Cancellable storedBatteryFriendlySubscription_;
    Async::TaskHandle<void> networkChangeFastPollingTask_;
};
