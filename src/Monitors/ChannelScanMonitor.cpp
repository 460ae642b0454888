#include "Monitors/ChannelScanMonitor.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CurrentTask.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

// Interference weights are kept in whole twentieths (1.0 is 20, 0.1 is 2) and
// summed exactly, so that two channels with the same load score exactly the
// same whatever order their networks were seen in, and ties are real ties.
constexpr double weightUnitsPerOne = 20.0;

std::int64_t interferenceWeightUnits(std::int64_t rssiDbm) {
    if (rssiDbm >= -55) {
        return 20; // 1.0
    }
    if (rssiDbm >= -65) {
        return 15; // 0.75
    }
    if (rssiDbm >= -75) {
        return 10; // 0.5
    }
    if (rssiDbm >= -85) {
        return 5; // 0.25
    }
    return 2; // 0.1
}

// Sightings over all passes of one channel of one band.
struct Accumulator {
    std::int64_t sampleCount = 0;
    std::int64_t rssiTotal = 0;
    std::int64_t weightedInterferenceUnits = 0;

    void add(const WiFiScannedNetwork& sighting) {
        ++sampleCount;
        rssiTotal += sighting.rssiDbm;
        weightedInterferenceUnits += interferenceWeightUnits(sighting.rssiDbm);
    }
};

struct ChannelTally {
    std::int64_t channelNumber;
    WiFiBand band;
    Accumulator accumulator;
};

QString sightingKey(const WiFiScannedNetwork& network) {
    return QStringList{network.bssid.value_or(QStringLiteral("no-bssid")),
                       network.ssid.value_or(QStringLiteral("hidden")),
                       QString::number(network.channelNumber), network.band.rawValue()}
        .join(QLatin1Char('|'));
}

QString channelKey(std::int64_t channelNumber, WiFiBand band) {
    return QString::number(channelNumber) + QLatin1Char('|') + band.rawValue();
}

// A network counts towards its own channel of its own band only.
std::vector<ChannelTally> tallyChannels(const std::vector<WiFiScannedNetwork>& sightings) {
    std::vector<ChannelTally> tallies;
    QHash<QString, std::size_t> indexByKey;
    for (const WiFiScannedNetwork& sighting : sightings) {
        const QString key = channelKey(sighting.channelNumber, sighting.band);
        auto found = indexByKey.constFind(key);
        if (found == indexByKey.cend()) {
            found = indexByKey.insert(key, tallies.size());
            tallies.push_back(ChannelTally{sighting.channelNumber, sighting.band, {}});
        }
        tallies[*found].accumulator.add(sighting);
    }
    return tallies;
}

// `divisor` is the number of passes: the figures are per pass.
ChannelCongestionSample makeSample(const ChannelTally& tally, double divisor) {
    const Accumulator& accumulator = tally.accumulator;
    const auto networkCount = static_cast<std::int64_t>(
        std::llround(static_cast<double>(accumulator.sampleCount) / divisor));
    const double weightTotal =
        static_cast<double>(accumulator.weightedInterferenceUnits) / weightUnitsPerOne;
    return ChannelCongestionSample{
        tally.channelNumber,
        tally.band,
        std::max<std::int64_t>(networkCount, 1),
        static_cast<double>(accumulator.rssiTotal) / static_cast<double>(accumulator.sampleCount),
        weightTotal / divisor,
        0.0,
    };
}

// Scales every score by the highest of all bands, so the most congested
// channel gets 1.
void normalise(std::vector<ChannelCongestionSample>& samples) {
    double maximum = 0.0;
    for (const ChannelCongestionSample& sample : samples) {
        maximum = std::max(maximum, sample.interferenceScore);
    }
    for (ChannelCongestionSample& sample : samples) {
        sample.normalizedCongestion =
            maximum > 0.0 ? std::clamp(sample.interferenceScore / maximum, 0.0, 1.0) : 0.0;
    }
}

// By band text, then by channel number.
bool precedes(const ChannelCongestionSample& first, const ChannelCongestionSample& second) {
    const int byBand = QString::compare(first.band.rawValue(), second.band.rawValue());
    if (byBand != 0) {
        return byBand < 0;
    }
    return first.channelNumber < second.channelNumber;
}

// The score of the current channel; 0 when no network was seen on it. Without
// a current band the channel number of any band matches.
std::optional<double>
currentChannelInterferenceScore(const std::vector<ChannelCongestionSample>& orderedChannels,
                                std::optional<std::int64_t> currentChannel,
                                std::optional<WiFiBand> currentBand) {
    if (!currentChannel) {
        return std::nullopt;
    }
    const auto match = std::find_if(orderedChannels.begin(), orderedChannels.end(),
                                    [&](const ChannelCongestionSample& sample) {
                                        return sample.channelNumber == *currentChannel &&
                                               (!currentBand || sample.band == *currentBand);
                                    });
    return match == orderedChannels.end() ? 0.0 : match->interferenceScore;
}

// Whether `candidate` beats `best`: a lower score; on equal scores the one
// nearer the current channel; then the lower channel number.
bool isBetterCandidate(std::int64_t candidate, double candidateScore, std::int64_t best,
                       double bestScore, std::optional<std::int64_t> currentChannel) {
    if (candidateScore != bestScore) {
        return candidateScore < bestScore;
    }
    if (currentChannel) {
        const std::int64_t candidateDistance = std::llabs(candidate - *currentChannel);
        const std::int64_t bestDistance = std::llabs(best - *currentChannel);
        if (candidateDistance != bestDistance) {
            return candidateDistance < bestDistance;
        }
    }
    return candidate < best;
}

} // namespace

std::shared_ptr<ChannelScanMonitor>
ChannelScanMonitor::create(ChannelScanConfiguration configuration,
                           std::shared_ptr<WiFiNetworkScanning> scanner,
                           CurrentWiFiSnapshotProvider currentWiFiSnapshotProvider,
                           std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider) {
    return std::shared_ptr<ChannelScanMonitor>(new ChannelScanMonitor(
        configuration, std::move(scanner), std::move(currentWiFiSnapshotProvider),
        std::move(sleeper), std::move(dateProvider)));
}

ChannelScanMonitor::ChannelScanMonitor(ChannelScanConfiguration configuration,
                                       std::shared_ptr<WiFiNetworkScanning> scanner,
                                       CurrentWiFiSnapshotProvider currentWiFiSnapshotProvider,
                                       std::shared_ptr<SleepProviding> sleeper,
                                       DateProvider dateProvider)
    : configuration_(configuration), scanner_(std::move(scanner)),
      currentWiFiSnapshotProvider_(std::move(currentWiFiSnapshotProvider)),
      sleeper_(std::move(sleeper)), dateProvider_(std::move(dateProvider)) {}

ChannelScanMonitor::~ChannelScanMonitor() {
    runningTask_.cancel();
}

void ChannelScanMonitor::startScan() {
    if (runningTask_.isValid()) {
        return;
    }
    // Held before anything is published, so that an observer that starts or
    // cancels a scan from its notification finds this one. The task begins
    // on a later turn and keeps the monitor alive only once it runs.
    runningTask_ = Async::spawn([weakMonitor = weak_from_this()]() -> Async::Task<void> {
        const auto monitor = weakMonitor.lock();
        if (!monitor) {
            co_return;
        }
        co_await monitor->runScan();
    });
    isSpoiledBySleep_ = false;
    lastErrorMessage_ = std::nullopt;
    completedPasses_ = 0;
    totalPasses_ = passesPerRun();
    isScanning_ = true;
}

void ChannelScanMonitor::cancelScan() {
    runningTask_.cancel();
}

void ChannelScanMonitor::systemWillSleep() {
    cancelForSleep();
}

void ChannelScanMonitor::systemDidWake() {
    cancelForSleep();
}

void ChannelScanMonitor::cancelForSleep() {
    if (runningTask_.isValid()) {
        isSpoiledBySleep_ = true;
        runningTask_.cancel();
    }
}

std::int64_t ChannelScanMonitor::passesPerRun() const {
    return std::max<std::int64_t>(configuration_.passCount, 1);
}

Async::Task<void> ChannelScanMonitor::runScan() {
    const QString failed = QStringLiteral("Channel scan failed: ");
    try {
        co_await runPasses();
    } catch (const Async::CancellationError&) {
        lastErrorMessage_ = QStringLiteral("Channel scan cancelled.");
    } catch (const std::exception& error) {
        lastErrorMessage_ = failed + QString::fromUtf8(error.what());
    } catch (...) {
        lastErrorMessage_ = failed + QStringLiteral("An unknown error occurred.");
    }
    runningTask_ = {};
    isScanning_ = false;
}

// Cancellation is checked before each pass and during each pause; a scan in
// progress always runs to its end, so a cancellation during the last one
// still gives a result. A pass that a sleep came during counts for nothing.
Async::Task<void> ChannelScanMonitor::runPasses() {
    const std::int64_t passCount = passesPerRun();
    std::vector<ScanPass> passes;
    for (std::int64_t index = 0; index < passCount; ++index) {
        Async::checkCancellation();
        const ScanPass networks = co_await scanner_->scanNetworks();
        if (isSpoiledBySleep_) {
            throw Async::CancellationError();
        }
        passes.push_back(deduplicatedNetworksWithinPass(networks));
        completedPasses_ = index + 1;
        if (index + 1 == passCount) {
            publishResult(passes);
        } else {
            co_await sleeper_->sleep(configuration_.pauseBetweenPasses);
        }
    }
}

void ChannelScanMonitor::publishResult(const std::vector<ScanPass>& passes) {
    const std::optional<WiFiSnapshot> current =
        currentWiFiSnapshotProvider_ ? currentWiFiSnapshotProvider_() : std::nullopt;
    const std::optional<std::int64_t> channel =
        current ? current->channelNumber : std::optional<std::int64_t>();
    const std::optional<WiFiBand> band = current ? current->band : std::optional<WiFiBand>();
    latestResult_ = buildResult(passes, passesPerRun(), channel, band, dateProvider_());
}

ChannelScanMonitor::ScanPass
ChannelScanMonitor::deduplicatedNetworksWithinPass(const ScanPass& networks) {
    ScanPass kept;
    QSet<QString> seen;
    for (const WiFiScannedNetwork& network : networks) {
        const QString key = sightingKey(network);
        if (!seen.contains(key)) {
            seen.insert(key);
            kept.push_back(network);
        }
    }
    return kept;
}

ChannelScanResult ChannelScanMonitor::buildResult(const std::vector<ScanPass>& passes,
                                                  std::int64_t passCount,
                                                  std::optional<std::int64_t> currentChannel,
                                                  std::optional<WiFiBand> currentBand,
                                                  Date timestamp) {
    std::vector<WiFiScannedNetwork> sightings;
    for (const ScanPass& pass : passes) {
        sightings.insert(sightings.end(), pass.begin(), pass.end());
    }
    const double divisor = static_cast<double>(std::max<std::int64_t>(passCount, 1));
    std::vector<ChannelCongestionSample> channels;
    for (const ChannelTally& tally : tallyChannels(sightings)) {
        channels.push_back(makeSample(tally, divisor));
    }
    normalise(channels);
    std::sort(channels.begin(), channels.end(), precedes);

    std::optional<WiFiBand> suggestedBand = currentBand;
    if (!suggestedBand && !channels.empty()) {
        suggestedBand = channels.front().band;
    }
    const std::optional<std::int64_t> suggestedChannel =
        suggestedBand ? suggestedChannelNumber(*suggestedBand, channels, currentChannel)
                      : std::nullopt;
    const std::optional<double> currentScore =
        currentChannelInterferenceScore(channels, currentChannel, currentBand);
    return ChannelScanResult{
        timestamp,
        passCount,
        static_cast<std::int64_t>(sightings.size()),
        std::move(channels),
        currentChannel,
        currentBand,
        currentScore,
        suggestedChannel,
        suggestedBand,
        true,
    };
}

std::vector<std::int64_t> ChannelScanMonitor::preferredChannelsForBand(WiFiBand band) {
    switch (band) {
    case WiFiBand::twoPointFourGigahertz:
        return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    case WiFiBand::fiveGigahertz:
        return {36, 40, 44, 48, 149, 153, 157, 161, 165};
    case WiFiBand::sixGigahertz:
        return {1, 5, 9, 13, 17, 21, 25, 29};
    case WiFiBand::unknown:
        return {};
    }
    return {};
}

std::optional<std::int64_t>
ChannelScanMonitor::suggestedChannelNumber(WiFiBand band,
                                           const std::vector<ChannelCongestionSample>& channels,
                                           std::optional<std::int64_t> currentChannel) {
    const std::vector<std::int64_t> candidates = preferredChannelsForBand(band);
    if (candidates.empty()) {
        return std::nullopt;
    }
    QHash<std::int64_t, double> scoreByChannel;
    for (const ChannelCongestionSample& sample : channels) {
        if (sample.band == band) {
            scoreByChannel.insert(sample.channelNumber, sample.interferenceScore);
        }
    }
    // A channel on which no network was seen scores 0.
    std::int64_t best = candidates.front();
    double bestScore = scoreByChannel.value(best, 0.0);
    for (auto candidate = candidates.begin() + 1; candidate != candidates.end(); ++candidate) {
        const double score = scoreByChannel.value(*candidate, 0.0);
        if (isBetterCandidate(*candidate, score, best, bestScore, currentChannel)) {
            best = *candidate;
            bestScore = score;
        }
    }
    return best;
}
