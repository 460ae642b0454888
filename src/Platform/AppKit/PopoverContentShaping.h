#pragma once

#include <QPainterPath>
#include <QSizeF>

// Content of a popover that draws only part of its rectangle: the popover is
// see-through outside that part, and shaped to it where nothing composites.
class PopoverContentShaping {
public:
    virtual ~PopoverContentShaping() = default;
    // What the content draws when it is `size` large, in its own coordinates.
    virtual QPainterPath visibleShape(QSizeF size) const = 0;
};
