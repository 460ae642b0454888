#include "Monitors/WiFiRadarNearbyNetworksController.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Continuation.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "System/WiFiNetworkScannerError.h"

#include <cmath>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr auto band24 = WiFiBand::twoPointFourGigahertz;
constexpr auto band5 = WiFiBand::fiveGigahertz;

using Scan = std::vector<WiFiScannedNetwork>;

WiFiScannedNetwork heard(std::optional<QString> ssid, std::optional<QString> bssid,
                         std::int64_t rssi, std::int64_t channel, WiFiBand band = band5) {
    return WiFiScannedNetwork{std::move(ssid), std::move(bssid), rssi, channel, band};
}

RadarNearbyNetwork row(const QString& id, const QString& ssid, std::int64_t signal,
                       std::int64_t channel, WiFiBand band = band5) {
    return RadarNearbyNetwork{id, ssid, signal, channel, band};
}

// Each scan waits until the test answers it (with networks or an error), as
// the platform's scan takes seconds; cancellation does not end it.
class HeldScanner final : public WiFiNetworkScanning {
public:
    using Answer = Async::Continuation<Scan>;

    Async::Task<Scan> scanNetworks() override {
        ++scanCount;
        co_return co_await Async::withContinuation<Scan>(
            [this](Answer answer) { pending.push_back(answer); });
    }

    // Answers the oldest scan still waiting.
    void answer(Scan networks) {
        ASSERT_FALSE(pending.empty()) << "no scan is waiting";
        pending.front().resume(std::move(networks));
        pending.pop_front();
    }
    template <class Error> void fail(Error error) {
        ASSERT_FALSE(pending.empty()) << "no scan is waiting";
        pending.front().resumeThrowing(std::make_exception_ptr(error));
        pending.pop_front();
    }

    int scanCount = 0;
    std::deque<Answer> pending;
};

const Scan homeScan{heard(QStringLiteral("Linden House"), QStringLiteral("aa:00"), -48, 36)};
const std::vector<RadarNearbyNetwork> homeRows{
    row(QStringLiteral("aa:00"), QStringLiteral("Linden House"), -48, 36)};
const Scan cafeScan{heard(QStringLiteral("Cafe Amsel"), QStringLiteral("bb:00"), -70, 6, band24)};
const std::vector<RadarNearbyNetwork> cafeRows{
    row(QStringLiteral("bb:00"), QStringLiteral("Cafe Amsel"), -70, 6, band24)};

} // namespace

class WiFiRadarNearbyNetworksControllerTest : public testing::Test {
protected:
    std::shared_ptr<WiFiRadarNearbyNetworksController> makeController(double interval = 8.0) {
        return WiFiRadarNearbyNetworksController::create(scanner, interval);
    }

    // Runs the turns due now, without moving the clock.
    void settle() { runtime.runUntilIdle(); }

    // A controller whose first scan is waiting for its answer.
    std::shared_ptr<WiFiRadarNearbyNetworksController> startedController(double interval = 8.0) {
        auto controller = makeController(interval);
        controller->start();
        settle();
        return controller;
    }

    // Answers the oldest waiting scan and lets the controller take it.
    void answerScan(Scan networks) {
        scanner->answer(std::move(networks));
        settle();
    }
    template <class Error> void failScan(Error error) {
        scanner->fail(error);
        settle();
    }

    TestRuntime runtime;
    std::shared_ptr<HeldScanner> scanner = std::make_shared<HeldScanner>();
};

TEST_F(WiFiRadarNearbyNetworksControllerTest, FoldsEachScanIntoOneRowPerNetwork) {
    struct FoldCase {
        const char* name;
        Scan scan;
        std::vector<RadarNearbyNetwork> expected;
    };
    const QString home = QStringLiteral("Linden House");
    const std::vector<FoldCase> cases{
        {"nothing heard", {}, {}},
        {"one BSSID on two channels keeps the stronger",
         {heard(home, QStringLiteral("aa:01"), -70, 1, band24),
          heard(home, QStringLiteral("aa:01"), -52, 36)},
         {row(QStringLiteral("aa:01"), home, -52, 36)}},
        {"one BSSID at equal signal keeps the earlier",
         {heard(home, QStringLiteral("aa:01"), -60, 36),
          heard(QStringLiteral("Renamed"), QStringLiteral("aa:01"), -60, 40)},
         {row(QStringLiteral("aa:01"), home, -60, 36)}},
        {"two access points of one network stay two rows",
         {heard(home, QStringLiteral("aa:01"), -60, 36),
          heard(home, QStringLiteral("aa:02"), -65, 36)},
         {row(QStringLiteral("aa:01"), home, -60, 36),
          row(QStringLiteral("aa:02"), home, -65, 36)}},
        {"without BSSID, one name, channel and band fold, keeping the stronger",
         {heard(home, std::nullopt, -75, 36), heard(home, std::nullopt, -61, 36),
          heard(home, std::nullopt, -66, 36)},
         {row(QStringLiteral("Hidden-36|-61"), home, -61, 36)}},
        {"without BSSID, another channel or band is another row",
         {heard(home, std::nullopt, -61, 36), heard(home, std::nullopt, -62, 40),
          heard(home, std::nullopt, -63, 36, band24)},
         {row(QStringLiteral("Hidden-36|-61"), home, -61, 36),
          row(QStringLiteral("Hidden-40|-62"), home, -62, 40),
          row(QStringLiteral("Hidden-36|-63"), home, -63, 36, band24)}},
        {"a hidden network is named by its channel",
         {heard(std::nullopt, std::nullopt, -71, 36)},
         {row(QStringLiteral("Hidden-36|-71"), QStringLiteral("Hidden-36"), -71, 36)}},
        {"hidden networks without BSSID fold by channel and band",
         {heard(std::nullopt, std::nullopt, -80, 36), heard(std::nullopt, std::nullopt, -71, 36)},
         {row(QStringLiteral("Hidden-36|-71"), QStringLiteral("Hidden-36"), -71, 36)}},
        {"a hidden network with a BSSID keeps it as its id",
         {heard(std::nullopt, QStringLiteral("cc:01"), -71, 11, band24)},
         {row(QStringLiteral("cc:01"), QStringLiteral("Hidden-11"), -71, 11, band24)}},
        {"a BSSID-less entry never folds into one with a BSSID",
         {heard(home, QStringLiteral("aa:01"), -60, 36), heard(home, std::nullopt, -50, 36)},
         {row(QStringLiteral("Hidden-36|-50"), home, -50, 36),
          row(QStringLiteral("aa:01"), home, -60, 36)}},
    };
    for (const FoldCase& foldCase : cases) {
        EXPECT_EQ(WiFiRadarNearbyNetworksController::buildNearbyNetworks(foldCase.scan),
                  foldCase.expected)
            << foldCase.name;
    }
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, SortsStrongestFirstThenByNameAndChannel) {
    // Two BSSID-less networks of different names share one channel and one
    // signal, and with it their id: the order must not depend on the scan's.
    const Scan scan{
        heard(QStringLiteral("Zeder"), std::nullopt, -60, 36),
        heard(QStringLiteral("Ahorn"), std::nullopt, -60, 36),
        heard(QStringLiteral("Birke"), QStringLiteral("aa:02"), -60, 44),
        heard(QStringLiteral("Birke"), QStringLiteral("aa:01"), -60, 40),
        heard(QStringLiteral("Eiche"), QStringLiteral("aa:03"), -41, 149),
        heard(QStringLiteral("Ahorn"), QStringLiteral("aa:04"), -88, 1, band24),
    };
    const std::vector<RadarNearbyNetwork> expected{
        row(QStringLiteral("aa:03"), QStringLiteral("Eiche"), -41, 149),
        row(QStringLiteral("Hidden-36|-60"), QStringLiteral("Ahorn"), -60, 36),
        row(QStringLiteral("aa:01"), QStringLiteral("Birke"), -60, 40),
        row(QStringLiteral("aa:02"), QStringLiteral("Birke"), -60, 44),
        row(QStringLiteral("Hidden-36|-60"), QStringLiteral("Zeder"), -60, 36),
        row(QStringLiteral("aa:04"), QStringLiteral("Ahorn"), -88, 1, band24),
    };
    EXPECT_EQ(WiFiRadarNearbyNetworksController::buildNearbyNetworks(scan), expected);
    const Scan reversed(scan.rbegin(), scan.rend());
    EXPECT_EQ(WiFiRadarNearbyNetworksController::buildNearbyNetworks(reversed), expected);
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, TheIntervalIsAtLeastThreeSecondsAndFinite) {
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, double>> cases{
        {1.0, 3.0},          {8.0, 8.0},      {3.0, 3.0},       {-5.0, 3.0},
        {std::nan(""), 3.0}, {infinity, 3.0}, {-infinity, 3.0}, {1e300, 1e300},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(makeController(given)->scanInterval(), expected) << given;
    }
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, AHugeIntervalSleepsAsLongAsTheClockAllows) {
    auto controller = startedController(1e300);
    answerScan(homeScan);
    EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(),
              std::numeric_limits<std::uint64_t>::max());
    controller->stop();
    settle();
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U);
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, ScansAtOnceThenTheIntervalAfterEachScanEnds) {
    auto controller = makeController(1.0);
    EXPECT_FALSE(controller->isScanning().value());
    controller->start();
    controller->start();
    EXPECT_TRUE(controller->isRunning());
    EXPECT_EQ(scanner->scanCount, 0) << "the loop begins on a later turn";
    settle();
    EXPECT_EQ(scanner->scanCount, 1) << "a second start() made a second loop";
    EXPECT_TRUE(controller->isScanning().value());

    runtime.advance(2.0); // the scan itself takes two seconds
    answerScan(homeScan);
    EXPECT_EQ(controller->nearbyNetworks().value(), homeRows);
    EXPECT_FALSE(controller->isScanning().value());
    EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(), 3'000'000'000U)
        << "1 s is raised to 3 s";

    runtime.advance(2.9);
    EXPECT_EQ(scanner->scanCount, 1);
    runtime.advance(0.1);
    EXPECT_EQ(scanner->scanCount, 2);
    EXPECT_TRUE(controller->isScanning().value());
    answerScan({});
    EXPECT_TRUE(controller->nearbyNetworks().value().empty()) << "an empty scan empties the list";

    controller->stop();
    settle();
    EXPECT_FALSE(controller->isRunning());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U) << "the loop's sleep outlived stop()";
    runtime.advance(60);
    EXPECT_EQ(scanner->scanCount, 2);
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, AFailedScanKeepsTheRowsAndSaysSo) {
    auto controller = startedController();
    answerScan(homeScan);

    runtime.advance(8);
    failScan(WiFiNetworkScannerError(WiFiNetworkScannerError::interfaceUnavailable));
    EXPECT_EQ(controller->nearbyNetworks().value(), homeRows);
    EXPECT_EQ(controller->lastErrorMessage().value(), QStringLiteral("Nearby scan unavailable."));
    EXPECT_FALSE(controller->isScanning().value());
    EXPECT_TRUE(controller->isRunning()) << "an error stopped the loop";

    runtime.advance(8);
    failScan(std::runtime_error("netlink went away"));
    EXPECT_EQ(controller->lastErrorMessage().value(), QStringLiteral("Nearby scan unavailable."));

    runtime.advance(8);
    answerScan(cafeScan);
    EXPECT_EQ(controller->nearbyNetworks().value(), cafeRows);
    EXPECT_EQ(controller->lastErrorMessage().value(), std::nullopt);

    // A scan that reports its own cancellation publishes nothing but the end
    // of the scan.
    runtime.advance(8);
    failScan(Async::CancellationError());
    EXPECT_EQ(controller->nearbyNetworks().value(), cafeRows);
    EXPECT_EQ(controller->lastErrorMessage().value(), std::nullopt);
    EXPECT_FALSE(controller->isScanning().value());
    EXPECT_TRUE(controller->isRunning());
    controller->stop();
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, StopDuringAScanStillAppliesItsResult) {
    auto controller = startedController();
    ASSERT_TRUE(controller->isScanning().value());
    controller->stop();
    EXPECT_FALSE(controller->isScanning().value());
    EXPECT_FALSE(controller->isRunning());

    answerScan(homeScan);
    EXPECT_EQ(controller->nearbyNetworks().value(), homeRows);
    EXPECT_FALSE(controller->isScanning().value());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U) << "the stopped loop went on sleeping";
    runtime.advance(60);
    EXPECT_EQ(scanner->scanCount, 1);

    controller->start();
    settle();
    EXPECT_EQ(scanner->scanCount, 2) << "a later start() scans again at once";
    answerScan({});
    controller->stop();
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, ALateResultOfAStoppedLoopLeavesTheNewerLoopAlone) {
    const std::vector<std::pair<const char*, std::function<void()>>> staleOutcomes{
        {"networks", [this] { answerScan(cafeScan); }},
        {"failure",
         [this] {
             failScan(WiFiNetworkScannerError(WiFiNetworkScannerError::interfaceUnavailable));
         }},
    };
    for (const auto& [name, answerTheStoppedLoop] : staleOutcomes) {
        auto controller = startedController();
        controller->stop();
        controller->start();
        settle();
        ASSERT_EQ(scanner->pending.size(), 2U) << name;
        ASSERT_TRUE(controller->isScanning().value());

        answerTheStoppedLoop();
        EXPECT_TRUE(controller->nearbyNetworks().value().empty())
            << name << ": a stale scan published over the newer loop";
        EXPECT_EQ(controller->lastErrorMessage().value(), std::nullopt)
            << name << ": a stale scan published its failure";
        EXPECT_TRUE(controller->isScanning().value())
            << name << ": a stale scan ended the newer one";
        EXPECT_TRUE(controller->isRunning()) << name << ": the stopped loop dropped the newer loop";

        answerScan(homeScan);
        EXPECT_EQ(controller->nearbyNetworks().value(), homeRows);
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 1U);

        controller->stop();
        settle();
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U) << "stop() no longer reaches the loop";
        runtime.advance(60);
        EXPECT_TRUE(scanner->pending.empty()) << name << ": the stopped loops scanned again";
    }
}

TEST_F(WiFiRadarNearbyNetworksControllerTest, AReleasedControllerIsGoneAtOnceAndItsLoopEnds) {
    auto controller = startedController();
    std::weak_ptr<WiFiRadarNearbyNetworksController> watcher = controller;
    controller.reset();
    EXPECT_TRUE(watcher.expired()) << "the loop kept its controller while the scan ran";
    answerScan(homeScan);
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U);

    // Released during the pause between scans, its sleep is cancelled.
    controller = startedController();
    answerScan(homeScan);
    ASSERT_EQ(runtime.clock().pendingTimerCount(), 1U);
    watcher = controller;
    controller.reset();
    EXPECT_TRUE(watcher.expired());
    settle();
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U)
        << "the released controller's loop sleeps on";

    auto unstarted = makeController();
    unstarted->start();
    unstarted.reset();
    settle();
    EXPECT_EQ(scanner->scanCount, 2) << "a controller released before its loop ran scanned";
}
