#pragma once

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Sleep.h"
#include "Platform/URLSession/URLError.h"
#include "System/SpeedTestRunnerError.h"
#include "System/SpeedTesting.h"

#include <cstdint>
#include <variant>

// Four requests per phase, one finishing every `stepNanoseconds` of the
// runtime's time; a phase then succeeds or throws its scripted failure.
class ScriptedSpeedTestRunner final : public SpeedTesting {
public:
    static constexpr std::uint64_t stepNanoseconds = 200'000'000;
    static constexpr double downloadMbps = 95.5;
    static constexpr double uploadMbps = 22.25;

    using Failure = std::variant<std::monostate, SpeedTestRunnerError, URLError>;
    Failure downloadFailure;
    Failure uploadFailure;
    // Report a transport error of its own when cancelled, as an HTTP client may.
    bool reportsCancellationAsTransportError = false;
    int downloads = 0;
    int uploads = 0;

    Async::Task<SpeedTestMeasurement> runDownloadTest(SpeedTestConfiguration,
                                                      SpeedTestProgress progress) override {
        ++downloads;
        co_return co_await runPhase(progress, downloadFailure, downloadMbps);
    }
    Async::Task<SpeedTestMeasurement> runUploadTest(SpeedTestConfiguration,
                                                    SpeedTestProgress progress) override {
        ++uploads;
        co_return co_await runPhase(progress, uploadFailure, uploadMbps);
    }

private:
    Async::Task<SpeedTestMeasurement> runPhase(SpeedTestProgress progress, Failure failure,
                                               double mbps) {
        for (int request = 1; request <= 4; ++request) {
            try {
                co_await Async::sleep(stepNanoseconds);
            } catch (const Async::CancellationError&) {
                if (reportsCancellationAsTransportError) {
                    throw URLError(URLError::networkConnectionLost,
                                   "The network connection was lost.");
                }
                throw;
            }
            co_await progress(request / 4.0);
        }
        if (const auto* runnerError = std::get_if<SpeedTestRunnerError>(&failure)) {
            throw *runnerError;
        }
        if (const auto* urlError = std::get_if<URLError>(&failure)) {
            throw *urlError;
        }
        co_return SpeedTestMeasurement{mbps, 1'000'000, 0.8};
    }
};
