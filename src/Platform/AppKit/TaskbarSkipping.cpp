#include "Platform/AppKit/TaskbarSkipping.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <algorithm>
#include <array>

#include <QWidget>
#include <QWindow>

namespace TaskbarSkipping {

void skipTaskbarAndPager(QWidget& window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return;
    }
    // The window's own handle: a widget may keep the id of a native window
    // that Qt has since made anew.
    window.winId();
    const auto id = static_cast<xcb_window_t>(window.windowHandle()->winId());
    const xcb_atom_t state = XcbRequests::internAtom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> skipped{
        XcbRequests::internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        XcbRequests::internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (window.isVisible()) {
        // A window manager keeps the state of a window it manages.
        constexpr std::uint32_t add = 1;
        constexpr std::uint32_t sourceIsApplication = 1;
        XcbRequests::sendToWindowManager(connection, id, state,
                                         {add, skipped[0], skipped[1], sourceIsApplication, 0});
    }
    // A window not yet mapped, or one no window manager manages, carries its
    // state itself; Qt adds its own to it when it maps a managed window.
    std::vector<std::uint32_t> states = XcbRequests::property32(connection, id, state);
    for (const xcb_atom_t atom : skipped) {
        if (std::ranges::find(states, atom) == states.end()) {
            states.push_back(atom);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

} // namespace TaskbarSkipping
