#pragma once

#include <Qt>

class QWindow;

// The directions a window is maximised in, as the window manager holds them
// (_NET_WM_STATE). A window maximised in one direction only is in no Qt
// window state: Qt reports a maximise in both.
namespace MaximizedDirections {

// What the window manager holds of a window beside Qt's own state, which
// lags behind it: the directions it is maximised in, and whether it is full
// screen.
struct Reported {
    Qt::Orientations directions;
    bool isFullScreen = false;

    // Whether the window fills the screen in any of those ways.
    explicit operator bool() const { return directions || isFullScreen; }
};

// Where there is no X server, none.
Reported of(const QWindow& window);

// Asks the window manager to maximise the window in `directions` as well.
void request(const QWindow& window, Qt::Orientations directions);

} // namespace MaximizedDirections
