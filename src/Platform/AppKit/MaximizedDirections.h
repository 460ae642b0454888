#pragma once

#include <QtGlobal>

class QWindow;

// The directions a window is maximised in, as the window manager holds them
// (_NET_WM_STATE). A window maximised in one direction only is in no Qt
// window state: Qt reports a maximise in both.
namespace MaximizedDirections {

// Where there is no X server, none.
Qt::Orientations of(const QWindow& window);

// Asks the window manager to maximise the window in `directions` as well.
void request(const QWindow& window, Qt::Orientations directions);

} // namespace MaximizedDirections
