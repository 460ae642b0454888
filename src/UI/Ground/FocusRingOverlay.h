#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

// What shows a focus ring: a transparent layer laid over a control and the
// room round it, drawing a band of the ring's colour just outside a rounded
// rectangle. It takes no mouse events and no focus.
class FocusRingOverlay : public QWidget {
    Q_OBJECT
public:
    FocusRingOverlay(const QColor& color, double ringWidth, QWidget* parent);

    // The shape the ring goes round, in the overlay's coordinates.
    void setShape(const QRectF& shape, double radius);
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    double ringWidth_;
    QRectF shape_;
    double radius_ = 0;
};
