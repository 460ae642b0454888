#include "Core/HealthCalculator.h"

namespace HealthCalculator {
namespace {

// The good bounds differ in strictness: latency includes its bound, jitter and DNS exclude it.
// Every warning bound is inclusive. A NaN passes no comparison and so grades poor.
constexpr double pingLatencyGoodMaximum = 50.0;
constexpr double pingLatencyWarningMaximum = 100.0;
constexpr double pingJitterGoodLimit = 10.0;
constexpr double pingJitterWarningMaximum = 30.0;
constexpr double dnsGoodLimit = 50.0;
constexpr double dnsWarningMaximum = 100.0;

template <class Result>
std::optional<double> gradableValue(const std::optional<Result>& result,
                                    std::optional<double> Result::*field) {
    if (!result.has_value() || !result->didSucceed) {
        return std::nullopt;
    }
    return (*result).*field;
}

} // namespace

SignalQuality pingLatencyQuality(const std::optional<PingResult>& result) {
    const auto latency = gradableValue(result, &PingResult::latencyMilliseconds);
    if (!latency.has_value()) {
        return SignalQuality::poor;
    }
    if (*latency <= pingLatencyGoodMaximum) {
        return SignalQuality::good;
    }
    if (*latency <= pingLatencyWarningMaximum) {
        return SignalQuality::warning;
    }
    return SignalQuality::poor;
}

SignalQuality pingJitterQuality(const std::optional<PingResult>& result) {
    const auto jitter = gradableValue(result, &PingResult::jitterMilliseconds);
    if (!jitter.has_value()) {
        return SignalQuality::poor;
    }
    if (*jitter < pingJitterGoodLimit) {
        return SignalQuality::good;
    }
    if (*jitter <= pingJitterWarningMaximum) {
        return SignalQuality::warning;
    }
    return SignalQuality::poor;
}

SignalQuality dnsQuality(const std::optional<DNSResult>& result) {
    const auto latency = gradableValue(result, &DNSResult::latencyMilliseconds);
    if (!latency.has_value()) {
        return SignalQuality::poor;
    }
    if (*latency < dnsGoodLimit) {
        return SignalQuality::good;
    }
    if (*latency <= dnsWarningMaximum) {
        return SignalQuality::warning;
    }
    return SignalQuality::poor;
}

} // namespace HealthCalculator
