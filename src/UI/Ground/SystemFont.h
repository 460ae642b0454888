#pragma once

#include <QFont>

// The platform's system font and its monospaced design, at a size in points
// (one point is one logical pixel) and a weight.
namespace SystemFont {

QFont font(int pointSize, QFont::Weight weight = QFont::Normal);
QFont monospaced(int pointSize, QFont::Weight weight = QFont::Normal);

// The platform's caption style: 10 pt regular.
QFont caption();

} // namespace SystemFont
