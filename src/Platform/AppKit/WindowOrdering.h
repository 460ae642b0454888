#pragma once

class QWidget;

namespace WindowOrdering {

// Shows the window in front of the others and makes it the active one: a
// minimised window is restored first, also one closed while minimised,
// whose minimised state Qt keeps and would map it with; a rolled-up one is
// rolled down; one on another desktop is moved to the user's. A window not
// yet mapped is made active once it is, unless it is minimised or closed
// first, and loses a hidden state its window manager kept through the map.
void makeKeyAndOrderFront(QWidget& window);

} // namespace WindowOrdering
