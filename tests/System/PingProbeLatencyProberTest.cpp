#include "System/PingProbeLatencyProber.h"

#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Answers every ping with a fixed measurement (or error) and records what it was asked.
class FakePingProbeRunner final : public PingProbeRunning {
public:
    explicit FakePingProbeRunner(PingProbeMeasurement answer) : answer_(answer) {}

    Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) override {
        pings.push_back({target, timeout});
        if (shouldThrow) {
            throw std::runtime_error("the ping could not run");
        }
        co_return answer_;
    }

    Async::Task<std::optional<QString>> resolveDefaultGateway(double) override {
        ADD_FAILURE() << "the latency prober looked for a gateway";
        co_return std::nullopt;
    }

    struct Ping {
        QString target;
        double timeout;
        bool operator==(const Ping&) const = default;
    };
    std::vector<Ping> pings;
    bool shouldThrow = false;

private:
    PingProbeMeasurement answer_;
};

} // namespace

class PingProbeLatencyProberTest : public testing::Test {
protected:
    std::optional<double> measure(PingProbeMeasurement answer, bool shouldThrow = false) {
        runner = std::make_shared<FakePingProbeRunner>(answer);
        runner->shouldThrow = shouldThrow;
        PingProbeLatencyProber prober(runner);
        return runtime.runToCompletion(prober.measureLatency(QStringLiteral("1.1.1.1"), 2.0));
    }

    TestRuntime runtime;
    std::shared_ptr<FakePingProbeRunner> runner;
};

TEST_F(PingProbeLatencyProberTest, ASuccessfulPingGivesItsAverageRoundTrip) {
    EXPECT_EQ(measure({12.5, 0.4, 0.0, true}), 12.5);
    EXPECT_EQ(runner->pings,
              (std::vector<FakePingProbeRunner::Ping>{{QStringLiteral("1.1.1.1"), 2.0}}));
}

TEST_F(PingProbeLatencyProberTest, AFailedOrUnreadablePingGivesNoSample) {
    EXPECT_EQ(measure({12.5, 0.4, 100.0, false}), std::nullopt);
    EXPECT_EQ(measure({std::nullopt, std::nullopt, 0.0, true}), std::nullopt);
    EXPECT_EQ(measure({12.5, 0.4, 0.0, true}, /*shouldThrow=*/true), std::nullopt);
}
