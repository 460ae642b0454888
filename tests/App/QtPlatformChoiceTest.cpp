#include "App/QtPlatformChoice.h"

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

TEST(QtPlatformChoiceTest, AWaylandSessionWithXRunsOnXUnlessTheUserChose) {
    struct Case {
        const char* name;
        Session session;
        std::optional<QByteArray> expected;
    };
    const Case cases[] = {
        {"Wayland with XWayland", {"", false, ":0", "wayland-0", "wayland"}, "xcb"},
        {"Wayland display only named", {"", false, ":1", "wayland-1", ""}, "xcb"},
        {"Wayland session type only", {"", false, ":0", "", "wayland"}, "xcb"},
        {"Wayland without X", {"", false, "", "wayland-0", "wayland"}, std::nullopt},
        {"X session", {"", false, ":0", "", "x11"}, std::nullopt},
        {"user chose Wayland", {"wayland", false, ":0", "wayland-0", "wayland"}, std::nullopt},
        {"user chose offscreen", {"offscreen", false, ":0", "wayland-0", ""}, std::nullopt},
        {"user passed -platform", {"", true, ":0", "wayland-0", "wayland"}, std::nullopt},
        {"no display at all", {"", false, "", "", "tty"}, std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(QtPlatformChoice::platformOverride(testCase.session), testCase.expected)
            << testCase.name;
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
    char flag[] = "-platform";
    char value[] = "wayland";
    char* withArgument[] = {program, flag, value};
    char* withoutArgument[] = {program};
    EXPECT_EQ(QtPlatformChoice::currentSession(3, withArgument),
              (Session{"offscreen", true, ":7", "wayland-3", "wayland"}));
    EXPECT_FALSE(QtPlatformChoice::currentSession(1, withoutArgument).platformArgument);

    qunsetenv("QT_QPA_PLATFORM");
    QtPlatformChoice::apply(1, withoutArgument);
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArrayLiteral("xcb"));
}
