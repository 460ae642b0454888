#include "App/QtPlatformChoice.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QList>

namespace QtPlatformChoice {

namespace {

// The platforms QT_QPA_PLATFORM names, in Qt's order, without their options.
QList<QByteArray> platformNames(const QByteArray& chosenPlatform) {
    QList<QByteArray> names;
    for (const QByteArray& entry : chosenPlatform.split(';')) {
        if (const QByteArray name = entry.split(':').first().trimmed(); !name.isEmpty()) {
            names.append(name);
        }
    }
    return names;
}

bool isArgument(const char* argument, const char* name) {
    return std::strcmp(argument, name) == 0 ||
           (argument[0] == '-' && std::strcmp(argument + 1, name) == 0);
}

} // namespace

Outcome outcome(const Session& session, const XDisplayProbe& probe) {
    if (session.platformArgument) {
        return Outcome::asChosen;
    }
    const QList<QByteArray> names = platformNames(session.chosenPlatform);
    const bool namesWayland = std::any_of(names.begin(), names.end(), [](const QByteArray& name) {
        return name.startsWith("wayland");
    });
    // Qt's own choice on Linux, without a platform named, is X.
    const bool onX =
        names.isEmpty() || std::all_of(names.begin(), names.end(),
                                       [](const QByteArray& name) { return name == "xcb"; });
    if (!namesWayland && !onX) {
        return Outcome::asChosen;
    }
    if (session.display.isEmpty()) {
        return Outcome::noXDisplay;
    }
    switch (probe(session.display).kind) {
    case XDisplayAnswer::Kind::opens:
        return namesWayland ? Outcome::onXInsteadOfWayland : Outcome::onX;
    case XDisplayAnswer::Kind::unreachable:
        return Outcome::noXDisplay;
    case XDisplayAnswer::Kind::takesNoConnection:
        return Outcome::xDisplayTakesNoConnection;
    case XDisplayAnswer::Kind::silent:
        return Outcome::xDisplaySilent;
    case XDisplayAnswer::Kind::refuses:
        return Outcome::xDisplayRefuses;
    }
    return Outcome::noXDisplay;
}

QByteArray notice(Outcome outcome, const Session& session, const QByteArray& reason) {
    const QByteArray needed = "; Pelmor needs an X display (XWayland on Wayland desktops).\n";
    switch (outcome) {
    case Outcome::asChosen:
    case Outcome::onX:
        return {};
    case Outcome::onXInsteadOfWayland:
        return "QT_QPA_PLATFORM names Wayland, where Pelmor cannot place its popover by the tray "
               "icon: it runs on X (display " +
               session.display + ") instead.\n";
    case Outcome::noXDisplay:
        return (session.display.isEmpty()
                    ? QByteArray("No X display is set (DISPLAY is empty)")
                    : "The X display " + session.display + " does not answer") +
               needed;
    case Outcome::xDisplayTakesNoConnection:
        return "The X display " + session.display + " did not take the connection in " +
               QByteArray::number(qint64(xDisplayAnswerBound.count())) + " s" + needed;
    case Outcome::xDisplaySilent:
        return "The X display " + session.display + " took the connection but did not answer in " +
               QByteArray::number(qint64(xDisplayAnswerBound.count())) + " s" + needed;
    case Outcome::xDisplayRefuses:
        return "The X display " + session.display + " refused the connection" +
               (reason.isEmpty() ? QByteArray() : " (" + reason + ")") + needed;
    }
    return {};
}

Session currentSession(int argc, char** argv) {
    Session session{qgetenv("QT_QPA_PLATFORM"), false, qgetenv("DISPLAY"),
                    qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE")};
    for (int index = 1; index < argc; ++index) {
        if (isArgument(argv[index], "-platform")) {
            session.platformArgument = true;
        } else if (isArgument(argv[index], "-display") && index + 1 < argc) {
            session.display = argv[index + 1];
        }
    }
    return session;
}

namespace {

// What a refusal's reason reads as on one line: xcb writes it as the server
// sent it, padded and without an end.
QByteArray oneLine(QByteArray text) {
    text.replace('\0', ' ').replace('\n', ' ').replace('\r', ' ');
    return text.simplified();
}

// Reads what the child writes until it closes its end or `deadline` passes;
// false at the deadline.
bool readUntilClosed(int descriptor, std::chrono::steady_clock::time_point deadline,
                     QByteArray& read) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{descriptor, POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(left.count()));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return false;
        }
        char chunk[512];
        const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return true;
        }
        if (read.size() < 4096) {
            read.append(chunk, count);
        }
    }
}

// The child's descriptor for its answer to the parent's question at the
// bound; every descriptor above it the child opens itself (xcb's socket).
constexpr int stageDescriptor = 3;
constexpr int firstOwnDescriptor = stageDescriptor + 1;
constexpr int lastOwnDescriptor = 63;

// In the child, on SIGUSR1 at the bound: a stream socket of its own with a
// peer is xcb's, connected; one without is still connecting. Writes which,
// and ends the child.
void tellWhetherConnected(int) {
    char connected = '0';
    for (int descriptor = firstOwnDescriptor; descriptor <= lastOwnDescriptor; ++descriptor) {
        int type = 0;
        socklen_t typeSize = sizeof type;
        sockaddr_storage peer{};
        socklen_t peerSize = sizeof peer;
        if (::getsockopt(descriptor, SOL_SOCKET, SO_TYPE, &type, &typeSize) == 0 &&
            type == SOCK_STREAM &&
            ::getpeername(descriptor, reinterpret_cast<sockaddr*>(&peer), &peerSize) == 0) {
            connected = '1';
        }
    }
    [[maybe_unused]] const auto written = ::write(stageDescriptor, &connected, 1);
    ::_exit(1);
}

// The child keeps standard error (for xcb's reason) and its answer's pipe,
// closes what else Pelmor had open, and answers SIGUSR1.
void prepareChild(int errors, int stage) {
    ::dup2(errors, STDERR_FILENO);
    ::dup2(stage, stageDescriptor);
    ::close_range(firstOwnDescriptor, ~0U, 0);
    struct sigaction action {};
    action.sa_handler = tellWhetherConnected;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGUSR1, &action, nullptr);
    sigset_t asked;
    sigemptyset(&asked);
    sigaddset(&asked, SIGUSR1);
    ::sigprocmask(SIG_UNBLOCK, &asked, nullptr);
}

// Asks the child, still waiting at the bound, whether the display took its
// connection.
bool childIsConnected(pid_t child, int stage) {
    ::kill(child, SIGUSR1);
    QByteArray answer;
    readUntilClosed(stage, std::chrono::steady_clock::now() + stageAnswerBound, answer);
    return answer.startsWith('1');
}

} // namespace

// xcb_connect waits without end on a display that takes the connection and
// never answers (and for minutes on one whose connect never completes), and
// writes a refusal's reason on standard error itself: a child opens it, says
// at the deadline how far its connection got, and is killed. This runs
// before any thread starts, so the child may do what it likes before it exits.
XDisplayAnswer openXDisplay(const QByteArray& display, std::chrono::milliseconds bound) {
    int output[2];
    int stage[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        return {XDisplayAnswer::Kind::unreachable, {}};
    }
    if (::pipe2(stage, O_CLOEXEC) != 0) {
        ::close(output[0]);
        ::close(output[1]);
        return {XDisplayAnswer::Kind::unreachable, {}};
    }
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        // Ends with Pelmor, killed meanwhile, however long the display keeps it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(1);
        }
        prepareChild(output[1], stage[1]);
        xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
        ::_exit(xcb_connection_has_error(connection) == 0 ? 0 : 1);
    }
    ::close(output[1]);
    ::close(stage[1]);
    if (child < 0) {
        ::close(output[0]);
        ::close(stage[0]);
        return {XDisplayAnswer::Kind::unreachable, {}};
    }
    QByteArray written;
    const bool ended =
        readUntilClosed(output[0], std::chrono::steady_clock::now() + bound, written);
    ::close(output[0]);
    const bool connected = !ended && childIsConnected(child, stage[0]);
    ::close(stage[0]);
    if (!ended) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended) {
        return {connected ? XDisplayAnswer::Kind::silent : XDisplayAnswer::Kind::takesNoConnection,
                {}};
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return {XDisplayAnswer::Kind::opens, {}};
    }
    const QByteArray reason = oneLine(written);
    return {reason.isEmpty() ? XDisplayAnswer::Kind::unreachable : XDisplayAnswer::Kind::refuses,
            reason};
}

std::optional<int> apply(int argc, char** argv, const XDisplayProbe& probe, std::FILE* errors) {
    const Session session = currentSession(argc, argv);
    QByteArray reason;
    const Outcome result = outcome(session, [&](const QByteArray& display) {
        XDisplayAnswer answer = probe(display);
        reason = answer.reason;
        return answer;
    });
    if (const QByteArray line = notice(result, session, reason); !line.isEmpty()) {
        std::fputs(line.constData(), errors);
    }
    switch (result) {
    case Outcome::asChosen:
        return std::nullopt;
    case Outcome::onX:
    case Outcome::onXInsteadOfWayland:
        // A platform named as X, with its options, stays as it is.
        if (result == Outcome::onXInsteadOfWayland || session.chosenPlatform.isEmpty()) {
            qputenv("QT_QPA_PLATFORM", "xcb");
        }
        return std::nullopt;
    case Outcome::noXDisplay:
    case Outcome::xDisplayTakesNoConnection:
    case Outcome::xDisplaySilent:
    case Outcome::xDisplayRefuses:
        return 1;
    }
    return std::nullopt;
}

} // namespace QtPlatformChoice
