#pragma once

#include "Core/DomainModels.h"

#include <optional>

// Grades single measurements. No result, a failed result or a missing value grades poor.
namespace HealthCalculator {

SignalQuality pingLatencyQuality(const std::optional<PingResult>& result);
SignalQuality pingJitterQuality(const std::optional<PingResult>& result);
SignalQuality dnsQuality(const std::optional<DNSResult>& result);

} // namespace HealthCalculator
