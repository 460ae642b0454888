#include "Monitors/PingMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/FakePingProbeRunner.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

namespace {
const QString router = QStringLiteral("192.168.1.1");
const QString internet = QStringLiteral("198.51.100.53");
} // namespace

class PingMonitorTest : public testing::Test {
protected:
    void SetUp() override {
        probe->gateway = router;
        probe->measurements[internet] = FakePingProbeRunner::answered(20, 2);
        probe->measurements[router] = FakePingProbeRunner::answered(3, 1);
    }

    // Runs `count` polls of a started monitor, 2 s apart on the virtual clock.
    void poll(int count) {
        if (!started) {
            monitor->start();
            started = true;
            runtime.runUntilIdle();
            --count;
        }
        for (int index = 0; index < count; ++index) {
            runtime.advance(2.0);
        }
    }

    TestRuntime runtime;
    std::shared_ptr<FakePingProbeRunner> probe = std::make_shared<FakePingProbeRunner>();
    std::shared_ptr<PingMonitor> monitor =
        PingMonitor::create({2.0, 60, 1.5, internet, 3}, probe, std::make_shared<TaskSleeper>(),
                            runtime.clock().dateProvider());
    bool started = false;
};

TEST_F(PingMonitorTest, PublishesBothResultsStampedBeforeTheGatewayLookup) {
    probe->gatewaySeconds = 0.4;
    probe->pingSeconds = {{router, 0.3}, {internet, 0.7}};
    poll(1);
    runtime.advance(0.4);
    EXPECT_EQ(probe->calls, (std::vector<QString>{"gateway 1.5", "ping 192.168.1.1 1.5",
                                                  "ping 198.51.100.53 1.5"}));
    EXPECT_EQ(probe->mostPingsAtOnce, 2) << "the two pings run at once";
    runtime.advance(0.3);
    EXPECT_FALSE(monitor->routerResult().value()) << "published before the internet ping ended";
    EXPECT_TRUE(monitor->routerHistory().value().empty());
    runtime.advance(0.4);
    EXPECT_EQ(monitor->routerIPAddress().value(), router);
    const PingResult expectedRouter{
        PingTarget::router, TestRuntime::startDate(), 3.0, 1.0, 0, true};
    const PingResult expectedInternet{
        PingTarget::internet, TestRuntime::startDate(), 20.0, 2.0, 0, true};
    EXPECT_EQ(monitor->routerResult().value(), expectedRouter);
    EXPECT_EQ(monitor->internetResult().value(), expectedInternet);
    EXPECT_EQ(monitor->routerHistory().value(), std::vector<PingResult>{expectedRouter});
    EXPECT_EQ(monitor->internetHistory().value(), std::vector<PingResult>{expectedInternet});
    EXPECT_EQ(probe->calls, (std::vector<QString>{"gateway 1.5", "ping 192.168.1.1 1.5",
                                                  "ping 198.51.100.53 1.5"}));
}

TEST_F(PingMonitorTest, RouterIsIgnoredFromTheThirdFailureInARowWhileTheInternetAnswers) {
    probe->measurements[router] = FakePingProbeRunner::unanswered();
    poll(2);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    poll(1);
    EXPECT_TRUE(monitor->isRouterIgnored().value());
    poll(1);
    EXPECT_TRUE(monitor->isRouterIgnored().value());
    probe->measurements[router] = FakePingProbeRunner::answered(3, 1);
    poll(1);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    // The count starts again from nothing.
    probe->measurements[router] = FakePingProbeRunner::unanswered();
    poll(2);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
}

TEST_F(PingMonitorTest, BothFailingNeverIgnoresTheRouter) {
    probe->measurements[router] = FakePingProbeRunner::unanswered();
    probe->measurements[internet] = FakePingProbeRunner::unanswered();
    poll(5);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    EXPECT_EQ(monitor->routerHistory().value().size(), 5u);
    EXPECT_FALSE(monitor->routerResult().value()->didSucceed);
}

TEST_F(PingMonitorTest, APollWithoutGatewayPingsOnlyTheInternetAndTrustsTheRouterAgain) {
    probe->measurements[router] = FakePingProbeRunner::unanswered();
    poll(3);
    ASSERT_TRUE(monitor->isRouterIgnored().value());
    probe->gateway.reset();
    probe->calls.clear();
    poll(1);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    EXPECT_FALSE(monitor->routerIPAddress().value().has_value());
    EXPECT_FALSE(monitor->routerResult().value().has_value());
    EXPECT_EQ(monitor->routerHistory().value().size(), 3u) << "the router history was cleared";
    EXPECT_EQ(monitor->internetHistory().value().size(), 4u);
    EXPECT_EQ(probe->calls, (std::vector<QString>{"gateway 1.5", "ping 198.51.100.53 1.5"}));
}

TEST_F(PingMonitorTest, HistoriesKeepTheNewestSixty) {
    poll(61);
    const auto& history = monitor->internetHistory().value();
    ASSERT_EQ(history.size(), 60u);
    EXPECT_EQ(history.front().timestamp, TestRuntime::startDate() + std::chrono::seconds(2));
    EXPECT_EQ(history.back().timestamp, TestRuntime::startDate() + std::chrono::seconds(120));
    EXPECT_EQ(monitor->routerHistory().value().size(), 60u);
}

TEST_F(PingMonitorTest, InternetTargetIsTrimmedAndBlankOrOptionLikeTextIgnored) {
    for (const QString& ignored :
         {QStringLiteral("   "), QString(), QStringLiteral("-f"), QStringLiteral(" -c 1000 "),
          QStringLiteral("1.1.1.1 -f"), QStringLiteral("host\u0001name")}) {
        monitor->setInternetTarget(ignored);
    }
    EXPECT_EQ(monitor->internetTarget(), internet);
    monitor->setInternetTarget(QStringLiteral("  203.0.113.7 \n"));
    EXPECT_EQ(monitor->internetTarget(), QStringLiteral("203.0.113.7"));
    poll(1);
    EXPECT_EQ(probe->calls.back(), QStringLiteral("ping 203.0.113.7 1.5"));
}

TEST_F(PingMonitorTest, ResetClearsEverythingButTheTargetAndTheLoop) {
    probe->measurements[router] = FakePingProbeRunner::unanswered();
    poll(3);
    monitor->resetTransientState();
    EXPECT_FALSE(monitor->routerIPAddress().value());
    EXPECT_FALSE(monitor->routerResult().value());
    EXPECT_FALSE(monitor->internetResult().value());
    EXPECT_TRUE(monitor->routerHistory().value().empty());
    EXPECT_TRUE(monitor->internetHistory().value().empty());
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    // The failure count restarted: two more failures do not ignore the router.
    poll(2);
    EXPECT_FALSE(monitor->isRouterIgnored().value());
    EXPECT_EQ(monitor->internetHistory().value().size(), 2u);
}
