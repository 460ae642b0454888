#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>

#include <QByteArray>

// Which Qt platform the application runs on. A Wayland client cannot place
// its own windows, so there the popover could not open by the tray icon: in
// a Wayland session that also offers X (XWayland), Pelmor runs on Qt's X
// platform, also where QT_QPA_PLATFORM names Wayland. A -platform argument or
// another platform named in QT_QPA_PLATFORM (offscreen, minimal) stands.
// Qt aborts when X is its platform and no X display opens, and waits without
// end on one that never answers: that is found out first, within a bound,
// said in one line, and the application ends with status 1.
namespace QtPlatformChoice {

struct Session {
    QByteArray chosenPlatform;     // QT_QPA_PLATFORM
    bool platformArgument = false; // -platform on the command line
    QByteArray display;            // DISPLAY, or -display on the command line
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray sessionType;        // XDG_SESSION_TYPE

    bool operator==(const Session&) const = default;
};

enum class Outcome {
    // The platform as chosen; no X display is opened beforehand.
    asChosen,
    // X, whose display answers.
    onX,
    // X, whose display answers, where QT_QPA_PLATFORM names Wayland: said once.
    onXInsteadOfWayland,
    // X, where no display is named or the one named cannot be reached.
    noXDisplay,
    // X, whose display does not take the connection in time (a tcp display
    // whose host never answers, a socket whose queue is full).
    xDisplayTakesNoConnection,
    // X, whose display takes a connection and does not answer in time.
    xDisplaySilent,
    // X, whose display answers with a refusal (authorisation, say).
    xDisplayRefuses,
};

// What an X display named (never empty) did when opened.
struct XDisplayAnswer {
    enum class Kind { opens, unreachable, takesNoConnection, silent, refuses } kind;
    // The display's own reason for a refusal, as it gave it.
    QByteArray reason;
};
using XDisplayProbe = std::function<XDisplayAnswer(const QByteArray& display)>;

// How long the display is given to answer.
inline constexpr std::chrono::seconds xDisplayAnswerBound{5};
// How long the child that opens it is given, at that bound, to say whether
// the display took its connection.
inline constexpr std::chrono::milliseconds stageAnswerBound{250};

// What the session comes to; `probe` is asked only where X is the platform.
Outcome outcome(const Session& session, const XDisplayProbe& probe);

// The one line said for an outcome, ending in a newline; empty for none.
// `reason` is the display's reason for a refusal.
QByteArray notice(Outcome outcome, const Session& session, const QByteArray& reason = {});

// This process's session, from its environment and arguments.
Session currentSession(int argc, char** argv);

// Opens the X display with xcb and closes it again, in a child process given
// `bound`: the calling process neither waits longer nor gets what xcb writes
// on standard error (a refusal's reason, which it returns). At the bound the
// child is asked whether its connection was taken, for at most
// `stageAnswerBound` more. Call it before any thread starts.
XDisplayAnswer openXDisplay(const QByteArray& display,
                            std::chrono::milliseconds bound = xDisplayAnswerBound);

// Before the Qt application is built: sets QT_QPA_PLATFORM to X where the
// session runs on X, says the outcome's notice on `errors`, and gives the
// status to end with where no X display answers.
std::optional<int> apply(
    int argc, char** argv,
    const XDisplayProbe& probe = [](const QByteArray& display) { return openXDisplay(display); },
    std::FILE* errors = stderr);

} // namespace QtPlatformChoice
