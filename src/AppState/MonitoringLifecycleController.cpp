#include "AppState/MonitoringLifecycleController.h"

#include "Platform/Async/CurrentTask.h"

#include <QScopedValueRollback>

std::shared_ptr<MonitoringLifecycleController> MonitoringLifecycleController::create(
    std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitorControllers,
    Configuration configuration, std::shared_ptr<NetworkChangeObserving> networkChangeObserver,
    std::shared_ptr<SleepWakeObserving> sleepWakeObserver, std::shared_ptr<SleepProviding> sleeper,
    std::shared_ptr<AppSettingsStoring> settingsStore,
    const ChangeObserver& observeStoredBatteryFriendly) {
    std::shared_ptr<MonitoringLifecycleController> controller(new MonitoringLifecycleController(
        std::move(monitorControllers), configuration, std::move(networkChangeObserver),
        std::move(sleepWakeObserver), std::move(sleeper), std::move(settingsStore)));
    controller->hookObservers();
    controller->followStoredBatteryFriendly(observeStoredBatteryFriendly);
    return controller;
}

MonitoringLifecycleController::MonitoringLifecycleController(
    std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> monitorControllers,
    Configuration configuration, std::shared_ptr<NetworkChangeObserving> networkChangeObserver,
    std::shared_ptr<SleepWakeObserving> sleepWakeObserver, std::shared_ptr<SleepProviding> sleeper,
    std::shared_ptr<AppSettingsStoring> settingsStore)
    : monitorControllers_(std::move(monitorControllers)), configuration_(configuration),
      networkChangeObserver_(std::move(networkChangeObserver)),
      sleepWakeObserver_(std::move(sleepWakeObserver)), sleeper_(std::move(sleeper)),
      settingsStore_(std::move(settingsStore)) {
    isBatteryFriendly_ = settingsStore_->batteryFriendly();
}

MonitoringLifecycleController::~MonitoringLifecycleController() {
    networkChangeFastPollingTask_.cancel();
}

void MonitoringLifecycleController::hookObservers() {
    const std::weak_ptr<MonitoringLifecycleController> weakController = weak_from_this();
    const auto whileAlive = [weakController](void (MonitoringLifecycleController::*handler)()) {
        return [weakController, handler] {
            if (const auto controller = weakController.lock()) {
                (controller.get()->*handler)();
            }
        };
    };
    networkChangeObserver_->setOnNetworkChange(
        whileAlive(&MonitoringLifecycleController::handleNetworkChange));
    sleepWakeObserver_->setOnWillSleep(
        whileAlive(&MonitoringLifecycleController::handleSystemWillSleep));
    sleepWakeObserver_->setOnDidWake(
        whileAlive(&MonitoringLifecycleController::handleSystemDidWake));
}

void MonitoringLifecycleController::followStoredBatteryFriendly(const ChangeObserver& observe) {
    if (!observe) {
        return;
    }
    storedBatteryFriendlySubscription_ = observe([weakController = weak_from_this()] {
        if (const auto controller = weakController.lock()) {
            controller->adoptStoredBatteryFriendly();
        }
    });
}

// Another writer's value takes effect as the switch would; the controller's
// own write is applied by its setter.
void MonitoringLifecycleController::adoptStoredBatteryFriendly() {
    const bool stored = settingsStore_->batteryFriendly();
    if (!isStoringBatteryFriendly_ && stored != isBatteryFriendly_.value()) {
        applyBatteryFriendly(stored);
    }
}

QString MonitoringLifecycleController::monitoringStatusText() const {
    if (!isMonitoringEnabled_.value()) {
        return QStringLiteral("Monitoring is paused.");
    }
    if (!isBatteryFriendly_.value()) {
        return QStringLiteral("Monitoring active in high-frequency mode.");
    }
    if (isPopoverPresented_.value()) {
        return QStringLiteral("Monitoring active in detailed mode.");
    }
    return QStringLiteral("Monitoring active in background mode.");
}

void MonitoringLifecycleController::applicationDidLaunch() {
    isBatteryFriendly_ = settingsStore_->batteryFriendly();
    if (!hasStartedObservers_) {
        hasStartedObservers_ = true;
        networkChangeObserver_->start();
        sleepWakeObserver_->start();
    }
    if (settingsStore_->monitoringEnabled()) {
        startMonitoring();
    } else {
        stopMonitoring();
    }
}

void MonitoringLifecycleController::applicationWillTerminate() {
    if (hasStartedObservers_) {
        hasStartedObservers_ = false;
        networkChangeObserver_->stop();
        sleepWakeObserver_->stop();
    }
    stopMonitoring();
}

void MonitoringLifecycleController::setMonitoringEnabled(bool enabled) {
    settingsStore_->setMonitoringEnabled(enabled);
    if (enabled) {
        startMonitoring();
    } else {
        stopMonitoring();
    }
}

void MonitoringLifecycleController::setPopoverPresented(bool presented) {
    isPopoverPresented_ = presented;
    applyPollingMode();
}

void MonitoringLifecycleController::setBatteryFriendly(bool enabled) {
    {
        const QScopedValueRollback storing(isStoringBatteryFriendly_, true);
        settingsStore_->setBatteryFriendly(enabled);
    }
    applyBatteryFriendly(enabled);
}

void MonitoringLifecycleController::addSleepInterruptibleWork(
    std::shared_ptr<SleepInterruptible> work) {
    sleepInterruptibleWork_.push_back(std::move(work));
}

void MonitoringLifecycleController::applyBatteryFriendly(bool enabled) {
    isBatteryFriendly_ = enabled;
    if (!enabled) {
        closeFastPollingWindow();
    }
    applyPollingMode();
}

void MonitoringLifecycleController::startMonitoring() {
    if (isMonitoringEnabled_.value()) {
        return;
    }
    isMonitoringEnabled_ = true;
    for (const auto& monitor : monitorControllers_) {
        monitor->start();
    }
    applyPollingMode();
}

void MonitoringLifecycleController::stopMonitoring() {
    if (!isMonitoringEnabled_.value()) {
        return;
    }
    closeFastPollingWindow();
    isPausedForSystemSleep_ = false;
    for (const auto& monitor : monitorControllers_) {
        monitor->stop();
    }
    isMonitoringEnabled_ = false;
}

// Background polling only in battery-friendly mode with the popover closed and
// no fast-polling window open; detailed polling in every other case.
void MonitoringLifecycleController::applyPollingMode() {
    if (!isMonitoringEnabled_.value()) {
        return;
    }
    const bool background =
        isBatteryFriendly_.value() && !isPopoverPresented_.value() && !isNetworkFastPollingActive_;
    const double interval =
        background ? configuration_.backgroundPollInterval : configuration_.activePollInterval;
    for (const auto& monitor : monitorControllers_) {
        monitor->setPollInterval(interval);
    }
}

void MonitoringLifecycleController::resetTransientMonitorState() {
    for (const auto& monitor : monitorControllers_) {
        monitor->resetTransientState();
    }
}

void MonitoringLifecycleController::closeFastPollingWindow() {
    networkChangeFastPollingTask_.cancel();
    networkChangeFastPollingTask_ = {};
    isNetworkFastPollingActive_ = false;
}

// A new window replaces the running one. The old task checks for its
// cancellation again after its wait, so a wait that had already ended when the
// window was replaced cannot close the new window.
void MonitoringLifecycleController::scheduleFastPollingWindowEnd() {
    networkChangeFastPollingTask_.cancel();
    networkChangeFastPollingTask_ = Async::spawn(
        [weakController = weak_from_this(), sleeper = sleeper_,
         duration = configuration_.networkChangeFastPollingDuration]() -> Async::Task<void> {
            if (weakController.expired()) {
                co_return;
            }
            try {
                co_await sleeper->sleep(duration);
            } catch (...) {
                co_return;
            }
            const auto controller = weakController.lock();
            if (!controller || Async::isCancelled() || !controller->isNetworkFastPollingActive_) {
                co_return;
            }
            controller->isNetworkFastPollingActive_ = false;
            controller->applyPollingMode();
        });
}

void MonitoringLifecycleController::handleNetworkChange() {
    if (!isMonitoringEnabled_.value()) {
        return;
    }
    resetTransientMonitorState();
    if (isBatteryFriendly_.value()) {
        isNetworkFastPollingActive_ = true;
        applyPollingMode();
        scheduleFastPollingWindowEnd();
    } else {
        isNetworkFastPollingActive_ = false;
        applyPollingMode();
    }
}

void MonitoringLifecycleController::handleSystemWillSleep() {
    for (const auto& work : sleepInterruptibleWork_) {
        work->systemWillSleep();
    }
    if (!isMonitoringEnabled_.value() || isPausedForSystemSleep_) {
        return;
    }
    isPausedForSystemSleep_ = true;
    for (const auto& monitor : monitorControllers_) {
        monitor->stop();
    }
}

void MonitoringLifecycleController::handleSystemDidWake() {
    for (const auto& work : sleepInterruptibleWork_) {
        work->systemDidWake();
    }
    if (!isMonitoringEnabled_.value() || !isPausedForSystemSleep_) {
        return;
    }
    resetTransientMonitorState();
    for (const auto& monitor : monitorControllers_) {
        monitor->start();
    }
    isPausedForSystemSleep_ = false;
    applyPollingMode();
}
