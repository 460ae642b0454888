#include "Platform/AppKit/DisplayServerCompositingChecker.h"

#include "Platform/AppKit/Xcb/XcbRequests.h"

#include <xcb/xcb.h>

#include <QByteArray>

bool DisplayServerCompositingChecker::isCompositing() const {
    xcb_connection_t* connection = XcbRequests::qtConnection();
    if (connection == nullptr) {
        return true;
    }
    if (!selectionAtom_) {
        selectionAtom_ = XcbRequests::internAtom(
            connection, "_NET_WM_CM_S" + QByteArray::number(XcbRequests::defaultScreenNumber()));
    }
    if (*selectionAtom_ == XCB_ATOM_NONE) {
        return false;
    }
    return XcbRequests::selectionOwner(connection, *selectionAtom_) != XCB_WINDOW_NONE;
}
