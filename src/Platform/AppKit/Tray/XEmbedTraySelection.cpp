#include "Platform/AppKit/Tray/XEmbedTraySelection.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <QGuiApplication>
#include <QSocketNotifier>

namespace {

constexpr std::uint32_t selectionEvents = XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE;

xcb_screen_t* screenNumbered(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; screens.rem > 0; ++skipped, xcb_screen_next(&screens)) {
        if (skipped == number) {
            return screens.data;
        }
    }
    return nullptr;
}

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
    if (QGuiApplication::platformName() != QStringLiteral("xcb") || !connectToDisplay()) {
        return;
    }
    readOwner();
    readVisual();
}

XEmbedTraySelection::~XEmbedTraySelection() {
    disconnectFromDisplay();
}

bool XEmbedTraySelection::connectToDisplay() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    const xcb_screen_t* screen = xcb_connection_has_error(connection_) == 0
                                     ? screenNumbered(connection_, screenNumber)
                                     : nullptr;
    if (screen == nullptr || !startXFixes(connection_)) {
        disconnectFromDisplay();
        return false;
    }
    root_ = screen->root;
    selection_ = XcbRequests::internAtom(connection_,
                                         "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber));
    visualProperty_ = XcbRequests::internAtom(connection_, "_NET_SYSTEM_TRAY_VISUAL");
    xfixesFirstEvent_ = xcb_get_extension_data(connection_, &xcb_xfixes_id)->first_event;
    // Asked before the owner is first read: no change falls between the two.
    xcb_xfixes_select_selection_input(connection_, root_, selection_, selectionEvents);
    xcb_flush(connection_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &XEmbedTraySelection::readEvents);
    return true;
}

void XEmbedTraySelection::readEvents() {
    // Reading the owner waits for a reply, and events that come meanwhile are
    // queued without the socket telling again: read until none is left.
    while (takeSelectionEvents()) {
        const quint32 previous = owner_;
        readOwner();
        if (owner_ != previous) {
            readVisual();
            emit ownerChanged();
        }
    }
}

bool XEmbedTraySelection::takeSelectionEvents() {
    if (connection_ == nullptr) {
        return false;
    }
    bool selectionTold = false;
    while (const auto event = XcbRequests::owned(xcb_poll_for_event(connection_))) {
        selectionTold = selectionTold || (event->response_type & 0x7f) ==
                                             xfixesFirstEvent_ + XCB_XFIXES_SELECTION_NOTIFY;
    }
    if (xcb_connection_has_error(connection_) != 0) {
        // The server is gone, and every tray with it.
        disconnectFromDisplay();
        return true;
    }
    return selectionTold;
}

void XEmbedTraySelection::readOwner() {
    owner_ = connection_ != nullptr ? XcbRequests::selectionOwner(connection_, selection_) : 0;
}

void XEmbedTraySelection::readVisual() {
    const std::vector<std::uint32_t> named =
        owner_ != 0 ? XcbRequests::property32(connection_, owner_, visualProperty_)
                    : std::vector<std::uint32_t>{};
    visual_ = named.empty() ? 0 : named.front();
    visualDepth_ = visual_ != 0 ? depthOfVisual(connection_, visual_) : 0;
}

void XEmbedTraySelection::disconnectFromDisplay() {
    notifier_.reset();
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
}
