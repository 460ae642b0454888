#pragma once

#include "Monitors/RadarNearbyNetwork.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Published.h"
#include "System/WiFiNetworkScanning.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

// Lists the networks heard from where the radar window stands: scans, folds
// each scan into one row per network, strongest first, and scans again a
// pause after each scan ends, until stopped. Each successful scan replaces
// the list; a failed one leaves it and says so.
class WiFiRadarNearbyNetworksController final
    : public std::enable_shared_from_this<WiFiRadarNearbyNetworksController> {
public:
    static constexpr double minimumScanInterval = 3.0;
    static inline const QString scanFailedMessage = QStringLiteral("Nearby scan unavailable.");

    // `scanInterval` is the pause, in seconds, between the end of one scan
    // and the start of the next (see `effectiveScanInterval`).
    static std::shared_ptr<WiFiRadarNearbyNetworksController>
    create(std::shared_ptr<WiFiNetworkScanning> scanner, double scanInterval);

    ~WiFiRadarNearbyNetworksController();
    WiFiRadarNearbyNetworksController(const WiFiRadarNearbyNetworksController&) = delete;
    WiFiRadarNearbyNetworksController& operator=(const WiFiRadarNearbyNetworksController&) = delete;

    // The rows of the last successful scan, strongest first.
    const Reactive::Published<std::vector<RadarNearbyNetwork>>& nearbyNetworks() const {
        return nearbyNetworks_;
    }
    // True from the start of a scan until its outcome is applied.
    const Reactive::Published<bool>& isScanning() const { return isScanning_; }
    // `scanFailedMessage` after a failed scan; cleared by the next good one.
    const Reactive::Published<std::optional<QString>>& lastErrorMessage() const {
        return lastErrorMessage_;
    }

    double scanInterval() const { return scanInterval_; }
    // Whether a scan loop is held (from start() until stop() or its end).
    bool isRunning() const { return scanTask_.isValid(); }

    // Starts the scan loop unless one is held; the first scan begins on a
    // later turn.
    void start();
    // Cancels the loop and returns at once. A scan in flight is not
    // interrupted: its outcome is still applied, unless start() has begun
    // a newer loop meanwhile.
    void stop();

    // At least `minimumScanInterval`; NaN and infinities give the minimum.
    static double effectiveScanInterval(double seconds);
    // One row per network of one scan: entries with a BSSID fold by BSSID,
    // the others by name, channel and band, keeping the strongest (the
    // earlier on equal signal). Strongest first; equal signals by name,
    // then channel, band and id, so the order holds from scan to scan.
    static std::vector<RadarNearbyNetwork>
    buildNearbyNetworks(const std::vector<WiFiScannedNetwork>& scanned);

private:
    struct ScanOutcome;

    WiFiRadarNearbyNetworksController(std::shared_ptr<WiFiNetworkScanning> scanner,
                                      double scanInterval);

    static Async::Task<void>
    runScanLoop(std::weak_ptr<WiFiRadarNearbyNetworksController> weakController,
                std::uint64_t generation);
    static Async::Task<std::optional<std::uint64_t>>
    scanOnce(std::weak_ptr<WiFiRadarNearbyNetworksController> weakController,
             std::uint64_t generation);
    static Async::Task<ScanOutcome> scanDetached(std::shared_ptr<WiFiNetworkScanning> scanner);
    static Async::Task<bool> pauseFor(std::uint64_t nanoseconds);
    bool isCurrent(std::uint64_t generation) const { return generation == generation_; }
    void apply(const ScanOutcome& outcome);
    void loopEnded(std::uint64_t generation);

    Reactive::Published<std::vector<RadarNearbyNetwork>> nearbyNetworks_{{}};
    Reactive::Published<bool> isScanning_{false};
    Reactive::Published<std::optional<QString>> lastErrorMessage_{std::nullopt};

    std::shared_ptr<WiFiNetworkScanning> scanner_;
    double scanInterval_;
    Async::TaskHandle<void> scanTask_;
    // Counts the loops started; a loop acts on the controller only while its
    // number is the latest, so a stopped loop whose scan returns late can
    // neither publish over a newer loop nor drop its handle.
    std::uint64_t generation_ = 0;
};
