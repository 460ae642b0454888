#pragma once

#include "AppState/DiagnosticsExportMessageColor.h"

#include <QColor>

// The Diagnostics Export window's colours, each built once on first use.
namespace DiagnosticsExportTheme {

const QColor& backgroundTop();    // the background gradient's top-leading colour
const QColor& backgroundBottom(); // its bottom-trailing colour
const QColor& panelBackground();  // white at 0.05
const QColor& panelBorder();      // white at 0.14
const QColor& primaryText();      // white at 0.95
const QColor& secondaryText();    // white at 0.72
const QColor& accent();           // green at 0.9
const QColor& success();          // green at 0.9
const QColor& error();            // red at 0.9

// The feedback line's colour for its role.
const QColor& messageColor(DiagnosticsExportMessageColor color);

} // namespace DiagnosticsExportTheme
