#pragma once

#include <optional>

#include <QByteArray>

// Which Qt platform the application runs on. A Wayland client cannot place
// its own windows, so there the popover could not open by the tray icon: in
// a Wayland session that also offers X (XWayland), Pelmor runs on Qt's X
// platform. A platform the user chose (QT_QPA_PLATFORM or -platform) stands.
namespace QtPlatformChoice {

struct Session {
    QByteArray chosenPlatform;     // QT_QPA_PLATFORM
    bool platformArgument = false; // -platform on the command line
    QByteArray display;            // DISPLAY
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray sessionType;        // XDG_SESSION_TYPE

    bool operator==(const Session&) const = default;
};

// The platform to run on instead of Qt's own choice; none to leave it.
std::optional<QByteArray> platformOverride(const Session& session);

// This process's session, from its environment and arguments.
Session currentSession(int argc, char** argv);

// Sets QT_QPA_PLATFORM when the session calls for it; before the Qt
// application is built.
void apply(int argc, char** argv);

} // namespace QtPlatformChoice
