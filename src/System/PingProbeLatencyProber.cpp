#include "System/PingProbeLatencyProber.h"

PingProbeLatencyProber::PingProbeLatencyProber(std::shared_ptr<PingProbeRunning> pingProbeRunner)
    : pingProbeRunner_(std::move(pingProbeRunner)) {}

Async::Task<std::optional<double>> PingProbeLatencyProber::measureLatency(QString host,
                                                                          double timeout) {
    PingProbeMeasurement measurement;
    try {
        measurement = co_await pingProbeRunner_->performPing(std::move(host), timeout);
    } catch (...) {
        // A ping that could not even report its failure is still just no sample.
        co_return std::nullopt;
    }
    if (!measurement.didSucceed) {
        co_return std::nullopt;
    }
    co_return measurement.latencyMilliseconds;
}
