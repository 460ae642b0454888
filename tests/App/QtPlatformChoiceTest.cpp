#include "App/QtPlatformChoice.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include <vector>

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

// X is opened beforehand only where it is the platform: Qt's own choice, X
// named, or Wayland named while an X display is set.
TEST(QtPlatformChoiceTest, PelmorRunsOnXWhereAnXDisplayAnswersUnlessTheUserChoseAnother) {
    using enum QtPlatformChoice::Outcome;
    struct Case {
        const char* name;
        Session session;
        bool answers;
        QtPlatformChoice::Outcome expected;
    };
    const Case cases[] = {
        {"X session", {"", false, ":0", "", "x11"}, true, onX},
        {"X display that does not answer", {"", false, ":57", "", "x11"}, false, noXDisplay},
        {"no display at all", {"", false, "", "", "tty"}, true, noXDisplay},
        {"Wayland with XWayland", {"", false, ":0", "wayland-0", "wayland"}, true, onX},
        {"Wayland without X", {"", false, "", "wayland-0", "wayland"}, true, noXDisplay},
        {"X named, not answering", {"xcb", false, ":0", "", ""}, false, noXDisplay},
        {"X named with options", {"xcb:nograb", false, ":0", "", ""}, true, onX},
        {"Wayland named",
         {"wayland", false, ":0", "wayland-0", "wayland"},
         true,
         onXInsteadOfWayland},
        {"Wayland then X named",
         {"wayland-egl;xcb", false, ":1", "", ""},
         true,
         onXInsteadOfWayland},
        {"Wayland named without X", {"wayland", false, "", "wayland-0", ""}, true, noXDisplay},
        {"offscreen named", {"offscreen", false, "", "", ""}, false, asChosen},
        {"minimal named", {"minimal", false, ":0", "wayland-0", "wayland"}, false, asChosen},
        {"-platform given", {"", true, "", "wayland-0", "wayland"}, false, asChosen},
        {"-platform given, Wayland named", {"wayland", true, ":0", "", ""}, false, asChosen},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QByteArray asked;
        EXPECT_EQ(QtPlatformChoice::outcome(testCase.session,
                                            [&](const QByteArray& display) {
                                                asked = display;
                                                return testCase.answers;
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
    const auto answers = [](const QByteArray&) { return true; };
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
