#include "Platform/UserNotifications/FreedesktopNotificationCenter.h"

#include "Platform/UserNotifications/NotificationBodyText.h"
#include "Platform/UserNotifications/UserNotificationError.h"
#include "Support/FakeNotificationServer.h"
#include "Support/PrivateSessionBus.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

#include <QDBusConnection>

using namespace Qt::Literals::StringLiterals;

namespace {

UserNotificationRequest updateRequest(const QString& buildNumber, const QString& version) {
    return {.identifier = u"app-update-"_s + buildNumber,
            .content = {.title = u"Update Available"_s,
                        .body = u"Pelmor "_s + version + u" is now available. Click to download."_s,
                        .playsDefaultSound = true,
                        .userInfo = {{u"type"_s, u"app-update"_s},
                                     {u"version"_s, version},
                                     {u"downloadURL"_s, u"https://example.com/Pelmor.dmg"_s}}}};
}

} // namespace

// The center and a fake notification server on a private bus, each on a
// connection of its own, as a desktop's server and the application would be.
class FreedesktopNotificationCenterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        serverConnection = bus.connect();
        ASSERT_TRUE(serverConnection.isConnected());
        center = FreedesktopNotificationCenter::create(bus.connect());
        center->setResponseHandler(
            [this](const UserNotificationResponse& response) { clicks.push_back(response); });
    }

    void startServer() { ASSERT_TRUE(server.registerOn(serverConnection)); }

    bool requestAuthorization() {
        return runtime.runPumpingEvents([this] { return center->requestAuthorization(); });
    }
    UserNotificationAuthorizationStatus authorizationStatus() {
        return runtime.runPumpingEvents([this] { return center->authorizationStatus(); });
    }
    void add(UserNotificationRequest request) {
        runtime.runPumpingEvents([this, request] { return center->add(request); });
    }
    std::optional<UserNotificationError> addFailure(UserNotificationRequest request) {
        try {
            add(std::move(request));
        } catch (const UserNotificationError& error) {
            return error;
        }
        return std::nullopt;
    }
    const FakeNotificationServer::Notification& lastNotification() const {
        return server.notifications().back();
    }

    // Signals from one sender arrive in order: once the marker click has
    // arrived, every signal sent before it has been handled.
    void clickMarkerAndWait(uint markerID) {
        const std::size_t before = clicks.size();
        server.ActionInvoked(markerID, u"default"_s);
        ASSERT_TRUE(runtime.pumpUntil([&] { return clicks.size() > before; }, 5'000));
    }

    TestRuntime runtime;
    PrivateSessionBus bus;
    QDBusConnection serverConnection{QString()};
    FakeNotificationServer server;
    std::shared_ptr<FreedesktopNotificationCenter> center;
    std::vector<UserNotificationResponse> clicks;
};

TEST_F(FreedesktopNotificationCenterTest, AuthorizationIsUndeterminedUntilRequested) {
    startServer();
    EXPECT_EQ(authorizationStatus(), UserNotificationAuthorizationStatus::notDetermined);
    EXPECT_TRUE(requestAuthorization());
    EXPECT_EQ(authorizationStatus(), UserNotificationAuthorizationStatus::authorized);
}

TEST_F(FreedesktopNotificationCenterTest, WithoutAServerAuthorizationIsDeniedUntilOneAnswers) {
    EXPECT_FALSE(requestAuthorization());
    EXPECT_EQ(authorizationStatus(), UserNotificationAuthorizationStatus::denied);
    EXPECT_EQ(addFailure(updateRequest(u"57"_s, u"1.4.2"_s)),
              UserNotificationError(UserNotificationError::NotAuthorized{}));

    startServer();
    EXPECT_EQ(authorizationStatus(), UserNotificationAuthorizationStatus::authorized);
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    EXPECT_EQ(server.notifications().size(), 1U);
}

TEST_F(FreedesktopNotificationCenterTest, WithoutABusNothingIsAuthorizedOrPosted) {
    const auto detached = FreedesktopNotificationCenter::create(
        QDBusConnection::connectToBus(u"unix:path=/nonexistent/pelmor-bus"_s, u"detached"_s));
    EXPECT_FALSE(runtime.runPumpingEvents([&] { return detached->requestAuthorization(); }));
    EXPECT_EQ(runtime.runPumpingEvents([&] { return detached->authorizationStatus(); }),
              UserNotificationAuthorizationStatus::denied);
    EXPECT_THROW(
        runtime.runPumpingEvents([&] { return detached->add(updateRequest(u"57"_s, u"1.4.2"_s)); }),
        UserNotificationError);
    QDBusConnection::disconnectFromBus(u"detached"_s);
}

TEST_F(FreedesktopNotificationCenterTest, NothingIsPostedBeforeAuthorizationIsRequested) {
    startServer();
    EXPECT_EQ(addFailure(updateRequest(u"57"_s, u"1.4.2"_s)),
              UserNotificationError(UserNotificationError::NotAuthorized{}));
    EXPECT_TRUE(server.notifications().empty());
}

TEST_F(FreedesktopNotificationCenterTest, PostsTheTitleAsSummaryAndTheBodyWithADefaultAction) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));

    ASSERT_EQ(server.notifications().size(), 1U);
    const auto& shown = lastNotification();
    EXPECT_EQ(shown.applicationName, u"Pelmor"_s);
    EXPECT_EQ(shown.summary, u"Update Available"_s);
    EXPECT_EQ(shown.body, u"Pelmor 1.4.2 is now available. Click to download."_s);
    EXPECT_EQ(shown.replacedID, 0U);
    EXPECT_EQ(shown.expireTimeout, -1);
    ASSERT_GE(shown.actions.size(), 2);
    EXPECT_EQ(shown.actions.first(), u"default"_s);
    EXPECT_FALSE(shown.hints.contains(u"suppress-sound"_s));
}

TEST_F(FreedesktopNotificationCenterTest, ASilentNotificationAsksTheServerNotToPlayASound) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    auto request = updateRequest(u"57"_s, u"1.4.2"_s);
    request.content.playsDefaultSound = false;
    add(request);
    EXPECT_EQ(lastNotification().hints.value(u"suppress-sound"_s), QVariant(true));
}

TEST_F(FreedesktopNotificationCenterTest, ARepeatedIdentifierReplacesItsNotification) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    const uint first = lastNotification().assignedID;

    add(updateRequest(u"57"_s, u"1.4.2"_s));
    EXPECT_EQ(lastNotification().replacedID, first);
    EXPECT_EQ(lastNotification().assignedID, first);

    add(updateRequest(u"58"_s, u"1.4.3"_s));
    EXPECT_EQ(lastNotification().replacedID, 0U);
    EXPECT_NE(lastNotification().assignedID, first);
    EXPECT_TRUE(server.closeRequests().empty());
}

TEST_F(FreedesktopNotificationCenterTest, AServerThatDoesNotReplaceIsAskedToCloseTheEarlierOne) {
    server.honoursReplacement = false;
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    const uint first = lastNotification().assignedID;
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    ASSERT_TRUE(runtime.pumpUntil([&] { return !server.closeRequests().empty(); }, 5'000));
    EXPECT_EQ(server.closeRequests(), std::vector<uint>{first});
}

TEST_F(FreedesktopNotificationCenterTest, AClosedNotificationIsNotReplacedNorReportedAsClicked) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    const uint closed = lastNotification().assignedID;
    server.NotificationClosed(closed, 2);
    server.ActionInvoked(closed, u"default"_s);
    add(updateRequest(u"58"_s, u"1.4.3"_s));
    clickMarkerAndWait(lastNotification().assignedID);
    EXPECT_EQ(clicks.size(), 1U);
    EXPECT_EQ(clicks.front().identifier, u"app-update-58"_s);

    add(updateRequest(u"57"_s, u"1.4.2"_s));
    EXPECT_EQ(lastNotification().replacedID, 0U);
}

TEST_F(FreedesktopNotificationCenterTest, TheBodyIsEscapedWhereTheServerReadsMarkup) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"<b>2.0</b> & more"_s));
    EXPECT_EQ(lastNotification().body,
              u"Pelmor <b>2.0</b> & more is now available. Click to download."_s);

    server.capabilities.append(u"body-markup"_s);
    add(updateRequest(u"57"_s, u"<b>2.0</b> & more"_s));
    EXPECT_EQ(lastNotification().body,
              u"Pelmor &lt;b&gt;2.0&lt;/b&gt; &amp; more is now available. Click to download."_s);
}

TEST_F(FreedesktopNotificationCenterTest, ALongBodyIsCut) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, QString(2'000, u'9')));
    EXPECT_EQ(lastNotification().body.size(), NotificationBodyText::maximumLength);
}

TEST_F(FreedesktopNotificationCenterTest, ARefusedNotificationFailsToBeDelivered) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    server.refusesNotifications = true;
    const auto failure = addFailure(updateRequest(u"57"_s, u"1.4.2"_s));
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->as<UserNotificationError::DeliveryFailed>(), nullptr);
}

TEST_F(FreedesktopNotificationCenterTest, TheDefaultActionReportsAClickWithTheUserInformation) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    const uint notificationID = lastNotification().assignedID;

    server.ActionInvoked(notificationID, u"Open"_s);          // not the default action
    server.ActionInvoked(notificationID + 100, u"default"_s); // another application's
    clickMarkerAndWait(notificationID);

    ASSERT_EQ(clicks.size(), 1U);
    EXPECT_EQ(clicks.front(),
              (UserNotificationResponse{.identifier = u"app-update-57"_s,
                                        .userInfo =
                                            updateRequest(u"57"_s, u"1.4.2"_s).content.userInfo}));
}

TEST_F(FreedesktopNotificationCenterTest,
       AClickOnAReplacedNotificationCarriesTheNewUserInformation) {
    startServer();
    ASSERT_TRUE(requestAuthorization());
    add(updateRequest(u"57"_s, u"1.4.2"_s));
    auto replacement = updateRequest(u"57"_s, u"1.4.2"_s);
    replacement.content.userInfo[u"downloadURL"_s] = u"https://example.com/other.dmg"_s;
    add(replacement);

    clickMarkerAndWait(lastNotification().assignedID);
    EXPECT_EQ(clicks.back().userInfo, replacement.content.userInfo);
}
