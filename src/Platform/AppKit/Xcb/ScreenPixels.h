#pragma once

#include <optional>

#include <QPoint>
#include <QRect>

class QScreen;

// Places the X server gives in device pixels, in Qt's pixels: each screen
// keeps its top-left corner and scales what lies within it by its own scale.
namespace ScreenPixels {

// On `screen`.
QRect toLogical(QRect device, const QScreen& screen);
// On the screen that holds the place (a rectangle's top-left corner); as it
// is where none does.
QRect toLogical(QRect device);
// On the screen that holds the point; none where no screen does. Any point
// may be given, however far off.
std::optional<QPoint> toLogical(QPoint device);

// The screen that shows a window's frame, as Qt picks a window's screen: the
// one that holds its centre, else the last one it overlaps; none where it
// lies off every screen.
const QScreen* screenShowing(QRect device);

} // namespace ScreenPixels
