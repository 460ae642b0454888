#pragma once

#include "System/DNSLookupRunning.h"

#include <vector>

#include <QString>

// A scripted DNS lookup: answers every domain with `measurement`, records the
// domains asked for.
class FakeDNSLookupRunner final : public DNSLookupRunning {
public:
    DNSLookupMeasurement measurement{12.0, true};
    std::vector<QString> domains;

    Async::Task<DNSLookupMeasurement> lookup(QString domain, double) override {
        domains.push_back(domain);
        co_return measurement;
    }
};
