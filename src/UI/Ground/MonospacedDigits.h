#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// Text whose digits all take the advance of the font's widest digit, so that a
// value changing every half second does not shift sideways. Other characters
// keep their own advances.
namespace MonospacedDigits {

// The advance each digit takes in `font`.
double digitAdvance(const QFont& font);

// The width `text` takes when drawn by `draw`.
double width(const QString& text, const QFont& font);

// Draws `text` from `baselineStart`, each digit centred in its fixed cell.
void draw(QPainter& painter, const QPointF& baselineStart, const QString& text, const QFont& font);

} // namespace MonospacedDigits
