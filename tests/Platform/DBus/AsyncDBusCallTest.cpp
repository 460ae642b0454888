#include "Platform/DBus/AsyncDBusCall.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/FakeNotificationServer.h"
#include "Support/PrivateSessionBus.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

#include <QDBusError>
#include <QElapsedTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

QDBusMessage capabilitiesCall(const QString& service = u"org.freedesktop.Notifications"_s) {
    return QDBusMessage::createMethodCall(service, u"/org/freedesktop/Notifications"_s,
                                          u"org.freedesktop.Notifications"_s, u"GetCapabilities"_s);
}

} // namespace

// Calls a fake server on a private bus, from a second connection.
class AsyncDBusCallTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        ASSERT_TRUE(server.registerOn(bus.connect()));
        client = bus.connect();
    }

    QDBusMessage call(const QDBusMessage& message, int timeoutMilliseconds = 5'000) {
        return runtime.runPumpingEvents(
            [this, message, timeoutMilliseconds] {
                return asyncDBusCall(client, message, timeoutMilliseconds);
            },
            20'000);
    }

    TestRuntime runtime;
    PrivateSessionBus bus;
    FakeNotificationServer server;
    QDBusConnection client{QString()};
};

TEST_F(AsyncDBusCallTest, ResumesWithTheReply) {
    const QDBusMessage reply = call(capabilitiesCall());
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(reply.arguments().value(0).toStringList(), server.capabilities);
}

TEST_F(AsyncDBusCallTest, ResumesWithTheErrorReplyOfAMissingService) {
    const QDBusMessage reply = call(capabilitiesCall(u"org.example.Missing"_s));
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(QDBusError(reply).type(), QDBusError::ServiceUnknown);
}

TEST_F(AsyncDBusCallTest, ACallNeverAnsweredEndsAtItsTimeout) {
    server.holdsCapabilityReplies = true;
    QElapsedTimer elapsed;
    elapsed.start();
    const QDBusMessage reply = call(capabilitiesCall(), 200);
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(QDBusError(reply).type(), QDBusError::NoReply);
    EXPECT_LT(elapsed.elapsed(), 10'000);
}

TEST_F(AsyncDBusCallTest, CancellingEndsTheWaitAtOnce) {
    server.holdsCapabilityReplies = true;
    auto handle =
        Async::spawn([this] { return asyncDBusCall(client, capabilitiesCall(), 60'000); });
    ASSERT_TRUE(runtime.pumpUntil([&] { return server.capabilityRequestCount() == 1; }, 5'000));
    handle.cancel();
    ASSERT_TRUE(runtime.pumpUntil([&] { return handle.isFinished(); }, 5'000));
    EXPECT_THROW(
        runtime.runToCompletion([handle]() -> Async::Task<void> { co_await handle.join(); }),
        Async::CancellationError);
}

TEST_F(AsyncDBusCallTest, ATaskCancelledBeforeTheCallSendsNothing) {
    auto handle = Async::spawn([this] { return asyncDBusCall(client, capabilitiesCall(), 5'000); });
    handle.cancel();
    runtime.runUntilIdle();
    ASSERT_TRUE(handle.isFinished());
    EXPECT_THROW(
        runtime.runToCompletion([handle]() -> Async::Task<void> { co_await handle.join(); }),
        Async::CancellationError);

    // Calls from one connection arrive in order: had the first been sent, the
    // server would have seen it before this one.
    call(capabilitiesCall());
    EXPECT_EQ(server.capabilityRequestCount(), 1);
}
