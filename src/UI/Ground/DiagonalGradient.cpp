#include "UI/Ground/DiagonalGradient.h"

#include <QLinearGradient>
#include <QPainter>

void fillDiagonalGradient(QPainter& painter, const QRectF& rect, const QColor& topLeading,
                          const QColor& bottomTrailing) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, topLeading);
    gradient.setColorAt(1, bottomTrailing);
    painter.fillRect(rect, gradient);
}
