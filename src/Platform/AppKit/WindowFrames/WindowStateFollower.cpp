#include "Platform/AppKit/WindowFrames/WindowStateFollower.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

WindowStateFollower::WindowStateFollower(const QWidget& window, std::function<void()> changed)
    : window_(window), changed_(std::move(changed)) {
    if (xcb_connection_t* connection = XcbRequests::qtConnection()) {
        stateAtom_ = XcbRequests::internAtom(connection, "_NET_WM_STATE");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

WindowStateFollower::~WindowStateFollower() {
    if (stateAtom_ != XCB_ATOM_NONE && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool WindowStateFollower::nativeEventFilter(const QByteArray& eventType, void* message,
                                            qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    // winId() would make a native window: only one that exists is followed.
    const QWindow* handle = window_.windowHandle();
    if (notify->atom == stateAtom_ && handle != nullptr && handle->handle() != nullptr &&
        notify->window == xcb_window_t(handle->winId())) {
        if (notify->state == XCB_PROPERTY_DELETE && window_.isVisible()) {
            answerDeletion(notify->window); // Told once the answer lands.
            return false;
        }
        changed_();
    }
    return false;
}

// Some managers (fluxbox) delete the property for a shown window in no state,
// and Qt ignores a deletion: it would take the window as still maximised.
// Appending nothing makes an empty list where there is none and changes
// nothing where the manager has set one since, and Qt reads its change.
// Pelmor's own close unmaps a hidden window, whose states Qt keeps.
void WindowStateFollower::answerDeletion(std::uint32_t window) const {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, stateAtom_, XCB_ATOM_ATOM, 32, 0,
                        nullptr);
    xcb_flush(connection);
}
