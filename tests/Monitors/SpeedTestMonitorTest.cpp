#include "Monitors/SpeedTestMonitor.h"

#include "Platform/URLSession/URLError.h"
#include "Support/ScriptedLatencyProbe.h"
#include "Support/ScriptedSpeedTestRunner.h"
#include "Support/TestRuntime.h"
#include "System/SpeedTestRunnerError.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr std::uint64_t stepNanoseconds = ScriptedSpeedTestRunner::stepNanoseconds;

// Reports each of `fractions` in both phases, then succeeds.
class FractionReportingRunner final : public SpeedTesting {
public:
    std::vector<double> fractions;

    Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration,
                                                      SpeedTestProgress progress) override {
        return report(std::move(progress));
    }
    Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration,
                                                    SpeedTestProgress progress) override {
        return report(std::move(progress));
    }

private:
    Async::Task<SpeedTestMeasurement> report(SpeedTestProgress progress) {
        for (const double fraction : fractions) {
            co_await progress(fraction);
        }
        co_return SpeedTestMeasurement{10, 1'000'000, 0.8};
    }
};

} // namespace

class SpeedTestMonitorTest : public testing::Test {
protected:
    std::shared_ptr<SpeedTestMonitor>
    makeMonitor(std::int64_t baselineAttempts = 5,
                std::shared_ptr<SpeedTesting> speedTestRunner = nullptr) {
        return SpeedTestMonitor::create({SpeedTestConfiguration{8'000'000, 4, 3'000'000, 4, 10.0},
                                         QStringLiteral("198.51.100.53"), 2.0, baselineAttempts,
                                         0.35, BufferbloatGradeThresholds{2.0, 3.0, 5.0}},
                                        speedTestRunner ? speedTestRunner : runner, probe,
                                        runtime.clock().dateProvider());
    }

    // Runs the clock until the running test has ended.
    void runToEnd(const std::shared_ptr<SpeedTestMonitor>& monitor) {
        runtime.runUntilIdle();
        while (monitor->isRunning().value() && runtime.clock().fireNext()) {
        }
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedSpeedTestRunner> runner = std::make_shared<ScriptedSpeedTestRunner>();
    std::shared_ptr<ScriptedLatencyProbe> probe = std::make_shared<ScriptedLatencyProbe>();
};

TEST_F(SpeedTestMonitorTest, ACompletedTestPublishesEveryFigureAndTheResult) {
    probe->answers = {10.0, std::nullopt, 30.0, std::nullopt, 20.0, 30.0, 50.0, 40.0};
    auto monitor = makeMonitor();
    std::vector<double> progress;
    auto subscription =
        monitor->progress().subscribe([&](double value) { progress.push_back(value); });
    monitor->startSpeedTest();
    EXPECT_TRUE(monitor->isRunning().value());
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::download);
    runToEnd(monitor);

    EXPECT_EQ(monitor->baselineLatencyMilliseconds().value(), 20.0);
    EXPECT_EQ(monitor->baselineProbeFailedAttemptIndices().value(),
              (std::vector<std::int64_t>{2, 4}));
    EXPECT_EQ(monitor->downloadLoadedLatencyMilliseconds().value(), 40.0);
    EXPECT_EQ(monitor->downloadBufferbloatRatio().value(), 2.0);
    EXPECT_EQ(monitor->downloadBufferbloatGrade().value(), BufferbloatGrade::b);
    EXPECT_EQ(monitor->uploadLoadedLatencyMilliseconds().value(), 25.0);
    EXPECT_EQ(monitor->uploadBufferbloatGrade().value(), BufferbloatGrade::a);
    EXPECT_EQ(progress, (std::vector<double>{0, 0, 0.125, 0.25, 0.375, 0.5, 0.5, 0.625, 0.75, 0.875,
                                             1.0, 1.0}));
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::completed);
    EXPECT_FALSE(monitor->isRunning().value());
    const SpeedTestResult expected{TestRuntime::startDate() + std::chrono::milliseconds(1600),
                                   95.5,
                                   22.25,
                                   20.0,
                                   40.0,
                                   25.0,
                                   2.0,
                                   1.25,
                                   BufferbloatGrade::b,
                                   BufferbloatGrade::a,
                                   true};
    EXPECT_EQ(monitor->latestResult().value(), expected);
}

TEST_F(SpeedTestMonitorTest, StartingWhileATestRunsChangesNothingAndANewTestClearsTheLast) {
    auto monitor = makeMonitor();
    monitor->startSpeedTest();
    runtime.clock().advanceNanoseconds(stepNanoseconds);
    const double progressBefore = monitor->progress().value();
    monitor->startSpeedTest();
    EXPECT_EQ(monitor->progress().value(), progressBefore);
    runToEnd(monitor);
    ASSERT_TRUE(monitor->latestResult().value());
    monitor->startSpeedTest();
    EXPECT_FALSE(monitor->latestResult().value());
    EXPECT_FALSE(monitor->downloadMbps().value());
    EXPECT_EQ(monitor->progress().value(), 0.0);
    runToEnd(monitor);
}

TEST_F(SpeedTestMonitorTest, AStartClearsTheLastFailureAndProgressStaysWithinZeroToOne) {
    probe->answers = {std::nullopt};
    runner->downloadFailure = SpeedTestRunnerError(SpeedTestRunnerError::invalidResponse);
    auto failing = makeMonitor(1);
    failing->startSpeedTest();
    runToEnd(failing);
    ASSERT_TRUE(failing->lastErrorMessage().value());
    ASSERT_EQ(failing->baselineProbeFailedAttemptIndices().value(), std::vector<std::int64_t>{1});
    failing->startSpeedTest();
    EXPECT_FALSE(failing->lastErrorMessage().value());
    EXPECT_TRUE(failing->baselineProbeFailedAttemptIndices().value().empty());
    runToEnd(failing);

    auto reporting = std::make_shared<FractionReportingRunner>();
    reporting->fractions = {-0.5, std::numeric_limits<double>::quiet_NaN(), 0.5, 1.5};
    auto monitor = makeMonitor(1, reporting);
    std::vector<double> progress;
    auto subscription =
        monitor->progress().subscribe([&](double value) { progress.push_back(value); });
    monitor->startSpeedTest();
    runToEnd(monitor);
    EXPECT_THAT(progress, testing::Each(testing::AllOf(testing::Ge(0.0), testing::Le(1.0))));
    EXPECT_THAT(progress, testing::Contains(0.25));
    EXPECT_EQ(progress.back(), 1.0);
}

// An observer of the values a start publishes may start or cancel a test from
// its notification; either reaches the test that is starting.
TEST_F(SpeedTestMonitorTest, AStartOrCancelFromAnObserverOfTheStartReachesTheStartingTest) {
    struct Case {
        const char* name;
        std::function<void(SpeedTestMonitor&)> fromObserver;
        SpeedTestPhase endPhase;
        int downloads;
    };
    const std::vector<Case> cases{
        {"cancel", [](SpeedTestMonitor& monitor) { monitor.cancelSpeedTest(); },
         SpeedTestPhase::cancelled, 0},
        {"start", [](SpeedTestMonitor& monitor) { monitor.startSpeedTest(); },
         SpeedTestPhase::completed, 1},
    };
    for (const Case& testCase : cases) {
        runner->downloads = 0;
        probe->probes = 0;
        auto monitor = makeMonitor();
        bool acted = false;
        int runEnds = 0;
        auto onStart = monitor->isRunning().subscribe([&](bool running) {
            if (running && !acted) {
                acted = true;
                testCase.fromObserver(*monitor);
            }
            runEnds += running ? 0 : 1;
        });
        runEnds = 0;
        monitor->startSpeedTest();
        runToEnd(monitor);
        runtime.clock().advance(10);
        runtime.runUntilIdle();
        EXPECT_EQ(monitor->phase().value(), testCase.endPhase) << testCase.name;
        EXPECT_EQ(runner->downloads, testCase.downloads) << testCase.name;
        EXPECT_EQ(runEnds, 1) << testCase.name;
        EXPECT_FALSE(monitor->isRunning().value()) << testCase.name;
        if (testCase.endPhase == SpeedTestPhase::cancelled) {
            EXPECT_EQ(probe->probes, 0) << "a probe ran after the cancel";
        } else {
            EXPECT_TRUE(monitor->latestResult().value()) << testCase.name;
        }
    }
}

TEST_F(SpeedTestMonitorTest, EveryBaselineFailureStillCompletesWithoutGrades) {
    probe->answers = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    auto monitor = makeMonitor();
    monitor->startSpeedTest();
    runToEnd(monitor);
    EXPECT_EQ(monitor->baselineProbeFailedAttemptIndices().value(),
              (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(monitor->baselineLatencyMilliseconds().value());
    EXPECT_FALSE(monitor->downloadBufferbloatRatio().value());
    EXPECT_FALSE(monitor->uploadBufferbloatGrade().value());
    ASSERT_TRUE(monitor->latestResult().value());
    EXPECT_TRUE(monitor->latestResult().value()->didSucceed);
    EXPECT_EQ(monitor->latestResult().value()->downloadMbps, 95.5);
}

TEST_F(SpeedTestMonitorTest, APhaseWithoutSamplesHasThroughputButNoLoadedLatency) {
    probe->answers = {10.0, 10.0, 10.0, 10.0, 10.0};
    probe->laterAnswer.reset();
    auto monitor = makeMonitor();
    monitor->startSpeedTest();
    runToEnd(monitor);
    EXPECT_EQ(monitor->downloadMbps().value(), 95.5);
    EXPECT_FALSE(monitor->downloadLoadedLatencyMilliseconds().value());
    EXPECT_FALSE(monitor->downloadBufferbloatGrade().value());
}

TEST_F(SpeedTestMonitorTest, CancellingDuringTheBaselineEndsBeforeTheNextProbe) {
    probe->probeSeconds = 1.0;
    auto monitor = makeMonitor();
    monitor->startSpeedTest();
    runtime.advance(0.5);
    monitor->cancelSpeedTest();
    runToEnd(monitor);
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::cancelled);
    EXPECT_EQ(probe->probes, 1);
    EXPECT_FALSE(monitor->downloadMbps().value());
    EXPECT_EQ(monitor->progress().value(), 0.0);
    EXPECT_FALSE(monitor->isRunning().value());
    EXPECT_FALSE(monitor->lastErrorMessage().value());
}

TEST_F(SpeedTestMonitorTest,
       CancellingDuringTheUploadKeepsTheDownloadFiguresEvenWhenATransferReportsItsOwnError) {
    for (const bool ownError : {false, true}) {
        runner->reportsCancellationAsTransportError = ownError;
        auto monitor = makeMonitor(0);
        monitor->startSpeedTest();
        runtime.clock().advanceNanoseconds(5 * stepNanoseconds);
        ASSERT_EQ(monitor->phase().value(), SpeedTestPhase::upload);
        monitor->cancelSpeedTest();
        runToEnd(monitor);
        EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::cancelled) << "own error: " << ownError;
        EXPECT_EQ(monitor->downloadMbps().value(), 95.5);
        EXPECT_FALSE(monitor->uploadMbps().value());
        EXPECT_FALSE(monitor->latestResult().value());
        EXPECT_FALSE(monitor->lastErrorMessage().value());
    }
}

TEST_F(SpeedTestMonitorTest, RunnerErrorsFailTheTestWithTheirMessages) {
    const std::vector<std::pair<ScriptedSpeedTestRunner::Failure, QString>> cases{
        {SpeedTestRunnerError::invalidRequest, "Speed test request configuration is invalid."},
        {SpeedTestRunnerError::invalidResponse,
         "Speed test server returned an unexpected response."},
        {SpeedTestRunnerError::noDataTransferred, "Speed test transferred no data."},
        {URLError(URLError::timedOut, "The request timed out."), "The request timed out."}};
    for (const auto& [failure, message] : cases) {
        runner->downloadFailure = failure;
        runner->uploads = 0;
        auto monitor = makeMonitor(0);
        monitor->startSpeedTest();
        runToEnd(monitor);
        EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::failed);
        EXPECT_EQ(monitor->lastErrorMessage().value(), message);
        EXPECT_EQ(monitor->progress().value(), 0.0);
        EXPECT_EQ(runner->uploads, 0) << "an upload followed a failed download";
        EXPECT_FALSE(monitor->isRunning().value());
    }
}

TEST_F(SpeedTestMonitorTest, ASampleArrivingAfterItsRunEndedNeverCountsForTheNextRun) {
    probe->probeSeconds = 1.0;
    probe->answers = {999.0};
    probe->laterAnswer = 10.0;
    auto monitor = makeMonitor(0);
    monitor->startSpeedTest();
    runtime.clock().advanceNanoseconds(stepNanoseconds);
    monitor->cancelSpeedTest();
    runtime.runUntilIdle();
    ASSERT_EQ(monitor->phase().value(), SpeedTestPhase::cancelled);
    // The first run's probe is still out and answers 999 ms during the second run.
    monitor->startSpeedTest();
    runToEnd(monitor);
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::completed);
    EXPECT_EQ(monitor->downloadLoadedLatencyMilliseconds().value(), 10.0);
}

TEST_F(SpeedTestMonitorTest, MedianRatioAndGradeBounds) {
    EXPECT_EQ(SpeedTestMonitor::medianLatency({40, 10, 30, 20}), 25.0);
    EXPECT_EQ(SpeedTestMonitor::medianLatency({30, 10, 20}), 20.0);
    EXPECT_EQ(SpeedTestMonitor::medianLatency({}), std::nullopt);
    EXPECT_EQ(SpeedTestMonitor::bufferbloatRatio(30.0, 0.0), std::nullopt);
    EXPECT_EQ(SpeedTestMonitor::bufferbloatRatio(0.0, 10.0), std::nullopt);
    EXPECT_EQ(SpeedTestMonitor::bufferbloatRatio(std::nullopt, 10.0), std::nullopt);
    const BufferbloatGradeThresholds thresholds{2.0, 3.0, 5.0};
    const std::vector<std::pair<double, BufferbloatGrade>> grades{
        {1.99, BufferbloatGrade::a}, {2.0, BufferbloatGrade::b},  {2.999, BufferbloatGrade::b},
        {3.0, BufferbloatGrade::c},  {4.99, BufferbloatGrade::c}, {5.0, BufferbloatGrade::f}};
    for (const auto& [ratio, expected] : grades) {
        EXPECT_EQ(SpeedTestMonitor::grade(ratio, thresholds), expected) << ratio;
    }
    EXPECT_EQ(SpeedTestMonitor::grade(std::nullopt, thresholds), std::nullopt);
}
