#include "App/QtPlatformChoice.h"

#include <algorithm>
#include <cstring>
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
    if (session.display.isEmpty() || !probe(session.display)) {
        return Outcome::noXDisplay;
    }
    return namesWayland ? Outcome::onXInsteadOfWayland : Outcome::onX;
}

QByteArray notice(Outcome outcome, const Session& session) {
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
               "; Pelmor needs an X display (XWayland on Wayland desktops).\n";
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

bool xDisplayAnswers(const QByteArray& display) {
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

std::optional<int> apply(int argc, char** argv, const XDisplayProbe& probe, std::FILE* errors) {
    const Session session = currentSession(argc, argv);
    const Outcome result = outcome(session, probe);
    if (const QByteArray line = notice(result, session); !line.isEmpty()) {
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
        return 1;
    }
    return std::nullopt;
}

} // namespace QtPlatformChoice
