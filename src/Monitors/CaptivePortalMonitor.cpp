#include "Monitors/CaptivePortalMonitor.h"

#include "Monitors/History.h"

std::shared_ptr<CaptivePortalMonitor>
CaptivePortalMonitor::create(Configuration configuration,
                             std::shared_ptr<CaptivePortalChecking> checker,
                             std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider) {
    return std::shared_ptr<CaptivePortalMonitor>(new CaptivePortalMonitor(
        configuration, std::move(checker), std::move(sleeper), std::move(dateProvider)));
}

CaptivePortalMonitor::CaptivePortalMonitor(Configuration configuration,
                                           std::shared_ptr<CaptivePortalChecking> checker,
                                           std::shared_ptr<SleepProviding> sleeper,
                                           DateProvider dateProvider)
    : PolledMonitor(configuration.pollInterval, std::move(sleeper)), configuration_(configuration),
      checker_(std::move(checker)), dateProvider_(std::move(dateProvider)) {}

void CaptivePortalMonitor::resetTransientState() {
    latestStatus_ = std::nullopt;
    history_ = {};
    isCaptivePortal_ = false;
    portalURL_ = std::nullopt;
    lastErrorMessage_ = std::nullopt;
}

Async::Task<void> CaptivePortalMonitor::pollOnce() {
    const CaptivePortalDetectionMeasurement measurement =
        co_await checker_->checkForCaptivePortal(configuration_.commandTimeout);
    if (isCutShortByStop()) {
        co_return;
    }
    if (!measurement.didSucceed) {
        lastErrorMessage_ = QStringLiteral("Captive portal check failed.");
        co_return;
    }
    const CaptivePortalStatus status{dateProvider_(), measurement.isCaptivePortal,
                                     measurement.portalURL, measurement.probeURL,
                                     measurement.reason};
    latestStatus_ = status;
    isCaptivePortal_ = measurement.isCaptivePortal;
    portalURL_ = measurement.portalURL;
    appendToHistory(history_, status, configuration_.maxHistorySampleCount);
    lastErrorMessage_ = std::nullopt;
}
