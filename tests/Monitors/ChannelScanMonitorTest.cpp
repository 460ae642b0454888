#include "Monitors/ChannelScanMonitor.h"

#include "Core/TaskSleeper.h"
#include "Monitors/WiFiSnapshotBuilding.h"
#include "Platform/Async/Continuation.h"
#include "Platform/CoreWLAN/WLANError.h"
#include "Platform/CoreWLAN/WiFiClient.h"
#include "Support/FakeSleeper.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/TestRuntime.h"
#include "System/CoreWLANInterfaceProvider.h"
#include "System/CoreWLANNetworkScanner.h"
#include "System/WiFiNetworkScannerError.h"

#include <deque>
#include <exception>
#include <gtest/gtest.h>
#include <variant>

namespace {

using ScanPass = ChannelScanMonitor::ScanPass;

constexpr auto band24 = WiFiBand::twoPointFourGigahertz;
constexpr auto band5 = WiFiBand::fiveGigahertz;
constexpr auto band6 = WiFiBand::sixGigahertz;

WiFiScannedNetwork sighting(std::int64_t channel, WiFiBand band, std::int64_t rssi,
                            const QString& bssid = QStringLiteral("3c:84:6a:02:7e:10"),
                            std::optional<QString> ssid = QStringLiteral("Linden House")) {
    return WiFiScannedNetwork{std::move(ssid), bssid, rssi, channel, band};
}

// A distinct network for each index.
WiFiScannedNetwork other(int index, std::int64_t channel, WiFiBand band, std::int64_t rssi) {
    return sighting(channel, band, rssi, QStringLiteral("00:00:00:00:00:%1").arg(index, 2, 16),
                    QStringLiteral("Net %1").arg(index));
}

WiFiSnapshot snapshotOn(std::optional<std::int64_t> channel, std::optional<WiFiBand> band) {
    return WiFiSnapshot{TestRuntime::startDate(),
                        QStringLiteral("Pelmor Lab"),
                        std::nullopt,
                        -57,
                        -92,
                        35,
                        866,
                        channel,
                        band,
                        std::nullopt,
                        false};
}

ChannelScanResult build(const std::vector<ScanPass>& passes,
                        std::optional<std::int64_t> currentChannel = std::nullopt,
                        std::optional<WiFiBand> currentBand = std::nullopt) {
    return ChannelScanMonitor::buildResult(passes, static_cast<std::int64_t>(passes.size()),
                                           currentChannel, currentBand, TestRuntime::startDate());
}

// A network load on every 2.4 GHz channel but those listed.
ScanPass loadedExcept(std::vector<std::int64_t> freeChannels) {
    ScanPass pass;
    for (std::int64_t channel = 1; channel <= 11; ++channel) {
        if (std::find(freeChannels.begin(), freeChannels.end(), channel) == freeChannels.end()) {
            pass.push_back(other(static_cast<int>(channel), channel, band24, -50));
        }
    }
    return pass;
}

// Answers each scan with the next scripted outcome (an empty list when none
// is left). A held scan waits for the test, ignoring cancellation as the
// platform's scan does.
class ScriptedScanner final : public WiFiNetworkScanning {
public:
    std::deque<std::variant<ScanPass, std::exception_ptr>> outcomes;
    bool holdScans = false;
    std::optional<Async::Continuation<void>> heldScan;
    int scanCount = 0;

    Async::Task<ScanPass> scanNetworks() override {
        ++scanCount;
        if (holdScans) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { heldScan = continuation; });
        }
        if (outcomes.empty()) {
            co_return ScanPass{};
        }
        auto outcome = std::move(outcomes.front());
        outcomes.pop_front();
        if (const auto* error = std::get_if<std::exception_ptr>(&outcome)) {
            std::rethrow_exception(*error);
        }
        co_return std::get<ScanPass>(std::move(outcome));
    }
};

} // namespace

class ChannelScanMonitorTest : public testing::Test {
protected:
    std::shared_ptr<ChannelScanMonitor> makeMonitor(ChannelScanConfiguration configuration = {
                                                        3, 0.35}) {
        return ChannelScanMonitor::create(
            configuration, scanner,
            [this] {
                ++snapshotReads;
                return currentSnapshot;
            },
            sleeper, runtime.clock().dateProvider());
    }

    // Runs a whole scan, releasing every pause.
    void scanToTheEnd(ChannelScanMonitor& monitor) {
        monitor.startScan();
        runtime.runUntilIdle();
        while (sleeper->releaseAll() > 0) {
            runtime.runUntilIdle();
        }
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedScanner> scanner = std::make_shared<ScriptedScanner>();
    std::shared_ptr<FakeSleeper> sleeper = std::make_shared<FakeSleeper>();
    std::optional<WiFiSnapshot> currentSnapshot;
    int snapshotReads = 0;
};

// The figures of one scan.

TEST_F(ChannelScanMonitorTest, InterferenceWeightSteppedBySignalStrength) {
    const std::vector<std::pair<std::int64_t, double>> weights{
        {-30, 1.0}, {-55, 1.0},  {-56, 0.75}, {-65, 0.75}, {-66, 0.5},
        {-75, 0.5}, {-76, 0.25}, {-85, 0.25}, {-86, 0.1},  {-100, 0.1},
    };
    for (const auto& [rssi, weight] : weights) {
        const ChannelScanResult result = build({{sighting(6, band24, rssi)}});
        ASSERT_EQ(result.channels.size(), 1u);
        EXPECT_DOUBLE_EQ(result.channels.front().interferenceScore, weight) << rssi << " dBm";
    }
}

TEST_F(ChannelScanMonitorTest, FiguresArePerPassOverAllSightings) {
    const WiFiScannedNetwork strong = sighting(36, band5, -50);
    const ChannelScanResult everyPass = build({{strong}, {strong}, {strong}});
    EXPECT_EQ(everyPass.scannedNetworkCount, 3);
    EXPECT_EQ(everyPass.passCount, 3);
    EXPECT_EQ(everyPass.channels,
              (std::vector<ChannelCongestionSample>{{36, band5, 1, -50.0, 1.0, 1.0}}));

    const ChannelScanResult onePass = build({{sighting(1, band24, -70)}, {}, {}});
    ASSERT_EQ(onePass.channels.size(), 1u);
    EXPECT_EQ(onePass.channels.front().networkCount, 1) << "seen once in three passes";
    EXPECT_DOUBLE_EQ(onePass.channels.front().interferenceScore, 0.5 / 3);

    const ScanPass twoOnSix{other(1, 6, band24, -60), other(2, 6, band24, -60)};
    const ChannelScanResult two = build({twoOnSix, twoOnSix, twoOnSix});
    ASSERT_EQ(two.channels.size(), 1u) << "neighbouring channels receive nothing";
    EXPECT_EQ(two.channels.front().networkCount, 2);
    EXPECT_DOUBLE_EQ(two.channels.front().interferenceScore, 1.5);
}

TEST_F(ChannelScanMonitorTest, NetworkCountRoundsSightingsPerPassHalvesUp) {
    const WiFiScannedNetwork first = other(1, 11, band24, -60);
    const WiFiScannedNetwork second = other(2, 11, band24, -60);
    EXPECT_EQ(build({{first, second}, {first}, {first}}).channels.front().networkCount, 1)
        << "four sightings in three passes";
    EXPECT_EQ(build({{first, second}, {first, second}, {first}}).channels.front().networkCount, 2)
        << "five sightings in three passes";
    EXPECT_EQ(build({{first, second}, {first}}).channels.front().networkCount, 2)
        << "three sightings in two passes: 1.5 rounds up";
}

TEST_F(ChannelScanMonitorTest, AverageSignalIsOverEverySighting) {
    const ChannelScanResult result = build(
        {{other(1, 149, band5, -50), other(2, 149, band5, -61)}, {other(1, 149, band5, -52)}});
    ASSERT_EQ(result.channels.size(), 1u);
    EXPECT_DOUBLE_EQ(result.channels.front().averageRSSIDbm, -163.0 / 3);
}

TEST_F(ChannelScanMonitorTest, CongestionIsNormalisedByTheBusiestChannelOfAnyBand) {
    const ChannelScanResult result = build({{other(1, 36, band5, -50), other(2, 36, band5, -50),
                                             other(3, 1, band24, -70), other(4, 5, band6, -90)}});
    ASSERT_EQ(result.channels.size(), 3u);
    EXPECT_DOUBLE_EQ(result.channels[0].normalizedCongestion, 0.25); // 2.4 GHz channel 1
    EXPECT_DOUBLE_EQ(result.channels[1].normalizedCongestion, 1.0);  // 5 GHz channel 36
    EXPECT_DOUBLE_EQ(result.channels[2].normalizedCongestion, 0.05); // 6 GHz channel 5
}

TEST_F(ChannelScanMonitorTest, ChannelsAreOrderedByBandTextThenChannelNumber) {
    const ChannelScanResult result = build({{
        other(1, 3, WiFiBand::unknown, -70),
        other(2, 5, band6, -70),
        other(3, 149, band5, -70),
        other(4, 11, band24, -70),
        other(5, 36, band5, -70),
        other(6, 1, band6, -70),
        other(7, 1, band24, -70),
    }});
    std::vector<std::pair<WiFiBand, std::int64_t>> order;
    for (const ChannelCongestionSample& sample : result.channels) {
        order.emplace_back(sample.band, sample.channelNumber);
    }
    EXPECT_EQ(order, (std::vector<std::pair<WiFiBand, std::int64_t>>{{band24, 1},
                                                                     {band24, 11},
                                                                     {band5, 36},
                                                                     {band5, 149},
                                                                     {band6, 1},
                                                                     {band6, 5},
                                                                     {WiFiBand::unknown, 3}}))
        << "channel 1 of 2.4 GHz and of 6 GHz are two channels";
}

TEST_F(ChannelScanMonitorTest, RepeatSightingsWithinOnePassCountOnce) {
    const QString bssid = QStringLiteral("3c:84:6a:02:7e:10");
    const WiFiScannedNetwork network = sighting(6, band24, -60, bssid);
    const WiFiScannedNetwork weaker = sighting(6, band24, -80, bssid);
    const WiFiScannedNetwork renamed =
        sighting(6, band24, -60, bssid, QStringLiteral("Linden Guest"));
    const WiFiScannedNetwork hidden = sighting(6, band24, -60, bssid, std::nullopt);
    const WiFiScannedNetwork otherBand = sighting(6, band6, -60, bssid);
    const WiFiScannedNetwork anonymous{std::nullopt, std::nullopt, -70, 6, band24};
    const WiFiScannedNetwork anonymousToo{std::nullopt, std::nullopt, -40, 6, band24};

    EXPECT_EQ(ChannelScanMonitor::deduplicatedNetworksWithinPass(
                  {network, renamed, weaker, hidden, otherBand, network, hidden}),
              (ScanPass{network, renamed, hidden, otherBand}))
        << "the first sighting is kept, in order";
    EXPECT_EQ(ChannelScanMonitor::deduplicatedNetworksWithinPass({anonymous, anonymousToo}),
              ScanPass{anonymous})
        << "networks without BSSID and SSID on one channel look alike";
}

// The suggestion.

TEST_F(ChannelScanMonitorTest, CandidateChannelsPerBand) {
    EXPECT_EQ(ChannelScanMonitor::preferredChannelsForBand(band24),
              (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(ChannelScanMonitor::preferredChannelsForBand(band5),
              (std::vector<std::int64_t>{36, 40, 44, 48, 149, 153, 157, 161, 165}));
    EXPECT_EQ(ChannelScanMonitor::preferredChannelsForBand(band6),
              (std::vector<std::int64_t>{1, 5, 9, 13, 17, 21, 25, 29}));
    EXPECT_TRUE(ChannelScanMonitor::preferredChannelsForBand(WiFiBand::unknown).empty());
}

TEST_F(ChannelScanMonitorTest, SuggestionPrefersTheQuietestThenTheNearestThenTheLowerChannel) {
    const ChannelScanResult onlySix = build({{sighting(6, band24, -60)}}, 6, band24);
    EXPECT_EQ(onlySix.suggestedChannelNumber, 5) << "free, distance 1, lower than 7";
    EXPECT_EQ(onlySix.suggestedBand, band24);

    EXPECT_EQ(build({loadedExcept({1, 9})}, 11, band24).suggestedChannelNumber, 9)
        << "the nearer free channel wins over the lower one";
    EXPECT_EQ(build({loadedExcept({3, 9})}, 6, band24).suggestedChannelNumber, 3)
        << "equally near: the lower channel";
    EXPECT_EQ(build({loadedExcept({})}, 6, band24).suggestedChannelNumber, 6)
        << "all equally loaded: the current channel itself";

    ScanPass lighterOnOne = loadedExcept({1});
    lighterOnOne.push_back(other(1, 1, band24, -66));
    EXPECT_EQ(build({lighterOnOne}, 6, band24).suggestedChannelNumber, 1)
        << "a lower score beats any distance";
}

TEST_F(ChannelScanMonitorTest, EqualLoadsTieWhateverOrderTheirNetworksWereSeenIn) {
    // Channels 2 and 7 carry the same three networks' weights (0.1, 0.25,
    // 0.1), seen in different orders; every other channel is busy.
    ScanPass pass = loadedExcept({2, 7});
    pass.push_back(other(30, 2, band24, -90));
    pass.push_back(other(31, 2, band24, -80));
    pass.push_back(other(32, 2, band24, -90));
    pass.push_back(other(33, 7, band24, -90));
    pass.push_back(other(34, 7, band24, -90));
    pass.push_back(other(35, 7, band24, -80));
    const ChannelScanResult result = build({pass}, 6, band24);
    EXPECT_EQ(result.channels[1].interferenceScore, result.channels[6].interferenceScore);
    EXPECT_EQ(result.suggestedChannelNumber, 7) << "the tie goes to the channel nearer 6";
}

TEST_F(ChannelScanMonitorTest, WithoutCurrentLinkTheFirstBandSeenIsSuggestedFor) {
    const ChannelScanResult result =
        build({{other(1, 1, band6, -50), other(2, 36, band5, -50), other(3, 44, band5, -80)}});
    EXPECT_EQ(result.suggestedBand, band5);
    EXPECT_EQ(result.suggestedChannelNumber, 40) << "the lowest free 5 GHz channel";
    EXPECT_FALSE(result.currentChannelInterferenceScore);
    EXPECT_FALSE(result.currentChannelNumber);
    EXPECT_FALSE(result.currentBand);

    const ChannelScanResult nothing = build({{}, {}, {}});
    EXPECT_TRUE(nothing.channels.empty());
    EXPECT_FALSE(nothing.suggestedChannelNumber);
    EXPECT_FALSE(nothing.suggestedBand);
    EXPECT_TRUE(nothing.didSucceed);
}

TEST_F(ChannelScanMonitorTest, AnEmptyScanSuggestsTheCurrentChannel) {
    const ChannelScanResult result = build({{}, {}, {}}, 44, band5);
    EXPECT_TRUE(result.channels.empty());
    EXPECT_EQ(result.scannedNetworkCount, 0);
    EXPECT_EQ(result.currentChannelInterferenceScore, 0.0);
    EXPECT_EQ(result.suggestedChannelNumber, 44);
    EXPECT_EQ(result.suggestedBand, band5);
}

TEST_F(ChannelScanMonitorTest, AnUnknownCurrentBandHasNoCandidates) {
    const ChannelScanResult result =
        build({{sighting(6, band24, -60)}}, 14, std::optional<WiFiBand>(WiFiBand::unknown));
    EXPECT_FALSE(result.suggestedChannelNumber);
    EXPECT_EQ(result.suggestedBand, WiFiBand::unknown);
    EXPECT_EQ(result.currentChannelInterferenceScore, 0.0);
}

TEST_F(ChannelScanMonitorTest, CurrentChannelScoreIsThatOfItsOwnBand) {
    const ScanPass pass{other(1, 1, band24, -50), other(2, 1, band6, -80)};
    EXPECT_EQ(build({pass}, 1, band6).currentChannelInterferenceScore, 0.25);
    EXPECT_EQ(build({pass}, 1, band24).currentChannelInterferenceScore, 1.0);
    EXPECT_EQ(build({pass}, 1).currentChannelInterferenceScore, 1.0)
        << "without a band the first channel 1 in order counts";
    EXPECT_EQ(build({pass}, 9, band24).currentChannelInterferenceScore, 0.0)
        << "no network on it: 0, not absent";
}

// Running a scan.

TEST_F(ChannelScanMonitorTest, AScanRunsThreePassesWithPausesAndPublishesItsResult) {
    currentSnapshot = snapshotOn(36, band5);
    const WiFiScannedNetwork network = sighting(36, band5, -50);
    scanner->outcomes = {ScanPass{network, network}, ScanPass{network}, ScanPass{network}};
    auto monitor = makeMonitor();
    std::vector<std::int64_t> progress;
    const auto subscription = monitor->completedPasses().subscribe(
        [&](std::int64_t passes) { progress.push_back(passes); });

    monitor->startScan();
    EXPECT_TRUE(monitor->isScanning().value());
    EXPECT_EQ(monitor->totalPasses().value(), 3);
    EXPECT_EQ(scanner->scanCount, 0) << "the scan begins on a later turn";

    runtime.runUntilIdle();
    EXPECT_EQ(monitor->completedPasses().value(), 1);
    EXPECT_EQ(sleeper->requestedSeconds(), std::vector<double>{0.35});
    runtime.advance(2.0);
    sleeper->releaseAll();
    runtime.runUntilIdle();
    sleeper->releaseAll();
    runtime.runUntilIdle();

    EXPECT_EQ(progress, (std::vector<std::int64_t>{0, 0, 1, 2, 3}));
    EXPECT_EQ(sleeper->requestedSeconds(), (std::vector<double>{0.35, 0.35}))
        << "no pause after the last pass";
    EXPECT_FALSE(monitor->isScanning().value());
    EXPECT_FALSE(monitor->lastErrorMessage().value());
    EXPECT_EQ(snapshotReads, 1);
    const ChannelScanResult expected{TestRuntime::startDate() + std::chrono::seconds(2),
                                     3,
                                     3,
                                     {{36, band5, 1, -50.0, 1.0, 1.0}},
                                     36,
                                     band5,
                                     1.0,
                                     40,
                                     band5,
                                     true};
    EXPECT_EQ(monitor->latestResult().value(), expected);
}

TEST_F(ChannelScanMonitorTest, TheCurrentLinkIsReadWhenTheLastPassEnds) {
    currentSnapshot = snapshotOn(1, band24);
    auto monitor = makeMonitor();
    monitor->startScan();
    runtime.runUntilIdle();
    currentSnapshot = snapshotOn(149, band5);
    scanToTheEnd(*monitor);
    ASSERT_TRUE(monitor->latestResult().value());
    EXPECT_EQ(monitor->latestResult().value()->currentChannelNumber, 149);
    EXPECT_EQ(monitor->latestResult().value()->currentBand, band5);
}

TEST_F(ChannelScanMonitorTest, StartingWhileAScanRunsChangesNothing) {
    auto monitor = makeMonitor();
    monitor->startScan();
    runtime.runUntilIdle();
    int notifications = 0;
    const auto subscription = monitor->isScanning().subscribe([&](bool) { ++notifications; });
    monitor->startScan();
    runtime.runUntilIdle();
    EXPECT_EQ(monitor->completedPasses().value(), 1) << "the progress was reset";
    EXPECT_EQ(notifications, 1) << "only the value delivered on subscription";
    EXPECT_EQ(scanner->scanCount, 1);
    sleeper->releaseAll();
    runtime.runUntilIdle();
    sleeper->releaseAll();
    runtime.runUntilIdle();
    EXPECT_EQ(scanner->scanCount, 3);
    EXPECT_FALSE(monitor->isScanning().value());
}

TEST_F(ChannelScanMonitorTest, CancellingDuringAPauseKeepsThePreviousResult) {
    currentSnapshot = snapshotOn(6, band24);
    scanner->outcomes = {ScanPass{sighting(6, band24, -60)}};
    auto monitor = makeMonitor();
    scanToTheEnd(*monitor);
    const std::optional<ChannelScanResult> previous = monitor->latestResult().value();
    ASSERT_TRUE(previous);

    monitor->startScan();
    runtime.runUntilIdle();
    monitor->cancelScan();
    EXPECT_TRUE(monitor->isScanning().value()) << "the scan ends by itself, later";
    runtime.runUntilIdle();
    EXPECT_EQ(monitor->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
    EXPECT_EQ(monitor->completedPasses().value(), 1);
    EXPECT_FALSE(monitor->isScanning().value());
    EXPECT_EQ(monitor->latestResult().value(), previous);
    EXPECT_EQ(scanner->scanCount, 4);

    monitor->startScan();
    EXPECT_FALSE(monitor->lastErrorMessage().value()) << "a new scan clears the message";
    runtime.runUntilIdle();
    EXPECT_EQ(scanner->scanCount, 5);
    monitor->cancelScan();
    runtime.runUntilIdle();
}

TEST_F(ChannelScanMonitorTest, CancellingBeforeTheFirstPassScansNothing) {
    auto monitor = makeMonitor();
    monitor->startScan();
    monitor->cancelScan();
    runtime.runUntilIdle();
    EXPECT_EQ(scanner->scanCount, 0);
    EXPECT_EQ(monitor->completedPasses().value(), 0);
    EXPECT_EQ(monitor->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
    EXPECT_FALSE(monitor->isScanning().value());
}

TEST_F(ChannelScanMonitorTest, CancellingDuringAnEarlierPassEndsAtTheFollowingPause) {
    scanner->holdScans = true;
    auto monitor = makeMonitor();
    monitor->startScan();
    runtime.runUntilIdle();
    ASSERT_TRUE(scanner->heldScan);
    monitor->cancelScan();
    scanner->heldScan->resume();
    runtime.runUntilIdle();
    EXPECT_EQ(monitor->completedPasses().value(), 1) << "the pass in progress completes";
    EXPECT_EQ(monitor->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
    EXPECT_EQ(scanner->scanCount, 1);
    EXPECT_FALSE(monitor->latestResult().value());
}

TEST_F(ChannelScanMonitorTest, CancellingDuringTheLastPassStillPublishesTheResult) {
    currentSnapshot = snapshotOn(44, band5);
    auto monitor = makeMonitor();
    monitor->startScan();
    runtime.runUntilIdle();
    sleeper->releaseAll();
    runtime.runUntilIdle();
    sleeper->releaseAll();
    scanner->holdScans = true;
    scanner->outcomes = {ScanPass{sighting(44, band5, -60)}};
    runtime.runUntilIdle();
    ASSERT_TRUE(scanner->heldScan);
    monitor->cancelScan();
    scanner->heldScan->resume();
    runtime.runUntilIdle();
    EXPECT_EQ(monitor->completedPasses().value(), 3);
    EXPECT_FALSE(monitor->lastErrorMessage().value());
    EXPECT_FALSE(monitor->isScanning().value());
    ASSERT_TRUE(monitor->latestResult().value());
    EXPECT_EQ(monitor->latestResult().value()->scannedNetworkCount, 1);
}

// A scan under way when the system sleeps, or still under way when it wakes,
// ends as cancelled and keeps the previous result, whatever step it was at:
// even a last pass under way gives none. The next scan runs as any other.
TEST_F(ChannelScanMonitorTest, AScanThatSpansASleepEndsCancelledWithoutAResult) {
    struct Case {
        const char* name;
        // Passes that end before the notice; the one after them is held when
        // `duringPass`, else the scan waits in the pause after them.
        int passesBefore;
        bool duringPass;
        bool isWake;
    };
    const Case cases[] = {
        {"sleep before the first pass", 0, false, false},
        {"sleep during a pause", 1, false, false},
        {"sleep during the last pass", 2, true, false},
        {"wake during the last pass", 2, true, true},
        {"wake during the first pass", 0, true, true},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        scanner = std::make_shared<ScriptedScanner>();
        sleeper = std::make_shared<FakeSleeper>();
        currentSnapshot = snapshotOn(36, band5);
        auto monitor = makeMonitor();
        scanToTheEnd(*monitor);
        const std::optional<ChannelScanResult> previous = monitor->latestResult().value();
        ASSERT_TRUE(previous);

        scanner->holdScans = testCase.duringPass && testCase.passesBefore == 0;
        monitor->startScan();
        const int passesBegun = testCase.passesBefore + (testCase.duringPass ? 1 : 0);
        for (int begun = 1; begun <= passesBegun; ++begun) {
            scanner->holdScans = testCase.duringPass && begun == passesBegun;
            sleeper->releaseAll();
            runtime.runUntilIdle();
        }
        scanner->outcomes = {ScanPass{}};
        testCase.isWake ? monitor->systemDidWake() : monitor->systemWillSleep();
        if (scanner->heldScan) {
            scanner->heldScan->resume();
            scanner->heldScan.reset();
        }
        runtime.runUntilIdle();
        while (sleeper->releaseAll() > 0) {
            runtime.runUntilIdle();
        }
        EXPECT_EQ(monitor->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
        EXPECT_EQ(monitor->latestResult().value(), previous);
        EXPECT_EQ(monitor->completedPasses().value(), testCase.passesBefore);
        EXPECT_FALSE(monitor->isScanning().value());

        scanner->holdScans = false;
        currentSnapshot = snapshotOn(149, band5);
        scanToTheEnd(*monitor);
        EXPECT_FALSE(monitor->lastErrorMessage().value());
        ASSERT_TRUE(monitor->latestResult().value());
        EXPECT_EQ(monitor->latestResult().value()->currentChannelNumber, 149);
    }
}

TEST_F(ChannelScanMonitorTest, CancellingWithoutAScanChangesNothing) {
    auto monitor = makeMonitor();
    int notifications = 0;
    const auto subscription = monitor->lastErrorMessage().subscribe(
        [&](const std::optional<QString>&) { ++notifications; });
    monitor->cancelScan();
    runtime.runUntilIdle();
    EXPECT_EQ(notifications, 1);
    EXPECT_FALSE(monitor->isScanning().value());

    scanToTheEnd(*monitor);
    monitor->cancelScan();
    runtime.runUntilIdle();
    EXPECT_FALSE(monitor->lastErrorMessage().value()) << "a finished scan was marked cancelled";
    EXPECT_TRUE(monitor->latestResult().value());
}

TEST_F(ChannelScanMonitorTest, AFailedPassEndsTheScanWithItsDescription) {
    const std::vector<std::pair<std::exception_ptr, QString>> failures{
        {std::make_exception_ptr(
             WiFiNetworkScannerError(WiFiNetworkScannerError::interfaceUnavailable)),
         QStringLiteral("Channel scan failed: No Wi-Fi interface is available.")},
        {std::make_exception_ptr(WLANError(QStringLiteral("The Wi-Fi scan was aborted."))),
         QStringLiteral("Channel scan failed: The Wi-Fi scan was aborted.")},
        {std::make_exception_ptr(42),
         QStringLiteral("Channel scan failed: An unknown error occurred.")},
    };
    currentSnapshot = snapshotOn(6, band24);
    auto monitor = makeMonitor();
    scanToTheEnd(*monitor);
    const std::optional<ChannelScanResult> previous = monitor->latestResult().value();
    for (const auto& [failure, message] : failures) {
        scanner->outcomes = {ScanPass{}, failure};
        scanToTheEnd(*monitor);
        EXPECT_EQ(monitor->lastErrorMessage().value(), message);
        EXPECT_EQ(monitor->completedPasses().value(), 1);
        EXPECT_FALSE(monitor->isScanning().value());
        EXPECT_EQ(monitor->latestResult().value(), previous);
    }
}

TEST_F(ChannelScanMonitorTest, TheEndIsPublishedLastSoAnObserverCanScanAgain) {
    auto monitor = makeMonitor();
    std::optional<bool> resultPresentAtEnd;
    const auto subscription = monitor->isScanning().subscribe([&](bool scanning) {
        if (!scanning && !resultPresentAtEnd && scanner->scanCount > 0) {
            resultPresentAtEnd = monitor->latestResult().value().has_value();
            monitor->startScan();
        }
    });
    scanToTheEnd(*monitor);
    EXPECT_EQ(resultPresentAtEnd, true);
    EXPECT_EQ(scanner->scanCount, 6) << "the observer's new scan did not run";
    EXPECT_FALSE(monitor->isScanning().value());
}

TEST_F(ChannelScanMonitorTest, AnObserverOfTheStartFindsTheScanAlreadyRunning) {
    auto monitor = makeMonitor();
    bool startedAgain = false;
    auto subscription = monitor->isScanning().subscribe([&](bool scanning) {
        if (scanning && !startedAgain) {
            startedAgain = true;
            monitor->startScan();
        }
    });
    scanToTheEnd(*monitor);
    EXPECT_EQ(scanner->scanCount, 3) << "a second scan ran alongside the first";

    auto cancelling = makeMonitor();
    subscription = cancelling->isScanning().subscribe([&](bool scanning) {
        if (scanning) {
            cancelling->cancelScan();
        }
    });
    scanToTheEnd(*cancelling);
    EXPECT_EQ(scanner->scanCount, 3) << "the cancel missed the scan it was told of";
    EXPECT_EQ(cancelling->lastErrorMessage().value(), QStringLiteral("Channel scan cancelled."));
}

TEST_F(ChannelScanMonitorTest, APassCountBelowOneRunsOnePass) {
    for (const std::int64_t passCount : {0, -2}) {
        scanner->scanCount = 0;
        sleeper = std::make_shared<FakeSleeper>();
        scanner->outcomes = {ScanPass{sighting(11, band24, -70)}};
        auto monitor = makeMonitor({passCount, 0.35});
        monitor->startScan();
        EXPECT_EQ(monitor->totalPasses().value(), 1);
        runtime.runUntilIdle();
        EXPECT_EQ(scanner->scanCount, 1);
        EXPECT_TRUE(sleeper->requestedSeconds().empty());
        EXPECT_FALSE(monitor->isScanning().value());
        EXPECT_FALSE(monitor->lastErrorMessage().value());
        ASSERT_TRUE(monitor->latestResult().value()) << passCount << " passes";
        EXPECT_EQ(monitor->latestResult().value()->passCount, 1);
        EXPECT_EQ(monitor->latestResult().value()->channels.front().interferenceScore, 0.5);
    }
}

TEST_F(ChannelScanMonitorTest, ReleasingTheMonitorBeforeItsScanBeginsCancelsIt) {
    auto monitor = makeMonitor();
    monitor->startScan();
    const std::weak_ptr<ChannelScanMonitor> watcher = monitor;
    monitor.reset();
    runtime.runUntilIdle();
    EXPECT_TRUE(watcher.expired());
    EXPECT_EQ(scanner->scanCount, 0);
}

TEST_F(ChannelScanMonitorTest, ScansTheSimulatedWiFiEndToEnd) {
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", QByteArray("simulated"));
    const std::shared_ptr<WiFiClient> client = WiFiClient::fromEnvironment();
    const auto interfaceProvider = std::make_shared<CoreWLANInterfaceProvider>(client);
    const auto monitor = ChannelScanMonitor::create(
        {3, 0.35}, std::make_shared<CoreWLANNetworkScanner>(client),
        [interfaceProvider]() -> std::optional<WiFiSnapshot> {
            const auto interface = interfaceProvider->currentSnapshot();
            if (!interface) {
                return std::nullopt;
            }
            return makeWiFiSnapshot(*interface, TestRuntime::startDate(), std::nullopt, false);
        },
        std::make_shared<TaskSleeper>(), runtime.clock().dateProvider());

    monitor->startScan();
    for (int step = 0; step < 20 && monitor->isScanning().value(); ++step) {
        ASSERT_TRUE(runtime.executor().runUntil([&] {
            return !monitor->isScanning().value() || runtime.clock().pendingTimerCount() > 0;
        }));
        runtime.clock().fireNext();
    }

    EXPECT_FALSE(monitor->isScanning().value());
    EXPECT_FALSE(monitor->lastErrorMessage().value());
    EXPECT_EQ(monitor->completedPasses().value(), 3);
    ASSERT_TRUE(monitor->latestResult().value());
    const ChannelScanResult& result = *monitor->latestResult().value();
    EXPECT_TRUE(result.didSucceed);
    EXPECT_EQ(result.timestamp, TestRuntime::startDate() + std::chrono::milliseconds(700));
    EXPECT_GT(result.scannedNetworkCount, 0);
    EXPECT_EQ(result.currentChannelNumber, 36);
    EXPECT_EQ(result.currentBand, band5);
    EXPECT_EQ(result.suggestedBand, band5);
    ASSERT_TRUE(result.suggestedChannelNumber);
    const std::vector<std::int64_t> candidates =
        ChannelScanMonitor::preferredChannelsForBand(band5);
    EXPECT_NE(std::find(candidates.begin(), candidates.end(), *result.suggestedChannelNumber),
              candidates.end());
    EXPECT_GT(result.currentChannelInterferenceScore.value_or(0), 0.0)
        << "the associated network is on the current channel";
}
