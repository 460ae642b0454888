#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Core/SleepProviding.h"
#include "Monitors/PolledMonitor.h"
#include "Platform/Reactive/Published.h"
#include "System/DNSLookupRunning.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QStringList>

// Times one DNS lookup per poll, taking its test domains in turn, and grades
// the lookup time.
class DNSMonitor final : public PolledMonitor<DNSMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
        double commandTimeout;
        // None, or nothing usable, gives the default test domains.
        std::optional<QStringList> testDomains;
    };

    static std::shared_ptr<DNSMonitor> create(Configuration configuration,
                                              std::shared_ptr<DNSLookupRunning> dnsLookupRunner,
                                              std::shared_ptr<SleepProviding> sleeper,
                                              DateProvider dateProvider = systemDateProvider());

    // Four public domains that resolve reliably, queried in this order.
    static QStringList defaultTestDomains();
    // Trimmed, blank entries dropped; the default domains when nothing is left.
    static QStringList sanitizedDomains(const QStringList& domains);

    const Reactive::Published<std::optional<DNSResult>>& latestResult() const {
        return latestResult_;
    }
    const Reactive::Published<std::vector<DNSResult>>& history() const { return history_; }
    const Reactive::Published<SignalQuality>& dnsQuality() const { return dnsQuality_; }

    const QStringList& testDomains() const { return testDomains_; }
    const Configuration& configuration() const { return configuration_; }

    void resetTransientState() override;

    Async::Task<void> pollOnce();

private:
    DNSMonitor(Configuration configuration, std::shared_ptr<DNSLookupRunning> dnsLookupRunner,
               std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    QString nextDomainToQuery();

    Configuration configuration_;
    QStringList testDomains_;
    std::shared_ptr<DNSLookupRunning> dnsLookupRunner_;
    DateProvider dateProvider_;
    qsizetype nextDomainIndex_ = 0;

    Reactive::Published<std::optional<DNSResult>> latestResult_{std::nullopt};
    Reactive::Published<std::vector<DNSResult>> history_{{}};
    Reactive::Published<SignalQuality> dnsQuality_{SignalQuality::poor};
};
