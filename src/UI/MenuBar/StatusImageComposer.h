#pragma once

#include "UI/MenuBar/MenuBarIconStyle.h"

#include <optional>

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

// The status icon: the application's icon with a health badge in its lower
// right corner, tinted per state or, untinted, a light glyph on a dark
// outline that reads on dark and light panels alike.
namespace StatusImageComposer {

inline constexpr int canvasSide = 18;
inline const QColor untintedBadgeColor{0xFF, 0xFF, 0xFF};
inline const QColor badgeOutlineColor{0x1C, 0x1C, 0x1E};

// The tint's colour; none for the untinted badge.
std::optional<QColor> color(MenuBarBadgeTint tint);

// The picture at `scale` device pixels per point, carrying `description` as
// its "Description" text; an unknown badge symbol leaves the bare icon.
QImage makeStatusImage(const QString& badgeSymbolName, const std::optional<QColor>& badgeTint,
                       const QString& description, double scale = 2.0);

// The icon for a style, for the tray.
std::optional<QIcon> makeStatusIcon(const MenuBarIconStyle& style, const QString& description);

// The application's own icon, drawn from its SVG.
QImage applicationIcon(int pixelSide);

} // namespace StatusImageComposer
