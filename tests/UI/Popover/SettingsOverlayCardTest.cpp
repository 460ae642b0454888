#include "UI/Popover/SettingsOverlayCard.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Ground/Spinner.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/BackButton.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/SettingsOverlayKeyValueRow.h"
#include "UI/Popover/SettingsOverlayTabButton.h"
#include "UI/Popover/UpdateAvailableCard.h"
#include "UI/PopoverTestSources.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;

namespace {

constexpr int panelWidth = 340;

AvailableUpdate offered(std::optional<QString> notes) {
    return {.version = u"1.5.0"_s,
            .buildNumber = 61,
            .releaseDate = u"2026-01-20"_s,
            .downloadUrl = u"https://updates.example/releases/pelmor-1.5.0.tar.gz"_s,
            .releaseNotes = std::move(notes),
            .minimumSystemVersion = std::nullopt};
}

} // namespace

class SettingsOverlayCardTest : public testing::Test {
protected:
    std::unique_ptr<SettingsOverlayCard> makeCard() {
        auto card = std::make_unique<SettingsOverlayCard>(
            FlagBinding{[this] { return batteryFriendly; },
                        [this](bool wanted) {
                            batteryWrites.push_back(wanted);
                            if (!refusesBatteryWrites) {
                                batteryFriendly = wanted;
                            }
                        }},
            sources.sources.appUpdateController, [this] { ++closes; },
            sources.sources.settingsEnvironment);
        layOut(*card, panelWidth);
        return card;
    }

    void finds(const AvailableUpdate& update) {
        sources.updates->result = UpdateCheckResult::updateAvailable(update);
        runtime.runToCompletion(
            [this] { return sources.sources.appUpdateController->checkForUpdateManually(); });
    }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    TestRuntime runtime;
    PopoverTestSources sources{runtime};
    bool batteryFriendly = true;
    bool refusesBatteryWrites = false;
    std::vector<bool> batteryWrites;
    int closes = 0;
};

TEST_F(SettingsOverlayCardTest, OpensOnTheGeneralTabWithBothSwitches) {
    auto card = makeCard();
    EXPECT_EQ(card->selectedTab(), SettingsOverlayTab::general);
    EXPECT_EQ(
        shownTexts(*card),
        (QStringList{u"Settings"_s, u"App preferences"_s, u"General"_s, u"Battery friendly"_s,
                     u"Adaptive"_s, u"Fast while open, slower in background."_s,
                     u"Monitoring also pauses automatically while your computer sleeps."_s,
                     u"Launch at login"_s, u"Start Pelmor automatically when you log in."_s}));
    EXPECT_TRUE(card->tabButtons()[0]->isSelected());
    EXPECT_FALSE(card->tabButtons()[1]->isSelected());
    EXPECT_EQ(card->batteryFriendlySwitch()->accessibleName(), u"Battery friendly"_s);
    EXPECT_EQ(card->launchAtLoginSwitch()->accessibleName(), u"Launch at login"_s);
    EXPECT_TRUE(card->batteryFriendlySwitch()->isChecked());
    EXPECT_FALSE(card->launchAtLoginSwitch()->isChecked());
    EXPECT_EQ(card->header()->backButton()->accessibleName(), u"Back to Main"_s);
}

TEST_F(SettingsOverlayCardTest, TheTabsSwitchTheContentAndBackCloses) {
    auto card = makeCard();
    click(card->tabButtons()[1]);
    EXPECT_EQ(card->selectedTab(), SettingsOverlayTab::about);
    EXPECT_TRUE(card->tabButtons()[1]->isSelected());
    EXPECT_FALSE(card->tabButtons()[0]->isSelected());
    EXPECT_FALSE(card->generalTab()->isVisibleTo(card.get()));
    EXPECT_TRUE(card->aboutTab()->isVisibleTo(card.get()));
    click(card->tabButtons()[0]);
    EXPECT_EQ(card->selectedTab(), SettingsOverlayTab::general);
    EXPECT_EQ(closes, 0);
    click(card->header()->backButton());
    EXPECT_EQ(closes, 1);
}

TEST_F(SettingsOverlayCardTest, TheTabUnderlineSpansTheLabelNotItsPadding) {
    auto card = makeCard();
    for (const SettingsOverlayTabButton* button : card->tabButtons()) {
        const QRectF label = button->labelRect();
        const QRectF underline = button->underlineRect();
        EXPECT_DOUBLE_EQ(underline.left(), label.left());
        EXPECT_DOUBLE_EQ(underline.width(), label.width());
        EXPECT_NEAR(label.left(), 2.0, 0.5) << "2 pt of side padding";
        EXPECT_DOUBLE_EQ(underline.bottom(), button->height());
        EXPECT_DOUBLE_EQ(underline.height(), 2.0);
    }
}

TEST_F(SettingsOverlayCardTest, TheModeBadgeKeepsTheSpacingOnBothSidesOfTheMinimumGap) {
    auto card = makeCard();
    const QWidget* description =
        ViewInspection::labelShowing(*card, u"Fast while open, slower in background."_s);
    const QWidget* badge = ViewInspection::labelShowing(*card, u"Adaptive"_s)->parentWidget();
    ASSERT_NE(description, nullptr);
    // Spacing 10, a gap of at least 8, spacing 10.
    EXPECT_EQ(ViewInspection::horizontalGap(*card, *description, *badge), 28);
}

TEST_F(SettingsOverlayCardTest, TheBatterySwitchWritesTheBindingAndTheBadgeFollows) {
    auto card = makeCard();
    click(card->batteryFriendlySwitch());
    EXPECT_EQ(batteryWrites, std::vector<bool>{false});
    EXPECT_FALSE(card->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(card->modeBadgeText(), u"Always Fast"_s);
    click(card->batteryFriendlySwitch());
    EXPECT_EQ(card->modeBadgeText(), u"Adaptive"_s);
}

TEST_F(SettingsOverlayCardTest, ABatteryWriteTheOwnerRefusesLeavesTheSwitchAsTheOwnerSays) {
    refusesBatteryWrites = true;
    auto card = makeCard();
    click(card->batteryFriendlySwitch());
    EXPECT_EQ(batteryWrites, std::vector<bool>{false});
    EXPECT_TRUE(card->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(card->modeBadgeText(), u"Adaptive"_s);
}

TEST_F(SettingsOverlayCardTest, TheCardFollowsTheBindingWhenToldToRefresh) {
    auto card = makeCard();
    batteryFriendly = false;
    card->refreshBinding();
    EXPECT_FALSE(card->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(card->modeBadgeText(), u"Always Fast"_s);
}

TEST_F(SettingsOverlayCardTest, LaunchAtLoginTurnsOnThroughTheLoginItem) {
    auto card = makeCard();
    click(card->launchAtLoginSwitch());
    EXPECT_EQ(sources.loginItems->current, LoginItemService::Status::enabled);
    EXPECT_TRUE(card->launchAtLoginSwitch()->isChecked());
    EXPECT_EQ(card->launchAtLoginError(), std::nullopt);
    EXPECT_FALSE(card->launchAtLoginErrorLabel()->isVisibleTo(card.get()));
}

TEST_F(SettingsOverlayCardTest, ARefusedLoginItemShowsTheErrorAndTheRealStateUntilAChangeWorks) {
    sources.loginItems->refusal = u"the autostart folder is read-only"_s;
    auto card = makeCard();
    click(card->launchAtLoginSwitch());
    EXPECT_FALSE(card->launchAtLoginSwitch()->isChecked())
        << "the switch must show the login item's state, not the one asked for";
    EXPECT_FALSE(card->launchAtLoginController()->isEnabled().value());
    const QString message = u"Failed to update login item: the autostart folder is read-only"_s;
    EXPECT_EQ(card->launchAtLoginError(), message);
    EXPECT_TRUE(card->launchAtLoginErrorLabel()->isVisibleTo(card.get()));
    EXPECT_EQ(card->launchAtLoginErrorLabel()->text(), message);

    click(card->launchAtLoginSwitch());
    EXPECT_FALSE(card->launchAtLoginSwitch()->isChecked());
    EXPECT_EQ(card->launchAtLoginError(), message) << "the error stays while changes fail";

    sources.loginItems->refusal.reset();
    click(card->launchAtLoginSwitch());
    EXPECT_TRUE(card->launchAtLoginSwitch()->isChecked());
    EXPECT_EQ(card->launchAtLoginError(), std::nullopt);
    EXPECT_FALSE(card->launchAtLoginErrorLabel()->isVisibleTo(card.get()));
}

TEST_F(SettingsOverlayCardTest, ALoginItemChangedElsewhereShowsWhenTheCardIsShownAgain) {
    auto card = makeCard();
    sources.loginItems->current = LoginItemService::Status::enabled;
    EXPECT_FALSE(card->launchAtLoginSwitch()->isChecked());
    card->hide();
    card->show();
    EXPECT_TRUE(card->launchAtLoginSwitch()->isChecked());
}

TEST_F(SettingsOverlayCardTest, ALoginItemChangedElsewhereShowsWhenItsWindowBecomesActive) {
    QWidget window;
    auto card = makeCard();
    card->setParent(&window);
    window.show();
    sources.loginItems->current = LoginItemService::Status::enabled;
    EXPECT_FALSE(card->launchAtLoginSwitch()->isChecked());
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activation);
    EXPECT_TRUE(card->launchAtLoginSwitch()->isChecked());
}

TEST_F(SettingsOverlayCardTest, ApprovalNeededShowsARowWhoseOpenButtonOpensTheLoginItems) {
    sources.loginItems->current = LoginItemService::Status::requiresApproval;
    auto card = makeCard();
    ASSERT_TRUE(card->approvalRow()->isVisibleTo(card.get()));
    EXPECT_TRUE(shownTexts(*card).contains(u"Approval needed in System Settings."_s));
    click(card->approvalOpenButton());
    EXPECT_EQ(sources.loginItems->settingsOpens, 1);
    sources.loginItems->current = LoginItemService::Status::notRegistered;
    card->launchAtLoginController()->refreshStatus();
    EXPECT_FALSE(card->approvalRow()->isVisibleTo(card.get()));
}

TEST_F(SettingsOverlayCardTest, TheAboutTabShowsTheBuildAndNoUpdateCardWithoutAnUpdate) {
    auto card = makeCard();
    card->setSelectedTab(SettingsOverlayTab::about);
    QStringList rows;
    for (const SettingsOverlayKeyValueRow* row : card->buildRows()) {
        rows << row->key() << row->value();
    }
    EXPECT_EQ(rows, (QStringList{u"Version"_s, u"v1.4.2 (57)"_s, u"Build ID"_s, u"9f3c2ab"_s,
                                 u"Release Date"_s, card->buildRows()[2]->value()}));
    EXPECT_NE(card->buildRows()[2]->value(), u"n/a"_s);
    EXPECT_EQ(card->buildRows()[0]->keyLabel()->width(), SettingsOverlayKeyValueRow::keyWidth);
    EXPECT_FALSE(card->updateCard()->isVisibleTo(card.get()));
    EXPECT_EQ(shownTexts(*card).mid(2),
              (QStringList{u"About"_s, u"Version"_s, u"v1.4.2 (57)"_s, u"Build ID"_s, u"9f3c2ab"_s,
                           u"Release Date"_s, card->buildRows()[2]->value(),
                           u"Live Wi-Fi diagnostics with signal, latency, channel and speed "
                           u"insights."_s}));
}

TEST_F(SettingsOverlayCardTest, AnUpdateWithoutNotesShowsItsHeaderAndDownloadOnly) {
    finds(offered(u""_s));
    auto card = makeCard();
    card->setSelectedTab(SettingsOverlayTab::about);
    ASSERT_TRUE(card->updateCard()->isVisibleTo(card.get()));
    EXPECT_TRUE(shownTexts(*card).contains(u"Update available: 1.5.0"_s));
    EXPECT_FALSE(card->updateCard()->releaseNotesLabel()->isVisibleTo(card.get()));
    click(card->updateCard()->downloadButton());
    EXPECT_EQ(sources.openedURLs,
              std::vector<QUrl>{QUrl(u"https://updates.example/releases/pelmor-1.5.0.tar.gz"_s)});
}

TEST_F(SettingsOverlayCardTest, AnUpdateFoundWhileTheCardIsOpenShowsItsNotes) {
    auto card = makeCard();
    card->setSelectedTab(SettingsOverlayTab::about);
    finds(offered(u"Faster scans."_s));
    ASSERT_TRUE(card->updateCard()->isVisibleTo(card.get()));
    EXPECT_TRUE(card->updateCard()->releaseNotesLabel()->isVisibleTo(card.get()));
    EXPECT_EQ(card->updateCard()->releaseNotesLabel()->text(), u"Faster scans."_s);
    sources.updates->result = UpdateCheckResult::upToDate();
    runtime.runToCompletion(
        [this] { return sources.sources.appUpdateController->checkForUpdateManually(); });
    EXPECT_FALSE(card->updateCard()->isVisibleTo(card.get()));
}

TEST_F(SettingsOverlayCardTest, CheckingShowsASpinnerAndTakesNoClicksUntilTheCheckEnds) {
    sources.updates->holdsChecks = true;
    auto card = makeCard();
    card->setSelectedTab(SettingsOverlayTab::about);
    PopoverPushButton* button = card->updateButton();
    click(button);
    runtime.runUntilIdle();
    EXPECT_TRUE(card->isCheckingForUpdate());
    EXPECT_TRUE(button->isBusy());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(button->spinner()->isVisibleTo(card.get()));
    EXPECT_EQ(button->sizeHint().width(), 14 + 16);
    click(button);
    card->checkForUpdate();
    runtime.runUntilIdle();
    EXPECT_EQ(sources.updates->checks, 1);

    sources.updates->result = UpdateCheckResult::checkFailed();
    ASSERT_TRUE(sources.updates->finishHeldCheck());
    runtime.runUntilIdle();
    EXPECT_FALSE(card->isCheckingForUpdate());
    EXPECT_FALSE(button->isBusy());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(button->spinner()->isVisibleTo(card.get()));
}

TEST_F(SettingsOverlayCardTest, ACheckOutlivesTheCardThatStartedIt) {
    sources.updates->holdsChecks = true;
    auto card = makeCard();
    card->checkForUpdate();
    runtime.runUntilIdle();
    card.reset();
    sources.updates->result = UpdateCheckResult::updateAvailable(offered(std::nullopt));
    ASSERT_TRUE(sources.updates->finishHeldCheck());
    runtime.runUntilIdle();
    EXPECT_TRUE(sources.sources.appUpdateController->availableUpdate().value().has_value());
}
