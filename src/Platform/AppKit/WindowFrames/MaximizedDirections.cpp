#include "Platform/AppKit/WindowFrames/MaximizedDirections.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <algorithm>

#include <QWindow>

namespace MaximizedDirections {

namespace {

// The atoms, made once: Qt keeps one connection for the process's life.
struct Atoms {
    std::uint32_t state;
    std::uint32_t horizontal;
    std::uint32_t vertical;
    std::uint32_t fullScreen;
};

const Atoms& atoms(xcb_connection_t* connection) {
    static const Atoms made{XcbRequests::internAtom(connection, "_NET_WM_STATE"),
                            XcbRequests::internAtom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ"),
                            XcbRequests::internAtom(connection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                            XcbRequests::internAtom(connection, "_NET_WM_STATE_FULLSCREEN")};
    return made;
}

} // namespace

Reported of(const QWindow& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return {};
    }
    const Atoms& names = atoms(connection);
    const std::vector<std::uint32_t> states =
        XcbRequests::property32(connection, xcb_window_t(window.winId()), names.state);
    const auto holds = [&](std::uint32_t atom) {
        return std::find(states.begin(), states.end(), atom) != states.end();
    };
    Reported found;
    found.directions.setFlag(Qt::Horizontal, holds(names.horizontal));
    found.directions.setFlag(Qt::Vertical, holds(names.vertical));
    found.isFullScreen = holds(names.fullScreen);
    return found;
}

void request(const QWindow& window, Qt::Orientations directions) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr || !directions) {
        return;
    }
    const Atoms& names = atoms(connection);
    constexpr std::uint32_t add = 1;
    constexpr std::uint32_t fromApplication = 1;
    // The first of the two properties is never none.
    const bool both = directions == (Qt::Horizontal | Qt::Vertical);
    const std::uint32_t first = directions & Qt::Horizontal ? names.horizontal : names.vertical;
    XcbRequests::sendToWindowManager(connection, xcb_window_t(window.winId()), names.state,
                                     {add, first, both ? names.vertical : 0, fromApplication, 0});
}

} // namespace MaximizedDirections
