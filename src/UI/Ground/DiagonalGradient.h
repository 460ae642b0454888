#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Fills `rect` with a linear gradient from its top-leading to its
// bottom-trailing corner: the tool windows' background.
void fillDiagonalGradient(QPainter& painter, const QRectF& rect, const QColor& topLeading,
                          const QColor& bottomTrailing);
