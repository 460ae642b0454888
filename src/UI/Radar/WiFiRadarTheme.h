#pragma once

#include <QColor>

// The radar window's colours, each built once on first use.
namespace WiFiRadarTheme {

const QColor& panelBackground(); // the window gradient's top-leading colour
const QColor& panelSecondary();  // the radar panel's surface
const QColor& radarGreen();
const QColor& primaryText();   // white at 0.95
const QColor& secondaryText(); // white at 0.72
const QColor& border();        // white at 0.13

} // namespace WiFiRadarTheme
