#include "ChannelScanWindowSnapshots.h"

#include "UI/ChannelScan/ChannelScanWindowModel.h"
#include "UI/ChannelScan/ChannelScanWindowView.h"

#include <chrono>

#include <QCoreApplication>
#include <QLocale>

namespace {

constexpr auto band24 = WiFiBand::twoPointFourGigahertz;
constexpr auto band5 = WiFiBand::fiveGigahertz;
constexpr int headerContentSpacing = 10;

// 2026-01-01 09:41:27 UTC, the time every sample was taken.
const Date sampleTime = Date{} + std::chrono::seconds(1'767'260'487);

struct Channel {
    std::int64_t number;
    std::int64_t networks;
    double score;
};

// Samples of one band, normalised by the busiest of them.
std::vector<ChannelCongestionSample> samples(WiFiBand band, const std::vector<Channel>& channels) {
    double busiest = 0;
    for (const Channel& channel : channels) {
        busiest = std::max(busiest, channel.score);
    }
    std::vector<ChannelCongestionSample> made;
    for (const Channel& channel : channels) {
        made.push_back({.channelNumber = channel.number,
                        .band = band,
                        .networkCount = channel.networks,
                        .averageRSSIDbm = -67.0,
                        .interferenceScore = channel.score,
                        .normalizedCongestion = busiest > 0 ? channel.score / busiest : 0});
    }
    return made;
}

ChannelScanResult scanResult(std::vector<ChannelCongestionSample> channels,
                             std::optional<std::int64_t> current, std::optional<WiFiBand> band,
                             std::optional<std::int64_t> suggested,
                             std::optional<WiFiBand> suggestedBand) {
    std::int64_t sightings = 0;
    for (const ChannelCongestionSample& sample : channels) {
        sightings += sample.networkCount * 3;
    }
    std::optional<double> currentScore;
    if (current) {
        currentScore = 0.0;
        for (const ChannelCongestionSample& sample : channels) {
            if (sample.channelNumber == *current && (!band || sample.band == *band)) {
                currentScore = sample.interferenceScore;
                break;
            }
        }
    }
    return {.timestamp = sampleTime,
            .passCount = 3,
            .scannedNetworkCount = sightings,
            .channels = std::move(channels),
            .currentChannelNumber = current,
            .currentBand = band,
            .currentChannelInterferenceScore = currentScore,
            .suggestedChannelNumber = suggested,
            .suggestedBand = suggestedBand,
            .didSucceed = true};
}

// A busy 2.4 GHz neighbourhood: the current channel 6 is the most crowded,
// channel 3 the quietest; red, orange and green bars.
ChannelScanResult busyTwoFour() {
    return scanResult(samples(band24, {{1, 5, 2.35},
                                       {3, 1, 0.1},
                                       {4, 2, 0.6},
                                       {6, 6, 3.1},
                                       {8, 1, 0.5},
                                       {9, 2, 1.25},
                                       {11, 3, 1.6}}),
                      6, band24, 3, band24);
}

// Every 5 GHz channel measured, the current one already the quietest.
ChannelScanResult quietFive() {
    return scanResult(samples(band5, {{36, 1, 0.1},
                                      {40, 2, 0.6},
                                      {44, 1, 0.25},
                                      {48, 3, 1.15},
                                      {149, 1, 0.35},
                                      {153, 1, 0.5}}),
                      36, band5, 36, band5);
}

// The current channel has no measured sample in its band, and no channel
// could be recommended.
ChannelScanResult unmeasuredCurrent() {
    return scanResult(samples(band5, {{36, 2, 1.0}, {44, 1, 0.25}, {149, 1, 0.5}}), 40, band5,
                      std::nullopt, std::nullopt);
}

// Networks only in another band than the one in use, none on the current channel.
ChannelScanResult nothingInBand() {
    ChannelScanResult result = scanResult(samples(band5, {{36, 2, 1.0}, {44, 1, 0.5}}),
                                          std::nullopt, std::nullopt, std::nullopt, band24);
    return result;
}

// Twenty 6 GHz channels: more than the panel lists.
ChannelScanResult crowdedSix() {
    std::vector<Channel> channels;
    for (int index = 0; index < 20; ++index) {
        channels.push_back({1 + 4 * index, 1 + index % 4, 0.15 * (1 + (index * 7) % 20)});
    }
    return scanResult(samples(WiFiBand::sixGigahertz, channels), 37, WiFiBand::sixGigahertz, 1,
                      WiFiBand::sixGigahertz);
}

std::function<std::unique_ptr<QWidget>()> window(QSize size, ChannelScanWindowInputs inputs,
                                                 QLocale locale = QLocale()) {
    return [size, inputs, locale]() -> std::unique_ptr<QWidget> {
        auto view = std::make_unique<ChannelScanWindowView>(headerContentSpacing);
        // Shown (offscreen, never on a screen) at its window's size, as in an
        // opened window, and laid out on the turns that follow.
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->resize(size);
        view->show();
        view->setContent(ChannelScanWindowModel::content(inputs, locale));
        QCoreApplication::processEvents();
        return view;
    };
}

ChannelScanWindowInputs idle(std::optional<ChannelScanResult> result) {
    return {.isScanning = false,
            .latestResult = std::move(result),
            .completedPasses = 3,
            .totalPasses = 3};
}

ChannelScanWindowInputs scanning(std::optional<ChannelScanResult> result,
                                 std::int64_t completedPasses) {
    return {.isScanning = true,
            .latestResult = std::move(result),
            .completedPasses = completedPasses,
            .totalPasses = 3};
}

} // namespace

std::vector<Snapshot> channelScanWindowSnapshots() {
    const QSize ideal = ChannelScanWindowView::idealSize;
    const QSize minimum = ChannelScanWindowView::minimumContentSize;
    const QLocale german(QLocale::German, QLocale::Germany);
    return {
        {"channel-scan-empty", ideal, window(ideal, {})},
        {"channel-scan-empty-scanning", ideal, window(ideal, scanning(std::nullopt, 1))},
        {"channel-scan-result-2-4-ghz", ideal, window(ideal, idle(busyTwoFour()))},
        {"channel-scan-result-scanning-again", ideal, window(ideal, scanning(busyTwoFour(), 2))},
        {"channel-scan-current-is-recommended", ideal, window(ideal, idle(quietFive()))},
        {"channel-scan-placeholder-unavailable", ideal, window(ideal, idle(unmeasuredCurrent()))},
        {"channel-scan-no-channels", ideal, window(ideal, idle(nothingInBand()))},
        {"channel-scan-twelve-rows-minimum-size", minimum, window(minimum, idle(crowdedSix()))},
        {"channel-scan-decimal-comma", ideal, window(ideal, idle(busyTwoFour()), german)},
    };
}
