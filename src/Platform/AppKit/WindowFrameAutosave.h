#pragma once

#include <QRect>
#include <QString>

class QSettings;
class QWidget;

// Saves a window's frame under a name and restores it at the next start. A
// frame that no longer falls on any screen is not restored.
namespace WindowFrameAutosave {

// Restores the frame saved under `name`; false when there is none usable.
bool restore(QWidget& window, const QString& name, QSettings& settings);
void save(const QWidget& window, const QString& name, QSettings& settings);

// Whether a frame shows at least a corner's worth on some screen.
bool isOnSomeScreen(QRect frame);

// Moves the window to the centre of the primary screen.
void centre(QWidget& window);

} // namespace WindowFrameAutosave
