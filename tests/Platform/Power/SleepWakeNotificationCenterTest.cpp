#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <gtest/gtest.h>

#include <QStringList>

class SleepWakeNotificationCenterTest : public testing::Test {
protected:
    SleepWakeNotificationCenter::ObserverToken add(SleepWakeNotification name,
                                                   const QString& label) {
        return center.addObserver(name, [this, label] { calls.push_back(label); });
    }

    SleepWakeNotificationCenter center;
    QStringList calls;
};

TEST_F(SleepWakeNotificationCenterTest, PostRunsTheBlocksOfThatNotificationInRegistrationOrder) {
    add(SleepWakeNotification::willSleep, "first");
    add(SleepWakeNotification::didWake, "wake");
    add(SleepWakeNotification::willSleep, "second");
    center.post(SleepWakeNotification::willSleep);
    EXPECT_EQ(calls, (QStringList{"first", "second"}));
    center.post(SleepWakeNotification::didWake);
    EXPECT_EQ(calls, (QStringList{"first", "second", "wake"}));
}

TEST_F(SleepWakeNotificationCenterTest, RemovedRegistrationsNoLongerRunAndUnknownTokensAreIgnored) {
    const auto first = add(SleepWakeNotification::willSleep, "first");
    add(SleepWakeNotification::willSleep, "second");
    EXPECT_NE(first, add(SleepWakeNotification::willSleep, "third"));
    center.removeObserver(first);
    center.removeObserver(first);
    center.removeObserver(999);
    EXPECT_EQ(center.observerCount(), 2u);
    center.post(SleepWakeNotification::willSleep);
    EXPECT_EQ(calls, (QStringList{"second", "third"}));
}

TEST_F(SleepWakeNotificationCenterTest, ABlockMayChangeTheRegistrationsWhileAPostRuns) {
    SleepWakeNotificationCenter::ObserverToken second = 0;
    SleepWakeNotificationCenter::ObserverToken first = 0;
    first = center.addObserver(SleepWakeNotification::didWake, [&] {
        calls.push_back(QStringLiteral("first"));
        center.removeObserver(first);
        center.removeObserver(second);
        add(SleepWakeNotification::didWake, "added");
    });
    second = add(SleepWakeNotification::didWake, "second");
    center.post(SleepWakeNotification::didWake);
    EXPECT_EQ(calls, QStringList{"first"});
    center.post(SleepWakeNotification::didWake);
    EXPECT_EQ(calls, (QStringList{"first", "added"}));
}
