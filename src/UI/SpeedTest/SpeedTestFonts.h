#pragma once

#include <QFont>

// The Speed Test window's fonts: the system font at fixed sizes and weights.
// The rounded design has no open face of its own and is drawn in the system
// face.
namespace SpeedTestFonts {

QFont font(int pointSize, QFont::Weight weight);
QFont rounded(int pointSize, QFont::Weight weight);
// 11 pt semibold, tracked 0.4: the result panels' titles.
QFont panelTitle();

} // namespace SpeedTestFonts
