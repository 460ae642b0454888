#include "UI/Settings/SettingsWindow.h"

#include "Platform/Foundation/PreferenceFile.h"
#include "SettingsTestEnvironment.h"
#include "Support/EventLoopWait.h"
#include "Support/QStringPrinter.h"
#include "UI/Settings/SettingsAboutPage.h"
#include "UI/Settings/SettingsUpdateCard.h"
#include "UI/Settings/SettingsView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace {

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class SettingsWindowTest : public testing::Test {
protected:
    SettingsTestEnvironment environment;
    SettingsWindow window{environment.dependencies()};
};

TEST_F(SettingsWindowTest, NothingOpensUntilAsked) {
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(window.view(), nullptr);
    EXPECT_EQ(environment.controllersMade, 0);
}

TEST_F(SettingsWindowTest, ItOpensTitledAtItsIdealSize) {
    window.show();
    ASSERT_TRUE(window.isOpen());
    SettingsView* view = window.view();
    EXPECT_TRUE(view->isWindow());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), u"Pelmor Settings"_s);
    EXPECT_EQ(view->size(), QSize(760, 460));
    EXPECT_EQ(view->minimumSize(), QSize(720, 440));
    EXPECT_EQ(environment.controllersMade, 1);
}

TEST_F(SettingsWindowTest, ShowingItAgainRaisesTheSameWindow) {
    window.show();
    SettingsView* first = window.view();
    first->selectTab(SettingsTab::about);
    window.show();
    EXPECT_EQ(window.view(), first);
    EXPECT_EQ(window.view()->selectedTab(), SettingsTab::about);
    EXPECT_EQ(environment.controllersMade, 1);
}

TEST_F(SettingsWindowTest, ReopeningAfterClosingBuildsAFreshViewOnTheSameUpdateController) {
    window.show();
    window.view()->selectTab(SettingsTab::about);
    window.close();
    deleteClosedWindows();
    EXPECT_FALSE(window.isOpen());

    window.show();
    ASSERT_TRUE(window.isOpen());
    EXPECT_EQ(window.view()->selectedTab(), SettingsTab::general);
    EXPECT_EQ(environment.controllersMade, 2);

    environment.updateCheck->result =
        UpdateCheckResult::updateAvailable(SettingsTestEnvironment::update(u"2.1.0"_s));
    environment.runtime.runToCompletion(
        [this] { return environment.updateController->checkForUpdateManually(); });
    window.view()->selectTab(SettingsTab::about);
    EXPECT_TRUE(window.view()->aboutPage()->updateCard()->isVisible());
}

TEST_F(SettingsWindowTest, ItOpensCentredFirstThenWhereItWasLeft) {
    const auto frames =
        std::make_shared<PreferenceFile>(environment.configHome.filePath("frames.ini"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    SettingsWindow placed(environment.dependencies(), frames);
    placed.show();
    // Centred before it is shown, when its decorations are not known yet.
    EXPECT_LE((placed.view()->geometry().center() - screen.center()).manhattanLength(), 4);

    const QRect moved(screen.topLeft() + QPoint(30, 40), QSize(740, 450));
    placed.view()->setGeometry(moved);
    placed.close();
    deleteClosedWindows();
    placed.show();
    EXPECT_EQ(placed.view()->geometry(), moved);

    SettingsWindow nextRun(environment.dependencies(), frames);
    nextRun.show();
    EXPECT_EQ(nextRun.view()->geometry(), moved);
}

TEST_F(SettingsWindowTest, AWindowClosedMaximisedReopensAtItsNormalFrame) {
    const auto frames =
        std::make_shared<PreferenceFile>(environment.configHome.filePath("frames.ini"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect normal(screen.topLeft() + QPoint(30, 40), QSize(740, 450));
    const struct {
        const char* what;
        Qt::WindowState state;
    } cases[] = {{"maximised", Qt::WindowMaximized}, {"full screen", Qt::WindowFullScreen}};
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        SettingsWindow placed(environment.dependencies(), frames);
        placed.show();
        // Moved by the user once it is placed: a frame counts once it has
        // stayed a moment.
        const QString key = QStringLiteral("WindowFrames/") + SettingsWindow::frameAutosaveName;
        ASSERT_TRUE(processEventsUntil([&] { return frames->value(key).isValid(); }));
        placed.view()->setGeometry(normal);
        ASSERT_TRUE(processEventsUntil([&] { return frames->value(key).toRect() == normal; }));
        placed.view()->setWindowState(testCase.state);
        QCoreApplication::processEvents();
        ASSERT_NE(placed.view()->geometry(), normal);
        placed.close();
        deleteClosedWindows();
        placed.show();
        EXPECT_EQ(placed.view()->windowState() & testCase.state, Qt::WindowNoState);
        EXPECT_EQ(placed.view()->geometry(), normal);
        placed.close();
        deleteClosedWindows();
    }
}
