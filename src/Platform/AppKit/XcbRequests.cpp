#include "Platform/AppKit/XcbRequests.h"

namespace XcbRequests {

int defaultScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &screen) != 0;
    std::free(host);
    return parsed ? screen : 0;
}

xcb_window_t defaultRootWindow(xcb_connection_t* connection) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; screens.rem > 0; ++skipped, xcb_screen_next(&screens)) {
        if (skipped == defaultScreenNumber()) {
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

} // namespace XcbRequests
