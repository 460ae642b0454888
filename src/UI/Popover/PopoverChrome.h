#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

// The popover's outer shape: a panel 368 pt wide with rounded corners
// (radius 14), centred in the popover window, which is see-through beside it.
namespace PopoverChrome {

inline constexpr int panelWidth = 368;
inline constexpr double cornerRadius = 14;

// Where the panel lies in a popover window of `size`: centred, full height.
inline QRectF panelBounds(QSizeF size) {
    return {(size.width() - panelWidth) / 2, 0, double(panelWidth), size.height()};
}

inline QPainterPath panelShape(const QRectF& bounds) {
    QPainterPath path;
    path.addRoundedRect(bounds, cornerRadius, cornerRadius);
    return path;
}

} // namespace PopoverChrome
