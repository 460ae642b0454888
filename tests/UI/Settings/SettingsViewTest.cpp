#include "UI/Settings/SettingsView.h"

#include "SettingsTestEnvironment.h"
#include "Support/AppUpdatePrinters.h"
#include "Support/QStringPrinter.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/Spinner.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Popover/SettingsOverlayCard.h"
#include "UI/Settings/CheckForUpdatesButton.h"
#include "UI/Settings/LaunchAtLoginAlert.h"
#include "UI/Settings/SettingsAboutPage.h"
#include "UI/Settings/SettingsColors.h"
#include "UI/Settings/SettingsGeneralPage.h"
#include "UI/Settings/SettingsKeyValueRow.h"
#include "UI/Settings/SettingsLinkButton.h"
#include "UI/Settings/SettingsSidebar.h"
#include "UI/Settings/SettingsTabButton.h"
#include "UI/Settings/SettingsUpdateCard.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::shownTexts;

class SettingsViewTest : public testing::Test {
protected:
    // A view laid out at the window's ideal size and shown (offscreen).
    std::unique_ptr<SettingsView> shownView() {
        auto view = std::make_unique<SettingsView>(environment.dependencies());
        view->resize(SettingsView::idealWindowSize);
        view->show();
        return view;
    }

    static void press(SettingsView& view, SettingsTab tab) {
        QTest::mouseClick(view.sidebar()->button(tab), Qt::LeftButton);
    }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // Runs the event loop's pending work: queued calls and posted events.
    static void nextTurns() {
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
        }
    }

    static SettingsColors colorsOf(const QWidget& view) {
        return SettingsColors::from(view.palette());
    }

    SettingsTestEnvironment environment;
};

// The sidebar and the frame.

TEST_F(SettingsViewTest, AFreshWindowShowsGeneralWithGeneralHighlighted) {
    auto view = shownView();
    EXPECT_EQ(view->selectedTab(), SettingsTab::general);
    EXPECT_TRUE(view->generalPage()->isVisible());
    EXPECT_FALSE(view->aboutPage()->isVisible());

    const SettingsColors colors = colorsOf(*view);
    SettingsTabButton* general = view->sidebar()->button(SettingsTab::general);
    SettingsTabButton* about = view->sidebar()->button(SettingsTab::about);
    EXPECT_EQ(general->text(), u"General"_s);
    EXPECT_EQ(general->foregroundColor(), colors.accent);
    EXPECT_EQ(general->backgroundColor(), colors.selectedTabFill());
    EXPECT_EQ(about->text(), u"About"_s);
    EXPECT_EQ(about->foregroundColor(), colors.primary);
    EXPECT_EQ(about->backgroundColor().alpha(), 0);
    EXPECT_LT(general->y(), about->y());

    const QStringList sidebarTexts = shownTexts(*view->sidebar());
    EXPECT_EQ(sidebarTexts, (QStringList{u"Settings"_s, u"pelmor"_s}));
}

TEST_F(SettingsViewTest, PressingAboutSwitchesAtOnceAndPressingItAgainChangesNothing) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    EXPECT_EQ(view->selectedTab(), SettingsTab::about);
    EXPECT_FALSE(view->generalPage()->isVisible());
    EXPECT_TRUE(view->aboutPage()->isVisible());
    EXPECT_TRUE(view->sidebar()->button(SettingsTab::about)->isSelected());
    EXPECT_FALSE(view->sidebar()->button(SettingsTab::general)->isSelected());

    const int reads = environment.loginItems->statusReads;
    press(*view, SettingsTab::about);
    EXPECT_EQ(view->selectedTab(), SettingsTab::about);
    EXPECT_TRUE(view->aboutPage()->isVisible());
    EXPECT_EQ(environment.loginItems->statusReads, reads);
}

TEST_F(SettingsViewTest, PressingTheSelectedGeneralButtonRereadsNothing) {
    auto view = shownView();
    const int reads = environment.loginItems->statusReads;
    press(*view, SettingsTab::general);
    EXPECT_EQ(environment.loginItems->statusReads, reads);
    EXPECT_TRUE(view->generalPage()->isVisible());
}

TEST_F(SettingsViewTest, ItOpensAtItsIdealSizeAndIsNeverSmallerThanItsMinimum) {
    SettingsView view(environment.dependencies());
    EXPECT_EQ(view.sizeHint(), QSize(760, 460));
    EXPECT_EQ(view.minimumSize(), QSize(720, 440));
    view.resize(500, 300);
    EXPECT_EQ(view.size(), QSize(720, 440));
}

TEST_F(SettingsViewTest, TheSidebarStays200PointsWideAtEveryWidth) {
    auto view = shownView();
    for (const int width : {720, 760, 1200}) {
        view->resize(width, 460);
        view->layout()->activate();
        EXPECT_EQ(view->sidebar()->width(), 200) << width;
        EXPECT_EQ(view->contentPane()->x(), 201) << width;
        EXPECT_EQ(view->contentPane()->width(), width - 201) << width;
    }
}

TEST_F(SettingsViewTest, ATallPageScrollsWithoutVisibleScrollBars) {
    environment.buildMetadata.buildID = QString(u"4f2c9e1b7a0d3c58 "_s).repeated(12);
    environment.buildMetadata.releaseDate = QString(u"March 14, 2026 "_s).repeated(12);
    environment.updateCheck->result = UpdateCheckResult::updateAvailable(
        SettingsTestEnvironment::update(u"2.1.0"_s, QString(u"Faster scans. "_s).repeated(40)));
    environment.runtime.runToCompletion(
        [this] { return environment.updateController->checkForUpdateManually(); });
    auto view = shownView();
    press(*view, SettingsTab::about);
    view->resize(SettingsView::minimumWindowSize);
    view->layout()->activate();
    QCoreApplication::processEvents();

    QScrollBar* scroll = view->contentPane()->verticalScrollBar();
    EXPECT_EQ(view->contentPane()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->contentPane()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(scroll->isVisible());
    ASSERT_GT(scroll->maximum(), 0);

    QWidget* viewport = view->contentPane()->viewport();
    const QPointF centre(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent wheel(centre, viewport->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    EXPECT_GT(scroll->value(), 0);

    // Shift+Tab from the sidebar into a page cut short scrolls to its last
    // control.
    view->setMinimumSize(0, 0);
    view->resize(SettingsView::minimumWindowSize.width(), 200);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    scroll->setValue(0);
    view->sidebar()->button(SettingsTab::general)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(ViewInspection::focusFault(*view), QString());
}

// Tab stops only at controls that act on Space, on either page: never at the
// content pane. Each stop shows its focus ring in the palette's accent.
TEST_F(SettingsViewTest, EveryTabStopIsAButton) {
    auto view = shownView();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    for (const SettingsTab tab : {SettingsTab::general, SettingsTab::about}) {
        press(*view, tab);
        const QStringList stops = ViewInspection::tabStopKinds(*view);
        EXPECT_GT(stops.size(), 2);
        EXPECT_EQ(stops.count(u"button"_s), stops.size()) << stops.join(u", "_s).toStdString();
        EXPECT_EQ(ViewInspection::tabStopsWithoutFocusRing(
                      *view, SettingsColors::from(view->palette()).accent),
                  QStringList());
    }
}

TEST_F(SettingsViewTest, TheViewFollowsThePalette) {
    auto view = shownView();
    QPalette dark = view->palette();
    dark.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    view->setPalette(dark);
    SettingsTabButton* about = view->sidebar()->button(SettingsTab::about);
    EXPECT_EQ(about->foregroundColor(), QColor(Qt::white));
    EXPECT_EQ(view->sidebar()->button(SettingsTab::general)->foregroundColor(),
              QColor(0x0A, 0x84, 0xFF));
    const auto labels = view->sidebar()->findChildren<OneLineLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.front()->color(), QColor(Qt::white));
}

// The login-item controller and the General page.

TEST_F(SettingsViewTest, TheLoginItemControllerIsBuiltWhenFirstShownAndKept) {
    SettingsView view(environment.dependencies());
    EXPECT_EQ(view.launchAtLoginController(), nullptr);
    EXPECT_EQ(environment.controllersMade, 0);
    view.show();
    ASSERT_NE(view.launchAtLoginController(), nullptr);
    const auto first = view.launchAtLoginController();
    view.hide();
    view.show();
    EXPECT_EQ(view.launchAtLoginController(), first);
    EXPECT_EQ(environment.controllersMade, 1);
}

TEST_F(SettingsViewTest, WithThePreferenceUnsetBatteryFriendlyIsOnAndAdaptive) {
    auto view = shownView();
    SettingsGeneralPage* page = view->generalPage();
    EXPECT_TRUE(page->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(page->batteryModeBadge()->text(), u"Adaptive"_s);
    EXPECT_FALSE(environment.storedValue(u"batteryFriendly"_s).isValid());
    const QStringList texts = shownTexts(*page);
    for (const QString& text :
         {u"General"_s, u"Manage app behavior and monitoring defaults."_s, u"Battery friendly"_s,
          u"Fast while open, slower in background."_s,
          u"Monitoring also pauses automatically while your computer sleeps."_s,
          u"Launch at login"_s, u"Start Pelmor automatically when you log in."_s}) {
        EXPECT_TRUE(texts.contains(text)) << text.toStdString();
    }
    EXPECT_FALSE(texts.contains(u"Requires approval in System Settings"_s));
}

TEST_F(SettingsViewTest, TheModeBadgeKeepsTheSpacingOnBothSidesOfTheMinimumGap) {
    auto view = shownView();
    SettingsGeneralPage* page = view->generalPage();
    const QWidget* description =
        ViewInspection::labelShowing(*page, u"Fast while open, slower in background."_s);
    ASSERT_NE(description, nullptr);
    // Spacing 12, a gap of at least 8, spacing 12.
    EXPECT_EQ(ViewInspection::horizontalGap(*page, *description,
                                            *page->batteryModeBadge()->parentWidget()),
              32);
}

TEST_F(SettingsViewTest, TurningBatteryFriendlyOffStoresFalseAndReadsAlwaysFast) {
    auto view = shownView();
    click(view->generalPage()->batteryFriendlySwitch());
    EXPECT_FALSE(view->generalPage()->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(view->generalPage()->batteryModeBadge()->text(), u"Always Fast"_s);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(environment.storedValue(u"batteryFriendly"_s), QVariant(false));
}

TEST_F(SettingsViewTest, ShowingTheGeneralPageRereadsThePreference) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    environment.settingsStore->setBatteryFriendly(false);
    press(*view, SettingsTab::general);
    EXPECT_FALSE(view->generalPage()->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(view->generalPage()->batteryModeBadge()->text(), u"Always Fast"_s);
}

TEST_F(SettingsViewTest, APreferenceChangedElsewhereShowsOnALaterTurn) {
    auto view = shownView();
    SettingsGeneralPage* page = view->generalPage();
    const auto setElsewhere = [&](bool on) {
        environment.settingsStore->setBatteryFriendly(on);
        environment.batteryFriendlySetElsewhere = on;
    };
    setElsewhere(false);
    EXPECT_TRUE(page->batteryFriendlySwitch()->isChecked()) << "redrawn inside the notification";
    nextTurns();
    EXPECT_FALSE(page->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(page->batteryModeBadge()->text(), u"Always Fast"_s);

    // A burst ends as the store ends, with the About page in front too.
    press(*view, SettingsTab::about);
    setElsewhere(true);
    setElsewhere(false);
    setElsewhere(true);
    nextTurns();
    EXPECT_TRUE(page->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(page->batteryModeBadge()->text(), u"Adaptive"_s);
}

TEST_F(SettingsViewTest, TurningTheLoginItemOnAndOffWritesAndRemovesTheEntry) {
    auto view = shownView();
    SwitchToggle* toggle = view->generalPage()->launchAtLoginSwitch();
    EXPECT_FALSE(toggle->isChecked());
    click(toggle);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(QFile::exists(environment.loginItems->entryPath()));
    click(toggle);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(QFile::exists(environment.loginItems->entryPath()));
    nextTurns();
    EXPECT_FALSE(view->launchAtLoginAlert()->isVisible());
    EXPECT_EQ(view->launchAtLoginError(), std::nullopt);
}

TEST_F(SettingsViewTest, ARefusedChangeShowsTheRealStateAndAlertsOnALaterTurn) {
    environment.blockAutostartFolder();
    auto view = shownView();
    SwitchToggle* toggle = view->generalPage()->launchAtLoginSwitch();
    LaunchAtLoginAlert* alert = view->launchAtLoginAlert();

    bool eventsRanDuringTheClick = false;
    QTimer::singleShot(0, [&eventsRanDuringTheClick] { eventsRanDuringTheClick = true; });
    click(toggle);
    EXPECT_FALSE(eventsRanDuringTheClick) << "the switch's handler ran the event loop";
    EXPECT_FALSE(toggle->isChecked()) << "the switch shows the wish, not the login item";
    ASSERT_TRUE(view->launchAtLoginError().has_value());
    EXPECT_TRUE(view->launchAtLoginError()->startsWith(u"Failed to update login item: "_s));
    EXPECT_GT(view->launchAtLoginError()->size(), 30);
    EXPECT_FALSE(alert->isVisible()) << "the alert came up inside the switch's handler";

    nextTurns();
    ASSERT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->windowTitle(), u"Launch at Login"_s);
    EXPECT_EQ(alert->titleLabel()->text(), u"Launch at Login"_s);
    EXPECT_EQ(alert->message(), *view->launchAtLoginError());
    EXPECT_EQ(alert->messageLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_EQ(alert->okButton()->text(), u"OK"_s);

    click(alert->okButton());
    nextTurns();
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(view->launchAtLoginError(), std::nullopt);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(view->generalPage()->batteryFriendlySwitch()->isChecked());
}

TEST_F(SettingsViewTest, EscapeDismissesTheAlertAndClearsTheMessage) {
    environment.blockAutostartFolder();
    auto view = shownView();
    click(view->generalPage()->launchAtLoginSwitch());
    nextTurns();
    ASSERT_TRUE(view->launchAtLoginAlert()->isVisible());
    QTest::keyClick(view->launchAtLoginAlert(), Qt::Key_Escape);
    nextTurns();
    EXPECT_FALSE(view->launchAtLoginAlert()->isVisible());
    EXPECT_EQ(view->launchAtLoginError(), std::nullopt);
}

TEST_F(SettingsViewTest, FlippingToTheStateTheSystemAlreadyHasChangesNothing) {
    auto view = shownView();
    SwitchToggle* toggle = view->generalPage()->launchAtLoginSwitch();
    ASSERT_FALSE(toggle->isChecked());
    // Registered elsewhere; this window has not looked again.
    LoginItemService(QFileInfo(environment.loginItems->entryPath()).path(),
                     LoginItemService::defaultCommand())
        .registerItem();
    click(toggle);
    nextTurns();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(environment.loginItems->changes, 0);
    EXPECT_FALSE(view->launchAtLoginAlert()->isVisible());
    EXPECT_EQ(view->launchAtLoginError(), std::nullopt);
}

TEST_F(SettingsViewTest, TheApprovalRowShowsWhileApprovalIsPending) {
    environment.loginItems->forcedStatus = LoginItemService::Status::requiresApproval;
    auto view = shownView();
    SettingsGeneralPage* page = view->generalPage();
    EXPECT_TRUE(page->approvalRow()->isVisible());
    EXPECT_FALSE(page->launchAtLoginSwitch()->isChecked());
    EXPECT_TRUE(
        shownTexts(*page->approvalRow()).contains(u"Requires approval in System Settings"_s));
    EXPECT_EQ(page->openSettingsButton()->text(), u"Open Settings"_s);
    EXPECT_GT(page->approvalRow()->y(), page->launchAtLoginSwitch()->y());

    click(page->openSettingsButton());
    ASSERT_EQ(environment.openedSettings.size(), 1u);
    EXPECT_EQ(environment.openedSettings[0],
              QUrl::fromLocalFile(QFileInfo(environment.loginItems->entryPath()).path()));

    // Approved in the system's settings; the application becomes active again.
    environment.loginItems->forcedStatus = LoginItemService::Status::enabled;
    environment.center.post(NotificationCenter::applicationDidBecomeActive);
    environment.runtime.runUntilIdle();
    EXPECT_FALSE(page->approvalRow()->isVisible());
    EXPECT_TRUE(page->launchAtLoginSwitch()->isChecked());
}

TEST_F(SettingsViewTest, ShowingTheGeneralPageRereadsTheLoginItem) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    environment.loginItems->forcedStatus = LoginItemService::Status::requiresApproval;
    EXPECT_FALSE(view->generalPage()->approvalRow()->isVisibleTo(view->generalPage()));
    press(*view, SettingsTab::general);
    EXPECT_TRUE(view->generalPage()->approvalRow()->isVisible());
}

TEST_F(SettingsViewTest, TheWindowAndThePopoverCardFollowEachOthersLoginItemOnALaterTurn) {
    auto view = shownView();
    SettingsOverlayCard card(
        FlagBinding{[] { return true; }, [](bool) {}}, environment.updateController, {},
        {environment.dependencies().makeLaunchAtLoginController, [] { return BundleInfo(); }});
    card.show();
    SwitchToggle* windowSwitch = view->generalPage()->launchAtLoginSwitch();
    const struct {
        const char* what;
        SwitchToggle* clicked;
        SwitchToggle* other;
        bool on;
    } cases[] = {
        {"the card turns it on", card.launchAtLoginSwitch(), windowSwitch, true},
        {"the window turns it off", windowSwitch, card.launchAtLoginSwitch(), false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        click(testCase.clicked);
        ASSERT_EQ(testCase.clicked->isChecked(), testCase.on);
        environment.runtime.runUntilIdle();
        EXPECT_EQ(testCase.other->isChecked(), testCase.on);
    }
}

TEST_F(SettingsViewTest, ActivatingTheWindowRereadsALoginItemChangedOutsideTheApplication) {
    auto view = shownView();
    click(view->generalPage()->launchAtLoginSwitch());
    ASSERT_TRUE(view->generalPage()->launchAtLoginSwitch()->isChecked());
    environment.runtime.runUntilIdle();
    QFile::remove(environment.loginItems->entryPath());
    EXPECT_TRUE(view->generalPage()->launchAtLoginSwitch()->isChecked());
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(view.get(), &activation);
    EXPECT_FALSE(view->generalPage()->launchAtLoginSwitch()->isChecked());
}

// The About page and the update check.

TEST_F(SettingsViewTest, AboutShowsTheBuildStableAndTheCheckRowButNoCard) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    SettingsAboutPage* page = view->aboutPage();
    EXPECT_EQ(shownTexts(*page),
              (QStringList{u"About"_s,
                           u"Network diagnostics for quick, actionable Wi-Fi troubleshooting."_s,
                           u"Current Version"_s, u"v1.4.2 (57)"_s, u"Build ID"_s, u"4f2c9e1"_s,
                           u"Release Date"_s, u"March 14, 2026"_s, u"Build Channel"_s, u"Stable"_s,
                           u"Built to monitor signal quality, latency, DNS health and channel "
                           "congestion in one place."_s}));
    EXPECT_FALSE(page->updateCard()->isVisible());
    EXPECT_EQ(page->checkButton()->text(), u"Check for Updates"_s);
    EXPECT_EQ(page->checkButton()->font().weight(), QFont::Normal) << "a plain title";
    EXPECT_TRUE(page->checkButton()->isEnabled());
}

TEST_F(SettingsViewTest, TheBuildRowsShowWhatWasReadWhenTheViewWasMade) {
    auto view = shownView();
    environment.buildMetadata.version = u"v9.9.9 (1)"_s;
    EXPECT_EQ(view->aboutPage()->buildRows().front()->value(), u"v1.4.2 (57)"_s);
    EXPECT_EQ(view->buildMetadata().version, u"v1.4.2 (57)"_s);
}

TEST_F(SettingsViewTest, ACheckShowsProgressAndDisablesTheButtonUntilItEnds) {
    environment.updateCheck->holdsChecks = true;
    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"2.1.0"_s));
    auto view = shownView();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    press(*view, SettingsTab::about);
    CheckForUpdatesButton* button = view->aboutPage()->checkButton();

    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
    nextTurns();
    EXPECT_EQ(ViewInspection::focusFault(*view), QString());
    EXPECT_TRUE(view->isCheckingForUpdate());
    EXPECT_TRUE(button->showsProgress());
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_TRUE(button->progressIndicator()->isVisible());
    EXPECT_EQ(button->progressIndicator()->size(), QSize(16, 16));
    EXPECT_FALSE(button->isEnabled());
    click(button);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    environment.runtime.runUntilIdle();
    EXPECT_EQ(environment.updateCheck->checkCount, 1) << "a second check started";
    EXPECT_EQ(view->selectedTab(), SettingsTab::about) << "Space again switched the page";

    ASSERT_TRUE(environment.updateCheck->finishHeldCheck());
    environment.runtime.runUntilIdle();
    nextTurns();
    EXPECT_EQ(QApplication::focusWidget(), button) << "the focus came back";
    EXPECT_FALSE(view->isCheckingForUpdate());
    EXPECT_FALSE(button->showsProgress());
    EXPECT_EQ(button->text(), u"Check for Updates"_s);
    EXPECT_FALSE(button->progressIndicator()->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(view->aboutPage()->updateCard()->isVisible());
    EXPECT_TRUE(environment.notifications->added.empty());
}

TEST_F(SettingsViewTest, TheCardAppearsWithAFoundUpdateGoesWhenCurrentAndStaysOnFailure) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    SettingsUpdateCard* card = view->aboutPage()->updateCard();
    const auto check = [&] {
        click(view->aboutPage()->checkButton());
        environment.runtime.runUntilIdle();
    };

    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"2.1.0"_s));
    check();
    ASSERT_TRUE(card->isVisible());
    EXPECT_EQ(card->titleLabel()->text(), u"Update Available: v2.1.0"_s);
    EXPECT_EQ(card->downloadButton()->text(), u"Download Update"_s);

    environment.updateCheck->result = UpdateCheckResult::checkFailed();
    check();
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->titleLabel()->text(), u"Update Available: v2.1.0"_s);
    EXPECT_EQ(view->aboutPage()->checkButton()->text(), u"Check for Updates"_s);

    environment.updateCheck->result = UpdateCheckResult::upToDate();
    check();
    EXPECT_FALSE(card->isVisible());
    EXPECT_EQ(environment.updateCheck->checkCount, 3);
}

TEST_F(SettingsViewTest, ReleaseNotesShowOnlyWhenPresentAndAreCutAfterThreeLines) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    SettingsUpdateCard* card = view->aboutPage()->updateCard();
    const auto find = [&](std::optional<QString> notes) {
        environment.updateCheck->result = UpdateCheckResult::updateAvailable(
            SettingsTestEnvironment::update(u"2.1.0"_s, std::move(notes)));
        environment.runtime.runToCompletion(
            [this] { return environment.updateController->checkForUpdateManually(); });
        view->layout()->activate();
    };

    find(std::nullopt);
    EXPECT_FALSE(card->releaseNotesLabel()->isVisible());
    find(QString());
    EXPECT_FALSE(card->releaseNotesLabel()->isVisible());
    find(u"Faster channel scans."_s);
    EXPECT_TRUE(card->releaseNotesLabel()->isVisible());
    EXPECT_EQ(card->releaseNotesLabel()->text(), u"Faster channel scans."_s);
    find(QString(u"Faster channel scans and fewer false warnings. "_s).repeated(20));
    const QStringList lines =
        card->releaseNotesLabel()->displayedLines(card->releaseNotesLabel()->width());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].endsWith(u"\u2026"_s));
}

TEST_F(SettingsViewTest, DownloadOpensTheUpdateTheControllerHolds) {
    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"2.1.0"_s));
    auto view = shownView();
    press(*view, SettingsTab::about);
    environment.runtime.runToCompletion(
        [this] { return environment.updateController->checkForUpdateManually(); });
    click(view->aboutPage()->updateCard()->downloadButton());
    ASSERT_EQ(environment.openedDownloads.size(), 1u);
    EXPECT_EQ(environment.openedDownloads[0],
              QUrl(u"https://updates.example/pelmor-2.1.0.tar.gz"_s));
}

TEST_F(SettingsViewTest, ACheckStartedInAClosedWindowStillUpdatesTheSharedController) {
    environment.updateCheck->holdsChecks = true;
    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"2.1.0"_s));
    auto view = shownView();
    press(*view, SettingsTab::about);
    click(view->aboutPage()->checkButton());
    environment.runtime.runUntilIdle();
    view.reset();
    ASSERT_TRUE(environment.updateCheck->finishHeldCheck());
    environment.runtime.runUntilIdle();
    ASSERT_TRUE(environment.updateController->availableUpdate().value().has_value());
    EXPECT_EQ(environment.updateController->availableUpdate().value()->version, u"2.1.0"_s);
}

TEST_F(SettingsViewTest, TheCardFollowsTheSharedControllerWhoeverChecks) {
    auto view = shownView();
    press(*view, SettingsTab::about);
    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"3.0.0"_s));
    environment.runtime.runToCompletion(
        [this] { return environment.updateController->checkForUpdateManually(); });
    EXPECT_TRUE(view->aboutPage()->updateCard()->isVisible());
    EXPECT_EQ(view->aboutPage()->updateCard()->titleLabel()->text(), u"Update Available: v3.0.0"_s);
    EXPECT_FALSE(view->isCheckingForUpdate());
}
