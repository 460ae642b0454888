#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <algorithm>

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Last: its macros (None, Bool, Status) would clash with names in Qt's headers.
#include <X11/Xlib.h>

namespace XcbRequests {

xcb_connection_t* qtConnection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

int defaultScreenNumber() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Qt opens its display through Xlib and takes Xlib's default screen.
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    return display != nullptr ? DefaultScreen(display) : 0;
}

xcb_window_t defaultRootWindow(xcb_connection_t* connection) {
    const int number = defaultScreenNumber();
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; screens.rem > 0; ++skipped, xcb_screen_next(&screens)) {
        if (skipped == number) {
            return screens.data->root;
        }
    }
    return XCB_WINDOW_NONE;
}

std::uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.constData()),
        nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

xcb_window_t selectionOwner(xcb_connection_t* connection, xcb_atom_t selection) {
    const auto reply = owned(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr));
    return reply ? reply->owner : XCB_WINDOW_NONE;
}

std::vector<std::uint32_t> property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property) {
    const auto reply = owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {items, items + xcb_get_property_value_length(reply.get()) / 4};
}

std::optional<QRect> rootGeometry(xcb_connection_t* connection, xcb_window_t window) {
    // All asked before any answer is awaited: one round trip.
    const xcb_get_window_attributes_cookie_t attributes =
        xcb_get_window_attributes(connection, window);
    const xcb_get_geometry_cookie_t size = xcb_get_geometry(connection, window);
    const xcb_translate_coordinates_cookie_t origin =
        xcb_translate_coordinates(connection, window, defaultRootWindow(connection), 0, 0);
    const auto shown = owned(xcb_get_window_attributes_reply(connection, attributes, nullptr));
    const auto sized = owned(xcb_get_geometry_reply(connection, size, nullptr));
    const auto placed = owned(xcb_translate_coordinates_reply(connection, origin, nullptr));
    // A window manager may move the frame of a minimised window anywhere.
    if (!shown || shown->map_state != XCB_MAP_STATE_VIEWABLE || !sized || !placed) {
        return std::nullopt;
    }
    return QRect(placed->dst_x, placed->dst_y, sized->width, sized->height);
}

xcb_window_t topLevelOf(xcb_connection_t* connection, xcb_window_t window) {
    while (window != XCB_WINDOW_NONE) {
        const auto tree =
            owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree) {
            return XCB_WINDOW_NONE;
        }
        if (tree->parent == tree->root) {
            return window;
        }
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

bool isPointerButtonHeld(xcb_connection_t* connection) {
    const auto pointer = owned(xcb_query_pointer_reply(
        connection, xcb_query_pointer(connection, defaultRootWindow(connection)), nullptr));
    constexpr std::uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                      XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
    return pointer && (pointer->mask & buttons) != 0;
}

void sendToWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type,
                         const std::array<std::uint32_t, 5>& data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(connection, 0, defaultRootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace XcbRequests
