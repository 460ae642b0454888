#include "App/QtPlatformChoice.h"

#include "Support/FakeXServer.h"
#include "Support/FreeXDisplayNumber.h"
#include "Support/FullBacklogListener.h"
#include "Support/SilentUnixSocket.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QFile>

using QtPlatformChoice::Session;

namespace {

// Puts the variables a test changes back as they were.
class EnvironmentRestorer {
public:
    explicit EnvironmentRestorer(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                          ? std::optional<QByteArray>(qgetenv(name))
                                          : std::nullopt);
        }
    }
    ~EnvironmentRestorer() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                qputenv(name, *value);
            } else {
                qunsetenv(name);
            }
        }
    }
    EnvironmentRestorer(const EnvironmentRestorer&) = delete;
    EnvironmentRestorer& operator=(const EnvironmentRestorer&) = delete;

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

} // namespace

// The display is opened in a child within its bound: one that never answers
// is given up at the bound, and a refusal's reason is kept, not written. The
// line said tells how far it got: no connection taken (a connect that never
// completes, to a socket or a tcp display whose queue is full), or taken and
// not answered.
TEST(QtPlatformChoiceTest, AnXDisplayIsOpenedWithinItsBound) {
    using Kind = QtPlatformChoice::XDisplayAnswer::Kind;
    const QByteArray reason = "Authorization required, but no authorization protocol specified\n";
    enum class Server { none, silent, refusing, fullSocketQueue, fullTcpQueue };
    const struct {
        Server server;
        Kind kind;
        QByteArray reason;
        QByteArray said;
    } cases[] = {
        {Server::none, Kind::unreachable, {}, " does not answer; "},
        {Server::silent, Kind::silent, {}, " took the connection but did not answer in 5 s; "},
        {Server::refusing, Kind::refuses, reason.trimmed(),
         " refused the connection (" + reason.trimmed() + "); "},
        {Server::fullSocketQueue,
         Kind::takesNoConnection,
         {},
         " did not take the connection in 5 s; "},
        {Server::fullTcpQueue,
         Kind::takesNoConnection,
         {},
         " did not take the connection in 5 s; "},
    };
    const int number = freeXDisplayNumber();
    for (const auto& example : cases) {
        SCOPED_TRACE(int(example.server));
        QByteArray display = ':' + QByteArray::number(number);
        std::optional<SilentUnixSocket> silent;
        std::optional<FakeXServer> refusing;
        std::optional<FullBacklogListener> full;
        if (example.server == Server::silent) {
            ASSERT_TRUE(silent.emplace(FakeXServer::socketPath(number)).isListening());
        } else if (example.server == Server::refusing) {
            ASSERT_TRUE(refusing.emplace(number, FakeXServer::refusal(reason)).isListening());
        } else if (example.server == Server::fullSocketQueue) {
            ASSERT_TRUE(full.emplace(QFile::encodeName(FakeXServer::socketPath(number))).isFull());
        } else if (example.server == Server::fullTcpQueue) {
            ASSERT_TRUE(full.emplace().isFull());
            display = "127.0.0.1:" + QByteArray::number(full->port() - 6000);
        }
        const auto start = std::chrono::steady_clock::now();
        const QtPlatformChoice::XDisplayAnswer answer =
            QtPlatformChoice::openXDisplay(display, std::chrono::milliseconds(500));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(answer.kind, example.kind);
        EXPECT_EQ(answer.reason, example.reason);
        const Session session{"", false, display, "", "x11"};
        const QByteArray said = QtPlatformChoice::notice(
            QtPlatformChoice::outcome(session, [&](const QByteArray&) { return answer; }), session,
            answer.reason);
        EXPECT_TRUE(said.startsWith("The X display " + display + example.said))
            << said.toStdString();
    }
}

// X is opened beforehand only where it is the platform: Qt's own choice, X
// named, or Wayland named while an X display is set.
TEST(QtPlatformChoiceTest, PelmorRunsOnXWhereAnXDisplayAnswersUnlessTheUserChoseAnother) {
    using enum QtPlatformChoice::Outcome;
    using enum QtPlatformChoice::XDisplayAnswer::Kind;
    struct Case {
        const char* name;
        Session session;
        QtPlatformChoice::XDisplayAnswer::Kind answers;
        QtPlatformChoice::Outcome expected;
    };
    const Case cases[] = {
        {"X session", {"", false, ":0", "", "x11"}, opens, onX},
        {"X display that does not answer", {"", false, ":57", "", "x11"}, unreachable, noXDisplay},
        {"no display at all", {"", false, "", "", "tty"}, opens, noXDisplay},
        {"Wayland with XWayland", {"", false, ":0", "wayland-0", "wayland"}, opens, onX},
        {"Wayland without X", {"", false, "", "wayland-0", "wayland"}, opens, noXDisplay},
        {"X named, not answering", {"xcb", false, ":0", "", ""}, unreachable, noXDisplay},
        {"X display silent", {"", false, ":3", "", "x11"}, silent, xDisplaySilent},
        {"X display taking no connection",
         {"", false, "127.0.0.1:3", "", "x11"},
         takesNoConnection,
         xDisplayTakesNoConnection},
        {"X display refusing", {"xcb", false, ":3", "", ""}, refuses, xDisplayRefuses},
        {"X named with options", {"xcb:nograb", false, ":0", "", ""}, opens, onX},
        {"Wayland named",
         {"wayland", false, ":0", "wayland-0", "wayland"},
         opens,
         onXInsteadOfWayland},
        {"Wayland then X named",
         {"wayland-egl;xcb", false, ":1", "", ""},
         opens,
         onXInsteadOfWayland},
        {"Wayland named without X", {"wayland", false, "", "wayland-0", ""}, opens, noXDisplay},
        {"offscreen named", {"offscreen", false, "", "", ""}, unreachable, asChosen},
        {"minimal named", {"minimal", false, ":0", "wayland-0", "wayland"}, unreachable, asChosen},
        {"-platform given", {"", true, "", "wayland-0", "wayland"}, unreachable, asChosen},
        {"-platform given, Wayland named", {"wayland", true, ":0", "", ""}, unreachable, asChosen},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QByteArray asked;
        EXPECT_EQ(QtPlatformChoice::outcome(
                      testCase.session,
                      [&](const QByteArray& display) {
                          asked = display;
                          return QtPlatformChoice::XDisplayAnswer{testCase.answers, {}};
                      }),
                  testCase.expected);
        EXPECT_EQ(asked, testCase.expected == asChosen ? "" : testCase.session.display);
    }
}

TEST(QtPlatformChoiceTest, TheSessionIsReadFromTheEnvironmentAndArguments) {
    const EnvironmentRestorer restorer{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY",
                                       "XDG_SESSION_TYPE"};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DISPLAY", ":7");
    qputenv("WAYLAND_DISPLAY", "wayland-3");
    qputenv("XDG_SESSION_TYPE", "wayland");
    char program[] = "pelmor";
    char flag[] = "--platform";
    char value[] = "wayland";
    char displayFlag[] = "-display";
    char display[] = ":9";
    char* withArguments[] = {program, flag, value, displayFlag, display};
    char* withoutArguments[] = {program};
    EXPECT_EQ(QtPlatformChoice::currentSession(5, withArguments),
              (Session{"offscreen", true, ":9", "wayland-3", "wayland"}));
    EXPECT_FALSE(QtPlatformChoice::currentSession(1, withoutArguments).platformArgument);

    // Wayland named: X instead, said once; no X display: said, status 1.
    std::FILE* errors = std::tmpfile();
    qputenv("QT_QPA_PLATFORM", "wayland");
    const auto answers = [](const QByteArray&) {
        return QtPlatformChoice::XDisplayAnswer{QtPlatformChoice::XDisplayAnswer::Kind::opens, {}};
    };
    EXPECT_EQ(QtPlatformChoice::apply(1, withoutArguments, answers, errors), std::nullopt);
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArrayLiteral("xcb"));
    qunsetenv("DISPLAY");
    EXPECT_EQ(QtPlatformChoice::apply(1, withoutArguments, answers, errors), 1);
    std::rewind(errors);
    char said[512] = {};
    EXPECT_EQ(std::fread(said, 1, sizeof said - 1, errors) > 0, true);
    std::fclose(errors);
    EXPECT_EQ(QByteArray(said),
              "QT_QPA_PLATFORM names Wayland, where Pelmor cannot place its popover by the tray "
              "icon: it runs on X (display :7) instead.\n"
              "No X display is set (DISPLAY is empty); Pelmor needs an X display (XWayland on "
              "Wayland desktops).\n");
}
