#pragma once

class QWidget;

// Keeps a window that belongs to something else on screen (the popover under
// its status icon, a bubble in it) out of the desktop's taskbar and pager, as
// the platform shows no such window there. Some window managers leave a
// frameless tool window in both unless the window's state says otherwise.
namespace TaskbarSkipping {

// Says so in the window's state, after each showing: a window manager clears
// the state of a window once it is hidden, and Qt may make the native window
// of one no manager manages (a tooltip-kind window) anew as it shows it. A
// shown window is asked of its manager; one not yet mapped carries the state
// itself. Does nothing off X11.
void skipTaskbarAndPager(QWidget& window);

} // namespace TaskbarSkipping
