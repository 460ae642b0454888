#pragma once

#include "Support/WaitToAnswer.h"
#include "System/DNSLookupRunning.h"

#include <vector>

#include <QString>

// A scripted DNS lookup: answers every domain with `measurement`, after
// `lookupSeconds` on the runtime's (virtual) clock, or at once without
// suspending; records the domains asked for. A lookup cut short by
// cancellation fails, as the real one does.
class FakeDNSLookupRunner final : public DNSLookupRunning {
public:
    DNSLookupMeasurement measurement{12.0, true};
    double lookupSeconds = 0;
    std::vector<QString> domains;

    Async::Task<DNSLookupMeasurement> lookup(QString domain, double) override {
        domains.push_back(domain);
        co_return co_await waitToAnswer(lookupSeconds) ? measurement
                                                       : DNSLookupMeasurement{std::nullopt, false};
    }
};
