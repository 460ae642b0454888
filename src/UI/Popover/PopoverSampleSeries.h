#pragma once

#include "Core/DomainModels.h"

#include <vector>

// The number series the popover's sparklines draw, one value per history entry
// in history order. Entries without the value are skipped, as are values that
// are not finite; integers become reals.
namespace PopoverSampleSeries {

std::vector<double> rssiSparklineSamples(const std::vector<WiFiSnapshot>& history);
std::vector<double> snrSparklineSamples(const std::vector<WiFiSnapshot>& history);
std::vector<double> noiseSparklineSamples(const std::vector<WiFiSnapshot>& history);
std::vector<double> linkRateSparklineSamples(const std::vector<WiFiSnapshot>& history);

// The router's and the internet target's latencies alike; a failed result that
// carries a latency counts.
std::vector<double> latencySparklineSamples(const std::vector<PingResult>& history);
std::vector<double> internetJitterSparklineSamples(const std::vector<PingResult>& history);

std::vector<double> dnsSparklineSamples(const std::vector<DNSResult>& history);

std::vector<double>
connectionEstablishedSamples(const std::vector<ConnectionPressureResult>& history);
std::vector<double> connectionTimeWaitSamples(const std::vector<ConnectionPressureResult>& history);
std::vector<double>
connectionCloseWaitSamples(const std::vector<ConnectionPressureResult>& history);
// Established, time-wait and close-wait together.
std::vector<double> connectionTotalSamples(const std::vector<ConnectionPressureResult>& history);
// Time-wait and close-wait together.
std::vector<double> connectionOrphanedSamples(const std::vector<ConnectionPressureResult>& history);

} // namespace PopoverSampleSeries
