#pragma once

#include "UI/SpeedTest/SpeedTestWindowInputs.h"

#include <chrono>

// The monitor's values at the moments the window's tests look at.
namespace SpeedTestSampleInputs {

// 2026-03-14 15:41 UTC.
inline const Date resultTime = Date{} + std::chrono::seconds(1'773'502'860);

inline SpeedTestWindowInputs running(double progress = 0) {
    SpeedTestWindowInputs inputs;
    inputs.isRunning = true;
    inputs.phase = SpeedTestPhase::download;
    inputs.progress = progress;
    return inputs;
}

// Baseline 18.4 ms; download 93.44 Mbps at 42.6 ms, ratio 2.32, grade B.
inline SpeedTestWindowInputs uploading(double progress = 0.75) {
    SpeedTestWindowInputs inputs = running(progress);
    inputs.phase = SpeedTestPhase::upload;
    inputs.baselineLatencyMilliseconds = 18.4;
    inputs.downloadMbps = 93.44;
    inputs.downloadLoadedLatencyMilliseconds = 42.6;
    inputs.downloadBufferbloatRatio = 42.6 / 18.4;
    inputs.downloadBufferbloatGrade = BufferbloatGrade::b;
    return inputs;
}

// As uploading, then upload 21.8 Mbps at 73.1 ms, ratio 3.97, grade C.
inline SpeedTestWindowInputs completed() {
    SpeedTestWindowInputs inputs = uploading(1.0);
    inputs.isRunning = false;
    inputs.phase = SpeedTestPhase::completed;
    inputs.uploadMbps = 21.8;
    inputs.uploadLoadedLatencyMilliseconds = 73.1;
    inputs.uploadBufferbloatRatio = 73.1 / 18.4;
    inputs.uploadBufferbloatGrade = BufferbloatGrade::c;
    inputs.latestResult = SpeedTestResult{resultTime,
                                          93.44,
                                          21.8,
                                          18.4,
                                          42.6,
                                          73.1,
                                          inputs.downloadBufferbloatRatio,
                                          inputs.uploadBufferbloatRatio,
                                          BufferbloatGrade::b,
                                          BufferbloatGrade::c,
                                          true};
    return inputs;
}

inline SpeedTestWindowInputs ended(SpeedTestWindowInputs inputs, SpeedTestPhase phase,
                                   std::optional<QString> message = std::nullopt) {
    inputs.isRunning = false;
    inputs.phase = phase;
    inputs.progress = 0;
    inputs.lastErrorMessage = std::move(message);
    return inputs;
}

} // namespace SpeedTestSampleInputs
