#include "Monitors/DNSMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/FakeDNSLookupRunner.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

class DNSMonitorTest : public testing::Test {
protected:
    std::shared_ptr<DNSMonitor> makeMonitor(std::optional<QStringList> domains = std::nullopt) {
        return DNSMonitor::create({2.0, 60, 1.5, std::move(domains)}, lookups,
                                  std::make_shared<TaskSleeper>(), runtime.clock().dateProvider());
    }

    void pollTimes(const std::shared_ptr<DNSMonitor>& monitor, int count) {
        for (int index = 0; index < count; ++index) {
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await monitor->pollOnce(); });
        }
    }

    TestRuntime runtime;
    std::shared_ptr<FakeDNSLookupRunner> lookups = std::make_shared<FakeDNSLookupRunner>();
};

TEST_F(DNSMonitorTest, QueriesTheDomainsInRotation) {
    auto monitor = makeMonitor();
    pollTimes(monitor, 8);
    const QStringList defaults = DNSMonitor::defaultTestDomains();
    ASSERT_EQ(defaults.size(), 4);
    EXPECT_EQ(lookups->domains,
              (std::vector<QString>{defaults[0], defaults[1], defaults[2], defaults[3], defaults[0],
                                    defaults[1], defaults[2], defaults[3]}));
}

TEST_F(DNSMonitorTest, SanitizesTheGivenDomainList) {
    EXPECT_EQ(DNSMonitor::sanitizedDomains({" example.org \n", "", "   "}),
              QStringList{"example.org"});
    EXPECT_EQ(DNSMonitor::sanitizedDomains({"  ", "\t"}), DNSMonitor::defaultTestDomains());
    EXPECT_EQ(DNSMonitor::sanitizedDomains({"a.example", "A.example", "a.example"}),
              (QStringList{"a.example", "A.example", "a.example"}));
    EXPECT_EQ(makeMonitor(QStringList{" x.example "})->testDomains(), QStringList{"x.example"});
}

TEST_F(DNSMonitorTest, GradesTheLookupTime) {
    auto monitor = makeMonitor();
    const std::vector<std::pair<DNSLookupMeasurement, SignalQuality>> cases{
        {{49.9, true}, SignalQuality::good},     {{50.0, true}, SignalQuality::warning},
        {{100.0, true}, SignalQuality::warning}, {{100.1, true}, SignalQuality::poor},
        {{5.0, false}, SignalQuality::poor},     {{std::nullopt, true}, SignalQuality::poor}};
    for (const auto& [measurement, grade] : cases) {
        lookups->measurement = measurement;
        pollTimes(monitor, 1);
        EXPECT_EQ(monitor->dnsQuality().value(), grade)
            << measurement.latencyMilliseconds.value_or(-1);
    }
}

TEST_F(DNSMonitorTest, ResultIsStampedWhenTheLookupEnded) {
    auto monitor = makeMonitor(QStringList{"a.example"});
    lookups->lookupSeconds = 1.25;
    runtime.advance(3.0);
    auto poll = Async::spawn([monitor]() -> Async::Task<void> { co_await monitor->pollOnce(); });
    runtime.advance(1.2);
    EXPECT_FALSE(monitor->latestResult().value()) << "published before the lookup ended";
    runtime.advance(0.05);
    ASSERT_TRUE(poll.isFinished());
    EXPECT_EQ(monitor->latestResult().value(),
              (DNSResult{"a.example", TestRuntime::startDate() + std::chrono::milliseconds(4'250),
                         12.0, true}));
    EXPECT_EQ(monitor->history().value().size(), 1u);
}

TEST_F(DNSMonitorTest, ResetRestartsTheRotationAndClearsTheResults) {
    auto monitor = makeMonitor(QStringList{"a.example", "b.example", "c.example"});
    pollTimes(monitor, 2);
    monitor->resetTransientState();
    EXPECT_FALSE(monitor->latestResult().value());
    EXPECT_TRUE(monitor->history().value().empty());
    EXPECT_EQ(monitor->dnsQuality().value(), SignalQuality::poor);
    pollTimes(monitor, 1);
    EXPECT_EQ(lookups->domains.back(), QStringLiteral("a.example"));
}

TEST_F(DNSMonitorTest, HistoryKeepsTheNewestSixty) {
    auto monitor = makeMonitor();
    pollTimes(monitor, 61);
    EXPECT_EQ(monitor->history().value().size(), 60u);
    EXPECT_EQ(monitor->history().value().front().domain, DNSMonitor::defaultTestDomains()[1]);
}
