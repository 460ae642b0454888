#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Published.h"
#include "System/BufferbloatGradeThresholds.h"
#include "System/SpeedTestConfiguration.h"
#include "System/SpeedTestLatencyProbing.h"
#include "System/SpeedTesting.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

// Runs one speed test at a time on demand: the idle link's baseline latency,
// then the download and the upload, each with latency sampled under load,
// graded for bufferbloat.
class SpeedTestMonitor final : public std::enable_shared_from_this<SpeedTestMonitor> {
public:
    struct Configuration {
        SpeedTestConfiguration configuration;
        QString latencyProbeHost;
        double latencyProbeTimeout;
        std::int64_t baselineProbeAttempts;
        double phaseLatencySamplingInterval;
        BufferbloatGradeThresholds gradeThresholds;
    };

    static std::shared_ptr<SpeedTestMonitor>
    create(Configuration configuration, std::shared_ptr<SpeedTesting> speedTestRunner,
           std::shared_ptr<SpeedTestLatencyProbing> latencyProbe,
           DateProvider dateProvider = systemDateProvider());
    ~SpeedTestMonitor();
    SpeedTestMonitor(const SpeedTestMonitor&) = delete;
    SpeedTestMonitor& operator=(const SpeedTestMonitor&) = delete;

    // None for an empty list; the middle value, or the mean of the two middle ones.
    static std::optional<double> medianLatency(std::vector<double> latencies);
    // Loaded over baseline latency, when both are present and above 0.
    static std::optional<double> bufferbloatRatio(std::optional<double> loaded,
                                                  std::optional<double> baseline);
    static std::optional<BufferbloatGrade> grade(std::optional<double> ratio,
                                                 const BufferbloatGradeThresholds& thresholds);

    // Starts a test unless one runs.
    void startSpeedTest();
    // Cancels the running test; it ends as "cancelled" at its next cancellation point.
    void cancelSpeedTest();

    const Reactive::Published<std::optional<SpeedTestResult>>& latestResult() const {
        return latestResult_;
    }
    const Reactive::Published<bool>& isRunning() const { return isRunning_; }
    const Reactive::Published<SpeedTestPhase>& phase() const { return phase_; }
    const Reactive::Published<double>& progress() const { return progress_; }
    const Reactive::Published<std::optional<double>>& downloadMbps() const { return downloadMbps_; }
    const Reactive::Published<std::optional<double>>& uploadMbps() const { return uploadMbps_; }
    const Reactive::Published<std::optional<double>>& baselineLatencyMilliseconds() const {
        return baselineLatencyMilliseconds_;
    }
    const Reactive::Published<std::optional<double>>& downloadLoadedLatencyMilliseconds() const {
        return downloadLoadedLatencyMilliseconds_;
    }
    const Reactive::Published<std::optional<double>>& uploadLoadedLatencyMilliseconds() const {
        return uploadLoadedLatencyMilliseconds_;
    }
    const Reactive::Published<std::optional<double>>& downloadBufferbloatRatio() const {
        return downloadBufferbloatRatio_;
    }
    const Reactive::Published<std::optional<double>>& uploadBufferbloatRatio() const {
        return uploadBufferbloatRatio_;
    }
    const Reactive::Published<std::optional<BufferbloatGrade>>& downloadBufferbloatGrade() const {
        return downloadBufferbloatGrade_;
    }
    const Reactive::Published<std::optional<BufferbloatGrade>>& uploadBufferbloatGrade() const {
        return uploadBufferbloatGrade_;
    }
    const Reactive::Published<std::vector<std::int64_t>>&
    baselineProbeFailedAttemptIndices() const {
        return baselineProbeFailedAttemptIndices_;
    }
    const Reactive::Published<std::optional<QString>>& lastErrorMessage() const {
        return lastErrorMessage_;
    }

    const Configuration& configuration() const { return configuration_; }

private:
    struct Run;
    struct BaselineSummary {
        std::vector<double> latenciesMilliseconds;
        std::vector<std::int64_t> failedAttemptIndices;
    };

    SpeedTestMonitor(Configuration configuration, std::shared_ptr<SpeedTesting> speedTestRunner,
                     std::shared_ptr<SpeedTestLatencyProbing> latencyProbe,
                     DateProvider dateProvider);

    void resetPublishedValues();
    bool isCurrent(const std::shared_ptr<Run>& run) const;
    Async::Task<void> runSpeedTest(std::shared_ptr<Run> run);
    Async::Task<BaselineSummary> collectBaselineLatencySummary();
    Async::TaskHandle<void> startSampling(std::shared_ptr<std::vector<double>> samples);
    SpeedTestProgress progressHandler(std::shared_ptr<Run> run, SpeedTestPhase phase);
    void publishDownload(double mbps, const std::vector<double>& samples);
    void publishUpload(double mbps, const std::vector<double>& samples);
    void publishResult();
    void endWithError(std::exception_ptr error);
    void finishRun();

    Configuration configuration_;
    std::shared_ptr<SpeedTesting> speedTestRunner_;
    std::shared_ptr<SpeedTestLatencyProbing> latencyProbe_;
    DateProvider dateProvider_;
    std::shared_ptr<Run> currentRun_;
    Async::TaskHandle<void> runningTask_;

    Reactive::Published<std::optional<SpeedTestResult>> latestResult_{std::nullopt};
    Reactive::Published<bool> isRunning_{false};
    Reactive::Published<SpeedTestPhase> phase_{SpeedTestPhase::idle};
    Reactive::Published<double> progress_{0};
    Reactive::Published<std::optional<double>> downloadMbps_{std::nullopt};
    Reactive::Published<std::optional<double>> uploadMbps_{std::nullopt};
    Reactive::Published<std::optional<double>> baselineLatencyMilliseconds_{std::nullopt};
    Reactive::Published<std::optional<double>> downloadLoadedLatencyMilliseconds_{std::nullopt};
    Reactive::Published<std::optional<double>> uploadLoadedLatencyMilliseconds_{std::nullopt};
    Reactive::Published<std::optional<double>> downloadBufferbloatRatio_{std::nullopt};
    Reactive::Published<std::optional<double>> uploadBufferbloatRatio_{std::nullopt};
    Reactive::Published<std::optional<BufferbloatGrade>> downloadBufferbloatGrade_{std::nullopt};
    Reactive::Published<std::optional<BufferbloatGrade>> uploadBufferbloatGrade_{std::nullopt};
    Reactive::Published<std::vector<std::int64_t>> baselineProbeFailedAttemptIndices_{{}};
    Reactive::Published<std::optional<QString>> lastErrorMessage_{std::nullopt};
};
