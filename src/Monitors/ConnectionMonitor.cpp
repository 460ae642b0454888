#include "Monitors/ConnectionMonitor.h"

#include "Monitors/History.h"

std::shared_ptr<ConnectionMonitor>
ConnectionMonitor::create(Configuration configuration,
                          std::shared_ptr<TCPConnectionCounting> connectionCounter,
                          std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider) {
    return std::shared_ptr<ConnectionMonitor>(new ConnectionMonitor(
        configuration, std::move(connectionCounter), std::move(sleeper), std::move(dateProvider)));
}

ConnectionMonitor::ConnectionMonitor(Configuration configuration,
                                     std::shared_ptr<TCPConnectionCounting> connectionCounter,
                                     std::shared_ptr<SleepProviding> sleeper,
                                     DateProvider dateProvider)
    : PolledMonitor(configuration.pollInterval, std::move(sleeper)), configuration_(configuration),
      connectionCounter_(std::move(connectionCounter)), dateProvider_(std::move(dateProvider)) {}

SignalQuality ConnectionMonitor::quality(const TCPConnectionStateCounts& counts) {
    const std::int64_t orphaned = counts.timeWait + counts.closeWait;
    const std::int64_t total = counts.established + orphaned;
    if (orphaned > 400 || total > 800) {
        return SignalQuality::poor;
    }
    if (total < 500 && orphaned < 200) {
        return SignalQuality::good;
    }
    return SignalQuality::warning;
}

void ConnectionMonitor::resetTransientState() {
    latestResult_ = std::nullopt;
    history_ = {};
    connectionQuality_ = SignalQuality::poor;
    lastErrorMessage_ = std::nullopt;
}

Async::Task<void> ConnectionMonitor::pollOnce() {
    const TCPConnectionMeasurement measurement =
        co_await connectionCounter_->fetchConnectionCounts(configuration_.commandTimeout);
    if (isCutShortByStop()) {
        co_return;
    }
    if (!measurement.didSucceed || !measurement.counts) {
        lastErrorMessage_ = QStringLiteral("Connection monitor failed to read TCP states.");
        co_return;
    }
    const SignalQuality grade = quality(*measurement.counts);
    const ConnectionPressureResult result{dateProvider_(), *measurement.counts, grade};
    latestResult_ = result;
    connectionQuality_ = grade;
    appendToHistory(history_, result, configuration_.maxHistorySampleCount);
    lastErrorMessage_ = std::nullopt;
}
