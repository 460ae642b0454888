#include "EndToEnd/DesktopSession.h"
#include "Support/FakeXServer.h"
#include "Support/FreeXDisplayNumber.h"
#include "Support/OwnXServer.h"
#include "Support/PrivateDBusDaemon.h"
#include "Support/PrivateSessionBus.h"
#include "Support/ProcessTable.h"
#include "Support/QStringPrinter.h"
#include "Support/SilentNameOwner.h"
#include "Support/SilentUnixSocket.h"
#include "Support/StallingMessageBus.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Whether a name lookup here goes unanswered for a while, as it does in the
// isolated network, whose resolver is unreachable.
bool nameLookupsHang() {
    QProcess lookup;
    lookup.start(QStringLiteral("getent"),
                 {QStringLiteral("hosts"), QStringLiteral("pelmor-quit-test.invalid")});
    const bool hangs = lookup.waitForStarted() && !lookup.waitForFinished(1500);
    lookup.kill();
    lookup.waitForFinished();
    return hangs;
}

// What `pelmor` has started and is still running, once it runs any command
// (the router ping to the sink takes seconds); empty after `timeout`. Its own
// forks (the X display's probe) are no command.
std::vector<pid_t> childrenOnceAny(const QProcess& pelmor, int timeout) {
    const QDeadlineTimer deadline(timeout);
    std::vector<pid_t> children;
    while (children.empty() && !deadline.hasExpired()) {
        children = ProcessTable::descendantsOf(pid_t(pelmor.processId()));
        std::erase_if(children, [](pid_t pid) {
            return !ProcessTable::isRunning(pid) ||
                   ProcessTable::commandLine(pid) == QLatin1String(PELMOR_BINARY);
        });
        if (children.empty()) {
            DesktopSession::pumpFor(20);
        }
    }
    return children;
}

// Whether `pelmor` starts a command it was not running before within
// `timeout`: its event loop turns.
bool startsANewCommand(const QProcess& pelmor, int timeout) {
    const auto pid = pid_t(pelmor.processId());
    const std::vector<pid_t> before = ProcessTable::descendantsOf(pid);
    const QDeadlineTimer deadline(timeout);
    while (!deadline.hasExpired()) {
        for (const pid_t child : ProcessTable::descendantsOf(pid)) {
            if (std::find(before.begin(), before.end(), child) == before.end()) {
                return true;
            }
        }
        DesktopSession::pumpFor(20);
    }
    return false;
}

// A process that traces `tracees` and then stops, as a debugger stopped in a
// terminal does: a traced child that ends waits for its tracer, and until the
// tracer has seen it, its parent cannot reap it. Killed with its scope.
class StoppedTracer {
public:
    explicit StoppedTracer(const std::vector<pid_t>& tracees) : pid_(::fork()) {
        if (pid_ == 0) {
            for (const pid_t tracee : tracees) {
                ::ptrace(PTRACE_SEIZE, tracee, nullptr, nullptr);
            }
            ::raise(SIGSTOP);
            ::_exit(0);
        }
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(pid_), &info, WSTOPPED);
    }
    ~StoppedTracer() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    StoppedTracer(const StoppedTracer&) = delete;
    StoppedTracer& operator=(const StoppedTracer&) = delete;

    bool traces(pid_t tracee) const {
        QFile status(QStringLiteral("/proc/%1/status").arg(tracee));
        return status.open(QIODevice::ReadOnly) &&
               status.readAll().contains("\nTracerPid:\t" + QByteArray::number(pid_) + "\n");
    }

private:
    const pid_t pid_;
};

// Pelmor's soft and hard limits of open files, as /proc gives them.
QStringList openFileLimits(pid_t pid) {
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (const QByteArray& line : limits.readAll().split('\n')) {
        if (line.startsWith("Max open files")) {
            return QString::fromLatin1(line).simplified().split(QLatin1Char(' ')).mid(3, 2);
        }
    }
    return {};
}

// Lowers the soft limit of open files to `soft`, and the hard one too where `hardAlso`.
void limitOpenFiles(rlim_t soft, bool hardAlso) {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = soft;
    if (hardAlso) {
        limit.rlim_max = soft;
    }
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

// Where Pelmor is after its session ends: one row of the table below.
struct Session {
    QProcess pelmor;
    std::optional<OwnXServer> display;
    std::optional<PrivateDBusDaemon> bus;
};

// Sets the root window's `name` property to the string `value`, or removes
// it where `value` is empty.
bool setRootWindowString(xcb_connection_t* connection, const QByteArray& name,
                         const QByteArray& value) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
        nullptr);
    const bool interned = atom != nullptr;
    if (interned && value.isEmpty()) {
        xcb_delete_property(connection, root, atom->atom);
    } else if (interned) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_STRING, 8,
                            uint32_t(value.size()), value.constData());
    }
    std::free(atom);
    // A round trip: the server has the change before Pelmor starts.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return interned;
}

} // namespace

// Where name lookups hang, TERM sent while a ping runs still ends Pelmor
// within 2 s, also when a stopped tracer holds its children, with status 0,
// its settings written, nothing from the pending lookups on standard error,
// and nothing it started left running.
TEST(QuitEndToEndTest,
     TermEndsPelmorWithinTwoSecondsWhileNameLookupsHangAndATracerHoldsItsChildren) {
    ASSERT_TRUE(nameLookupsHang())
        << "name lookups are answered here; in-isolated-network gives them a resolver that "
           "does not answer";
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    QProcess pelmor;
    pelmor.start(QStringLiteral(PELMOR_BINARY), {});
    ASSERT_TRUE(pelmor.waitForStarted(5'000));
    // Long enough for the captive-portal and update checks to wait on the resolver.
    ASSERT_FALSE(pelmor.waitForFinished(7'000)) << "pelmor ended on its own";
    const std::vector<pid_t> children = childrenOnceAny(pelmor, 10'000);
    ASSERT_FALSE(children.empty()) << "pelmor ran no command";
    const StoppedTracer tracer(children);
    const auto traced = std::count_if(children.begin(), children.end(),
                                      [&](pid_t child) { return tracer.traces(child); });
    ASSERT_TRUE(traced > 0 &&
                traced == std::count_if(children.begin(), children.end(), &ProcessTable::isRunning))
        << "not every child could be traced";
    pelmor.readAllStandardError();

    QElapsedTimer sinceTerm;
    sinceTerm.start();
    ::kill(static_cast<pid_t>(pelmor.processId()), SIGTERM);
    ASSERT_TRUE(pelmor.waitForFinished(15'000));
    EXPECT_LT(sinceTerm.elapsed(), 2'000);
    EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pelmor.exitCode(), 0);
    EXPECT_FALSE(pelmor.readAllStandardError().contains("_q_hostLookupFinished"));
    for (const pid_t child : children) {
        EXPECT_FALSE(ProcessTable::isRunning(child))
            << "still running: " << ProcessTable::commandLine(child).toStdString();
    }
    const QSettings settings(configHome.filePath(QStringLiteral("pelmor/pelmor.conf")),
                             QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("lastSSID")).toString(),
              QStringLiteral(PELMOR_SIMULATED_SSID));
}

// However its session ends, Pelmor ends within 2 s of it (its quit's deadline
// of 1 s, and a margin), with nothing it started left running. A launcher may
// leave signals ignored: an ignored SIGHUP (nohup) stays ignored, and an
// ignored SIGCHLD is set back, so that Pelmor waits for its own children
// rather than spin on children the kernel reaped. It may leave the quitting
// signals blocked, the standard streams closed (which the X connection would
// then take) or a low soft limit of open files: each is set right at start.
TEST(QuitEndToEndTest, PelmorEndsWithItsSessionWithinTwoSeconds) {
    struct Case {
        std::string name;
        // What the launcher leaves Pelmor with: run in the new process before it runs Pelmor.
        std::function<void()> atLaunch;
        bool hasDisplay;
        bool hasBus;
        std::function<void(Session&)> end;
        int exitCode;
    };
    // Once Pelmor has gone its number is 0, which would signal the test's own group.
    const auto signalPelmor = [](Session& session, int signalNumber) {
        if (const auto pid = static_cast<pid_t>(session.pelmor.processId()); pid > 0) {
            ::kill(pid, signalNumber);
        }
    };
    const auto ignoreAtLaunch = [](int signalNumber) {
        return [signalNumber] { std::signal(signalNumber, SIG_IGN); };
    };
    const auto blockedAtStart = [&](int signalNumber) {
        return Case{std::string("TERM, INT and HUP blocked at start, then signal ") +
                        std::to_string(signalNumber),
                    [] {
                        sigset_t quitting;
                        sigemptyset(&quitting);
                        for (const int blocked : {SIGTERM, SIGINT, SIGHUP}) {
                            sigaddset(&quitting, blocked);
                        }
                        ::sigprocmask(SIG_BLOCK, &quitting, nullptr);
                    },
                    false,
                    false,
                    [=](Session& session) { signalPelmor(session, signalNumber); },
                    0};
    };
    const Case cases[] = {
        {"SIGCHLD ignored at start", ignoreAtLaunch(SIGCHLD), false, false,
         [&](Session& session) {
             const auto pid = static_cast<pid_t>(session.pelmor.processId());
             EXPECT_FALSE(ProcessTable::ignoresSignal(pid, SIGCHLD));
             const auto before = ProcessTable::cpuTime(pid);
             DesktopSession::pumpFor(2'000);
             EXPECT_LT(ProcessTable::cpuTime(pid) - before, std::chrono::milliseconds(200))
                 << "more than a tenth of a processor";
             signalPelmor(session, SIGTERM);
         },
         0},
        {"SIGHUP ignored at start, as nohup leaves it", ignoreAtLaunch(SIGHUP), false, false,
         [&](Session& session) {
             signalPelmor(session, SIGHUP);
             // Longer than a quit takes.
             EXPECT_FALSE(session.pelmor.waitForFinished(2'000)) << "SIGHUP ended pelmor";
             signalPelmor(session, SIGTERM);
         },
         0},
        blockedAtStart(SIGTERM),
        blockedAtStart(SIGINT),
        blockedAtStart(SIGHUP),
        {"standard streams closed at start, on a display",
         [] {
             for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
                 ::close(stream);
             }
         },
         true, false,
         [&](Session& session) {
             const auto pid = session.pelmor.processId();
             for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
                 EXPECT_EQ(
                     QFile::symLinkTarget(QStringLiteral("/proc/%1/fd/%2").arg(pid).arg(stream)),
                     QStringLiteral("/dev/null"))
                     << "standard stream " << stream;
             }
             signalPelmor(session, SIGTERM);
         },
         0},
        {"a soft limit of 32 open files at start", [] { limitOpenFiles(32, false); }, false, false,
         [&](Session& session) {
             const QStringList limits = openFileLimits(pid_t(session.pelmor.processId()));
             EXPECT_TRUE(limits.size() == 2 && limits[0] == limits[1])
                 << "soft and hard limit: " << limits.join(QLatin1Char(' ')).toStdString();
             signalPelmor(session, SIGTERM);
         },
         0},
        {"the X server ends", {}, true, false, [](Session& session) { session.display->end(); }, 1},
        {"the session bus ends", {}, false, true, [](Session& session) { session.bus.reset(); }, 0},
    };
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Session session;
        auto environment = QProcessEnvironment::systemEnvironment();
        if (testCase.hasDisplay) {
            ASSERT_FALSE(session.display.emplace().display().isEmpty()) << "Xvfb did not start";
            environment.insert(QStringLiteral("DISPLAY"),
                               QString::fromLatin1(session.display->display()));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        }
        // Without a bus of its own, one that is not there: an X session would
        // otherwise start one, which ends with the display.
        QString busAddress =
            QStringLiteral("unix:path=") + configHome.filePath(QStringLiteral("no-bus"));
        if (testCase.hasBus) {
            const QString failure = session.bus.emplace().start();
            ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
            busAddress = session.bus->address();
        }
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        session.pelmor.setProcessEnvironment(environment);
        if (testCase.atLaunch) {
            session.pelmor.setChildProcessModifier(testCase.atLaunch);
        }
        session.pelmor.start(QStringLiteral(PELMOR_BINARY), {});
        ASSERT_TRUE(session.pelmor.waitForStarted(5'000));
        const std::vector<pid_t> children = childrenOnceAny(session.pelmor, 10'000);
        ASSERT_FALSE(children.empty()) << "pelmor ran no command";

        QElapsedTimer sinceEnd;
        testCase.end(session);
        sinceEnd.start();
        ASSERT_TRUE(session.pelmor.waitForFinished(15'000));
        EXPECT_LT(sinceEnd.elapsed(), 2'000);
        EXPECT_EQ(session.pelmor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session.pelmor.exitCode(), testCase.exitCode);
        for (const pid_t child : children) {
            EXPECT_FALSE(ProcessTable::isRunning(child))
                << "still running: " << ProcessTable::commandLine(child).toStdString();
        }
    }
}

// With a hard limit of open files below what it needs, Pelmor says so in one
// line and ends with status 1 before it starts anything.
TEST(QuitEndToEndTest, PelmorWithTooFewOpenFilesSaysSoAndEndsAtOnce) {
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    QProcess pelmor;
    pelmor.setChildProcessModifier([] { limitOpenFiles(32, true); });
    QElapsedTimer sinceStart;
    sinceStart.start();
    pelmor.start(QStringLiteral(PELMOR_BINARY), {});
    ASSERT_TRUE(pelmor.waitForFinished(15'000));
    EXPECT_LT(sinceStart.elapsed(), 1'000);
    EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pelmor.exitCode(), 1);
    const QByteArray said = pelmor.readAllStandardError();
    EXPECT_TRUE(said.count('\n') == 1 && said.endsWith("this session allows 32.\n"))
        << said.toStdString();
}

// A system bus that takes connections and never answers (a hung or stopped
// daemon) holds nothing: Pelmor measures on, past its next look for a bus
// five seconds on, and TERM ends it within 2 s with status 0. A hung bus in
// place of a lost one is the listener's own test.
TEST(QuitEndToEndTest, PelmorRunsOnWhileTheSystemBusHangsAndTermEndsItWithinTwoSeconds) {
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    const SilentUnixSocket hung;
    ASSERT_TRUE(hung.isListening());
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), hung.address());
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") +
                           configHome.filePath(QStringLiteral("no-bus")));
    QProcess pelmor;
    pelmor.setProcessEnvironment(environment);
    pelmor.start(QStringLiteral(PELMOR_BINARY), {});
    ASSERT_TRUE(pelmor.waitForStarted(5'000));
    ASSERT_FALSE(childrenOnceAny(pelmor, 10'000).empty()) << "pelmor ran no command";
    DesktopSession::pumpFor(6'000);
    EXPECT_TRUE(startsANewCommand(pelmor, 3'000)) << "pelmor runs no command any more";

    QElapsedTimer sinceTerm;
    sinceTerm.start();
    ::kill(static_cast<pid_t>(pelmor.processId()), SIGTERM);
    ASSERT_TRUE(pelmor.waitForFinished(45'000));
    EXPECT_LT(sinceTerm.elapsed(), 2'000);
    EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pelmor.exitCode(), 0);
}

// A session bus that takes connections and stops anywhere in its greeting, or
// an X display that never answers, would hold Qt's start: Pelmor says so in
// one line and ends with status 1, before it takes its lock, so that a second
// start meanwhile is not told another Pelmor runs. The bus is found as libdbus
// finds it: entries in order, tcp too, and the runtime folder's bus where no
// address is set.
TEST(QuitEndToEndTest, AHungSessionBusOrDisplayAtStartIsSaidInOneLineAndEndsWithStatusOne) {
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    const int display = freeXDisplayNumber();
    using Stalling = StallingMessageBus;
    const SilentUnixSocket hungBus;
    const Stalling afterAuthentication(Stalling::Transport::unixSocket,
                                       Stalling::StopsAfter::authentication);
    const Stalling afterUnixFds(Stalling::Transport::unixSocket,
                                Stalling::StopsAfter::unixFdAgreement);
    const Stalling silentOnTcp(Stalling::Transport::tcp, Stalling::StopsAfter::connecting);
    const QString oddRuntime = configHome.filePath(QStringLiteral("run time+@:"));
    ASSERT_TRUE(QDir().mkdir(oddRuntime));
    const SilentUnixSocket hungUserBus(oddRuntime + QStringLiteral("/bus"));
    const SilentUnixSocket hungDisplay(FakeXServer::socketPath(display));
    ASSERT_TRUE(hungBus.isListening() && afterAuthentication.isListening() &&
                afterUnixFds.isListening() && silentOnTcp.isListening() &&
                hungUserBus.isListening() && hungDisplay.isListening());
    const char* const busSaid = "does not answer.\n";
    using Variables = std::vector<std::pair<const char*, std::optional<QString>>>;
    const auto sessionBusAt = [](const QString& address) {
        return Variables{{"DBUS_SESSION_BUS_ADDRESS", address}};
    };
    const struct {
        const char* what;
        Variables variables;
        const char* said;
    } cases[] = {
        {"silent session bus", sessionBusAt(hungBus.address()), busSaid},
        {"session bus answering AUTH, then nothing", sessionBusAt(afterAuthentication.address()),
         busSaid},
        {"session bus agreeing to pass unix fds, then not answering Hello",
         sessionBusAt(afterUnixFds.address()), busSaid},
        {"nothing on tcp, then a silent session bus",
         sessionBusAt(StallingMessageBus::refusingTcpAddress() + u';' + hungBus.address()),
         busSaid},
        {"silent session bus on tcp", sessionBusAt(silentOnTcp.address()), busSaid},
        {"silent session bus, a trailing comma", sessionBusAt(hungBus.address() + u','), busSaid},
        {"an entry of no method, then a silent session bus",
         sessionBusAt(QStringLiteral(":x=y;") + hungBus.address()), busSaid},
        {"silent bus in a runtime folder with a space, + @ :",
         {{"DBUS_SESSION_BUS_ADDRESS", std::nullopt}, {"XDG_RUNTIME_DIR", oddRuntime}},
         busSaid},
        {"X display",
         {{"DISPLAY", u':' + QString::number(display)}, {"QT_QPA_PLATFORM", std::nullopt}},
         "did not answer in 5 s; Pelmor needs an X display (XWayland on Wayland desktops).\n"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        auto environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [variable, value] : testCase.variables) {
            if (value) {
                environment.insert(QString::fromLatin1(variable), *value);
            } else {
                environment.remove(QString::fromLatin1(variable));
            }
        }
        QProcess starts[2];
        QElapsedTimer sinceStart;
        sinceStart.start();
        for (QProcess& pelmor : starts) {
            pelmor.setProcessEnvironment(environment);
            pelmor.start(QStringLiteral(PELMOR_BINARY), {});
            ASSERT_TRUE(pelmor.waitForStarted(5'000));
            DesktopSession::pumpFor(500);
        }
        for (QProcess& pelmor : starts) {
            ASSERT_TRUE(
                pelmor.waitForFinished(int(std::max<qint64>(0, 10'000 - sinceStart.elapsed()))))
                << "still running 10 s after its start";
            EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(pelmor.exitCode(), 1);
            const QByteArray said = pelmor.readAllStandardError();
            EXPECT_TRUE(said.count('\n') == 1 && said.endsWith(testCase.said))
                << said.toStdString();
        }
    }
}

// Qt's accessibility bridge asks the launcher (org.a11y.Bus) and joins its
// bus, and the bus the root window names, on the main thread: a launcher that
// never answers would hold the start for most of a minute, and a bus that
// never answers for good. Pelmor says so once and runs without accessibility:
// its event loop turns, running its measurements, seconds after its start. A
// bus that answers is left to the bridge, with nothing said.
TEST(QuitEndToEndTest, AHungAccessibilityBusOrLauncherIsSaidOnceAndPelmorRunsWithoutIt) {
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    const OwnXServer display;
    ASSERT_FALSE(display.display().isEmpty()) << "Xvfb did not start";
    // A desktop's client: the server would reset, and forget the root
    // window's properties, as its last client leaves.
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> desktop(
        xcb_connect(display.display().constData(), nullptr), &xcb_disconnect);
    ASSERT_EQ(xcb_connection_has_error(desktop.get()), 0);
    const SilentUnixSocket silentBus;
    const PrivateSessionBus answeringBus;
    ASSERT_TRUE(silentBus.isListening() && answeringBus.isRunning());
    const QString launcher = QStringLiteral("org.a11y.Bus");
    const QString silentSaid = QStringLiteral("the accessibility bus at ") + silentBus.address();
    // Each bus named by AT_SPI_BUS_ADDRESS, or else by the root window.
    const QString none;
    const struct {
        const char* what;
        QString variableBus;
        bool hungLauncher;
        QString rootWindowBus;
        QString said;
    } cases[] = {
        {"AT_SPI_BUS_ADDRESS naming a bus that never answers", silentBus.address(), false, none,
         silentSaid},
        {"org.a11y.Bus held by a peer that never answers", none, true, none,
         QStringLiteral("the accessibility launcher ") + launcher},
        {"the root window naming a bus that never answers", none, false, silentBus.address(),
         silentSaid},
        {"the root window naming a bus that answers", none, false, answeringBus.address(), none},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        const PrivateSessionBus sessionBus;
        ASSERT_TRUE(sessionBus.isRunning());
        std::optional<SilentNameOwner> hungLauncher;
        if (testCase.hungLauncher) {
            ASSERT_TRUE(hungLauncher.emplace(sessionBus.address(), launcher).ownsName());
        }
        ASSERT_TRUE(
            setRootWindowString(desktop.get(), "AT_SPI_BUS", testCase.rootWindowBus.toLatin1()));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display.display()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus.address());
        environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
        environment.insert(QStringLiteral("AT_SPI_BUS_ADDRESS"), testCase.variableBus);
        QProcess pelmor;
        pelmor.setProcessEnvironment(environment);
        pelmor.start(QStringLiteral(PELMOR_BINARY), {});
        ASSERT_TRUE(pelmor.waitForStarted(5'000));
        EXPECT_FALSE(childrenOnceAny(pelmor, 8'000).empty()) << "no command 8 s after its start";
        ::kill(static_cast<pid_t>(pelmor.processId()), SIGTERM);
        ASSERT_TRUE(pelmor.waitForFinished(15'000));
        // Qt may say more, of its own (a runtime folder not set).
        const QByteArray said = pelmor.readAllStandardError();
        const QByteArray withoutIt = "Pelmor runs without accessibility: ";
        EXPECT_EQ(said.count(withoutIt), testCase.said.isEmpty() ? 0 : 1) << said.data();
        if (!testCase.said.isEmpty()) {
            EXPECT_TRUE(
                said.contains(withoutIt + testCase.said.toLocal8Bit() + " does not answer.\n"))
                << said.data();
        }
    }
}
