#include "Platform/AppKit/WindowFrames/WindowStateFollower.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"
#include "Support/EventLoopWait.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

xcb_atom_t atom(const char* name) {
    return XcbRequests::internAtom(XcbRequests::qtConnection(), name);
}

// The window's _NET_WM_STATE as the manager would write it; none deletes it.
void writeStates(xcb_window_t window, const std::optional<std::vector<xcb_atom_t>>& states) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (states) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_STATE"),
                            XCB_ATOM_ATOM, 32, std::uint32_t(states->size()), states->data());
    } else {
        xcb_delete_property(connection, window, atom("_NET_WM_STATE"));
    }
    xcb_flush(connection);
}

// The property's atoms; none where the window has no such property.
std::optional<std::vector<std::uint32_t>> statesOf(xcb_window_t window) {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const auto reply = XcbRequests::owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
        nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(items,
                                      items + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace

// A window manager that deletes _NET_WM_STATE for a shown window in no state
// (fluxbox): Qt, which ignores a deletion, hears that the window left its
// states. Run in an X session with no window manager: the test is the
// manager.
TEST(WindowStateFollowerXTest, AStateListTheManagerDeletesReadsAsNoState) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "Skipped: needs an X server (run under xvfb-run).";
    }
    const std::vector<xcb_atom_t> maximised{atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                            atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
    const std::vector<xcb_atom_t> fullScreen{atom("_NET_WM_STATE_FULLSCREEN")};
    const struct {
        const char* what;
        // Pelmor closed the window before the manager deleted the list.
        bool hidden;
        // What the manager writes straight after deleting it.
        std::optional<std::vector<xcb_atom_t>> then;
        Qt::WindowStates expectedStates;
        std::optional<std::vector<std::uint32_t>> expectedList;
    } rows[] = {
        {"shown", false, std::nullopt, Qt::WindowNoState, std::vector<std::uint32_t>{}},
        {"shown, made full screen at once", false, fullScreen, Qt::WindowFullScreen, fullScreen},
        {"closed by Pelmor", true, std::nullopt, Qt::WindowMaximized, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QWidget window;
        window.resize(300, 200);
        int changes = 0;
        const WindowStateFollower follower(window, [&] { ++changes; });
        window.show();
        ASSERT_TRUE(processEventsUntil([&] { return window.windowHandle()->isExposed(); }, 5'000));
        const auto native = xcb_window_t(window.winId());
        writeStates(native, maximised);
        ASSERT_TRUE(processEventsUntil([&] { return window.isMaximized(); }, 3'000));
        if (row.hidden) {
            window.hide();
        }
        changes = 0;
        writeStates(native, std::nullopt);
        if (row.then) {
            writeStates(native, row.then);
        }
        EXPECT_TRUE(processEventsUntil(
            [&] {
                return changes > 0 &&
                       (window.windowState() & ~Qt::WindowActive) == row.expectedStates &&
                       statesOf(native) == row.expectedList;
            },
            3'000))
            << "states " << int(window.windowState()) << ", list of "
            << (statesOf(native) ? int(statesOf(native)->size()) : -1) << " atoms";
    }
}
