#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Core/SleepProviding.h"
#include "Monitors/ChannelScanConfiguration.h"
#include "Monitors/SleepInterruptible.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/Reactive/Published.h"
#include "System/WiFiNetworkScanning.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

// Runs, on demand, a short multi-pass scan of the nearby networks, turns the
// networks seen into one congestion figure per channel and suggests the
// least congested channel of the band in use. At most one scan runs at a time;
// the tool windows start and cancel it and observe its progress and result.
// A scan that spans a system sleep (running at the sleep or at the wake) ends
// as cancelled, without a result: the link is down meanwhile, and what the
// passes saw says nothing of the air after the wake.
class ChannelScanMonitor final : public SleepInterruptible,
                                 public std::enable_shared_from_this<ChannelScanMonitor> {
public:
    // The current link's reading, for the channel and band in use.
    using CurrentWiFiSnapshotProvider = std::function<std::optional<WiFiSnapshot>()>;
    using ScanPass = std::vector<WiFiScannedNetwork>;

    static std::shared_ptr<ChannelScanMonitor>
    create(ChannelScanConfiguration configuration, std::shared_ptr<WiFiNetworkScanning> scanner,
           CurrentWiFiSnapshotProvider currentWiFiSnapshotProvider,
           std::shared_ptr<SleepProviding> sleeper,
           DateProvider dateProvider = systemDateProvider());

    ~ChannelScanMonitor() override;
    ChannelScanMonitor(const ChannelScanMonitor&) = delete;
    ChannelScanMonitor& operator=(const ChannelScanMonitor&) = delete;

    // The result of the last scan that completed; kept until the next one.
    const Reactive::Published<std::optional<ChannelScanResult>>& latestResult() const {
        return latestResult_;
    }
    const Reactive::Published<bool>& isScanning() const { return isScanning_; }
    const Reactive::Published<std::int64_t>& completedPasses() const { return completedPasses_; }
    const Reactive::Published<std::int64_t>& totalPasses() const { return totalPasses_; }
    // Why the last scan ended without a result; cleared when a scan starts.
    const Reactive::Published<std::optional<QString>>& lastErrorMessage() const {
        return lastErrorMessage_;
    }

    const ChannelScanConfiguration& configuration() const { return configuration_; }

    // Starts a scan unless one runs; the scan itself begins on a later turn.
    void startScan();
    // Asks the running scan, if any, to stop at its next pass or pause, and
    // returns at once.
    void cancelScan();

    // Cancel the running scan, if any, so that it ends without a result even
    // when its last pass is under way.
    void systemWillSleep() override;
    void systemDidWake() override;

    // The steps of a scan, pure.

    // Drops every repeat sighting (same BSSID, SSID, channel and band) of one
    // pass, keeping the first; the order is kept.
    static ScanPass deduplicatedNetworksWithinPass(const ScanPass& networks);
    static ChannelScanResult buildResult(const std::vector<ScanPass>& passes,
                                         std::int64_t passCount,
                                         std::optional<std::int64_t> currentChannel,
                                         std::optional<WiFiBand> currentBand, Date timestamp);
    // The channels a suggestion is chosen from, in order of preference on ties.
    static std::vector<std::int64_t> preferredChannelsForBand(WiFiBand band);
    static std::optional<std::int64_t>
    suggestedChannelNumber(WiFiBand band, const std::vector<ChannelCongestionSample>& channels,
                           std::optional<std::int64_t> currentChannel);

private:
    ChannelScanMonitor(ChannelScanConfiguration configuration,
                       std::shared_ptr<WiFiNetworkScanning> scanner,
                       CurrentWiFiSnapshotProvider currentWiFiSnapshotProvider,
                       std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    void cancelForSleep();
    std::int64_t passesPerRun() const;
    Async::Task<void> runScan();
    Async::Task<void> runPasses();
    void publishResult(const std::vector<ScanPass>& passes);

    Reactive::Published<std::optional<ChannelScanResult>> latestResult_{std::nullopt};
    Reactive::Published<bool> isScanning_{false};
    Reactive::Published<std::int64_t> completedPasses_{0};
    Reactive::Published<std::int64_t> totalPasses_{0};
    Reactive::Published<std::optional<QString>> lastErrorMessage_{std::nullopt};

    ChannelScanConfiguration configuration_;
    std::shared_ptr<WiFiNetworkScanning> scanner_;
    CurrentWiFiSnapshotProvider currentWiFiSnapshotProvider_;
    std::shared_ptr<SleepProviding> sleeper_;
    DateProvider dateProvider_;
    Async::TaskHandle<void> runningTask_;
    // The running scan spans a sleep.
    bool isSpoiledBySleep_ = false;
};
