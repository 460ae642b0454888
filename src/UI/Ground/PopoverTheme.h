#pragma once

#include <QColor>
#include <QFont>

// The popover's fonts and colours, each built once on first use.
namespace PopoverTheme {

const QFont& subtitleFont();     // 13 pt medium
const QFont& bodyFont();         // 13 pt medium
const QFont& sectionLabelFont(); // 11 pt semibold
const QFont& metricTitleFont();  // 12 pt semibold
const QFont& metricValueFont();  // 12 pt medium
const QFont& microFont();        // 11 pt medium

const QColor& primaryText();    // white at 0.96
const QColor& secondaryText();  // white at 0.72
const QColor& mutedText();      // white at 0.55
const QColor& panelTop();       // the panel gradient's top-leading colour
const QColor& panelBottom();    // its bottom-trailing colour
const QColor& panelBorder();    // white at 0.16
const QColor& rowSurface();     // white at 0.07
const QColor& capsuleSurface(); // white at 0.12

} // namespace PopoverTheme
