#include "Platform/Power/LogindSleepSignalListener.h"

#include "Support/EventLoopWait.h"
#include "Support/PrivateDBusDaemon.h"
#include "Support/StallingMessageBus.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>

namespace {
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

// A bus of the test's own; one connection owns logind's name and sends its
// signal, another is the listener's.
class LogindSleepSignalListenerTest : public testing::Test {
protected:
    void SetUp() override {
        const QString whyNot = daemon.start();
        if (!whyNot.isEmpty()) {
            GTEST_SKIP() << "Skipped: no private message bus (" << whyNot.toStdString() << ").";
        }
        startLogind();
        center->addObserver(SleepWakeNotification::willSleep, [this] { record("will sleep"); });
        center->addObserver(SleepWakeNotification::didWake, [this] { record("did wake"); });
    }

    void TearDown() override {
        logind.reset();
        for (const QString& name : connectionNames) {
            QDBusConnection::disconnectFromBus(name);
        }
    }

    QDBusConnection connect(const QString& role) {
        const QString name =
            QStringLiteral("logind-listener-test-%1-%2").arg(role).arg(connectionNames.size());
        connectionNames.push_back(name);
        return QDBusConnection::connectToBus(daemon.address(), name);
    }

    // Connects the listener to the test's bus, its last connection kept.
    LogindSleepSignalListener::BusConnector listenerConnector() {
        return [this](const QString& name) {
            listenerBus = QDBusConnection::connectToBus(daemon.address(), name);
            return listenerBus;
        };
    }

    void startLogind() {
        logind = std::make_unique<QDBusConnection>(connect(QStringLiteral("logind")));
        ASSERT_TRUE(logind->registerService(logindService));
    }

    static bool sendPrepareForSleep(QDBusConnection& sender, bool isGoingToSleep,
                                    const QString& path = logindPath,
                                    const QString& interface = managerInterface) {
        QDBusMessage signal =
            QDBusMessage::createSignal(path, interface, QStringLiteral("PrepareForSleep"));
        signal << isGoingToSleep;
        return sender.send(signal);
    }

    void record(const char* event) {
        events.push_back(QString::fromLatin1(event));
        deliveredOnMainThread = deliveredOnMainThread &&
                                QThread::currentThread() == QCoreApplication::instance()->thread();
    }

    PrivateDBusDaemon daemon;
    std::unique_ptr<QDBusConnection> logind;
    QDBusConnection listenerBus{QString()};
    QStringList connectionNames;
    std::shared_ptr<SleepWakeNotificationCenter> center =
        std::make_shared<SleepWakeNotificationCenter>();
    QStringList events;
    bool deliveredOnMainThread = true;
};

TEST_F(LogindSleepSignalListenerTest, TrueIsWillSleepAndFalseIsDidWakeOnTheMainThread) {
    const LogindSleepSignalListener listener(listenerConnector(), center);
    ASSERT_TRUE(listener.isListening());
    ASSERT_TRUE(sendPrepareForSleep(*logind, true));
    ASSERT_TRUE(sendPrepareForSleep(*logind, false));
    ASSERT_TRUE(sendPrepareForSleep(*logind, true));
    EXPECT_TRUE(processEventsUntil([&] { return events.size() == 3; }));
    EXPECT_EQ(events, (QStringList{"will sleep", "did wake", "will sleep"}));
    EXPECT_TRUE(deliveredOnMainThread);
}

TEST_F(LogindSleepSignalListenerTest, OnlyLogindsOwnSignalCounts) {
    const LogindSleepSignalListener listener(listenerConnector(), center);
    ASSERT_TRUE(listener.isListening());
    QDBusConnection impostor = connect(QStringLiteral("impostor"));
    ASSERT_TRUE(sendPrepareForSleep(impostor, true));
    // A round trip through the bus: once answered, the bus has passed on the
    // impostor's signal, so it reaches the listener before logind's below.
    EXPECT_TRUE(impostor.interface()->isServiceRegistered(logindService).value());
    ASSERT_TRUE(
        sendPrepareForSleep(*logind, true, QStringLiteral("/org/freedesktop/login1/other")));
    ASSERT_TRUE(sendPrepareForSleep(*logind, true, logindPath,
                                    QStringLiteral("org.freedesktop.login1.Session")));
    ASSERT_TRUE(sendPrepareForSleep(*logind, false));
    EXPECT_TRUE(processEventsUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events, QStringList{"did wake"});
}

// logind that goes (ends, restarts) between the sleep and the wake never
// tells of the wake: its going is the wake. Its going at any other time is
// nothing.
TEST_F(LogindSleepSignalListenerTest, ASleepWhoseAnnouncerGoesEndsAsAWake) {
    struct Case {
        const char* name;
        std::vector<bool> signalsBefore;
        bool endsItsConnection;
        QStringList expected;
    };
    const Case cases[] = {
        {"name released while asleep", {true}, false, {"will sleep", "did wake"}},
        {"connection ended while asleep", {true}, true, {"will sleep", "did wake"}},
        {"gone after telling of the wake", {true, false}, true, {"will sleep", "did wake"}},
        {"gone while awake", {}, true, {}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        events.clear();
        if (!logind) {
            startLogind();
        }
        const LogindSleepSignalListener listener(listenerConnector(), center);
        ASSERT_TRUE(listener.isListening());
        for (const bool isGoingToSleep : testCase.signalsBefore) {
            ASSERT_TRUE(sendPrepareForSleep(*logind, isGoingToSleep));
        }
        ASSERT_TRUE(processEventsUntil(
            [&] { return events.size() == qsizetype(testCase.signalsBefore.size()); }));
        if (testCase.endsItsConnection) {
            QDBusConnection::disconnectFromBus(logind->name());
        } else {
            ASSERT_TRUE(logind->unregisterService(logindService));
        }
        logind.reset();
        // Once the bus answers that the name is gone, it has told the
        // listener's connection too. Qt closes an ended connection in its own
        // time: the bus is asked until it has.
        EXPECT_TRUE(processEventsUntil(
            [&] { return !listenerBus.interface()->isServiceRegistered(logindService).value(); }));
        QCoreApplication::processEvents();
        processEventsUntil([&] { return events.size() >= testCase.expected.size(); }, 1'000);
        EXPECT_EQ(events, testCase.expected);
    }
}

TEST_F(LogindSleepSignalListenerTest, ListensToNothingWithoutABus) {
    const LogindSleepSignalListener listener(
        [](const QString& name) {
            return QDBusConnection::connectToBus(
                QStringLiteral("unix:path=/nonexistent/pelmor-bus"), name);
        },
        center);
    EXPECT_FALSE(listener.isListening());
}

// A bus killed between the sleep and the wake takes the wake with it: its loss
// is the wake. Once a bus answers at the address again, its logind is heard.
TEST_F(LogindSleepSignalListenerTest, ALostBusEndsASleepAndANewOneIsWatched) {
    struct Case {
        const char* name;
        std::vector<bool> signalsBefore;
        QStringList expected;
    };
    const Case cases[] = {
        {"bus killed while asleep", {true}, {"will sleep", "did wake"}},
        {"bus killed after the wake", {true, false}, {"will sleep", "did wake"}},
        {"bus killed while awake", {}, {}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        events.clear();
        const LogindSleepSignalListener listener(listenerConnector(), center, nullptr,
                                                 std::chrono::milliseconds(100));
        ASSERT_TRUE(listener.isListening());
        for (const bool isGoingToSleep : testCase.signalsBefore) {
            ASSERT_TRUE(sendPrepareForSleep(*logind, isGoingToSleep));
        }
        ASSERT_TRUE(processEventsUntil(
            [&] { return events.size() == qsizetype(testCase.signalsBefore.size()); }));
        daemon.kill();
        EXPECT_TRUE(processEventsUntil([&] { return !listener.isListening(); }));
        EXPECT_EQ(events, testCase.expected);

        events.clear();
        const QString whyNot = daemon.restart();
        ASSERT_TRUE(whyNot.isEmpty()) << whyNot.toStdString();
        startLogind();
        EXPECT_TRUE(processEventsUntil([&] { return listener.isListening(); }));
        ASSERT_TRUE(sendPrepareForSleep(*logind, true));
        EXPECT_TRUE(processEventsUntil([&] { return !events.isEmpty(); }));
        EXPECT_EQ(events, QStringList{"will sleep"});
        ASSERT_TRUE(sendPrepareForSleep(*logind, false));
        EXPECT_TRUE(processEventsUntil([&] { return events.size() == 2; }));
    }
}

// A bus that takes connections and stops answering anywhere in its greeting
// (a hung or stopped daemon) in place of a lost one is never connected to: Qt
// would hold the event loop, and every other bus of the process, while it
// waits for it. The listener probes each look without blocking, and joins
// once a bus answers again.
TEST_F(LogindSleepSignalListenerTest, JoinsOnlyABusThatAnswersAndNeverBlocksOnAHungOne) {
    using StopsAfter = StallingMessageBus::StopsAfter;
    int connections = 0;
    bool busStalls = false;
    const LogindSleepSignalListener listener(
        [&, connector = listenerConnector()](const QString& name) {
            ++connections;
            // Qt would wait without end on a bus that stalls: the call is
            // counted, never made.
            return busStalls ? QDBusConnection(name) : connector(name);
        },
        center, nullptr, std::chrono::milliseconds(300), daemon.address());
    const QString socketPath =
        daemon.address().section(QLatin1Char(','), 0, 0).section(QLatin1Char('='), 1);
    const struct {
        const char* name;
        StopsAfter stopsAfter;
    } cases[] = {
        {"silent", StopsAfter::connecting},
        {"OK to AUTH, then nothing", StopsAfter::authentication},
        {"agrees to pass unix fds, then never answers Hello", StopsAfter::unixFdAgreement},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        events.clear();
        ASSERT_TRUE(processEventsUntil([&] { return listener.isListening(); }));
        ASSERT_TRUE(sendPrepareForSleep(*logind, true));
        ASSERT_TRUE(processEventsUntil([&] { return events.size() == 1; }));

        daemon.kill();
        // The killed daemon's socket file.
        QFile::remove(socketPath);
        std::optional<StallingMessageBus> hung;
        hung.emplace(StallingMessageBus::Transport::unixSocket, testCase.stopsAfter, socketPath);
        ASSERT_TRUE(hung->isListening());
        busStalls = true;
        EXPECT_TRUE(processEventsUntil([&] { return events.size() == 2; }));
        const int connectionsBefore = connections;
        QElapsedTimer sinceTick;
        sinceTick.start();
        qint64 longestTurn = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestTurn = std::max(longestTurn, sinceTick.restart()); });
        ticks.start(10);
        processEventsUntil([] { return false; }, 1'500);
        EXPECT_EQ(connections, connectionsBefore) << "Qt was asked to connect to a stalled bus";
        EXPECT_FALSE(listener.isListening());
        EXPECT_LT(longestTurn, 200) << "the event loop was held";
        EXPECT_EQ(events, (QStringList{"will sleep", "did wake"}));

        hung.reset();
        busStalls = false;
        const QString whyNot = daemon.restart();
        ASSERT_TRUE(whyNot.isEmpty()) << whyNot.toStdString();
        startLogind();
        EXPECT_TRUE(processEventsUntil([&] { return listener.isListening(); }));
    }
}
