#pragma once

#include "System/CommandRunning.h"
#include "System/DNSLookupRunning.h"

#include <memory>

// Times a lookup with one dig query; the time is the query time dig reports,
// not how long the command took. Any failure gives a failed measurement.
class CommandLineDNSLookupRunner final : public DNSLookupRunning {
public:
    explicit CommandLineDNSLookupRunner(std::shared_ptr<CommandRunning> commandRunner);

    Async::Task<DNSLookupMeasurement> lookup(QString domain, double timeout) override;

private:
    const std::shared_ptr<CommandRunning> commandRunner_;
};
