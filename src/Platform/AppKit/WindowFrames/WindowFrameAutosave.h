#pragma once

#include <memory>

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class PreferenceFile;
class QWidget;

// Saves a window's frame under a name and restores it at the next start. A
// kept window is held to the screens as they are now each time it is shown,
// the first time included: its whole frame, title bar included, where the
// window manager's frame is known, and again as soon as it is.
namespace WindowFrameAutosave {

// Saves the window's normal frame: a maximised or full-screen window's is the
// one it goes back to.
void save(const QWidget& window, const QString& name, PreferenceFile& settings);

// `frame` shrunk to fit, though not below `minimumSize`, and moved inside the
// screen area it overlaps most (the first area when it overlaps none) of those
// it fits at that size, or of all where it fits none. One that cannot fit keeps
// its top edge and its right edge, the title bar and the close control, on the
// area. Unchanged when there is no screen.
QRect constrained(QRect frame, const QList<QRect>& screenAreas, QSize minimumSize = {});

// `frame` at a size the window can have: within its minimum and maximum size.
// A fixed-size window seen at another size (Qt gives a window the logical
// size of its device size on a screen of another scale) is saved at its fixed
// size.
QRect storableFrame(const QWidget& window, QRect frame);

// Moves the window to the centre of the primary screen.
void centre(QWidget& window);

// Puts the window, not yet shown, at the frame saved under `name` (its client
// area, at a size it can have), or centres it when none is saved (or there
// are no settings). From now on holds the window to the screens each time it
// is shown, the first time included (not when restored from minimised), and
// once more when the window manager has framed it (a maximised, full-screen or
// minimised one stays as it is; one shown maximised, in one direction or
// both, or full screen is first placed at its normal frame and fills the
// screen again once placed), and saves its frame
// under `name` once placed and whenever it has moved or resized and then
// stayed a moment in none of those states. One that stops filling the screen
// goes back to its normal frame only where the manager left it at the size it
// had while filling. The frame saved is the one the server shows, in Qt's
// pixels on the monitor that shows it, and a window moved to a monitor of
// another scale keeps its size in Qt's pixels. Nothing is saved without
// settings. See FrameKeeping.
void keep(QWidget& window, const QString& name, std::shared_ptr<PreferenceFile> settings);

} // namespace WindowFrameAutosave
