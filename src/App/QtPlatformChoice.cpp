#include "App/QtPlatformChoice.h"

#include <cstring>

namespace QtPlatformChoice {

std::optional<QByteArray> platformOverride(const Session& session) {
    if (!session.chosenPlatform.isEmpty() || session.platformArgument) {
        return std::nullopt;
    }
    const bool wayland =
        !session.waylandDisplay.isEmpty() || session.sessionType == QByteArrayLiteral("wayland");
    if (!wayland || session.display.isEmpty()) {
        return std::nullopt;
    }
    return QByteArrayLiteral("xcb");
}

Session currentSession(int argc, char** argv) {
    Session session{qgetenv("QT_QPA_PLATFORM"), false, qgetenv("DISPLAY"),
                    qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE")};
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "-platform") == 0 ||
            std::strcmp(argv[index], "--platform") == 0) {
            session.platformArgument = true;
        }
    }
    return session;
}

void apply(int argc, char** argv) {
    if (const auto platform = platformOverride(currentSession(argc, argv))) {
        qputenv("QT_QPA_PLATFORM", *platform);
    }
}

} // namespace QtPlatformChoice
