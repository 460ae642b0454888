#include "Platform/AppKit/DisplayServerCompositingChecker.h"

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace {

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// The screen Qt connected to: it parses the display name the same way.
int defaultScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &screen) != 0;
    std::free(host);
    return parsed ? screen : 0;
}

std::uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.constData()),
        nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

} // namespace

bool DisplayServerCompositingChecker::isCompositing() const {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return true;
    }
    xcb_connection_t* connection = x11->connection();
    if (!selectionAtom_) {
        selectionAtom_ =
            internAtom(connection, "_NET_WM_CM_S" + QByteArray::number(defaultScreenNumber()));
    }
    if (*selectionAtom_ == XCB_ATOM_NONE) {
        return false;
    }
    const auto owner = owned(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, *selectionAtom_), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}
