#pragma once

#include "AppState/CollectionStage.h"
#include "AppState/DiagnosticsExportSources.h"
#include "AppState/DiagnosticsExportState.h"
#include "Core/DateProvider.h"
#include "Core/SleepProviding.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Bundle/BundleInfo.h"
#include "Platform/Reactive/Cancellable.h"
#include "Platform/Reactive/Published.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include <QString>

// The export window's model: collects one diagnostics report in six visible
// stages and keeps it, with its JSON text, for the window's panels and its
// copy and save actions.
//
// The first three stages only pause; the channel and speed stages start a
// scan and a test on the shared monitors unless one runs and wait for it up
// to 24 s and 95 s on the monotonic clock, cancelling it at the deadline; the
// final stage reads the monitors once and builds the report and its text.
// Every run ends with a report. A run holds the model, so a run that outlives
// its window finishes without touching anything destroyed.
//
// Cancelling a run (its window closed) cancels the scan or test this run
// started, never one started elsewhere, and starts nothing new; the run still
// ends with a report of what the monitors hold.
class DiagnosticsExportCollection final
    : public std::enable_shared_from_this<DiagnosticsExportCollection> {
public:
    using MonotonicClock = std::function<std::chrono::steady_clock::time_point()>;

    struct Environment {
        std::shared_ptr<DiagnosticsExportSources> sources;
        // The wall clock: the report's export time.
        DateProvider dateProvider = systemDateProvider();
        // The waits' deadlines.
        MonotonicClock monotonicClock = &std::chrono::steady_clock::now;
        std::shared_ptr<SleepProviding> sleeper;
        BundleInfo bundle = BundleInfo::mainBundle();
    };

    static constexpr double pauseSeconds = 0.18;
    static constexpr double pollSeconds = 0.2;
    static constexpr double channelScanDeadlineSeconds = 24;
    static constexpr double speedTestDeadlineSeconds = 95;

    // `initialState` is the opener's: by default fresh, with no report.
    static std::shared_ptr<DiagnosticsExportCollection>
    create(Environment environment, DiagnosticsExportState initialState = {});
    ~DiagnosticsExportCollection();
    DiagnosticsExportCollection(const DiagnosticsExportCollection&) = delete;
    DiagnosticsExportCollection& operator=(const DiagnosticsExportCollection&) = delete;

    const Reactive::Published<DiagnosticsExportState>& state() const { return state_; }

    // The run of the window coming on screen; cancelling the handle (the
    // window going away) cancels the run. Starts on a later turn.
    Async::TaskHandle<void> startAppearanceRun();
    // The run of the Regenerate button: tied to nothing and never cancelled.
    void startRegenerateRun();

    // One run, or nothing while a run is under way.
    Async::Task<void> collectDiagnosticsReport();

    // The feedback line of copy and save.
    void setActionMessage(const QString& message, DiagnosticsExportMessageColor color);
    // Their feedback while no report is held; the run's end takes it away.
    static QString stillCollectingMessage();

private:
    // Whether the scan or test now running is the one this run started.
    struct StartedWork {
        bool isRunning = false;
        Reactive::Cancellable runningWatch;
    };

    DiagnosticsExportCollection(Environment environment, DiagnosticsExportState initialState);

    void startStage(CollectionStage stage);
    // Shows a stage: its title with "..." and the progress, clamped to 0...1.
    void startStage(CollectionStage stage, double progress);
    void completeStage(CollectionStage stage);
    Async::Task<void> pause();
    Async::Task<std::optional<QString>> collectChannelInfo();
    Async::Task<std::optional<QString>> runSpeedTest();
    Async::Task<std::optional<QString>> waitFor(DiagnosticsExportWorkRunning& work,
                                                StartedWork& started, double deadlineSeconds,
                                                QString timeoutText);
    void start(DiagnosticsExportWorkRunning& work, StartedWork& started);
    void cancelStartedWork();
    void finalizeReport(std::optional<QString> channelWaitText,
                        std::optional<QString> speedWaitText);
    void update(const std::function<void(DiagnosticsExportState&)>& change);

    Environment environment_;
    StartedWork startedScan_;
    StartedWork startedSpeedTest_;
    Reactive::Published<DiagnosticsExportState> state_;
};
