#pragma once

#include "Platform/Async/Task.h"
#include "System/DNSLookupMeasurement.h"

#include <QString>

// Times one DNS lookup through the system's resolver. Never throws.
class DNSLookupRunning {
public:
    virtual ~DNSLookupRunning() = default;
    virtual Async::Task<DNSLookupMeasurement> lookup(QString domain, double timeout) = 0;
};
