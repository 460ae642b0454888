#pragma once

#include "AppState/DiagnosticsExportSources.h"
#include "Platform/Async/TaskHandle.h"

#include <optional>

#include <QString>

// A channel scan or speed test that runs until the test ends it. Starting it
// sets it running at once, as the monitors do.
class FakeExportWork final : public DiagnosticsExportWorkRunning {
public:
    Reactive::Published<bool> running{false};
    std::optional<QString> errorMessage;
    // The text the work writes when it reacts to a cancel (on a later turn, as
    // a monitor's task does), when set.
    std::optional<QString> errorMessageOnCancel;
    int startCount = 0;
    int cancelCount = 0;

    const Reactive::Published<bool>& isRunning() const override { return running; }
    void start() override {
        ++startCount;
        if (!running.value()) {
            running = true;
        }
    }
    void cancel() override {
        ++cancelCount;
        if (errorMessageOnCancel) {
            Async::spawn([this]() -> Async::Task<void> {
                errorMessage = errorMessageOnCancel;
                co_return;
            });
        }
    }
    std::optional<QString> lastErrorMessage() const override { return errorMessage; }

    // Work that someone else started.
    void startElsewhere() { running = true; }
    void end() { running = false; }
};

// The monitors' values as the test sets them.
class FakeDiagnosticsExportSources final : public DiagnosticsExportSources {
public:
    FakeExportWork scan;
    FakeExportWork speed;
    DiagnosticsExportInput input;
    mutable int inputReads = 0;

    DiagnosticsExportWorkRunning& channelScan() override { return scan; }
    DiagnosticsExportWorkRunning& speedTest() override { return speed; }
    DiagnosticsExportInput currentInput() const override {
        ++inputReads;
        return input;
    }
};
