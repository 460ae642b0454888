#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

#include <QByteArray>

// The few X requests the stand-ins make beside Qt, on Qt's own connection.
namespace XcbRequests {

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// The screen Qt connected to: it parses the display name the same way.
int defaultScreenNumber();

// The root window of that screen; none when the server has no such screen.
xcb_window_t defaultRootWindow(xcb_connection_t* connection);

// The atom named `name`, made when missing; none when the server refused.
std::uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name);

// The window that owns `selection`; none when nobody does.
xcb_window_t selectionOwner(xcb_connection_t* connection, xcb_atom_t selection);

} // namespace XcbRequests
