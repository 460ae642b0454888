#include "UI/SpeedTest/SpeedTestWindowView.h"

#include "Support/QStringPrinter.h"
#include "Support/ScriptedLatencyProbe.h"
#include "Support/ScriptedSpeedTestRunner.h"
#include "Support/TestRuntime.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/WindowBorderedButton.h"
#include "UI/PlainLineRendering.h"
#include "UI/SpeedTest/SpeedTestFailureNotice.h"
#include "UI/SpeedTest/SpeedTestHeader.h"
#include "UI/SpeedTest/SpeedTestPhaseBadge.h"
#include "UI/SpeedTest/SpeedTestProgressPanel.h"
#include "UI/SpeedTest/SpeedTestWindowBinder.h"
#include "UI/SpeedTest/SpeedTestWindowModel.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimeZone>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

// The window over the real monitor, whose runner and probe follow a script
// on the test's virtual clock.
class SpeedTestWindowViewTest : public testing::Test {
protected:
    void SetUp() override {
        monitor = SpeedTestMonitor::create(
            {SpeedTestConfiguration{8'000'000, 4, 3'000'000, 4, 10.0}, u"198.51.100.53"_s, 2.0, 5,
             0.35, BufferbloatGradeThresholds{2.0, 3.0, 5.0}},
            runner, probe, runtime.clock().dateProvider());
        // Hosted as the tool window hosts it: a window that hides when closed.
        view = SpeedTestWindowBinder::makeView(monitor, 10, runtime.clock().dateProvider(),
                                               clockChanges);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        window.resize(980, 680);
        window.show();
        QCoreApplication::processEvents();
    }

    // Runs the monitor's tasks that are due and then the view's redraws.
    void settle() {
        for (int turn = 0; turn < 3; ++turn) {
            runtime.runUntilIdle();
            QCoreApplication::processEvents();
        }
    }

    // Runs the clock until the running test has ended, then redraws.
    void runToEnd() {
        runtime.runUntilIdle();
        while (monitor->isRunning().value() && runtime.clock().fireNext()) {
        }
        settle();
    }

    void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isVisibleTo(view)) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    bool shows(const QString& text) const {
        return ViewInspection::shownTexts(*view).contains(text);
    }

    QString badgeText() const {
        const SpeedTestPhaseBadge* badge = view->header()->badge();
        return badge->isVisibleTo(view) ? badge->content().text : QString();
    }

    TestRuntime runtime;
    NotificationCenter clockChanges;
    std::shared_ptr<ScriptedSpeedTestRunner> runner = std::make_shared<ScriptedSpeedTestRunner>();
    std::shared_ptr<ScriptedLatencyProbe> probe = std::make_shared<ScriptedLatencyProbe>();
    std::shared_ptr<SpeedTestMonitor> monitor;
    QWidget window;
    SpeedTestWindowView* view = nullptr;
};

TEST_F(SpeedTestWindowViewTest, RunTestSwitchesToTheResultsOnTheNextTurnAndEndsCompleted) {
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::empty);
    EXPECT_TRUE(shows(u"No speed test results yet"_s));
    EXPECT_EQ(view->actionButton()->title(), u"Run Test"_s);
    EXPECT_FALSE(monitor->isRunning().value());

    click(view->actionButton());
    EXPECT_TRUE(monitor->isRunning().value());
    // Nothing is redrawn inside the click.
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::empty);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::results);
    EXPECT_TRUE(view->progressPanel()->isVisibleTo(view));
    EXPECT_TRUE(shows(u"Capturing baseline latency..."_s));
    EXPECT_TRUE(shows(u"0%"_s));
    EXPECT_TRUE(shows(u"Last tested at \u2014"_s));
    EXPECT_EQ(view->actionButton(), view->header()->actionButton());
    EXPECT_EQ(view->actionButton()->title(), u"Cancel"_s);

    runtime.runUntilIdle();
    runtime.clock().advanceNanoseconds(2 * ScriptedSpeedTestRunner::stepNanoseconds);
    settle();
    EXPECT_TRUE(shows(u"Running download phase..."_s));
    EXPECT_TRUE(shows(u"25%"_s)) << ViewInspection::shownTexts(*view).join(u" | ").toStdString();

    runToEnd();
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::completed);
    EXPECT_FALSE(view->progressPanel()->isVisibleTo(view));
    EXPECT_EQ(badgeText(), u"Completed"_s);
    EXPECT_EQ(view->actionButton()->title(), u"Retest"_s);
    EXPECT_TRUE(shows(u"95.5 Mbps"_s));
    EXPECT_TRUE(shows(u"22.2 Mbps"_s));
    EXPECT_TRUE(view->footerLabel()->text().startsWith(u"Last tested at "_s));
    EXPECT_FALSE(view->footerLabel()->text().contains(u'\u2014'));
    // The isolate round the time is obeyed, not shown.
    EXPECT_FALSE(view->footerLabel()->currentFit().text.contains(QChar::ReplacementCharacter));
}

TEST_F(SpeedTestWindowViewTest, CancellingDuringTheBaselineReturnsToTheEmptyLayoutWithItsBadge) {
    probe->probeSeconds = 1.0;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->actionButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view->actionButton(), Qt::Key_Space);
    settle();
    runtime.advance(0.5);
    ASSERT_EQ(view->actionButton()->title(), u"Cancel"_s);
    EXPECT_EQ(QApplication::focusWidget(), view->actionButton()) << "Cancel, shown";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    runToEnd();
    EXPECT_EQ(QApplication::focusWidget(), view->actionButton()) << "Run Test, shown";
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::cancelled);
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::empty);
    EXPECT_EQ(badgeText(), u"Cancelled"_s);
    EXPECT_EQ(view->actionButton()->title(), u"Run Test"_s);
    EXPECT_FALSE(view->failureNotice()->isVisibleTo(view));
    EXPECT_EQ(runner->downloads, 0);
}

// The transport's text is drawn as it came, plain and on one line.
TEST_F(SpeedTestWindowViewTest, AFailureDuringTheUploadShowsItsMessageAfterTheTestEnded) {
    const QString message = u"<b>The request timed out</b> while the upload was waiting for "
                            u"the server to answer its third request of three megabytes, and "
                            u"no further data could be sent before the limit."_s;
    runner->uploadFailure = URLError(URLError::timedOut, message);
    click(view->actionButton());
    runToEnd();
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::failed);
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::results);
    EXPECT_EQ(badgeText(), u"Failed"_s);
    EXPECT_EQ(view->actionButton()->title(), u"Retest"_s);
    ASSERT_TRUE(view->failureNotice()->isVisibleTo(view));
    OneLineLabel* label = view->failureNotice()->messageLabel();
    EXPECT_EQ(label->text(), message);
    const QString drawn = label->currentFit().text;
    EXPECT_TRUE(drawn.startsWith(u"<b>The request"_s)) << drawn.toStdString();
    EXPECT_TRUE(drawn.endsWith(u'\u2026')) << drawn.toStdString();
    EXPECT_TRUE(PlainLineRendering::drawsPlainly(*label, drawn));
    EXPECT_TRUE(shows(u"95.5 Mbps"_s));
    EXPECT_TRUE(shows(u"Upload lag under load: sample unavailable for this run."_s));
    EXPECT_TRUE(shows(u"Last tested at \u2014"_s));

    // A new test clears the message.
    click(view->actionButton());
    settle();
    EXPECT_FALSE(view->failureNotice()->isVisibleTo(view));
}

// The click turns "Retest" into "Cancel" in place; the rest of the same
// double-click leaves the new test running.
TEST_F(SpeedTestWindowViewTest, ADoubleClickOnRetestDoesNotCancelTheTestItStarted) {
    click(view->actionButton());
    runToEnd();
    WindowBorderedButton* button = view->actionButton();
    ASSERT_EQ(button->title(), u"Retest"_s);
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    ASSERT_EQ(button->title(), u"Cancel"_s);
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    runToEnd();
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::completed);
    EXPECT_EQ(runner->uploads, 2);
}

// Closing the window cancels nothing and draws nothing; opening it again
// shows the result at once.
TEST_F(SpeedTestWindowViewTest, AResultArrivingWhileTheWindowIsHiddenShowsWhenItIsShownAgain) {
    click(view->actionButton());
    settle();
    window.close();
    ASSERT_FALSE(view->isVisible());
    runToEnd();
    EXPECT_EQ(monitor->phase().value(), SpeedTestPhase::completed);
    EXPECT_EQ(view->content().layout, SpeedTestWindowLayout::results);
    EXPECT_TRUE(view->content().showsProgressPanel) << "drawn while hidden";
    auto* binder = view->findChild<SpeedTestWindowBinder*>();
    ASSERT_NE(binder, nullptr);
    EXPECT_FALSE(binder->isRefreshScheduled());

    window.show();
    EXPECT_FALSE(view->content().showsProgressPanel);
    EXPECT_EQ(badgeText(), u"Completed"_s);
    EXPECT_TRUE(shows(u"95.5 Mbps"_s));
}

// Left open over midnight, the footer's time of a test run yesterday gains
// its date at the local day change, without anything being published.
TEST_F(SpeedTestWindowViewTest, TheFooterGainsTheDateAtTheLocalDayChange) {
    click(view->actionButton());
    runToEnd();
    const std::optional<SpeedTestResult> result = monitor->latestResult().value();
    ASSERT_TRUE(result.has_value());
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime tested = QDateTime::fromMSecsSinceEpoch(
        std::chrono::floor<std::chrono::milliseconds>(result->timestamp.time_since_epoch()).count(),
        zone);
    const Date midnight(
        std::chrono::milliseconds(tested.date().addDays(1).startOfDay(zone).toMSecsSinceEpoch()));
    const auto secondsUntil = [this](Date instant) {
        return std::chrono::duration<double>(instant - runtime.clock().now()).count();
    };
    const QString today = view->footerLabel()->text();
    const QString yesterday = SpeedTestWindowModel::lastTestedAtText(result, midnight);
    ASSERT_NE(today, yesterday);

    runtime.advance(secondsUntil(midnight) - 1);
    settle();
    EXPECT_EQ(view->footerLabel()->text(), today);
    runtime.advance(1);
    settle();
    EXPECT_EQ(view->footerLabel()->text(), yesterday);

    // Armed again: a test run on the new day gains its date at the next midnight.
    click(view->actionButton());
    runToEnd();
    const QString todayAgain = view->footerLabel()->text();
    ASSERT_NE(todayAgain, yesterday);
    runtime.advance(secondsUntil(midnight + std::chrono::hours(24)));
    settle();
    EXPECT_EQ(view->footerLabel()->text(),
              SpeedTestWindowModel::lastTestedAtText(monitor->latestResult().value(),
                                                     runtime.clock().now()));
}

// A sleep or a setting of the clock across midnight, forwards or back, moves
// the day under the timer: the footer gains the test's date at once, and
// loses it again back on the test's day.
TEST_F(SpeedTestWindowViewTest, TheFooterGainsTheDateWhenTheWallClockCrossesMidnight) {
    click(view->actionButton());
    runToEnd();
    const std::optional<SpeedTestResult> result = monitor->latestResult().value();
    ASSERT_TRUE(result.has_value());
    const QString sameDay = view->footerLabel()->text();
    const auto moveWallClock = [&](double seconds) {
        runtime.clock().moveWallClock(seconds);
        clockChanges.post(NotificationCenter::systemClockDidChange);
        settle();
    };
    for (const double move : {26.0 * 3600, -26.0 * 3600}) {
        SCOPED_TRACE(move);
        moveWallClock(move);
        EXPECT_EQ(view->footerLabel()->text(),
                  SpeedTestWindowModel::lastTestedAtText(result, runtime.clock().now()));
        EXPECT_NE(view->footerLabel()->text(), sameDay);
        moveWallClock(-move);
        EXPECT_EQ(view->footerLabel()->text(), sameDay);
    }
}

// At the minimum size a running test's panels scroll, without scroll bars,
// over the footer, which stays in view.
TEST(SpeedTestWindowViewLayoutTest, AtTheMinimumSizeTheContentScrollsAboveTheFooter) {
    SpeedTestWindowView view(10);
    EXPECT_EQ(view.minimumSize(), QSize(860, 580));
    SpeedTestWindowInputs inputs;
    inputs.isRunning = true;
    inputs.phase = SpeedTestPhase::upload;
    inputs.progress = 0.75;
    inputs.downloadMbps = 93.44;
    view.setContent(SpeedTestWindowModel::content(inputs, TestRuntime::startDate()));
    view.resize(860, 580);
    view.show();
    QCoreApplication::processEvents();
    const QScrollArea* scroll = view.scrollArea();
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    const OneLineLabel* footer = view.footerLabel();
    EXPECT_TRUE(footer->isVisible());
    const QRect footerBox(footer->mapTo(&view, QPoint(0, 0)), footer->size());
    EXPECT_GE(footerBox.top(), scroll->geometry().bottom());
    EXPECT_EQ(view.height() - footerBox.bottom() - 1, 14);
    EXPECT_EQ(view.width() - footerBox.right() - 1, 20);
}

// A test that failed before any throughput keeps the empty layout and shows
// why under the empty-state text, above its one "Run Test" button.
TEST(SpeedTestWindowViewLayoutTest, AnEarlyFailureShowsItsMessageInTheEmptyLayout) {
    SpeedTestWindowView view(10);
    SpeedTestWindowInputs inputs;
    inputs.phase = SpeedTestPhase::failed;
    inputs.lastErrorMessage = u"Speed test server returned an unexpected response."_s;
    view.setContent(SpeedTestWindowModel::content(inputs, TestRuntime::startDate()));
    view.resize(980, 680);
    view.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.resultsLayout()->isVisible());
    ASSERT_TRUE(view.failureNotice()->isVisible());
    EXPECT_TRUE(view.emptyLayout()->isAncestorOf(view.failureNotice()));
    EXPECT_EQ(view.failureNotice()->messageLabel()->text(), *inputs.lastErrorMessage);
    EXPECT_FALSE(view.header()->actionButton()->isVisible());
    EXPECT_EQ(view.actionButton()->title(), u"Run Test"_s);
    EXPECT_LT(view.failureNotice()->mapTo(&view, QPoint(0, 0)).y(),
              view.actionButton()->mapTo(&view, QPoint(0, 0)).y());
}
