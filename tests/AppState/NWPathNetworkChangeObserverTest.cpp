#include "AppState/NWPathNetworkChangeObserver.h"

#include "Support/FakeNetworkPathMonitor.h"
#include "Support/ManualExecutor.h"

#include <gtest/gtest.h>

namespace {

NetworkPath satisfiedOver(std::vector<NetworkInterface> interfaces) {
    return {NetworkPathStatus::satisfied, std::move(interfaces)};
}

const NetworkInterface homeWiFi{QStringLiteral("wlan0"), NetworkInterfaceType::wifi};
const NetworkInterface otherWiFi{QStringLiteral("wlan1"), NetworkInterfaceType::wifi};
const NetworkInterface ethernet{QStringLiteral("eth0"), NetworkInterfaceType::wiredEthernet};
const NetworkInterface modem{QStringLiteral("wwan0"), NetworkInterfaceType::cellular};
const NetworkInterface tunnel{QStringLiteral("tun0"), NetworkInterfaceType::other};
const NetworkPath offline{NetworkPathStatus::unsatisfied, {}};

} // namespace

// Paths are delivered from a thread of their own, callbacks run when the test
// runs the executor, which stands for the main thread.
class NWPathNetworkChangeObserverTest : public testing::Test {
protected:
    NWPathNetworkChangeObserverTest() {
        observer->setOnNetworkChange([this] { ++callbackCount; });
    }

    FakeNetworkPathMonitor::Record& latestMonitor() {
        EXPECT_FALSE(monitors.empty());
        return *monitors.back();
    }

    // Delivers `path` through the latest monitor, then runs the main thread's jobs.
    void deliver(const NetworkPath& path) {
        ASSERT_NE(latestMonitor().monitor, nullptr);
        ASSERT_TRUE(latestMonitor().monitor->deliver(path));
        executor->runUntilIdle();
    }

    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    std::vector<std::shared_ptr<FakeNetworkPathMonitor::Record>> monitors;
    std::unique_ptr<NWPathNetworkChangeObserver> observer =
        std::make_unique<NWPathNetworkChangeObserver>(executor, [this] {
            monitors.push_back(std::make_shared<FakeNetworkPathMonitor::Record>());
            return std::make_unique<FakeNetworkPathMonitor>(monitors.back());
        });
    int callbackCount = 0;
};

TEST_F(NWPathNetworkChangeObserverTest, TheFirstPathAndAnUnchangedSignatureAreNotReported) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    EXPECT_EQ(callbackCount, 0);
    deliver(satisfiedOver({homeWiFi}));
    EXPECT_EQ(callbackCount, 0);
}

TEST_F(NWPathNetworkChangeObserverTest, EachDistinctSignatureIsReportedOnce) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    deliver(satisfiedOver({ethernet}));
    EXPECT_EQ(callbackCount, 1) << "Wi-Fi to wired";
    deliver(satisfiedOver({ethernet}));
    EXPECT_EQ(callbackCount, 1);
    deliver(offline);
    EXPECT_EQ(callbackCount, 2) << "connectivity lost";
    deliver(offline);
    deliver(satisfiedOver({ethernet}));
    EXPECT_EQ(callbackCount, 3) << "flapping back";
    deliver(satisfiedOver({ethernet, homeWiFi}));
    EXPECT_EQ(callbackCount, 4) << "a kind added";
    deliver(satisfiedOver({modem}));
    EXPECT_EQ(callbackCount, 5) << "cellular";
    deliver(satisfiedOver({modem, tunnel}));
    EXPECT_EQ(callbackCount, 6) << "other";
    deliver({NetworkPathStatus::requiresConnection, {modem, tunnel}});
    EXPECT_EQ(callbackCount, 7) << "a status change alone";
}

TEST_F(NWPathNetworkChangeObserverTest, InterfacesOfTheSameKindsAreNoChange) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    deliver(satisfiedOver({otherWiFi}));
    deliver(satisfiedOver({homeWiFi, otherWiFi}));
    deliver(satisfiedOver({otherWiFi, ethernet}));
    deliver(satisfiedOver({ethernet, homeWiFi}));
    EXPECT_EQ(callbackCount, 1);
}

TEST_F(NWPathNetworkChangeObserverTest, TheCallbackRunsOnTheMainThreadAsReadWhenItsJobRuns) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    ASSERT_TRUE(latestMonitor().monitor->deliver(offline));
    EXPECT_EQ(callbackCount, 0) << "the callback ran before the main thread's job";
    ASSERT_EQ(executor->pendingCount(), 1u);

    int replacementCount = 0;
    observer->setOnNetworkChange([&] { ++replacementCount; });
    executor->runUntilIdle();
    EXPECT_EQ(callbackCount, 0);
    EXPECT_EQ(replacementCount, 1);

    ASSERT_TRUE(latestMonitor().monitor->deliver(satisfiedOver({homeWiFi})));
    observer->setOnNetworkChange(nullptr);
    executor->runUntilIdle();
    EXPECT_EQ(replacementCount, 1);
}

TEST_F(NWPathNetworkChangeObserverTest, StartTwiceMakesOneMonitor) {
    observer->start();
    observer->start();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors.front()->startCount, 1);
    EXPECT_TRUE(monitors.front()->isStarted);
}

TEST_F(NWPathNetworkChangeObserverTest, StopCancelsTheMonitorAndTheNextStartSwallowsItsFirstPath) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    observer->stop();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_TRUE(monitors.front()->isCancelled);
    EXPECT_EQ(monitors.front()->monitor, nullptr) << "the cancelled monitor was kept";

    observer->start();
    ASSERT_EQ(monitors.size(), 2u);
    deliver(offline);
    EXPECT_EQ(callbackCount, 0) << "a different first path after a restart was reported";
    deliver(satisfiedOver({homeWiFi}));
    EXPECT_EQ(callbackCount, 1);
}

TEST_F(NWPathNetworkChangeObserverTest, StopWhileStoppedOnlyForgetsThePath) {
    observer->stop();
    EXPECT_TRUE(monitors.empty());
    observer->start();
    deliver(offline);
    deliver(satisfiedOver({ethernet}));
    EXPECT_EQ(callbackCount, 1);
}

TEST_F(NWPathNetworkChangeObserverTest, AChangeFoundBeforeStopIsStillReported) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    ASSERT_TRUE(latestMonitor().monitor->deliver(offline));
    observer->stop();
    executor->runUntilIdle();
    EXPECT_EQ(callbackCount, 1);
}

TEST_F(NWPathNetworkChangeObserverTest, ADestroyedObserverStopsItsMonitorAndCallsNothing) {
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    ASSERT_TRUE(latestMonitor().monitor->deliver(offline));
    ASSERT_EQ(executor->pendingCount(), 1u);
    observer.reset();
    EXPECT_TRUE(monitors.front()->isCancelled);
    EXPECT_EQ(monitors.front()->monitor, nullptr);
    executor->runUntilIdle();
    EXPECT_EQ(callbackCount, 0);
}

TEST_F(NWPathNetworkChangeObserverTest, ACallbackMayDestroyItsObserver) {
    observer->setOnNetworkChange([this] {
        ++callbackCount;
        observer.reset();
    });
    observer->start();
    deliver(satisfiedOver({homeWiFi}));
    deliver(offline);
    EXPECT_EQ(callbackCount, 1);
    EXPECT_EQ(observer, nullptr);
}

TEST_F(NWPathNetworkChangeObserverTest, SignatureHoldsTheStatusAndTheFourKinds) {
    using Signature = NWPathNetworkChangeObserver::PathSignature;
    EXPECT_EQ(Signature::of(offline),
              (Signature{NetworkPathStatus::unsatisfied, false, false, false, false}));
    EXPECT_EQ(Signature::of(satisfiedOver({tunnel, homeWiFi, modem, ethernet})),
              (Signature{NetworkPathStatus::satisfied, true, true, true, true}));
    EXPECT_EQ(Signature::of(satisfiedOver({ethernet})),
              (Signature{NetworkPathStatus::satisfied, false, true, false, false}));
}
