#pragma once

#include "UI/MenuBarIconStyle.h"

#include <optional>

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

// The status icon: the application's icon with a health badge in its lower
// right corner, tinted per state or in the label colour.
namespace StatusImageComposer {

inline constexpr int canvasSide = 18;

// The tint's colour; none for the label colour.
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
