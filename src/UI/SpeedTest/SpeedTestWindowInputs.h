#pragma once

#include "Core/DomainModels.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

// The speed-test monitor's published values the window shows, read afresh on
// every redraw.
struct SpeedTestWindowInputs {
    bool isRunning = false;
    SpeedTestPhase phase = SpeedTestPhase::idle;
    double progress = 0;
    std::optional<SpeedTestResult> latestResult;
    std::optional<double> downloadMbps;
    std::optional<double> uploadMbps;
    std::optional<double> baselineLatencyMilliseconds;
    std::optional<double> downloadLoadedLatencyMilliseconds;
    std::optional<double> uploadLoadedLatencyMilliseconds;
    std::optional<double> downloadBufferbloatRatio;
    std::optional<double> uploadBufferbloatRatio;
    std::optional<BufferbloatGrade> downloadBufferbloatGrade;
    std::optional<BufferbloatGrade> uploadBufferbloatGrade;
    std::vector<std::int64_t> baselineProbeFailedAttemptIndices;
    std::optional<QString> lastErrorMessage;
};
