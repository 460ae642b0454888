#include "UI/Popover/PopoverSampleSeries.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace {

std::optional<double> sample(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}
std::optional<double> sample(std::optional<double> value) {
    return value ? sample(*value) : std::nullopt;
}
std::optional<double> sample(std::int64_t value) {
    return static_cast<double>(value);
}
std::optional<double> sample(std::optional<std::int64_t> value) {
    return value ? sample(*value) : std::nullopt;
}

// One sample per entry that has a finite value, in history order.
template <class Entry, class Read>
std::vector<double> samples(const std::vector<Entry>& history, Read read) {
    std::vector<double> series;
    series.reserve(history.size());
    for (const Entry& entry : history) {
        if (const auto value = sample(read(entry))) {
            series.push_back(*value);
        }
    }
    return series;
}

// Summed as reals, so that no count can overflow.
double real(std::int64_t count) {
    return static_cast<double>(count);
}

} // namespace

namespace PopoverSampleSeries {

std::vector<double> rssiSparklineSamples(const std::vector<WiFiSnapshot>& history) {
    return samples(history, [](const WiFiSnapshot& snapshot) { return snapshot.rssiDbm; });
}

std::vector<double> snrSparklineSamples(const std::vector<WiFiSnapshot>& history) {
    return samples(history, [](const WiFiSnapshot& snapshot) { return snapshot.snrDb; });
}

std::vector<double> noiseSparklineSamples(const std::vector<WiFiSnapshot>& history) {
    return samples(history, [](const WiFiSnapshot& snapshot) { return snapshot.noiseFloorDbm; });
}

std::vector<double> linkRateSparklineSamples(const std::vector<WiFiSnapshot>& history) {
    return samples(history, [](const WiFiSnapshot& snapshot) { return snapshot.linkRateMbps; });
}

std::vector<double> latencySparklineSamples(const std::vector<PingResult>& history) {
    return samples(history, [](const PingResult& result) { return result.latencyMilliseconds; });
}

std::vector<double> internetJitterSparklineSamples(const std::vector<PingResult>& history) {
    return samples(history, [](const PingResult& result) { return result.jitterMilliseconds; });
}

std::vector<double> dnsSparklineSamples(const std::vector<DNSResult>& history) {
    return samples(history, [](const DNSResult& result) { return result.latencyMilliseconds; });
}

std::vector<double>
connectionEstablishedSamples(const std::vector<ConnectionPressureResult>& history) {
    return samples(
        history, [](const ConnectionPressureResult& result) { return result.counts.established; });
}

std::vector<double>
connectionTimeWaitSamples(const std::vector<ConnectionPressureResult>& history) {
    return samples(history,
                   [](const ConnectionPressureResult& result) { return result.counts.timeWait; });
}

std::vector<double>
connectionCloseWaitSamples(const std::vector<ConnectionPressureResult>& history) {
    return samples(history,
                   [](const ConnectionPressureResult& result) { return result.counts.closeWait; });
}

std::vector<double> connectionTotalSamples(const std::vector<ConnectionPressureResult>& history) {
    return samples(history, [](const ConnectionPressureResult& result) {
        return real(result.counts.established) + real(result.counts.timeWait) +
               real(result.counts.closeWait);
    });
}

std::vector<double>
connectionOrphanedSamples(const std::vector<ConnectionPressureResult>& history) {
    return samples(history, [](const ConnectionPressureResult& result) {
        return real(result.counts.timeWait) + real(result.counts.closeWait);
    });
}

} // namespace PopoverSampleSeries
