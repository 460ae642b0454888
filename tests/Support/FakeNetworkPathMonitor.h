#pragma once

#include "Platform/Network/NetworkPathMonitoring.h"

#include <memory>
#include <vector>

// A path monitor the test drives: deliver() runs the handler on a thread of
// its own, as the real monitor does, and waits for it. It keeps the real
// monitor's promise: no delivery before start() or after cancel().
class FakeNetworkPathMonitor final : public NetworkPathMonitoring {
public:
    // What a test sees of every monitor a factory made, in creation order.
    struct Record {
        bool isStarted = false;
        bool isCancelled = false;
        int startCount = 0;
        FakeNetworkPathMonitor* monitor = nullptr; // null once destroyed
    };

    explicit FakeNetworkPathMonitor(std::shared_ptr<Record> record);
    ~FakeNetworkPathMonitor() override;

    void setPathUpdateHandler(PathUpdateHandler handler) override;
    void start() override;
    void cancel() override;

    // Delivers `path` unless the monitor is not started or cancelled; returns
    // whether the handler ran.
    bool deliver(const NetworkPath& path);

private:
    std::shared_ptr<Record> record_;
    PathUpdateHandler handler_;
};
