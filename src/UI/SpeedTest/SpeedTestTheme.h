#pragma once

#include <QColor>

// The Speed Test window's colours, each built once on first use: a dark
// diagonal background and text at white opacities.
namespace SpeedTestTheme {

const QColor& backgroundTop();    // the gradient's top-leading colour
const QColor& backgroundBottom(); // its bottom-trailing colour
const QColor& panelBackground();  // white at 0.04
const QColor& panelBorder();      // white at 0.13
const QColor& primaryText();      // white at 0.95
const QColor& secondaryText();    // white at 0.72
const QColor& mutedText();        // white at 0.52
const QColor& accent();           // the platform's accent colour

} // namespace SpeedTestTheme
