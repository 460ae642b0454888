#include "Core/AppUpdateController.h"

#include "Core/DateProvider.h"
#include "Core/TaskSleeper.h"
#include "Platform/Async/Continuation.h"
#include "Platform/UserNotifications/FreedesktopNotificationCenter.h"
#include "Support/AppUpdatePrinters.h"
#include "Support/FakeNotificationPoster.h"
#include "Support/FakeNotificationServer.h"
#include "Support/PrivateSessionBus.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

AvailableUpdate update(std::int64_t buildNumber, const QString& version = u"2.1.0"_s) {
    return {.version = version,
            .buildNumber = buildNumber,
            .releaseDate = u"2025-03-14"_s,
            .downloadUrl = u"https://updates.example/releases/pelmor-"_s + version + u".dmg"_s,
            .releaseNotes = std::nullopt,
            .minimumSystemVersion = std::nullopt};
}

UserNotificationRequest announcement(const AvailableUpdate& update) {
    return {.identifier = u"app-update-"_s + QString::number(update.buildNumber),
            .content = {.title = u"Update Available"_s,
                        .body = u"Pelmor "_s + update.version +
                                u" is now available. Click to download."_s,
                        .playsDefaultSound = true,
                        .userInfo = {{u"type"_s, u"app-update"_s},
                                     {u"version"_s, update.version},
                                     {u"downloadURL"_s, update.downloadUrl}}}};
}

// Answers each check with `result`, stamping when it was asked; a check can be held open.
class ScriptedUpdateChecker final : public AppUpdateChecking {
public:
    explicit ScriptedUpdateChecker(DateProvider clock) : clock_(std::move(clock)) {}

    UpdateCheckResult result = UpdateCheckResult::upToDate();
    bool holdsChecks = false;
    std::vector<Date> checkDates;

    Async::Task<UpdateCheckResult> checkForUpdate() override {
        checkDates.push_back(clock_());
        if (holdsChecks) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { held_ = continuation; });
        }
        co_return result;
    }

    bool finishHeldCheck() { return held_ && std::exchange(held_, std::nullopt)->resume(); }

private:
    DateProvider clock_;
    std::optional<Async::Continuation<void>> held_;
};

} // namespace

// The controller over a scripted check and a recording notification center,
// sleeping on the virtual clock.
class AppUpdateControllerTest : public testing::Test {
protected:
    std::shared_ptr<AppUpdateController>
    makeController(std::shared_ptr<UserNotificationPosting> notificationCenter) {
        return AppUpdateController::create(
            checker, AppUpdateController::defaultCheckInterval, std::move(notificationCenter),
            [this](const QUrl& url) {
                opened.push_back(url);
                return true;
            },
            std::make_shared<TaskSleeper>());
    }

    void checkManually() {
        runtime.runToCompletion([this] { return controller->checkForUpdateManually(); });
    }

    void finds(const AvailableUpdate& found) {
        checker->result = UpdateCheckResult::updateAvailable(found);
    }

    // Seconds from the start of the test to each check.
    std::vector<double> checkTimes() const {
        std::vector<double> seconds;
        for (const Date date : checker->checkDates) {
            seconds.push_back(
                std::chrono::duration<double>(date - TestRuntime::startDate()).count());
        }
        return seconds;
    }

    const std::optional<AvailableUpdate>& published() const {
        return controller->availableUpdate().value();
    }

    static constexpr double day = AppUpdateController::defaultCheckInterval;

    TestRuntime runtime;
    std::shared_ptr<ScriptedUpdateChecker> checker =
        std::make_shared<ScriptedUpdateChecker>(runtime.clock().dateProvider());
    std::shared_ptr<FakeNotificationPoster> poster = std::make_shared<FakeNotificationPoster>();
    std::vector<QUrl> opened;
    std::shared_ptr<AppUpdateController> controller = makeController(poster);
};

TEST_F(AppUpdateControllerTest, ChecksFiveSecondsAfterStartingThenOncePerInterval) {
    controller->startPeriodicChecks();
    runtime.advance(4.999);
    EXPECT_TRUE(checker->checkDates.empty());
    runtime.advance(0.001);
    runtime.advance(2 * day);
    EXPECT_EQ(checkTimes(), (std::vector<double>{5.0, 5.0 + day, 5.0 + 2 * day}));
    EXPECT_EQ(controller->checkInterval(), 86'400.0);
}

TEST_F(AppUpdateControllerTest, TheIntervalCountsFromTheEndOfTheLastCheck) {
    checker->holdsChecks = true;
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    runtime.advance(2 * day);
    EXPECT_EQ(checkTimes(), std::vector<double>{5.0}) << "checks overlapped";
    ASSERT_TRUE(checker->finishHeldCheck());
    runtime.advance(day - 1);
    EXPECT_EQ(checker->checkDates.size(), 1u);
    runtime.advance(1);
    EXPECT_EQ(checkTimes(), (std::vector<double>{5.0, 5.0 + 3 * day}));
}

TEST_F(AppUpdateControllerTest, StartingAgainReplacesTheLoopAndCancellingEndsIt) {
    controller->startPeriodicChecks();
    runtime.advance(3.0);
    controller->startPeriodicChecks();
    runtime.advance(4.9);
    EXPECT_TRUE(checker->checkDates.empty()) << "the first loop still ran";
    runtime.advance(0.1);
    runtime.advance(day);
    EXPECT_EQ(checkTimes(), (std::vector<double>{8.0, 8.0 + day}));

    ASSERT_TRUE(controller->checkTask().isValid());
    controller->cancelPeriodicChecks();
    EXPECT_FALSE(controller->checkTask().isValid());
    runtime.advance(2 * day);
    EXPECT_EQ(checker->checkDates.size(), 2u);
}

TEST_F(AppUpdateControllerTest, EachNewBuildIsAnnouncedOnce) {
    finds(update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    EXPECT_EQ(poster->added, std::vector<UserNotificationRequest>{announcement(update(121))});
    EXPECT_EQ(published(), update(121));

    AvailableUpdate moved = update(121);
    moved.downloadUrl = u"https://mirror.example/pelmor-2.1.0.dmg"_s;
    finds(moved);
    runtime.advance(day);
    EXPECT_EQ(poster->added.size(), 1u) << "the same build was announced again";
    EXPECT_EQ(published(), moved);

    finds(update(122, u"2.1.1"_s));
    runtime.advance(day);
    EXPECT_EQ(poster->added,
              (std::vector<UserNotificationRequest>{announcement(update(121)),
                                                    announcement(update(122, u"2.1.1"_s))}));
    EXPECT_EQ(published(), update(122, u"2.1.1"_s));
}

TEST_F(AppUpdateControllerTest, AFailedCheckKeepsTheUpdateAndUpToDateForgetsIt) {
    finds(update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    checker->result = UpdateCheckResult::checkFailed();
    runtime.advance(day);
    EXPECT_EQ(published(), update(121));

    checker->result = UpdateCheckResult::upToDate();
    runtime.advance(day);
    EXPECT_FALSE(published());

    finds(update(121));
    runtime.advance(day);
    EXPECT_EQ(poster->added.size(), 2u)
        << "a build found again after up to date is announced again";
}

TEST_F(AppUpdateControllerTest, AManualCheckPublishesButNeverNotifies) {
    finds(update(121));
    checkManually();
    EXPECT_EQ(published(), update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    EXPECT_EQ(checker->checkDates.size(), 2u);
    EXPECT_TRUE(poster->added.empty()) << "the periodic check announced what the manual one found";
    EXPECT_EQ(poster->authorizationRequestCount, 0);

    finds(update(122, u"2.1.1"_s));
    checkManually();
    EXPECT_TRUE(poster->added.empty());
    EXPECT_EQ(published(), update(122, u"2.1.1"_s));
    checker->result = UpdateCheckResult::checkFailed();
    checkManually();
    EXPECT_EQ(published(), update(122, u"2.1.1"_s));
    checker->result = UpdateCheckResult::upToDate();
    checkManually();
    EXPECT_FALSE(published());
}

TEST_F(AppUpdateControllerTest, PermissionIsAskedOnceAndNothingIsPostedWithoutIt) {
    poster->status = UserNotificationAuthorizationStatus::notDetermined;
    poster->decisionOnRequest = UserNotificationAuthorizationStatus::denied;
    finds(update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    EXPECT_EQ(poster->authorizationRequestCount, 1);
    EXPECT_TRUE(poster->added.empty());
    EXPECT_EQ(published(), update(121)) << "the settings still show the update";

    finds(update(122, u"2.1.1"_s));
    runtime.advance(day);
    EXPECT_EQ(poster->authorizationRequestCount, 1) << "a decided permission was asked again";
    EXPECT_TRUE(poster->added.empty());
}

TEST_F(AppUpdateControllerTest, AGrantedRequestPostsAndFailuresAreSwallowed) {
    poster->status = UserNotificationAuthorizationStatus::notDetermined;
    poster->decisionOnRequest = std::nullopt;
    finds(update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    EXPECT_TRUE(poster->added.empty()) << "posted after the request failed";

    poster->decisionOnRequest = UserNotificationAuthorizationStatus::authorized;
    finds(update(122, u"2.1.1"_s));
    runtime.advance(day);
    EXPECT_EQ(poster->added,
              std::vector<UserNotificationRequest>{announcement(update(122, u"2.1.1"_s))});

    poster->failsDelivery = true;
    finds(update(123, u"2.2.0"_s));
    runtime.advance(day);
    finds(update(124, u"2.3.0"_s));
    runtime.advance(day);
    EXPECT_EQ(checker->checkDates.size(), 4u) << "a failed delivery ended the loop";
    EXPECT_EQ(published(), update(124, u"2.3.0"_s));
}

TEST_F(AppUpdateControllerTest, OnlyWebURLsAreOpened) {
    controller->openDownloadPage(std::nullopt);
    controller->openDownloadPage(u""_s);
    controller->openDownloadPage(u"file:///Applications/Pelmor.app"_s);
    controller->openDownloadPage(u"ftp://updates.example/pelmor.dmg"_s);
    controller->openDownloadPage(u"javascript:alert(1)"_s);
    controller->openDownloadPage(u"https://updates.example/%zz"_s);
    controller->openDownloadPage(u"updates.example/pelmor.dmg"_s);
    EXPECT_TRUE(opened.empty());

    controller->openDownloadPage(u"  HTTPS://updates.example/pelmor-2.1.0.dmg \n"_s);
    finds(update(121));
    checkManually();
    controller->openDownloadPage(std::nullopt);
    EXPECT_EQ(opened, (std::vector<QUrl>{QUrl(u"https://updates.example/pelmor-2.1.0.dmg"_s),
                                         QUrl(update(121).downloadUrl)}));
}

TEST_F(AppUpdateControllerTest, AClickOnTheUpdateNotificationOpensItsDownload) {
    ASSERT_TRUE(poster->click({{u"type"_s, u"app-update"_s}}));
    EXPECT_TRUE(opened.empty()) << "nothing to open without a download address";

    poster->click({{u"type"_s, u"app-update"_s},
                   {u"downloadURL"_s, u"https://updates.example/pelmor-2.2.0.dmg"_s}});
    poster->click(
        {{u"type"_s, u"App-Update"_s}, {u"downloadURL"_s, u"https://updates.example/other.dmg"_s}});
    poster->click({{u"downloadURL"_s, u"https://updates.example/other.dmg"_s}});
    finds(update(121));
    checkManually();
    poster->click({{u"type"_s, u"app-update"_s}});
    EXPECT_EQ(opened, (std::vector<QUrl>{QUrl(u"https://updates.example/pelmor-2.2.0.dmg"_s),
                                         QUrl(update(121).downloadUrl)}));
}

TEST_F(AppUpdateControllerTest, AControllerReleasedBeforeItsLoopRunsChecksNothing) {
    controller->startPeriodicChecks();
    controller.reset();
    runtime.advance(2 * day);
    EXPECT_TRUE(checker->checkDates.empty());
    poster->click({{u"type"_s, u"app-update"_s},
                   {u"downloadURL"_s, u"https://updates.example/pelmor-2.1.0.dmg"_s}});
    EXPECT_TRUE(opened.empty());
}

TEST_F(AppUpdateControllerTest, ADesktopNotificationClickedOpensTheDownload) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    FakeNotificationServer server;
    ASSERT_TRUE(server.registerOn(bus.connect()));
    controller = makeController(FreedesktopNotificationCenter::create(bus.connect()));

    finds(update(121));
    controller->startPeriodicChecks();
    runtime.advance(5.0);
    ASSERT_TRUE(runtime.pumpUntil([&] { return !server.notifications().empty(); }));
    const auto& shown = server.notifications().front();
    EXPECT_EQ(shown.summary, u"Update Available"_s);
    EXPECT_EQ(shown.body, u"Pelmor 2.1.0 is now available. Click to download."_s);
    EXPECT_TRUE(shown.actions.contains(u"default"_s));
    // Once the loop sleeps again the center has taken in the server's answer.
    const std::optional<std::uint64_t> oneDay = TaskSleeper::nanoseconds(day);
    ASSERT_TRUE(
        runtime.pumpUntil([&] { return runtime.clock().nanosecondsUntilNextTimer() == oneDay; }));

    server.ActionInvoked(shown.assignedID, u"default"_s);
    ASSERT_TRUE(runtime.pumpUntil([&] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl(update(121).downloadUrl)});
}
