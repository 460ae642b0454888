#include "AppState/NWPathNetworkChangeObserver.h"

#include "Platform/Network/NetworkPathMonitor.h"

NWPathNetworkChangeObserver::PathSignature
NWPathNetworkChangeObserver::PathSignature::of(const NetworkPath& path) {
    return {path.status, path.usesInterfaceType(NetworkInterfaceType::wifi),
            path.usesInterfaceType(NetworkInterfaceType::wiredEthernet),
            path.usesInterfaceType(NetworkInterfaceType::cellular),
            path.usesInterfaceType(NetworkInterfaceType::other)};
}

NWPathNetworkChangeObserver::PathMonitorFactory NWPathNetworkChangeObserver::systemPathMonitors() {
    return [] { return std::make_unique<NetworkPathMonitor>(); };
}

NWPathNetworkChangeObserver::NWPathNetworkChangeObserver(
    std::shared_ptr<Async::Executor> callbackQueue, PathMonitorFactory makePathMonitor)
    : callbackQueue_(std::move(callbackQueue)), makePathMonitor_(std::move(makePathMonitor)) {}

NWPathNetworkChangeObserver::~NWPathNetworkChangeObserver() {
    stop();
}

void NWPathNetworkChangeObserver::start() {
    if (monitor_) {
        return;
    }
    monitor_ = makePathMonitor_();
    // The monitor is cancelled, and its thread joined, before this observer
    // is destroyed, so the handler may hold it plainly.
    monitor_->setPathUpdateHandler([this](const NetworkPath& path) { handlePathUpdate(path); });
    monitor_->start();
}

void NWPathNetworkChangeObserver::stop() {
    if (monitor_) {
        monitor_->cancel();
        monitor_.reset();
    }
    previousSignature_.reset();
    hasReceivedInitialPath_ = false;
}

void NWPathNetworkChangeObserver::handlePathUpdate(const NetworkPath& path) {
    const PathSignature signature = PathSignature::of(path);
    if (!hasReceivedInitialPath_) {
        hasReceivedInitialPath_ = true;
        previousSignature_ = signature;
        return;
    }
    if (previousSignature_ == signature) {
        return;
    }
    previousSignature_ = signature;
    callbackQueue_->post([callback = std::weak_ptr<Callback>(onNetworkChange_)] {
        const auto box = callback.lock();
        if (!box || !*box) {
            return;
        }
        // A copy, so that the callback may replace itself or destroy the observer.
        const Callback current = *box;
        current();
    });
}
