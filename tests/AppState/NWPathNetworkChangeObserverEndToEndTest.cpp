#include "AppState/NWPathNetworkChangeObserver.h"
#include "Platform/Network/NetworkPathMonitor.h"
#include "Platform/Network/RtnetlinkRoutingSource.h"
#include "Support/ManualExecutor.h"
#include "Support/NetworkNamespaceEntry.h"
#include "Support/TestNetworkNamespace.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Passes paths on to the observer and counts them, so the test knows when the
// monitor has seen a step.
class CountingPathMonitor final : public NetworkPathMonitoring {
public:
    CountingPathMonitor(std::unique_ptr<NetworkPathMonitoring> monitor, std::atomic<int>& count)
        : monitor_(std::move(monitor)), count_(count) {}

    void setPathUpdateHandler(PathUpdateHandler handler) override {
        monitor_->setPathUpdateHandler([this, handler](const NetworkPath& path) {
            handler(path);
            ++count_;
        });
    }
    void start() override { monitor_->start(); }
    void cancel() override { monitor_->cancel(); }

private:
    std::unique_ptr<NetworkPathMonitoring> monitor_;
    std::atomic<int>& count_;
};

} // namespace

// The observer over the real path monitor and rtnetlink, in a namespace the
// test builds: veth pairs pmwlan0 (shown as Wi-Fi by a test /sys tree) and
// pmeth0 (shown as wired Ethernet). Each step waits for the kernel's
// notifications; a step that must not be reported is followed by one that
// must, so that one callback more than expected would show.
class NWPathNetworkChangeObserverEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        const QString whyNot = network.create();
        if (!whyNot.isEmpty()) {
            GTEST_SKIP() << "Skipped: network namespaces are refused here (" << whyNot.toStdString()
                         << ").";
        }
        makeSysfsEntry(QStringLiteral("pmwlan0/wireless"));
        makeSysfsEntry(QStringLiteral("pmeth0"));
        QFile type(sysfs.filePath(QStringLiteral("class/net/pmeth0/type")));
        ASSERT_TRUE(type.open(QIODevice::WriteOnly));
        type.write("1\n");
        ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent"),
                                sysfs.filePath(QStringLiteral("class/net/pmeth0/device"))));

        addVethPair(QStringLiteral("pmwlan0"), QStringLiteral("192.0.2.2/24"));
        addVethPair(QStringLiteral("pmeth0"), QStringLiteral("198.51.100.2/24"));
        observer->setOnNetworkChange([this] { ++callbackCount; });
    }

    void makeSysfsEntry(const QString& path) const {
        ASSERT_TRUE(QDir().mkpath(sysfs.filePath(QStringLiteral("class/net/") + path)));
    }

    // A pair whose peer is up; the interface itself starts down.
    void addVethPair(const QString& name, const QString& address) const {
        const QString peer = name + QStringLiteral("p");
        network.ip({"link", "add", name, "type", "veth", "peer", "name", peer});
        network.ip({"addr", "add", address, "dev", name});
        network.ip({"link", "set", peer, "up"});
    }

    std::unique_ptr<NetworkPathMonitoring> makeMonitor() {
        const NetworkNamespaceEntry entry(network.name());
        EXPECT_TRUE(entry.isEntered());
        auto monitor = std::make_unique<NetworkPathMonitor>(
            std::make_unique<RtnetlinkRoutingSource>(), SysfsInterfaceTypeClassifier(sysfs.path()));
        return std::make_unique<CountingPathMonitor>(std::move(monitor), pathCount);
    }

    // Runs the main thread's jobs until `condition` holds, for up to 10 s.
    bool runUntil(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (true) {
            executor->runUntilIdle();
            if (condition()) {
                return true;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // Starts the observer and waits until its first path has been handled.
    void startAndWaitForTheFirstPath() {
        const int before = pathCount;
        observer->start();
        ASSERT_TRUE(runUntil([&] { return pathCount > before; }));
    }

    // Runs `ip` and waits for the callbacks to reach `expected`.
    void expectCallbacksAfter(const QStringList& command, int expected) {
        ASSERT_TRUE(network.ip(command));
        EXPECT_TRUE(runUntil([&] { return callbackCount >= expected; }))
            << command.join(u' ').toStdString();
        EXPECT_EQ(callbackCount, expected) << command.join(u' ').toStdString();
    }

    TestNetworkNamespace network;
    QTemporaryDir sysfs;
    std::atomic<int> pathCount = 0;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    std::unique_ptr<NWPathNetworkChangeObserver> observer =
        std::make_unique<NWPathNetworkChangeObserver>(executor, [this] { return makeMonitor(); });
    int callbackCount = 0;
};

TEST_F(NWPathNetworkChangeObserverEndToEndTest, ReportsEachChangeOfStatusOrKindOnce) {
    startAndWaitForTheFirstPath();
    EXPECT_EQ(callbackCount, 0) << "the first path was reported";

    // Up without a default route: still unsatisfied.
    ASSERT_TRUE(network.ip({"link", "set", "pmwlan0", "up"}));
    expectCallbacksAfter(
        {"route", "add", "default", "via", "192.0.2.1", "dev", "pmwlan0", "metric", "600"}, 1);

    // An address and a second interface without a default route change nothing.
    ASSERT_TRUE(network.ip({"addr", "add", "203.0.113.5/32", "dev", "pmwlan0"}));
    ASSERT_TRUE(network.ip({"link", "set", "pmeth0", "up"}));
    expectCallbacksAfter(
        {"route", "add", "default", "via", "198.51.100.1", "dev", "pmeth0", "metric", "100"},
        2); // Wi-Fi to wired

    expectCallbacksAfter({"route", "del", "default", "dev", "pmeth0"}, 3); // back to Wi-Fi
    expectCallbacksAfter({"link", "set", "pmwlan0", "down"}, 4);           // unsatisfied
    expectCallbacksAfter({"link", "set", "pmwlan0", "up"}, 4);             // routes are gone
    expectCallbacksAfter({"route", "add", "default", "dev", "pmwlan0"}, 5);
}

TEST_F(NWPathNetworkChangeObserverEndToEndTest, ARestartSwallowsItsFirstPathAgain) {
    startAndWaitForTheFirstPath();
    observer->stop();
    ASSERT_TRUE(network.ip({"link", "set", "pmeth0", "up"}));
    ASSERT_TRUE(network.ip({"route", "add", "default", "via", "198.51.100.1", "dev", "pmeth0"}));

    startAndWaitForTheFirstPath();
    EXPECT_EQ(callbackCount, 0) << "the first path after a restart was reported";
    expectCallbacksAfter({"route", "del", "default"}, 1);
}
