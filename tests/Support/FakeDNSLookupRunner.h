#pragma once

#include "Core/TaskSleeper.h"
#include "Platform/Async/Sleep.h"
#include "System/DNSLookupRunning.h"

#include <vector>

#include <QString>

// A scripted DNS lookup: answers every domain with `measurement`, after
// `lookupSeconds` on the runtime's (virtual) clock, or at once without
// suspending; records the domains asked for.
class FakeDNSLookupRunner final : public DNSLookupRunning {
public:
    DNSLookupMeasurement measurement{12.0, true};
    double lookupSeconds = 0;
    std::vector<QString> domains;

    Async::Task<DNSLookupMeasurement> lookup(QString domain, double) override {
        domains.push_back(domain);
        if (lookupSeconds > 0) {
            co_await Async::sleep(TaskSleeper::nanoseconds(lookupSeconds));
        }
        co_return measurement;
    }
};
