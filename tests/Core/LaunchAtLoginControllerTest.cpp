#include "Core/LaunchAtLoginController.h"

#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The real autostart entry, with every change the controller asks for counted.
class CountingLoginItems final : public LoginItemService {
public:
    using LoginItemService::LoginItemService;
    int changes = 0;
    std::optional<Status> forcedStatus;

    Status status() const override { return forcedStatus.value_or(LoginItemService::status()); }
    void registerItem() override {
        ++changes;
        LoginItemService::registerItem();
    }
    void unregisterItem() override {
        ++changes;
        LoginItemService::unregisterItem();
    }
};

} // namespace

class LaunchAtLoginControllerTest : public testing::Test {
protected:
    TestRuntime runtime;
    NotificationCenter center;
    QTemporaryDir configHome;
    std::shared_ptr<CountingLoginItems> loginItems = std::make_shared<CountingLoginItems>(
        configHome.filePath("autostart"), LoginItemService::defaultCommand());
};

TEST_F(LaunchAtLoginControllerTest, EnablingAndDisablingChangeTheLoginItemOnlyWhenNeeded) {
    auto controller = LaunchAtLoginController::create(center, loginItems);
    EXPECT_FALSE(controller->isEnabled().value());
    EXPECT_EQ(controller->setEnabled(false), std::nullopt);
    EXPECT_EQ(loginItems->changes, 0);
    EXPECT_EQ(controller->setEnabled(true), std::nullopt);
    EXPECT_TRUE(controller->isEnabled().value());
    EXPECT_EQ(controller->setEnabled(true), std::nullopt);
    EXPECT_EQ(loginItems->changes, 1);
    EXPECT_EQ(controller->setEnabled(false), std::nullopt);
    EXPECT_FALSE(controller->isEnabled().value());
    EXPECT_EQ(loginItems->changes, 2);
}

// An entry that would not start this application (here one hidden by hand)
// shows as off; only turning it on replaces it, with an entry that does.
TEST_F(LaunchAtLoginControllerTest, AnEntryThatStartsNothingShowsOffAndOnlyTurningItOnReplacesIt) {
    const QByteArray handMade =
        "[Desktop Entry]\nType=Application\nExec=" + loginItems->defaultCommand().first().toUtf8() +
        "\nHidden=true\n";
    ASSERT_TRUE(QDir().mkpath(configHome.filePath("autostart")));
    QFile entry(loginItems->entryPath());
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write(handMade);
    entry.close();
    auto controller = LaunchAtLoginController::create(center, loginItems);
    EXPECT_FALSE(controller->isEnabled().value());
    EXPECT_EQ(controller->setEnabled(false), std::nullopt);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_EQ(entry.readAll(), handMade);
    entry.close();
    EXPECT_EQ(controller->setEnabled(true), std::nullopt);
    EXPECT_TRUE(controller->isEnabled().value());
    EXPECT_EQ(loginItems->changes, 1);
}

TEST_F(LaunchAtLoginControllerTest, ARefusedChangeGivesTheMessageAndTheRealState) {
    QFile blocker(configHome.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto blocked = std::make_shared<CountingLoginItems>(configHome.filePath("blocked/autostart"),
                                                        QStringList{"/usr/bin/pelmor"});
    auto controller = LaunchAtLoginController::create(center, blocked);
    const auto error = controller->setEnabled(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->errorDescription().startsWith("Failed to update login item: "));
    EXPECT_GT(error->errorDescription().size(), QString("Failed to update login item: ").size());
    EXPECT_FALSE(controller->isEnabled().value());
}

TEST_F(LaunchAtLoginControllerTest, BecomingActiveRefreshesAndControllersAgree) {
    auto first = LaunchAtLoginController::create(center, loginItems);
    auto second = LaunchAtLoginController::create(center, loginItems);
    loginItems->forcedStatus = LoginItemService::Status::requiresApproval;
    center.post(NotificationCenter::applicationDidBecomeActive);
    EXPECT_FALSE(first->requiresApproval().value()) << "refreshed inside the notification";
    runtime.runUntilIdle();
    for (const auto& controller : {first, second}) {
        EXPECT_FALSE(controller->isEnabled().value());
        EXPECT_TRUE(controller->requiresApproval().value());
    }
    loginItems->forcedStatus = LoginItemService::Status::enabled;
    center.post(NotificationCenter::applicationDidBecomeActive);
    runtime.runUntilIdle();
    EXPECT_TRUE(second->isEnabled().value());
    EXPECT_FALSE(second->requiresApproval().value());
}

TEST_F(LaunchAtLoginControllerTest, AReleasedControllerStopsObserving) {
    auto controller = LaunchAtLoginController::create(center, loginItems);
    controller.reset();
    center.post(NotificationCenter::applicationDidBecomeActive);
    center.post(LaunchAtLoginController::loginItemDidChange);
    EXPECT_EQ(runtime.executor().pendingCount(), 0u);
}
