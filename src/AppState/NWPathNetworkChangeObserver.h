#pragma once

#include "AppState/NetworkChangeObserving.h"
#include "Platform/Async/Executor.h"
#include "Platform/Network/NetworkPathMonitoring.h"

#include <memory>
#include <optional>

// Reports network changes seen by a path monitor. A change is a change of the
// path's status or of the set of interface kinds in use (Wi-Fi, wired
// Ethernet, cellular, other) against the last path recorded; the first path
// after start() is only recorded. Changes are reported through the callback
// executor (the main thread), and the callback is read when that job runs.
//
// The recorded signature and the first-path flag are touched by the monitor's
// thread while started; stop() cancels the monitor, which waits for that
// thread, before it clears them on the caller's thread.
class NWPathNetworkChangeObserver final : public NetworkChangeObserving {
public:
    struct PathSignature {
        NetworkPathStatus status;
        bool usesWiFi;
        bool usesWiredEthernet;
        bool usesCellular;
        bool usesOtherInterface;

        static PathSignature of(const NetworkPath& path);
        bool operator==(const PathSignature&) const = default;
    };

    using PathMonitorFactory = std::function<std::unique_ptr<NetworkPathMonitoring>()>;

    // A factory of the production path monitor (rtnetlink, /sys).
    static PathMonitorFactory systemPathMonitors();

    explicit NWPathNetworkChangeObserver(std::shared_ptr<Async::Executor> callbackQueue,
                                         PathMonitorFactory makePathMonitor = systemPathMonitors());
    // Stops the observer: no callback runs once it is gone.
    ~NWPathNetworkChangeObserver() override;
    NWPathNetworkChangeObserver(const NWPathNetworkChangeObserver&) = delete;
    NWPathNetworkChangeObserver& operator=(const NWPathNetworkChangeObserver&) = delete;

    Callback onNetworkChange() const override { return *onNetworkChange_; }
    void setOnNetworkChange(Callback callback) override { *onNetworkChange_ = std::move(callback); }

    // Creates and starts a path monitor, unless one runs.
    void start() override;
    // Cancels the monitor and forgets the recorded path, so that the next
    // start() again only records its first path.
    void stop() override;

private:
    // Runs on the monitor's thread.
    void handlePathUpdate(const NetworkPath& path);

    // Boxed so that a pending callback job can tell the observer is gone.
    std::shared_ptr<Callback> onNetworkChange_ = std::make_shared<Callback>();
    std::shared_ptr<Async::Executor> callbackQueue_;
    PathMonitorFactory makePathMonitor_;
    std::unique_ptr<NetworkPathMonitoring> monitor_;
    std::optional<PathSignature> previousSignature_;
    bool hasReceivedInitialPath_ = false;
};
