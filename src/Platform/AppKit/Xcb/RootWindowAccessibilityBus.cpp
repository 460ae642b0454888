#include "Platform/AppKit/Xcb/RootWindowAccessibilityBus.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

namespace RootWindowAccessibilityBus {

QString address() {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return {};
    }
    const xcb_atom_t property = XcbRequests::internAtom(connection, "AT_SPI_BUS");
    // As much of it as the bridge reads: 128 32-bit units of a STRING.
    const auto reply = XcbRequests::owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, XcbRequests::defaultRootWindow(connection), property,
                         XCB_ATOM_STRING, 0, 128),
        nullptr));
    if (!reply || property == XCB_ATOM_NONE) {
        return {};
    }
    return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
}

} // namespace RootWindowAccessibilityBus
