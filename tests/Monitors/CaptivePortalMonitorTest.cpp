#include "Monitors/CaptivePortalMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

namespace {

class ScriptedChecker final : public CaptivePortalChecking {
public:
    CaptivePortalDetectionMeasurement measurement = CaptivePortalDetectionMeasurement::notCaptive();
    std::vector<double> timeouts;

    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double timeout) override {
        timeouts.push_back(timeout);
        co_return measurement;
    }
};

const QUrl portal(QStringLiteral("http://login.hotel.example/portal"));
const QUrl probe(QStringLiteral("http://probe.example/hotspot-detect.html"));

CaptivePortalDetectionMeasurement redirected(std::optional<QUrl> target) {
    return {true, std::move(target), probe, CaptivePortalDetectionReason::redirect, true};
}

} // namespace

class CaptivePortalMonitorTest : public testing::Test {
protected:
    void pollTimes(int count) {
        for (int index = 0; index < count; ++index) {
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await monitor->pollOnce(); });
        }
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedChecker> checker = std::make_shared<ScriptedChecker>();
    std::shared_ptr<CaptivePortalMonitor> monitor = CaptivePortalMonitor::create(
        {2.0, 60, 3.5}, checker, std::make_shared<TaskSleeper>(), runtime.clock().dateProvider());
};

TEST_F(CaptivePortalMonitorTest, AFirstFailedCheckOnlySetsTheMessage) {
    checker->measurement = CaptivePortalDetectionMeasurement::failed();
    pollTimes(1);
    EXPECT_EQ(monitor->lastErrorMessage().value(), QStringLiteral("Captive portal check failed."));
    EXPECT_FALSE(monitor->latestStatus().value());
    EXPECT_TRUE(monitor->history().value().empty());
    EXPECT_FALSE(monitor->isCaptivePortal().value());
    EXPECT_EQ(checker->timeouts, std::vector<double>{3.5});
}

TEST_F(CaptivePortalMonitorTest, APortalFoundByRedirectIsPublishedWithItsURL) {
    checker->measurement = redirected(portal);
    runtime.advance(7.0);
    pollTimes(1);
    const CaptivePortalStatus expected{TestRuntime::startDate() + std::chrono::seconds(7), true,
                                       portal, probe, CaptivePortalDetectionReason::redirect};
    EXPECT_EQ(monitor->latestStatus().value(), expected);
    EXPECT_TRUE(monitor->isCaptivePortal().value());
    EXPECT_EQ(monitor->portalURL().value(), portal);
    checker->measurement = redirected(std::nullopt);
    pollTimes(1);
    EXPECT_FALSE(monitor->portalURL().value()) << "a redirect without a usable address";
}

TEST_F(CaptivePortalMonitorTest,
       AFailureAfterAPortalKeepsThePortalAndTheNextSuccessClearsTheMessage) {
    checker->measurement = redirected(portal);
    pollTimes(1);
    checker->measurement = CaptivePortalDetectionMeasurement::failed();
    pollTimes(1);
    EXPECT_TRUE(monitor->isCaptivePortal().value());
    EXPECT_EQ(monitor->portalURL().value(), portal);
    EXPECT_TRUE(monitor->lastErrorMessage().value());
    checker->measurement = CaptivePortalDetectionMeasurement::notCaptive();
    pollTimes(1);
    EXPECT_FALSE(monitor->isCaptivePortal().value());
    EXPECT_FALSE(monitor->portalURL().value());
    EXPECT_FALSE(monitor->lastErrorMessage().value());
    EXPECT_EQ(monitor->latestStatus().value()->reason, CaptivePortalDetectionReason::none);
}

TEST_F(CaptivePortalMonitorTest, HistoryKeepsTheNewestSixtyAndResetClearsEverything) {
    pollTimes(61);
    EXPECT_EQ(monitor->history().value().size(), 60u);
    checker->measurement = redirected(portal);
    pollTimes(1);
    checker->measurement = CaptivePortalDetectionMeasurement::failed();
    pollTimes(1);
    monitor->resetTransientState();
    EXPECT_FALSE(monitor->latestStatus().value());
    EXPECT_TRUE(monitor->history().value().empty());
    EXPECT_FALSE(monitor->isCaptivePortal().value());
    EXPECT_FALSE(monitor->portalURL().value());
    EXPECT_FALSE(monitor->lastErrorMessage().value());
}
