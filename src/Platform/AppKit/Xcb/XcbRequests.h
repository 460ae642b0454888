#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QRect>

// The few X requests the stand-ins make beside Qt, on Qt's own connection.
namespace XcbRequests {

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// Qt's connection to the X server; none on another platform.
xcb_connection_t* qtConnection();

// The default screen of the display Qt is on (named by `-display` or by
// $DISPLAY); 0 where Qt is not on X.
int defaultScreenNumber();

// The root window of that screen on `connection`'s server; none when the
// server has no such screen.
xcb_window_t defaultRootWindow(xcb_connection_t* connection);

// The atom named `name`, made when missing; none when the server refused.
std::uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name);

// The window that owns `selection`; none when nobody does.
xcb_window_t selectionOwner(xcb_connection_t* connection, xcb_atom_t selection);

// The 32-bit items (atoms, windows or numbers) of `window`'s `property`;
// none when it has no such property.
std::vector<std::uint32_t> property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property);

// Where `window`'s own area is on the root window, as the server has it now;
// none when the window is not shown (unmapped or minimised) or gone.
std::optional<QRect> rootGeometry(xcb_connection_t* connection, xcb_window_t window);

// The ancestor of `window` that is a child of its root window (itself where
// it is one); none when it is gone.
xcb_window_t topLevelOf(xcb_connection_t* connection, xcb_window_t window);

// Whether a pointer button is held down now, as it is while the window
// manager moves a window the user drags; not where it cannot be told.
bool isPointerButtonHeld(xcb_connection_t* connection);

// Asks the window manager, by a client message of `type` about `window` sent
// to the root window, to change the window (its state, its stacking).
void sendToWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type,
                         const std::array<std::uint32_t, 5>& data);

} // namespace XcbRequests
