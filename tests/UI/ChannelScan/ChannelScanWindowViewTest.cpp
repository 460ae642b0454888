#include "UI/ChannelScan/ChannelScanWindowView.h"

#include "HeldChannelScanner.h"
#include "Support/FakeSleeper.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "UI/ChannelScan/ChannelScanActionButton.h"
#include "UI/ChannelScan/ChannelScanChannelsPanel.h"
#include "UI/ChannelScan/ChannelScanCongestionRow.h"
#include "UI/ChannelScan/ChannelScanMetricPill.h"
#include "UI/ChannelScan/ChannelScanResultSummaryView.h"
#include "UI/ChannelScan/ChannelScanWindowModel.h"
#include "UI/Ground/ProgressCapsule.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto band24 = WiFiBand::twoPointFourGigahertz;

WiFiScannedNetwork network(const QString& ssid, const QString& bssid, std::int64_t channel,
                           std::int64_t rssi) {
    return {ssid, bssid, rssi, channel, band24};
}

WiFiSnapshot linkOnChannel6() {
    return {TestRuntime::startDate(),
            u"Pelmor Lab"_s,
            std::nullopt,
            -57,
            -92,
            35,
            866,
            6,
            band24,
            std::nullopt,
            false};
}

// The window as the menu-bar controller hosts it: the view inside a window
// that hides when closed.
struct HostedWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    ChannelScanWindowView* view;

    explicit HostedWindow(std::shared_ptr<ChannelScanMonitor> monitor)
        : view(new ChannelScanWindowView(std::move(monitor), 10)) {
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        window->resize(ChannelScanWindowView::idealSize);
        window->show();
    }
};

} // namespace

class ChannelScanWindowViewTest : public testing::Test {
protected:
    ChannelScanWindowViewTest() {
        scanner->networks = {network(u"Linden House"_s, u"3c:84:6a:02:7e:10"_s, 6, -50),
                             network(u"Cafe"_s, u"3c:84:6a:02:7e:11"_s, 1, -70)};
    }

    // Later turns: the monitor's task and the view's redraws.
    void nextTurns() {
        for (int turn = 0; turn < 3; ++turn) {
            runtime.runUntilIdle();
            QCoreApplication::processEvents();
        }
    }

    // Lets the running scan go through every pass and pause.
    void finishScan() {
        for (int step = 0; step < 20 && monitor->isScanning().value(); ++step) {
            runtime.runUntilIdle();
            scanner->releaseScan();
            sleeper->releaseAll();
        }
        nextTurns();
    }

    // Starts a scan whose first pass the scanner holds, and redraws.
    void startHeldScan(ChannelScanWindowView& view) {
        scanner->holdScans = true;
        QTest::mouseClick(buttonShown(view), Qt::LeftButton);
        nextTurns();
    }

    std::shared_ptr<ChannelScanMonitor> makeMonitor() {
        return ChannelScanMonitor::create(
            {3, 0.35}, scanner, [] { return std::optional(linkOnChannel6()); }, sleeper,
            runtime.clock().dateProvider());
    }

    void scanOnce(ChannelScanWindowView& view) {
        QTest::mouseClick(buttonShown(view), Qt::LeftButton);
        finishScan();
        ASSERT_TRUE(monitor->latestResult().value().has_value());
    }

    // The hosted window once drawn, after one finished scan when `withResult`.
    HostedWindow opened(bool withResult = false) {
        HostedWindow hosted(monitor);
        nextTurns();
        if (withResult) {
            scanOnce(*hosted.view);
        }
        return hosted;
    }

    // The one scan button on show.
    static ChannelScanActionButton* buttonShown(const ChannelScanWindowView& view) {
        if (view.centreActionButton()->isVisible()) {
            EXPECT_FALSE(view.headerActionButton()->isVisible());
            return view.centreActionButton();
        }
        EXPECT_TRUE(view.headerActionButton()->isVisible());
        return view.headerActionButton();
    }

    TestRuntime runtime;
    std::shared_ptr<HeldChannelScanner> scanner = std::make_shared<HeldChannelScanner>();
    std::shared_ptr<FakeSleeper> sleeper = std::make_shared<FakeSleeper>();
    std::shared_ptr<ChannelScanMonitor> monitor = makeMonitor();
};

TEST_F(ChannelScanWindowViewTest, OpeningStartsNothingAndShowsTheEmptyLayout) {
    HostedWindow hosted = opened();
    EXPECT_EQ(scanner->scanCount, 0);
    EXPECT_FALSE(monitor->isScanning().value());
    const ChannelScanWindowView& view = *hosted.view;
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::emptyIdle);
    EXPECT_EQ(buttonShown(view), view.centreActionButton());
    EXPECT_EQ(view.centreActionButton()->title(), u"Scan Now"_s);
    EXPECT_FALSE(view.centreProgressBar()->isVisible());
    EXPECT_EQ(
        ViewInspection::shownTexts(view),
        (QStringList{u"Channel Scan"_s,
                     u"Analyze nearby channel congestion and get a same-band recommendation."_s,
                     u"No scan results yet"_s,
                     u"Run a scan to compare current channel quality against nearby options "
                     u"in the same band."_s}));
    EXPECT_EQ(view.minimumSize(), QSize(860, 580));
}

TEST_F(ChannelScanWindowViewTest, StartingRedrawsOnALaterTurnWithCancelAndProgress) {
    scanner->holdScans = true;
    HostedWindow hosted = opened();
    ChannelScanWindowView& view = *hosted.view;

    QTest::mouseClick(view.centreActionButton(), Qt::LeftButton);
    EXPECT_TRUE(monitor->isScanning().value());
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::emptyIdle)
        << "redrawn inside the click";
    EXPECT_TRUE(view.centreActionButton()->isVisible());

    nextTurns();
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::emptyScanning);
    EXPECT_EQ(buttonShown(view), view.headerActionButton());
    EXPECT_EQ(view.headerActionButton()->title(), u"Cancel"_s);
    EXPECT_TRUE(view.centreProgressBar()->isVisible());
    EXPECT_LE(view.centreProgressBar()->width(), 320);
    EXPECT_DOUBLE_EQ(view.centreProgressBar()->fraction(), 0.0);

    ASSERT_TRUE(scanner->releaseScan());
    nextTurns();
    EXPECT_EQ(monitor->completedPasses().value(), 1);
    EXPECT_DOUBLE_EQ(view.centreProgressBar()->fraction(), 1.0 / 3);

    finishScan();
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::resultIdle);
    EXPECT_EQ(buttonShown(view)->title(), u"Scan Again"_s);
    EXPECT_FALSE(view.resultProgressBar()->isVisible());
    EXPECT_TRUE(view.resultSummary()->isVisible());
    EXPECT_EQ(view.channelsPanel()->rows().size(), 3) << "channels 6 and 1, and the suggestion";
}

TEST_F(ChannelScanWindowViewTest, NetworksSeenCountsOnePassNotTheSumOfPasses) {
    HostedWindow hosted = opened(true);
    EXPECT_EQ(monitor->latestResult().value()->scannedNetworkCount, 6);
    EXPECT_EQ(hosted.view->resultSummary()->networksSeenPill()->value(), u"2"_s);
    EXPECT_EQ(hosted.view->resultSummary()->passesPill()->value(), u"3"_s);
}

TEST_F(ChannelScanWindowViewTest, CancelReturnsToTheEarlierResultOrTheEmptyState) {
    for (const bool hadResult : {false, true}) {
        monitor = makeMonitor();
        HostedWindow hosted = opened(hadResult);
        ChannelScanWindowView& view = *hosted.view;
        const auto earlier = monitor->latestResult().value();

        startHeldScan(view);
        ASSERT_TRUE(scanner->isHoldingScan());
        ChannelScanActionButton* cancel = buttonShown(view);
        ASSERT_EQ(cancel, view.headerActionButton());
        ASSERT_EQ(cancel->title(), u"Cancel"_s);
        EXPECT_EQ(view.resultProgressBar()->isVisible(), hadResult);

        QTest::mouseClick(cancel, Qt::LeftButton);
        EXPECT_TRUE(monitor->isScanning().value()) << "cancelling is the monitor's to finish";
        scanner->holdScans = false;
        finishScan();
        EXPECT_EQ(monitor->lastErrorMessage().value(), u"Channel scan cancelled."_s);
        EXPECT_EQ(monitor->latestResult().value(), earlier);
        EXPECT_EQ(view.content().layoutState, hadResult ? ChannelScanLayoutState::resultIdle
                                                        : ChannelScanLayoutState::emptyIdle);
        EXPECT_EQ(buttonShown(view)->title(), hadResult ? u"Scan Again"_s : u"Scan Now"_s);
        EXPECT_FALSE(ViewInspection::shownTexts(view).contains(u"Channel scan cancelled."_s))
            << "the monitor's message is not the window's";
    }
}

// A double-click as Qt delivers it: press, release, double-click, release;
// the window may redraw between the click and the rest.
TEST_F(ChannelScanWindowViewTest, ADoubleClickStartsAndDoesNotCancel) {
    for (const bool hadResult : {false, true}) {
        for (const bool redrawnBetween : {false, true}) {
            HostedWindow hosted = opened(hadResult);
            ChannelScanWindowView& view = *hosted.view;
            const int scansBefore = scanner->scanCount;

            ChannelScanActionButton* pressed = buttonShown(view);
            QTest::mouseClick(pressed, Qt::LeftButton);
            if (redrawnBetween) {
                QCoreApplication::processEvents();
                pressed = buttonShown(view);
                EXPECT_EQ(pressed->title(), u"Cancel"_s);
            }
            QTest::mouseDClick(pressed, Qt::LeftButton);
            QTest::mouseRelease(pressed, Qt::LeftButton);
            EXPECT_TRUE(monitor->isScanning().value());
            finishScan();
            const std::string shape = std::string(hadResult ? "after a result" : "empty") +
                                      (redrawnBetween ? ", redrawn between" : "");
            EXPECT_EQ(monitor->lastErrorMessage().value(), std::nullopt) << shape;
            EXPECT_EQ(scanner->scanCount, scansBefore + 3) << shape;
            EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::resultIdle) << shape;
        }
    }
}

TEST_F(ChannelScanWindowViewTest, AScanThatEndsWhileHiddenShowsWhenShownAgain) {
    HostedWindow hosted = opened();
    ChannelScanWindowView& view = *hosted.view;
    startHeldScan(view);
    ASSERT_EQ(view.content().layoutState, ChannelScanLayoutState::emptyScanning);

    hosted.window->close();
    scanner->holdScans = false;
    finishScan();
    EXPECT_FALSE(monitor->isScanning().value()) << "closing the window cancelled nothing";
    EXPECT_EQ(monitor->lastErrorMessage().value(), std::nullopt);
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::emptyScanning)
        << "a hidden view was redrawn";

    hosted.window->show();
    EXPECT_EQ(view.content().layoutState, ChannelScanLayoutState::resultIdle);
    EXPECT_EQ(view.content(), ChannelScanWindowModel::content(
                                  {false, monitor->latestResult().value(), 3, 3}, QLocale()));
}

TEST_F(ChannelScanWindowViewTest, ClosingTheViewCancelsNothing) {
    { startHeldScan(*opened().view); }
    scanner->holdScans = false;
    finishScan();
    EXPECT_TRUE(monitor->latestResult().value().has_value());
    EXPECT_EQ(monitor->lastErrorMessage().value(), std::nullopt);

    HostedWindow reopened(monitor);
    EXPECT_EQ(reopened.view->content().layoutState, ChannelScanLayoutState::resultIdle);
}

// At the minimum size eleven rows scroll, without scroll bars; the empty
// layout fits.
TEST_F(ChannelScanWindowViewTest, ResultsScrollAtTheMinimumSizeWhileTheEmptyLayoutFits) {
    ChannelScanWindowView view(10);
    view.resize(ChannelScanWindowView::minimumContentSize);
    view.show();
    QCoreApplication::processEvents();
    const QScrollBar* scrollBar = view.scrollArea()->verticalScrollBar();
    EXPECT_EQ(scrollBar->maximum(), 0);

    std::vector<ChannelCongestionSample> channels;
    for (std::int64_t channel = 1; channel <= 11; ++channel) {
        channels.push_back({channel, band24, 1, -60.0, 0.1 * channel, 0.09 * channel});
    }
    const ChannelScanResult result{
        TestRuntime::startDate(), 3, 33, channels, 6, band24, 0.6, 1, band24, true};
    view.setContent(ChannelScanWindowModel::content({false, result, 3, 3}));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.channelsPanel()->rows().size(), 11);
    EXPECT_GT(scrollBar->maximum(), 0);
    EXPECT_FALSE(scrollBar->isVisible());
    EXPECT_FALSE(view.scrollArea()->horizontalScrollBar()->isVisible());
}

// A result whose active band has no channel says so in the panel, in place
// of the rows, as one result follows another.
TEST_F(ChannelScanWindowViewTest, AnActiveBandWithoutChannelsSaysSo) {
    const QString noChannels = u"No channels available for the active band."_s;
    const ChannelCongestionSample channel1{1, band24, 1, -60.0, 0.4, 1.0};
    const ChannelCongestionSample channel36{36, WiFiBand::fiveGigahertz, 1, -60.0, 0.4, 1.0};
    ChannelScanWindowView view(10);
    view.resize(ChannelScanWindowView::idealSize);
    view.show();
    for (const auto& channels :
         {std::vector{channel1}, std::vector{channel36}, std::vector{channel1}}) {
        const ChannelScanResult result{TestRuntime::startDate(),
                                       3,
                                       3,
                                       channels,
                                       std::nullopt,
                                       std::nullopt,
                                       std::nullopt,
                                       std::nullopt,
                                       band24,
                                       true};
        view.setContent(ChannelScanWindowModel::content({false, result, 3, 3}));
        QCoreApplication::processEvents();
        const bool isEmpty = channels.front().band != band24;
        EXPECT_EQ(view.channelsPanel()->rows().size(), isEmpty ? 0 : 1);
        EXPECT_EQ(ViewInspection::shownTexts(*view.channelsPanel()).contains(noChannels), isEmpty);
    }
}
