#include "App/SettingsScene.h"

#include "AppDelegateFixture.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Settings/SettingsAboutPage.h"
#include "UI/Settings/SettingsGeneralPage.h"
#include "UI/Settings/SettingsUpdateCard.h"
#include "UI/Settings/SettingsView.h"
#include "UI/Settings/SettingsWindow.h"

#include <QApplication>

class SettingsSceneTest : public AppDelegateFixture {
protected:
    static int shownSettingsViews() {
        int count = 0;
        for (const QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<const SettingsView*>(widget) && widget->isVisible()) {
                ++count;
            }
        }
        return count;
    }

    static void nextTurns() {
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::shared_ptr<AppDelegate> delegate = AppDelegate::create(environment());
};

TEST_F(SettingsSceneTest, NothingIsBuiltUntilTheSettingsAreAskedFor) {
    SettingsScene scene(*delegate);
    EXPECT_EQ(scene.window(), nullptr);
    EXPECT_EQ(shownSettingsViews(), 0);
}

TEST_F(SettingsSceneTest, EveryOpeningShowsTheOneWindowOverTheSharedUpdateController) {
    EXPECT_EQ(SettingsScene::viewDependencies(*delegate).appUpdateController,
              delegate->appUpdateController());
    SettingsScene scene(*delegate);
    scene.show();
    scene.show();
    SettingsWindow* window = scene.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(shownSettingsViews(), 1);

    window->close();
    nextTurns();
    EXPECT_EQ(shownSettingsViews(), 0);
    scene.show();
    ASSERT_EQ(scene.window(), window);
    EXPECT_EQ(shownSettingsViews(), 1);

    // What the delegate's controller finds is what the window shows.
    updates->result = UpdateCheckResult::updateAvailable(
        {.version = QStringLiteral("9.0.0"),
         .buildNumber = 90,
         .releaseDate = QStringLiteral("2026-05-01"),
         .downloadUrl = QStringLiteral("https://updates.example/pelmor-9.0.0.tar.gz"),
         .releaseNotes = std::nullopt,
         .minimumSystemVersion = std::nullopt});
    runtime.runToCompletion(
        [&] { return delegate->appUpdateController()->checkForUpdateManually(); });
    window->view()->selectTab(SettingsTab::about);
    EXPECT_TRUE(window->view()->aboutPage()->updateCard()->isVisible());
    scene.window()->close();
    nextTurns();
}

TEST_F(SettingsSceneTest, TheWindowAndThePopoverFollowEachOthersBatteryMode) {
    SettingsScene scene(*delegate);
    scene.show();
    SwitchToggle* toggle = scene.window()->view()->generalPage()->batteryFriendlySwitch();
    ASSERT_TRUE(toggle->isChecked());
    delegate->lifecycleController()->setBatteryFriendly(false);
    nextTurns();
    EXPECT_FALSE(toggle->isChecked());
    toggle->click();
    nextTurns();
    EXPECT_TRUE(delegate->lifecycleController()->isBatteryFriendly().value())
        << "the popover's card shows what the window set";
    scene.window()->close();
    nextTurns();
}

// The file edited by hand while Pelmor runs: the switch, opened after it,
// shows the pace Pelmor polls at.
TEST_F(SettingsSceneTest, TheBatterySwitchShowsTheModeInForceAfterAHandEdit) {
    delegate->applicationDidFinishLaunching();
    for (const bool handWritten : {false, true}) {
        SCOPED_TRACE(handWritten);
        store->store.setBatteryFriendly(handWritten);
        SettingsScene scene(*delegate);
        scene.show();
        nextTurns();
        EXPECT_EQ(scene.window()->view()->generalPage()->batteryFriendlySwitch()->isChecked(),
                  delegate->lifecycleController()->isBatteryFriendly().value());
        scene.window()->close();
        nextTurns();
    }
    delegate->applicationWillTerminate();
}
