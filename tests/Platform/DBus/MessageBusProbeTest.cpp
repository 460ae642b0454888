#include "Platform/DBus/MessageBusProbe.h"

#include "Support/EventLoopWait.h"
#include "Support/PrivateDBusDaemon.h"
#include "Support/SilentUnixSocket.h"
#include "Support/StallingMessageBus.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

#include <QElapsedTimer>
#include <QMetaEnum>
#include <QTemporaryDir>

using Outcome = MessageBusProbe::Outcome;
using std::chrono::milliseconds;

void PrintTo(Outcome outcome, std::ostream* out) {
    *out << QMetaEnum::fromType<Outcome>().valueToKey(int(outcome));
}

namespace {

// The most this process has held in memory so far.
long largestResidentKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

// A bus answers once it has gone through the whole greeting, up to the reply
// to Hello (its header fields of codes not known yet passed over), or refused
// it; one that takes the connection and stops anywhere before does not
// answer, and is given up on at the probe's bound; nothing there is absent;
// an address the probe cannot connect through is left to Qt. Entries are
// tried in order, as libdbus does: one that cannot be connected to passes to
// the next. The address is read as libdbus reads it, refusals and all. A bus
// that sends more than a greeting holds does not answer either, given up at
// once, with no more read than that. Both forms of the probe agree, and the
// one without blocking never holds the event loop.
TEST(MessageBusProbeTest, TellsWhetherABusAnswersWithinItsBound) {
    PrivateDBusDaemon daemonAtAPath;
    PrivateDBusDaemon daemonAtAnAbstractName;
    PrivateDBusDaemon daemonOnTcp;
    const QString whyNot = daemonAtAPath.start();
    if (!whyNot.isEmpty()) {
        GTEST_SKIP() << "Skipped: no private message bus (" << whyNot.toStdString() << ").";
    }
    ASSERT_EQ(daemonAtAnAbstractName.start(
                  QStringLiteral("unix:abstract=pelmor-probe-test-%1").arg(::getpid())),
              QString());
    ASSERT_EQ(daemonOnTcp.start(QStringLiteral("tcp:host=127.0.0.1,port=0")), QString());
    const SilentUnixSocket silent;
    using Stalling = StallingMessageBus;
    const Stalling afterAuthentication(Stalling::Transport::unixSocket,
                                       Stalling::StopsAfter::authentication);
    const Stalling afterUnixFds(Stalling::Transport::unixSocket,
                                Stalling::StopsAfter::unixFdAgreement);
    const Stalling silentOnTcp(Stalling::Transport::tcp, Stalling::StopsAfter::connecting);
    const Stalling afterAuthenticationOnTcp(Stalling::Transport::tcp,
                                            Stalling::StopsAfter::authentication);
    const Stalling endlessReply(Stalling::Transport::unixSocket,
                                Stalling::StopsAfter::endlessHelloReply);
    const Stalling endlessLine(Stalling::Transport::unixSocket, Stalling::StopsAfter::endlessLine);
    const Stalling laterFields(Stalling::Transport::unixSocket,
                               Stalling::StopsAfter::helloReplyWithFieldsOfLaterCodes);
    // libdbus connects to no socket name of more than 99 bytes.
    const QTemporaryDir longFolder;
    const QString longPath =
        longFolder.filePath(QString(104 - longFolder.path().size() - 1, QLatin1Char('s')));
    const SilentUnixSocket silentAtALongPath(longPath);
    ASSERT_TRUE(silent.isListening() && afterAuthentication.isListening() &&
                afterUnixFds.isListening() && silentOnTcp.isListening() &&
                afterAuthenticationOnTcp.isListening() && endlessReply.isListening() &&
                endlessLine.isListening() && silentAtALongPath.isListening() &&
                laterFields.isListening());
    const QString refusing = StallingMessageBus::refusingTcpAddress();
    const QString nothing = QStringLiteral("unix:path=") + silent.path() + QStringLiteral("-none");
    constexpr milliseconds bound(300);
    struct Case {
        const char* name;
        QString address;
        Outcome expected;
        bool floods = false;
    };
    const auto then = [](const QString& first, const QString& second) {
        return first + QLatin1Char(';') + second;
    };
    const Case cases[] = {
        {"a daemon at a path", daemonAtAPath.address(), Outcome::answers},
        {"a daemon at an abstract name", daemonAtAnAbstractName.address(), Outcome::answers},
        {"a daemon on tcp", daemonOnTcp.address(), Outcome::answers},
        {"a reply to Hello with fields of codes kept for later", laterFields.address(),
         Outcome::answers},
        {"a silent socket", silent.address(), Outcome::doesNotAnswer},
        {"OK to AUTH, then nothing", afterAuthentication.address(), Outcome::doesNotAnswer},
        {"agrees to pass unix fds, then never answers Hello", afterUnixFds.address(),
         Outcome::doesNotAnswer},
        {"a silent tcp bus", silentOnTcp.address(), Outcome::doesNotAnswer},
        {"OK to AUTH on tcp, then nothing", afterAuthenticationOnTcp.address(),
         Outcome::doesNotAnswer},
        {"nothing at the path", nothing, Outcome::absent},
        {"nothing on tcp", refusing, Outcome::absent},
        {"nothing, then a daemon", then(nothing, daemonAtAPath.address()), Outcome::answers},
        {"nothing on tcp, then a silent socket", then(refusing, silent.address()),
         Outcome::doesNotAnswer},
        {"a listening-only entry, then a silent socket",
         then(QStringLiteral("unix:tmpdir=/tmp"), silent.address()), Outcome::doesNotAnswer},
        {"a silent socket, then a daemon", then(silent.address(), daemonAtAPath.address()),
         Outcome::doesNotAnswer},
        {"an unescaped space", daemonAtAPath.address() + QStringLiteral(",x=a b"), Outcome::absent},
        {"a command to run", QStringLiteral("unixexec:path=/bin/true"), Outcome::cannotTell},
        {"a silent socket, with a trailing comma", silent.address() + u',', Outcome::doesNotAnswer},
        {"an entry of no method, then a silent socket",
         then(QStringLiteral(":x=y"), silent.address()), Outcome::doesNotAnswer},
        {"a silent socket at a 104-byte path, then a daemon",
         then(silentAtALongPath.address(), daemonAtAPath.address()), Outcome::answers},
        {"an abstract name with a NUL in it, which ends it",
         daemonAtAnAbstractName.address().section(u',', 0, 0) + QStringLiteral("%00x"),
         Outcome::answers},
        {"a silent socket, an empty entry, then a daemon",
         then(silent.address(), u';' + daemonAtAPath.address()), Outcome::absent},
        {"a leading semicolon", u';' + daemonAtAPath.address(), Outcome::absent},
        {"a reply to Hello that claims 4 GB and keeps coming", endlessReply.address(),
         Outcome::doesNotAnswer, true},
        {"bytes without a line end, without end", endlessLine.address(), Outcome::doesNotAnswer,
         true},
    };
    const long largestBefore = largestResidentKilobytes();
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
            if (testCase.floods) {
                EXPECT_LT(time, bound.count() / 2) << "a flood was read until the bound";
            } else if (testCase.expected == Outcome::doesNotAnswer) {
                EXPECT_GE(time, bound.count() * 9 / 10);
            }
        }
        if (testCase.floods) {
            EXPECT_LT(largestResidentKilobytes() - largestBefore, 16 * 1024)
                << "a flood was kept in memory";
        }
    }
}

// Where no thread can be started to look a tcp bus's host up, the lookup
// could not be given up at the bound, and Qt's connect would wait on it
// without one: such a bus does not answer. Run in a child process that may
// start no thread.
TEST(MessageBusProbeTest, ABusWhoseHostCannotBeLookedUpOnAThreadOfItsOwnDoesNotAnswer) {
    constexpr int threadsStart = 100;
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_NPROC, &none);
        // The limit binds only a user without the capabilities to pass it.
        if (::getuid() == 0 && ::setuid(65534) != 0) {
            ::_exit(threadsStart);
        }
        try {
            std::thread([] {}).join();
            ::_exit(threadsStart);
        } catch (const std::system_error&) {
        }
        ::_exit(int(MessageBusProbe::probe(QStringLiteral("tcp:host=127.0.0.1,port=9,family=ipv4"),
                                           milliseconds(300))));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == threadsStart) {
        GTEST_SKIP() << "Skipped: a thread starts under a limit of no processes here.";
    }
    EXPECT_EQ(Outcome(WEXITSTATUS(status)), Outcome::doesNotAnswer);
}
