#include "Platform/AppKit/Tray/XEmbedTraySelection.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <QCoreApplication>

namespace {

constexpr std::uint32_t selectionEvents = XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE;

int depthOfVisual(xcb_connection_t* connection, xcb_visualid_t visual) {
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem > 0;
         xcb_screen_next(&screens)) {
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem > 0;
             xcb_depth_next(&depths)) {
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0;
                 xcb_visualtype_next(&visuals)) {
                if (visuals.data->visual_id == visual) {
                    return depths.data->depth;
                }
            }
        }
    }
    return 0;
}

// Announces the version of XFixes this client speaks, as the extension
// requires before any other request; whether the server has it.
bool startXFixes(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (extension == nullptr || extension->present == 0) {
        return false;
    }
    const auto version = XcbRequests::owned(xcb_xfixes_query_version_reply(
        connection,
        xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
        nullptr));
    return version != nullptr;
}

} // namespace

XEmbedTraySelection::XEmbedTraySelection() {
    if (!watchSelection()) {
        return;
    }
    readOwner();
    readVisual();
}

XEmbedTraySelection::~XEmbedTraySelection() {
    if (watching_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool XEmbedTraySelection::watchSelection() {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const xcb_window_t root =
        connection != nullptr ? XcbRequests::defaultRootWindow(connection) : XCB_WINDOW_NONE;
    if (root == XCB_WINDOW_NONE || !startXFixes(connection)) {
        return false;
    }
    selection_ = XcbRequests::internAtom(
        connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(XcbRequests::defaultScreenNumber()));
    visualProperty_ = XcbRequests::internAtom(connection, "_NET_SYSTEM_TRAY_VISUAL");
    managerMessage_ = XcbRequests::internAtom(connection, "MANAGER");
    hearAnnouncements(connection, root);
    xfixesFirstEvent_ = xcb_get_extension_data(connection, &xcb_xfixes_id)->first_event;
    // Asked before the owner is first read: no change falls between the two.
    xcb_xfixes_select_selection_input(connection, root, selection_, selectionEvents);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
    watching_ = true;
    return true;
}

// A tray announces itself to the root window's structure listeners; added to
// what Qt listens to there on the same connection, which it keeps.
void XEmbedTraySelection::hearAnnouncements(xcb_connection_t* connection, std::uint32_t root) {
    const auto attributes = XcbRequests::owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr));
    const std::uint32_t events =
        (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
}

bool XEmbedTraySelection::nativeEventFilter(const QByteArray& eventType, void* message,
                                            qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        const auto* announcement = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (announcement->type == managerMessage_ && announcement->format == 32 &&
            announcement->data.data32[1] == selection_) {
            ownerAnnounced();
        }
        return false;
    }
    if ((event->response_type & 0x7f) != xfixesFirstEvent_ + XCB_XFIXES_SELECTION_NOTIFY ||
        reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event)->selection !=
            selection_) {
        return false;
    }
    // Read, not taken from the event: one that waited in the queue behind a
    // later change would undo it.
    const quint32 previous = owner_;
    readOwner();
    if (owner_ != previous) {
        readVisual();
        emit ownerChanged();
    }
    // Left to Qt too, which follows selections of its own the same way.
    return false;
}

void XEmbedTraySelection::ownerAnnounced() {
    const quint32 previous = owner_;
    readOwner();
    readVisual();
    if (owner_ != previous) {
        emit ownerChanged();
    }
    if (owner_ != 0) {
        emit announced();
    }
}

void XEmbedTraySelection::readOwner() {
    owner_ = XcbRequests::selectionOwner(XcbRequests::qtConnection(), selection_);
}

void XEmbedTraySelection::readVisual() {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    const std::vector<std::uint32_t> named =
        owner_ != 0 ? XcbRequests::property32(connection, owner_, visualProperty_)
                    : std::vector<std::uint32_t>{};
    visual_ = named.empty() ? 0 : named.front();
    visualDepth_ = visual_ != 0 ? depthOfVisual(connection, visual_) : 0;
}
