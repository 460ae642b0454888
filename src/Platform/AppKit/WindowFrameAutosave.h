#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QSettings;
class QWidget;

// Saves a window's frame under a name and restores it at the next start. A
// restored frame is constrained to the screens as they are now.
namespace WindowFrameAutosave {

// Restores the frame saved under `name`, constrained to a screen; false when
// nothing is saved or the saved value is not a frame.
bool restore(QWidget& window, const QString& name, QSettings& settings);
void save(const QWidget& window, const QString& name, QSettings& settings);

// `frame` shrunk to fit and moved inside the screen area it overlaps most (the
// first area when it overlaps none). Unchanged when there is no screen.
QRect constrained(QRect frame, const QList<QRect>& screenAreas);

// Moves the window to the centre of the primary screen.
void centre(QWidget& window);

} // namespace WindowFrameAutosave
