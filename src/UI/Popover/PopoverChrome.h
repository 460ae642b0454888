#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

// The popover's outer shape: a panel 368 pt wide with rounded corners
// (radius 14), centred in the popover window, whose own dark surface shows
// beside it.
namespace PopoverChrome {

inline constexpr int panelWidth = 368;
inline constexpr double cornerRadius = 14;

// The popover window's surface around the panel.
inline QColor surroundingColor() {
    return QColor(0x24, 0x25, 0x28);
}

inline QPainterPath panelShape(const QRectF& bounds) {
    QPainterPath path;
    path.addRoundedRect(bounds, cornerRadius, cornerRadius);
    return path;
}

} // namespace PopoverChrome
