#include "Platform/AppKit/PopoverPlacement.h"

#include <algorithm>
#include <array>
#include <optional>

#include <QMargins>

namespace {

// Between the pointer and the popover's near side, so the icon under the
// pointer stays clickable where the panel's own area is not reserved.
constexpr int pointerGap = 16;

// Panels are thinner than this: a click this close to the top or bottom was
// on a horizontal panel, even in a corner nearer to a side.
constexpr int panelReach = 64;

// Kept between the popover and every edge of the available area but the one
// it stands against: a window manager that borders even an undecorated window
// (awesome) places one whose border would cross an edge elsewhere, as a new
// window, far from its icon.
constexpr int edgeGap = 4;

enum class ScreenEdge { top, bottom, left, right };

// How far a point is from each edge, in ScreenEdge's order.
std::array<int, 4> distancesToEdges(QPoint point, QRect screen) {
    return {point.y() - screen.top(), screen.bottom() - point.y(), point.x() - screen.left(),
            screen.right() - point.x()};
}

// The edge whose panel a point within panelReach of it is on: a point this
// close to the top or bottom is on a horizontal panel, even in a corner
// nearer to a side. None away from every edge.
std::optional<ScreenEdge> panelEdge(QPoint point, QRect screen) {
    const auto [toTop, toBottom, toLeft, toRight] = distancesToEdges(point, screen);
    if (std::min(toTop, toBottom) <= panelReach) {
        return toTop <= toBottom ? ScreenEdge::top : ScreenEdge::bottom;
    }
    if (std::min(toLeft, toRight) <= panelReach) {
        return toLeft <= toRight ? ScreenEdge::left : ScreenEdge::right;
    }
    return std::nullopt;
}

// The edge whose panel the click was on: the nearest where none is in reach.
ScreenEdge clickedEdge(QPoint point, QRect screen) {
    if (const auto edge = panelEdge(point, screen)) {
        return *edge;
    }
    const auto distances = distancesToEdges(point, screen);
    return ScreenEdge(std::min_element(distances.begin(), distances.end()) - distances.begin());
}

// Qt gives a screen's available area as its overlap with the desktop's one
// work area, which can be empty: the whole screen is usable then.
QRect usableArea(QRect screenGeometry, QRect screenArea) {
    return screenArea.isEmpty() ? screenGeometry : screenArea;
}

QPoint keptInside(QPoint origin, QSize size, QRect area) {
    const int x =
        std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() - size.width() + 1));
    const int y =
        std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - size.height() + 1));
    return {x, y};
}

} // namespace

// Beside an icon on a side panel, with the screen's height for room; else
// below the icon where the popover fits, or on the side with more room.
PopoverPlacement PopoverPlacement::byIcon(QRect icon, QSize size, QRect screenGeometry,
                                          QRect screenArea) {
    screenArea = usableArea(screenGeometry, screenArea);
    const std::optional<ScreenEdge> edge = panelEdge(icon.center(), screenGeometry);
    if (edge == ScreenEdge::left) {
        return {Side::right, icon, screenArea};
    }
    if (edge == ScreenEdge::right) {
        return {Side::left, icon, screenArea};
    }
    const int roomBelow = screenArea.bottom() - icon.bottom();
    const int roomAbove = icon.top() - screenArea.top();
    const bool below = size.height() < roomBelow || roomBelow > roomAbove;
    return {below ? Side::below : Side::above, icon, screenArea};
}

PopoverPlacement PopoverPlacement::atPointer(QPoint pointer, QRect screenGeometry,
                                             QRect screenArea) {
    screenArea = usableArea(screenGeometry, screenArea);
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

// The available area less the gap along each edge but the icon's side.
QRect PopoverPlacement::keptArea() const {
    QMargins gaps(edgeGap, edgeGap, edgeGap, edgeGap);
    switch (side_) {
    case Side::below:
        gaps.setTop(0);
        break;
    case Side::above:
        gaps.setBottom(0);
        break;
    case Side::right:
        gaps.setLeft(0);
        break;
    case Side::left:
        gaps.setRight(0);
        break;
    }
    return screenArea_.marginsRemoved(gaps);
}

// No taller than the room on its side, so that it never covers the icon.
QSize PopoverPlacement::room(QRect area) const {
    switch (side_) {
    case Side::below:
        return {area.width(), area.bottom() - near_.bottom()};
    case Side::above:
        return {area.width(), near_.top() - area.top()};
    case Side::right:
    case Side::left:
        break;
    }
    return area.size();
}

QRect PopoverPlacement::frame(QSize size) const {
    const QRect area = keptArea();
    size = size.boundedTo(room(area)).boundedTo(area.size());
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
    return {keptInside(origin, size, area), size};
}
