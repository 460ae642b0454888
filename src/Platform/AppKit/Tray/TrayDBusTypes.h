#pragma once

// Makes the tray's D-Bus value types (the StatusNotifier item's and its
// dbusmenu's) known to QtDBus; once per process, however often called.
void registerTrayDBusTypes();
