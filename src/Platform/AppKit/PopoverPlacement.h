#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the popover stands by its status icon, decided when it opens: below
// the icon, above it on a tray at the bottom of the screen, beside it on a
// panel at a side; where the tray gives no icon geometry (StatusNotifier
// hosts), beside the pointer that clicked it, away from the edge whose panel
// it clicked. Every later size keeps the popover on that side with its edge
// nearest the icon where it was, and the whole popover inside the screen's
// available area (the whole screen where that area is empty), a few pixels
// from each of its edges but the icon's side: one taller than the room on its
// side, or wider than the area, is cut to fit.
class PopoverPlacement {
public:
    static PopoverPlacement byIcon(QRect icon, QSize size, QRect screenGeometry, QRect screenArea);
    static PopoverPlacement atPointer(QPoint pointer, QRect screenGeometry, QRect screenArea);

    QRect frame(QSize size) const;

private:
    enum class Side { below, above, right, left };

    PopoverPlacement(Side side, QRect near, QRect screenArea)
        : side_(side), near_(near), screenArea_(screenArea) {}

    QRect keptArea() const;
    QSize room(QRect area) const;

    Side side_;
    // What the popover stands beside: the icon, or the pointer with a gap
    // around it.
    QRect near_;
    QRect screenArea_;
};
