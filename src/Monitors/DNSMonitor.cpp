#include "Monitors/DNSMonitor.h"

#include "Core/HealthCalculator.h"
#include "Monitors/History.h"

std::shared_ptr<DNSMonitor> DNSMonitor::create(Configuration configuration,
                                               std::shared_ptr<DNSLookupRunning> dnsLookupRunner,
                                               std::shared_ptr<SleepProviding> sleeper,
                                               DateProvider dateProvider) {
    return std::shared_ptr<DNSMonitor>(new DNSMonitor(std::move(configuration),
                                                      std::move(dnsLookupRunner),
                                                      std::move(sleeper), std::move(dateProvider)));
}

DNSMonitor::DNSMonitor(Configuration configuration,
                       std::shared_ptr<DNSLookupRunning> dnsLookupRunner,
                       std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider)
    : PolledMonitor(configuration.pollInterval, std::move(sleeper)),
      configuration_(std::move(configuration)),
      testDomains_(sanitizedDomains(configuration_.testDomains.value_or(defaultTestDomains()))),
      dnsLookupRunner_(std::move(dnsLookupRunner)), dateProvider_(std::move(dateProvider)) {}

QStringList DNSMonitor::defaultTestDomains() {
    return {QStringLiteral("example.com"), QStringLiteral("wikipedia.org"),
            QStringLiteral("debian.org"), QStringLiteral("iana.org")};
}

QStringList DNSMonitor::sanitizedDomains(const QStringList& domains) {
    QStringList sanitized;
    for (const QString& domain : domains) {
        const QString trimmed = domain.trimmed();
        if (!trimmed.isEmpty()) {
            sanitized.append(trimmed);
        }
    }
    return sanitized.isEmpty() ? defaultTestDomains() : sanitized;
}

void DNSMonitor::resetTransientState() {
    latestResult_ = std::nullopt;
    history_ = {};
    dnsQuality_ = SignalQuality::poor;
    nextDomainIndex_ = 0;
}

QString DNSMonitor::nextDomainToQuery() {
    const QString domain = testDomains_.at(nextDomainIndex_);
    nextDomainIndex_ = nextDomainIndex_ + 1 < testDomains_.size() ? nextDomainIndex_ + 1 : 0;
    return domain;
}

Async::Task<void> DNSMonitor::pollOnce() {
    const QString domain = nextDomainToQuery();
    const DNSLookupMeasurement measurement =
        co_await dnsLookupRunner_->lookup(domain, configuration_.commandTimeout);
    if (isCutShortByStop()) {
        co_return;
    }
    const DNSResult result{domain, dateProvider_(), measurement.latencyMilliseconds,
                           measurement.didSucceed};
    latestResult_ = result;
    appendToHistory(history_, result, configuration_.maxHistorySampleCount);
    dnsQuality_ = HealthCalculator::dnsQuality(result);
}
