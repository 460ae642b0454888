#include "Platform/AppKit/PopoverPlacement.h"

#include <algorithm>
#include <iterator>

namespace {

// Between the pointer and the popover's near side, so the icon under the
// pointer stays clickable where the panel's own area is not reserved.
constexpr int pointerGap = 16;

// Panels are thinner than this: a click this close to the top or bottom was
// on a horizontal panel, even in a corner nearer to a side.
constexpr int panelReach = 64;

enum class ScreenEdge { top, bottom, left, right };

// The edge whose panel the click was on.
ScreenEdge clickedEdge(QPoint point, QRect screen) {
    const int toTop = point.y() - screen.top();
    const int toBottom = screen.bottom() - point.y();
    if (std::min(toTop, toBottom) <= panelReach) {
        return toTop <= toBottom ? ScreenEdge::top : ScreenEdge::bottom;
    }
    const int toLeft = point.x() - screen.left();
    const int toRight = screen.right() - point.x();
    if (std::min(toLeft, toRight) <= panelReach) {
        return toLeft <= toRight ? ScreenEdge::left : ScreenEdge::right;
    }
    const int distances[] = {toTop, toBottom, toLeft, toRight};
    return ScreenEdge(std::min_element(std::begin(distances), std::end(distances)) -
                      std::begin(distances));
}

QPoint keptInside(QPoint origin, QSize size, QRect area) {
    const int x =
        std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() - size.width() + 1));
    const int y =
        std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - size.height() + 1));
    return {x, y};
}

} // namespace

// Below the icon where the popover fits; else on the side with more room.
PopoverPlacement PopoverPlacement::byIcon(QRect icon, QSize size, QRect screenArea) {
    const int roomBelow = screenArea.bottom() - icon.bottom();
    const int roomAbove = icon.top() - screenArea.top();
    const bool below = size.height() < roomBelow || roomBelow > roomAbove;
    return {below ? Side::below : Side::above, icon, screenArea};
}

PopoverPlacement PopoverPlacement::atPointer(QPoint pointer, QRect screenGeometry,
                                             QRect screenArea) {
    const QRect aroundPointer(pointer - QPoint(pointerGap, pointerGap),
                              QSize(2 * pointerGap, 2 * pointerGap));
    switch (clickedEdge(pointer, screenGeometry)) {
    case ScreenEdge::top:
        return {Side::below, aroundPointer, screenArea};
    case ScreenEdge::bottom:
        return {Side::above, aroundPointer, screenArea};
    case ScreenEdge::left:
        return {Side::right, aroundPointer, screenArea};
    case ScreenEdge::right:
        break;
    }
    return {Side::left, aroundPointer, screenArea};
}

// No taller than the room on its side, so that it never covers the icon.
QSize PopoverPlacement::room() const {
    switch (side_) {
    case Side::below:
        return {screenArea_.width(), screenArea_.bottom() - near_.bottom()};
    case Side::above:
        return {screenArea_.width(), near_.top() - screenArea_.top()};
    case Side::right:
    case Side::left:
        break;
    }
    return screenArea_.size();
}

QRect PopoverPlacement::frame(QSize size) const {
    size = size.boundedTo(room()).boundedTo(screenArea_.size());
    const int centredX = near_.x() + (near_.width() - size.width()) / 2;
    const int centredY = near_.y() + (near_.height() - size.height()) / 2;
    QPoint origin;
    switch (side_) {
    case Side::below:
        origin = QPoint(centredX, near_.bottom() + 1);
        break;
    case Side::above:
        origin = QPoint(centredX, near_.top() - size.height());
        break;
    case Side::right:
        origin = QPoint(near_.right() + 1, centredY);
        break;
    case Side::left:
        origin = QPoint(near_.left() - size.width(), centredY);
        break;
    }
    return {keptInside(origin, size, screenArea_), size};
}
