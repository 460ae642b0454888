#include "Platform/AppKit/DisplayServerCompositingChecker.h"

#include "Platform/AppKit/XcbRequests.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

bool DisplayServerCompositingChecker::isCompositing() const {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return true;
    }
    xcb_connection_t* connection = x11->connection();
    if (!selectionAtom_) {
        selectionAtom_ = XcbRequests::internAtom(
            connection, "_NET_WM_CM_S" + QByteArray::number(XcbRequests::defaultScreenNumber()));
    }
    if (*selectionAtom_ == XCB_ATOM_NONE) {
        return false;
    }
    return XcbRequests::selectionOwner(connection, *selectionAtom_) != XCB_WINDOW_NONE;
}
