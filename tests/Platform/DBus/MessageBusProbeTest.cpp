#include "Platform/DBus/MessageBusProbe.h"

#include "Support/EventLoopWait.h"
#include "Support/PrivateDBusDaemon.h"
#include "Support/SilentUnixSocket.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <unistd.h>

#include <QElapsedTimer>
#include <QMetaEnum>

using Outcome = MessageBusProbe::Outcome;
using std::chrono::milliseconds;

void PrintTo(Outcome outcome, std::ostream* out) {
    *out << QMetaEnum::fromType<Outcome>().valueToKey(int(outcome));
}

// A bus answers once a daemon greets the probe's handshake; one that takes the
// connection and says nothing does not answer, and is given up on at the
// probe's bound; nothing there is absent; an address the probe cannot connect
// through is left to Qt. Entries are tried in order, as libdbus does. Both
// forms of the probe agree, and the one without blocking never holds the
// event loop.
TEST(MessageBusProbeTest, TellsWhetherABusAnswersWithinItsBound) {
    PrivateDBusDaemon daemonAtAPath;
    PrivateDBusDaemon daemonAtAnAbstractName;
    const QString whyNot = daemonAtAPath.start();
    if (!whyNot.isEmpty()) {
        GTEST_SKIP() << "Skipped: no private message bus (" << whyNot.toStdString() << ").";
    }
    ASSERT_EQ(daemonAtAnAbstractName.start(
                  QStringLiteral("unix:abstract=pelmor-probe-test-%1").arg(::getpid())),
              QString());
    const SilentUnixSocket silent;
    ASSERT_TRUE(silent.isListening());
    const QString nothing = QStringLiteral("unix:path=") + silent.path() + QStringLiteral("-none");
    constexpr milliseconds bound(300);
    struct Case {
        const char* name;
        QString address;
        Outcome expected;
    };
    const Case cases[] = {
        {"a daemon at a path", daemonAtAPath.address(), Outcome::answers},
        {"a daemon at an abstract name", daemonAtAnAbstractName.address(), Outcome::answers},
        {"a silent socket", silent.address(), Outcome::doesNotAnswer},
        {"nothing at the path", nothing, Outcome::absent},
        {"nothing, then a daemon", nothing + QLatin1Char(';') + daemonAtAPath.address(),
         Outcome::answers},
        {"a silent socket, then a daemon",
         silent.address() + QLatin1Char(';') + daemonAtAPath.address(), Outcome::doesNotAnswer},
        {"a TCP address", QStringLiteral("tcp:host=127.0.0.1,port=9"), Outcome::cannotTell},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_EQ(MessageBusProbe::probe(testCase.address, bound), testCase.expected);
        const qint64 waited = elapsed.restart();

        std::optional<Outcome> finished;
        int finishes = 0;
        const MessageBusProbe probe(testCase.address, bound);
        QObject::connect(&probe, &MessageBusProbe::finished, [&](Outcome outcome) {
            finished = outcome;
            ++finishes;
        });
        EXPECT_LT(elapsed.elapsed(), 100) << "the probe without blocking blocked";
        EXPECT_TRUE(processEventsUntil([&] { return finished.has_value(); }, 2'000));
        EXPECT_EQ(finished, testCase.expected);
        const qint64 waitedWithoutBlocking = elapsed.elapsed();
        processEventsUntil([] { return false; }, 100);
        EXPECT_EQ(finishes, 1);

        for (const qint64 time : {waited, waitedWithoutBlocking}) {
            EXPECT_LT(time, bound.count() + 200);
            // Qt's coarse timers fire up to 5% early.
            if (testCase.expected == Outcome::doesNotAnswer) {
                EXPECT_GE(time, bound.count() * 9 / 10);
            }
        }
    }
}
