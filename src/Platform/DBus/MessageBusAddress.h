#pragma once

#include <QString>

// Where a message bus listens, found as libdbus finds it, so that what is
// probed is what Qt then connects to.
namespace MessageBusAddress {

// DBUS_SYSTEM_BUS_ADDRESS, else the system bus's standard socket.
QString system();

// DBUS_SESSION_BUS_ADDRESS, else the user's bus socket in XDG_RUNTIME_DIR.
// Empty where there is neither: libdbus would then start a bus of its own
// (autolaunch), which nothing here can probe.
QString session();

} // namespace MessageBusAddress
