#include "AppState/DiagnosticsExportCollection.h"

#include "Core/TaskSleeper.h"
#include "Platform/Bundle/BundleKeys.h"
#include "Support/FakeDiagnosticsExportSources.h"
#include "Support/FakeExportWorkEnder.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Stage = CollectionStage;

// One shown stage: the progress line and bar, and when they changed.
struct ShownStage {
    QString message;
    double progress;
    double atSeconds;
    bool operator==(const ShownStage&) const = default;
};

std::set<Stage> stagesBefore(Stage stage) {
    std::set<Stage> stages;
    for (const Stage earlier : CollectionStages::allCases) {
        if (earlier == stage) {
            break;
        }
        stages.insert(earlier);
    }
    return stages;
}

} // namespace

class DiagnosticsExportCollectionTest : public testing::Test {
protected:
    void SetUp() override {
        sources->input.connectionLastErrorMessage = QStringLiteral("Connection failed.");
        collection = makeCollection(
            BundleInfo(BundleInfo::Dictionary{{BundleKeys::shortVersion, QStringLiteral("1.4.2")},
                                              {BundleKeys::buildNumber, QStringLiteral("57")}}));
        watch = collection->state().subscribe([this](const DiagnosticsExportState& state) {
            states.push_back(state);
            const ShownStage shown{state.collectionMessage, state.collectionProgress, seconds()};
            if (shownStages.empty() || shownStages.back().message != shown.message ||
                shownStages.back().progress != shown.progress) {
                shownStages.push_back(shown);
            }
        });
    }

    std::shared_ptr<DiagnosticsExportCollection> makeCollection(BundleInfo bundle) {
        return DiagnosticsExportCollection::create(DiagnosticsExportCollection::Environment{
            sources,
            // The wall clock stands still: every deadline is on the monotonic clock.
            [] { return TestRuntime::startDate() + std::chrono::hours(5); },
            [this] {
                return std::chrono::steady_clock::time_point(
                    std::chrono::nanoseconds(runtime.clock().elapsedNanoseconds()));
            },
            std::make_shared<TaskSleeper>(), std::move(bundle)});
    }

    double seconds() { return double(runtime.clock().elapsedNanoseconds()) / 1e9; }
    const DiagnosticsExportState& state() const { return collection->state().value(); }
    const DiagnosticsExportReport& report() const { return *state().collectedReport; }

    // Advances virtual time in polls until the run has ended.
    void runToTheEnd(double limitSeconds = 200) {
        runtime.runUntilIdle();
        while (state().isCollectingReport && seconds() < limitSeconds) {
            runtime.advance(0.01);
        }
        ASSERT_FALSE(state().isCollectingReport);
    }

    void endWorkWhenStarted() { endings = endAllWorkWhenStarted(*sources); }

    TestRuntime runtime;
    std::shared_ptr<FakeDiagnosticsExportSources> sources =
        std::make_shared<FakeDiagnosticsExportSources>();
    std::shared_ptr<DiagnosticsExportCollection> collection;
    std::vector<DiagnosticsExportState> states;
    std::vector<ShownStage> shownStages;
    std::vector<Reactive::Cancellable> endings;
    Reactive::Cancellable watch;
};

TEST_F(DiagnosticsExportCollectionTest, StartsWithTheOpenersInitialStateAsGiven) {
    DiagnosticsExportState opened;
    opened.actionMessage = QStringLiteral("Diagnostics report copied to clipboard.");
    opened.actionMessageColor = DiagnosticsExportMessageColor::success;
    opened.collectedReportJSONString = QStringLiteral("{}");
    opened.collectionProgress = 0.5;
    opened.collectionMessage = QStringLiteral("Running speed test...");
    opened.completedStages = {Stage::metrics, Stage::wifi};
    const auto reopened = DiagnosticsExportCollection::create(
        {sources, {}, {}, std::make_shared<TaskSleeper>()}, opened);
    EXPECT_EQ(reopened->state().value(), opened);
    EXPECT_EQ(state().collectionMessage, QStringLiteral("Collecting metrics..."))
        << "a fresh model's line before its first run";
}

TEST_F(DiagnosticsExportCollectionTest, StageTitlesAndProgressFollowOnePauseApart) {
    endWorkWhenStarted();
    collection->startRegenerateRun();
    runToTheEnd();
    const std::vector<ShownStage> expected{
        {QStringLiteral("Collecting metrics..."), 0.0, 0.0},
        {QStringLiteral("Collecting metrics..."), 0.06, 0.0},
        {QStringLiteral("Collecting Wi-Fi metrics..."), 0.20, 0.18},
        {QStringLiteral("Collecting latency metrics..."), 0.34, 0.36},
        {QStringLiteral("Collecting channel info..."), 0.54, 0.54},
        {QStringLiteral("Running speed test..."), 0.76, 0.54},
        {QStringLiteral("Finalizing report..."), 0.92, 0.54},
        {QStringLiteral("Report ready."), 1.0, 0.54},
    };
    ASSERT_EQ(shownStages.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(shownStages[index].message, expected[index].message) << index;
        EXPECT_DOUBLE_EQ(shownStages[index].progress, expected[index].progress) << index;
        EXPECT_NEAR(shownStages[index].atSeconds, expected[index].atSeconds, 0.011) << index;
    }
}

TEST_F(DiagnosticsExportCollectionTest, EveryStateKeepsTheInvariantsAndTheResultArrivesInOneStep) {
    endWorkWhenStarted();
    collection->startRegenerateRun();
    runToTheEnd();
    int resultArrivals = 0;
    for (std::size_t index = 1; index < states.size(); ++index) {
        const DiagnosticsExportState& shown = states[index];
        if (shown.isCollectingReport) {
            EXPECT_FALSE(shown.collectedReport.has_value()) << index;
            EXPECT_FALSE(shown.collectedReportJSONString.has_value()) << index;
            const auto current = std::find_if(CollectionStages::allCases.begin(),
                                              CollectionStages::allCases.end(), [&](Stage stage) {
                                                  return shown.collectionMessage ==
                                                         CollectionStages::title(stage) + "...";
                                              });
            ASSERT_NE(current, CollectionStages::allCases.end()) << index;
            // A stage is completed just before the next one starts.
            std::set<Stage> finishing = stagesBefore(*current);
            finishing.insert(*current);
            EXPECT_TRUE(shown.completedStages == stagesBefore(*current) ||
                        shown.completedStages == finishing)
                << index;
        } else {
            ++resultArrivals;
            EXPECT_TRUE(shown.hasResult());
            EXPECT_EQ(shown.collectionProgress, 1.0);
            EXPECT_EQ(shown.collectionMessage, QStringLiteral("Report ready."));
            EXPECT_EQ(shown.completedStages.size(), 6u);
        }
    }
    EXPECT_EQ(resultArrivals, 1);
    EXPECT_EQ(sources->inputReads, 1);
    EXPECT_EQ(report().app.version, QStringLiteral("1.4.2"));
    EXPECT_EQ(report().app.build, QStringLiteral("57"));
    EXPECT_EQ(report().exportedAt, TestRuntime::startDate() + std::chrono::hours(5));
    EXPECT_EQ(report().connectionPressure.errorMessage, QStringLiteral("Connection failed."));
}

TEST_F(DiagnosticsExportCollectionTest, MissingBundleValuesLeaveVersionAndBuildOut) {
    collection = makeCollection(
        BundleInfo(BundleInfo::Dictionary{{BundleKeys::buildID, QStringLiteral("4f2c")}}));
    endWorkWhenStarted();
    collection->startRegenerateRun();
    runToTheEnd();
    EXPECT_FALSE(report().app.version.has_value());
    EXPECT_FALSE(report().app.build.has_value());
}

TEST_F(DiagnosticsExportCollectionTest, AStartWhileCollectingChangesNothing) {
    collection->startRegenerateRun();
    runtime.advance(0.6);
    ASSERT_TRUE(state().isCollectingReport);
    const DiagnosticsExportState during = state();
    const std::size_t notifications = states.size();
    collection->startRegenerateRun();
    auto appearance = collection->startAppearanceRun();
    runtime.runUntilIdle();
    EXPECT_TRUE(appearance.isFinished());
    EXPECT_EQ(states.size(), notifications);
    EXPECT_EQ(state(), during);
    EXPECT_EQ(sources->scan.startCount, 1);
    sources->scan.end();
    runtime.advance(0.2);
    sources->speed.end();
    runToTheEnd();
    EXPECT_EQ(sources->speed.startCount, 1);
    EXPECT_EQ(sources->inputReads, 1);
}

TEST_F(DiagnosticsExportCollectionTest, RegenerateDropsTheReportAndFeedbackAtOnce) {
    endWorkWhenStarted();
    collection->startRegenerateRun();
    runToTheEnd();
    collection->setActionMessage(QStringLiteral("Diagnostics report copied to clipboard."),
                                 DiagnosticsExportMessageColor::success);
    collection->startRegenerateRun();
    runtime.runUntilIdle();
    EXPECT_FALSE(state().actionMessage.has_value());
    EXPECT_EQ(state().actionMessageColor, DiagnosticsExportMessageColor::secondaryText);
    EXPECT_FALSE(state().collectedReport.has_value());
    EXPECT_FALSE(state().collectedReportJSONString.has_value());
    EXPECT_TRUE(state().completedStages.empty());
    EXPECT_EQ(state().collectionMessage, QStringLiteral("Collecting metrics..."));
    EXPECT_DOUBLE_EQ(state().collectionProgress, 0.06);
    EXPECT_TRUE(state().isCollectingReport);
}

// A scan or test already running when its stage comes is waited for, and
// neither started again nor cancelled.
TEST_F(DiagnosticsExportCollectionTest, WorkRunningAtItsStageIsWaitedForNotRestarted) {
    for (const bool isScan : {true, false}) {
        SCOPED_TRACE(isScan ? "scan" : "speed test");
        sources = std::make_shared<FakeDiagnosticsExportSources>();
        collection = makeCollection(BundleInfo());
        FakeExportWork& running = isScan ? sources->scan : sources->speed;
        FakeExportWork& other = isScan ? sources->speed : sources->scan;
        const auto endOther = endWhenStarted(other);
        running.startElsewhere();
        collection->startRegenerateRun();
        runtime.advance(3);
        EXPECT_EQ(collection->state().value().collectionMessage,
                  isScan ? QStringLiteral("Collecting channel info...")
                         : QStringLiteral("Running speed test..."));
        running.end();
        runToTheEnd();
        EXPECT_EQ(running.startCount, 0);
        EXPECT_EQ(running.cancelCount, 0);
        EXPECT_EQ(other.startCount, 1);
    }
}

// Each wait gives up at its deadline on the monotonic clock (the wall clock
// stands still here), cancels the work and reports the monitor's text or its own.
TEST_F(DiagnosticsExportCollectionTest, AWaitPastItsDeadlineCancelsTheWorkAndSaysWhy) {
    struct Case {
        bool isScan;
        std::optional<QString> monitorText;
        QString expectedText;
    };
    const std::vector<Case> cases{
        {true, std::nullopt, QStringLiteral("Channel scan timed out.")},
        {true, QStringLiteral("Channel scan failed: busy"),
         QStringLiteral("Channel scan failed: busy")},
        {false, std::nullopt, QStringLiteral("Speed test timed out.")},
        {false, QStringLiteral("Baseline failed."), QStringLiteral("Baseline failed.")},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.expectedText.toStdString());
        sources = std::make_shared<FakeDiagnosticsExportSources>();
        collection = makeCollection(BundleInfo());
        FakeExportWork& held = testCase.isScan ? sources->scan : sources->speed;
        FakeExportWork& other = testCase.isScan ? sources->speed : sources->scan;
        held.errorMessage = testCase.monitorText;
        // What the work writes once cancelled is not the wait's text.
        held.errorMessageOnCancel = QStringLiteral("Cancelled.");
        const auto endOther = endWhenStarted(other);
        const double deadline = testCase.isScan ? 24 : 95;
        collection->startRegenerateRun();
        runtime.advance(0.54);
        const double waitStarted = seconds();
        while (held.cancelCount == 0 && seconds() < waitStarted + 200) {
            runtime.advance(0.05);
        }
        EXPECT_EQ(held.cancelCount, 1);
        EXPECT_GE(seconds() - waitStarted, deadline);
        EXPECT_LE(seconds() - waitStarted, deadline + 0.25);
        held.end();
        runToTheEnd(1000);
        const auto& errorText =
            testCase.isScan ? report().channelScan.errorMessage : report().speedTest.errorMessage;
        EXPECT_EQ(errorText, testCase.expectedText);
    }
}

TEST_F(DiagnosticsExportCollectionTest, AReportThatCannotBeEncodedKeepsTheFallbackText) {
    // A text with an unpaired surrogate has no UTF-8 form.
    sources->input.connectionLastErrorMessage = QString(QChar(0xD800));
    endWorkWhenStarted();
    collection->startRegenerateRun();
    runToTheEnd();
    EXPECT_EQ(state().collectedReportJSONString,
              QStringLiteral(R"({ "error": "Unable to encode diagnostics export." })"));
    EXPECT_TRUE(state().collectedReport.has_value());
    EXPECT_EQ(state().collectionMessage, QStringLiteral("Report ready."));
    EXPECT_EQ(state().collectionProgress, 1.0);
}

TEST_F(DiagnosticsExportCollectionTest, WorkEndingInTimeLeavesTheMonitorsTextToTheReport) {
    sources->input.channelScanLastErrorMessage = QStringLiteral("Channel scan failed: radio off");
    collection->startRegenerateRun();
    runtime.advance(0.54);
    sources->scan.end();
    runtime.advance(0.2);
    sources->speed.end();
    runToTheEnd();
    EXPECT_EQ(sources->scan.cancelCount, 0);
    EXPECT_EQ(report().channelScan.errorMessage, QStringLiteral("Channel scan failed: radio off"));
    EXPECT_FALSE(report().speedTest.errorMessage.has_value());
}

TEST_F(DiagnosticsExportCollectionTest, ACancelledRunStartsNothingAndLeavesOthersWorkRunning) {
    sources->speed.startElsewhere();
    auto run = collection->startAppearanceRun();
    runtime.advance(0.2);
    EXPECT_EQ(state().collectionMessage, QStringLiteral("Collecting Wi-Fi metrics..."));
    run.cancel();
    runtime.runUntilIdle();
    EXPECT_TRUE(state().hasResult());
    EXPECT_EQ(sources->scan.startCount, 0);
    EXPECT_EQ(sources->speed.startCount, 0);
    EXPECT_EQ(sources->speed.cancelCount, 0);
    EXPECT_TRUE(sources->speed.running.value());
    EXPECT_FALSE(report().speedTest.errorMessage.has_value());
    EXPECT_LT(seconds(), 0.25);
}

TEST_F(DiagnosticsExportCollectionTest, ACancelledRunCancelsTheScanItStarted) {
    auto run = collection->startAppearanceRun();
    runtime.advance(1);
    ASSERT_EQ(sources->scan.startCount, 1);
    run.cancel();
    runtime.runUntilIdle();
    EXPECT_GE(sources->scan.cancelCount, 1);
    EXPECT_EQ(sources->speed.startCount, 0);
    EXPECT_TRUE(state().hasResult());
    EXPECT_EQ(report().channelScan.errorMessage, QStringLiteral("Channel scan timed out."));
}

TEST_F(DiagnosticsExportCollectionTest, ACancelAfterTheStartedScanEndedSparesALaterOne) {
    auto run = collection->startAppearanceRun();
    runtime.advance(1);
    sources->scan.end();
    // The user starts a scan in its own window before the wait notices.
    sources->scan.startElsewhere();
    run.cancel();
    runtime.runUntilIdle();
    EXPECT_EQ(sources->scan.cancelCount, 0);
    EXPECT_TRUE(state().hasResult());
}

TEST_F(DiagnosticsExportCollectionTest, ARunOutlivesTheLastOtherOwnerOfItsModel) {
    collection->startRegenerateRun();
    runtime.advance(1);
    std::weak_ptr<DiagnosticsExportCollection> weakCollection = collection;
    watch.cancel();
    collection.reset();
    ASSERT_FALSE(weakCollection.expired());
    sources->scan.end();
    runtime.advance(0.2);
    sources->speed.end();
    runtime.advance(0.2);
    EXPECT_EQ(sources->inputReads, 1);
    EXPECT_TRUE(weakCollection.expired());
}

// Titles and progress are shown by a whole run (StageTitlesAndProgressFollowOnePauseApart).
TEST(CollectionStageTest, RawValuesFollowTheCaseOrder) {
    for (int raw = 0; raw < 6; ++raw) {
        const auto stage = CollectionStages::fromRawValue(raw);
        ASSERT_TRUE(stage.has_value());
        EXPECT_EQ(*stage, CollectionStages::allCases[std::size_t(raw)]);
        EXPECT_EQ(CollectionStages::rawValue(*stage), raw);
    }
    EXPECT_FALSE(CollectionStages::fromRawValue(-1).has_value());
    EXPECT_FALSE(CollectionStages::fromRawValue(6).has_value());
}
