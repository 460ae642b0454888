#pragma once

#include "Platform/Network/NetworkPathMonitoring.h"
#include "Platform/Network/RoutingStateSource.h"
#include "Platform/Network/SysfsInterfaceTypeClassifier.h"

#include <atomic>
#include <memory>
#include <thread>

// The path monitor over a routing-state source, on a thread of its own: it
// reads the state, reports the path computed from it, and waits for the next
// change, until cancelled. A source that fails ends the watch with a warning;
// nothing more is reported.
class NetworkPathMonitor final : public NetworkPathMonitoring {
public:
    // The kernel's routing state (rtnetlink) and /sys for interface kinds.
    NetworkPathMonitor();
    NetworkPathMonitor(std::unique_ptr<RoutingStateSource> source,
                       SysfsInterfaceTypeClassifier classifier);
    ~NetworkPathMonitor() override;
    NetworkPathMonitor(const NetworkPathMonitor&) = delete;
    NetworkPathMonitor& operator=(const NetworkPathMonitor&) = delete;

    void setPathUpdateHandler(PathUpdateHandler handler) override;
    void start() override;
    void cancel() override;

private:
    void run();
    void reportCurrentPath();

    std::unique_ptr<RoutingStateSource> source_;
    SysfsInterfaceTypeClassifier classifier_;
    PathUpdateHandler handler_;
    std::thread thread_;
    bool hasStarted_ = false;
    std::atomic<bool> isCancelled_ = false;
};
