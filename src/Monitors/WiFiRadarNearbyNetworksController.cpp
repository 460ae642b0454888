#include "Monitors/WiFiRadarNearbyNetworksController.h"

#include "Core/TaskSleeper.h"
#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Sleep.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <tuple>
#include <variant>

#include <QHash>
#include <QStringList>

namespace {

QString groupingKey(const WiFiScannedNetwork& network) {
    if (network.bssid) {
        return *network.bssid;
    }
    return QStringList{network.ssid.value_or(QStringLiteral("hidden")),
                       QString::number(network.channelNumber), network.band.rawValue()}
        .join(QLatin1Char('|'));
}

RadarNearbyNetwork makeRow(const WiFiScannedNetwork& network) {
    const QString placeholder = QStringLiteral("Hidden-") + QString::number(network.channelNumber);
    return RadarNearbyNetwork{
        .id = network.bssid.value_or(placeholder + QLatin1Char('|') +
                                     QString::number(network.rssiDbm)),
        .ssid = network.ssid.value_or(placeholder),
        .signalDbm = network.rssiDbm,
        .channelNumber = network.channelNumber,
        .band = network.band,
    };
}

bool isListedBefore(const RadarNearbyNetwork& first, const RadarNearbyNetwork& second) {
    if (first.signalDbm != second.signalDbm) {
        return first.signalDbm > second.signalDbm;
    }
    const int byName = QString::compare(first.ssid, second.ssid);
    if (byName != 0) {
        return byName < 0;
    }
    return std::tuple(first.channelNumber, first.band.rawValue(), first.id) <
           std::tuple(second.channelNumber, second.band.rawValue(), second.id);
}

} // namespace

// What one scan came to: the networks heard, a cancellation, or a failure.
struct WiFiRadarNearbyNetworksController::ScanOutcome {
    struct Cancelled {};
    struct Failed {};
    std::variant<std::vector<WiFiScannedNetwork>, Cancelled, Failed> result;
};

std::shared_ptr<WiFiRadarNearbyNetworksController>
WiFiRadarNearbyNetworksController::create(std::shared_ptr<WiFiNetworkScanning> scanner,
                                          double scanInterval) {
    return std::shared_ptr<WiFiRadarNearbyNetworksController>(
        new WiFiRadarNearbyNetworksController(std::move(scanner), scanInterval));
}

WiFiRadarNearbyNetworksController::WiFiRadarNearbyNetworksController(
    std::shared_ptr<WiFiNetworkScanning> scanner, double scanInterval)
    : scanner_(std::move(scanner)), scanInterval_(effectiveScanInterval(scanInterval)) {}

WiFiRadarNearbyNetworksController::~WiFiRadarNearbyNetworksController() {
    scanTask_.cancel();
}

double WiFiRadarNearbyNetworksController::effectiveScanInterval(double seconds) {
    if (!std::isfinite(seconds)) {
        return minimumScanInterval;
    }
    return std::max(minimumScanInterval, seconds);
}

void WiFiRadarNearbyNetworksController::start() {
    if (scanTask_.isValid()) {
        return;
    }
    const std::uint64_t generation = ++generation_;
    scanTask_ = Async::spawn([weakController = weak_from_this(), generation] {
        return runScanLoop(weakController, generation);
    });
}

void WiFiRadarNearbyNetworksController::stop() {
    scanTask_.cancel();
    scanTask_ = {};
    isScanning_ = false;
}

// The loop holds its controller only between suspensions, so that a window
// closed during a scan releases the controller at once; the scan's late
// result then finds nothing to publish to.
Async::Task<void> WiFiRadarNearbyNetworksController::runScanLoop(
    std::weak_ptr<WiFiRadarNearbyNetworksController> weakController, std::uint64_t generation) {
    while (!Async::isCancelled()) {
        const std::optional<std::uint64_t> pause = co_await scanOnce(weakController, generation);
        if (!pause) {
            co_return;
        }
        const bool hasPaused = co_await pauseFor(*pause);
        if (!hasPaused) {
            break;
        }
    }
    if (const auto controller = weakController.lock()) {
        controller->loopEnded(generation);
    }
}

// The pause to take after the scan, or nothing when the controller is gone.
Async::Task<std::optional<std::uint64_t>> WiFiRadarNearbyNetworksController::scanOnce(
    std::weak_ptr<WiFiRadarNearbyNetworksController> weakController, std::uint64_t generation) {
    std::shared_ptr<WiFiNetworkScanning> scanner;
    if (const auto controller = weakController.lock()) {
        scanner = controller->scanner_;
        controller->isScanning_ = true;
    } else {
        co_return std::nullopt;
    }
    const ScanOutcome outcome = co_await scanDetached(std::move(scanner));
    const auto controller = weakController.lock();
    if (!controller) {
        co_return std::nullopt;
    }
    if (controller->isCurrent(generation)) {
        controller->apply(outcome);
    }
    co_return TaskSleeper::nanoseconds(controller->scanInterval_);
}

// The scan runs as a task of its own, which the loop's cancellation does not
// reach: a stopped loop still learns how its last scan ended.
Async::Task<WiFiRadarNearbyNetworksController::ScanOutcome>
WiFiRadarNearbyNetworksController::scanDetached(std::shared_ptr<WiFiNetworkScanning> scanner) {
    const auto scan = Async::spawn([scanner] { return scanner->scanNetworks(); });
    ScanOutcome outcome{ScanOutcome::Failed{}};
    try {
        outcome.result = co_await scan.join();
    } catch (const Async::CancellationError&) {
        outcome.result = ScanOutcome::Cancelled{};
    } catch (...) {
        // Any other error is a failed scan.
    }
    co_return outcome;
}

// False when the pause ended by cancellation.
Async::Task<bool> WiFiRadarNearbyNetworksController::pauseFor(std::uint64_t nanoseconds) {
    try {
        co_await Async::sleep(nanoseconds);
    } catch (const Async::CancellationError&) {
        co_return false;
    }
    co_return true;
}

void WiFiRadarNearbyNetworksController::apply(const ScanOutcome& outcome) {
    if (const auto* scanned = std::get_if<std::vector<WiFiScannedNetwork>>(&outcome.result)) {
        nearbyNetworks_ = buildNearbyNetworks(*scanned);
        lastErrorMessage_ = std::nullopt;
    } else if (std::holds_alternative<ScanOutcome::Failed>(outcome.result)) {
        lastErrorMessage_ = scanFailedMessage;
    }
    isScanning_ = false;
}

void WiFiRadarNearbyNetworksController::loopEnded(std::uint64_t generation) {
    if (!isCurrent(generation)) {
        return;
    }
    scanTask_ = {};
    isScanning_ = false;
}

std::vector<RadarNearbyNetwork> WiFiRadarNearbyNetworksController::buildNearbyNetworks(
    const std::vector<WiFiScannedNetwork>& scanned) {
    std::vector<WiFiScannedNetwork> kept;
    QHash<QString, std::size_t> indexByKey;
    for (const WiFiScannedNetwork& network : scanned) {
        const QString key = groupingKey(network);
        const auto found = indexByKey.constFind(key);
        if (found == indexByKey.cend()) {
            indexByKey.insert(key, kept.size());
            kept.push_back(network);
        } else if (kept[*found].rssiDbm < network.rssiDbm) {
            kept[*found] = network;
        }
    }
    std::vector<RadarNearbyNetwork> rows;
    rows.reserve(kept.size());
    std::transform(kept.begin(), kept.end(), std::back_inserter(rows), makeRow);
    std::sort(rows.begin(), rows.end(), isListedBefore);
    return rows;
}
