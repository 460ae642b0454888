#include "AppState/WorkspaceSleepWakeObserver.h"

#include "Platform/Power/LogindSleepSignalListener.h"
#include "Support/EventLoopWait.h"
#include "Support/PrivateDBusDaemon.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusMessage>
#include <QThread>

class WorkspaceSleepWakeObserverTest : public testing::Test {
protected:
    WorkspaceSleepWakeObserverTest() {
        observer->setOnWillSleep([this] { events.push_back(QStringLiteral("will sleep")); });
        observer->setOnDidWake([this] { events.push_back(QStringLiteral("did wake")); });
    }

    std::shared_ptr<SleepWakeNotificationCenter> center =
        std::make_shared<SleepWakeNotificationCenter>();
    std::unique_ptr<WorkspaceSleepWakeObserver> observer =
        std::make_unique<WorkspaceSleepWakeObserver>(center);
    QStringList events;
};

TEST_F(WorkspaceSleepWakeObserverTest, ReportsSleepAndWakeOnlyWhileStarted) {
    center->post(SleepWakeNotification::willSleep);
    EXPECT_TRUE(events.isEmpty());
    observer->start();
    center->post(SleepWakeNotification::willSleep);
    center->post(SleepWakeNotification::didWake);
    EXPECT_EQ(events, (QStringList{"will sleep", "did wake"}));
    observer->stop();
    EXPECT_EQ(center->observerCount(), 0u);
    center->post(SleepWakeNotification::didWake);
    EXPECT_EQ(events.size(), 2);
}

TEST_F(WorkspaceSleepWakeObserverTest, StartTwiceRegistersTwoObserversAndARestartTwoFreshOnes) {
    observer->start();
    observer->start();
    EXPECT_EQ(center->observerCount(), 2u);
    center->post(SleepWakeNotification::willSleep);
    EXPECT_EQ(events.size(), 1) << "a notification was reported twice";
    observer->stop();
    observer->start();
    EXPECT_EQ(center->observerCount(), 2u);
    center->post(SleepWakeNotification::didWake);
    EXPECT_EQ(events, (QStringList{"will sleep", "did wake"}));
}

TEST_F(WorkspaceSleepWakeObserverTest, CallbacksAreReadWhenTheNotificationArrives) {
    observer->start();
    int replacementCount = 0;
    observer->setOnDidWake([&] { ++replacementCount; });
    observer->setOnWillSleep(nullptr);
    center->post(SleepWakeNotification::willSleep);
    center->post(SleepWakeNotification::didWake);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(replacementCount, 1);
}

TEST_F(WorkspaceSleepWakeObserverTest, ADestroyedObserverLeavesNoRegistrationBehind) {
    observer->start();
    observer.reset();
    EXPECT_EQ(center->observerCount(), 0u);
    center->post(SleepWakeNotification::willSleep);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(WorkspaceSleepWakeObserverTest, ACallbackMayDestroyItsObserver) {
    observer->setOnWillSleep([this] {
        events.push_back(QStringLiteral("will sleep"));
        observer.reset();
    });
    observer->start();
    center->post(SleepWakeNotification::willSleep);
    center->post(SleepWakeNotification::didWake);
    EXPECT_EQ(events, QStringList{"will sleep"});
    EXPECT_EQ(center->observerCount(), 0u);
}

// The whole chain on a bus of the test's own, with the test in logind's place.
TEST_F(WorkspaceSleepWakeObserverTest, ReportsLogindsPrepareForSleepOnTheMainThread) {
    PrivateDBusDaemon daemon;
    const QString whyNot = daemon.start();
    if (!whyNot.isEmpty()) {
        GTEST_SKIP() << "Skipped: no private message bus (" << whyNot.toStdString() << ").";
    }
    const QString logindName = QStringLiteral("workspace-observer-logind");
    {
        QDBusConnection logind = QDBusConnection::connectToBus(daemon.address(), logindName);
        ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
        const LogindSleepSignalListener listener(
            [&](const QString& name) {
                return QDBusConnection::connectToBus(daemon.address(), name);
            },
            center);
        ASSERT_TRUE(listener.isListening());

        std::vector<bool> onMainThread;
        const auto record = [&](const QString& event) {
            events.push_back(event);
            onMainThread.push_back(QThread::currentThread() ==
                                   QCoreApplication::instance()->thread());
        };
        observer->setOnWillSleep([&] { record(QStringLiteral("will sleep")); });
        observer->setOnDidWake([&] { record(QStringLiteral("did wake")); });
        observer->start();
        for (const bool isGoingToSleep : {true, false}) {
            QDBusMessage signal =
                QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                           QStringLiteral("PrepareForSleep"));
            signal << isGoingToSleep;
            ASSERT_TRUE(logind.send(signal));
        }
        EXPECT_TRUE(processEventsUntil([&] { return events.size() == 2; }));
        EXPECT_EQ(events, (QStringList{"will sleep", "did wake"}));
        EXPECT_EQ(onMainThread, (std::vector<bool>{true, true}));
    }
    QDBusConnection::disconnectFromBus(logindName);
}
