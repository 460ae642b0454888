#include "UI/Ground/Spinner.h"

#include "UI/Ground/ColorOpacity.h"

#include <QPainter>

namespace {

constexpr int frameInterval = 1000 / 30;
constexpr int degreesPerFrame = 360 / 30;
constexpr int arcDegrees = 270;

} // namespace

Spinner::Spinner(int diameter, const QColor& color, QWidget* parent)
    : QWidget(parent), diameter_(diameter), color_(color) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("In progress"));
    timer_.setInterval(frameInterval);
    connect(&timer_, &QTimer::timeout, this, [this] {
        angle_ = (angle_ + degreesPerFrame) % 360;
        update();
    });
}

void Spinner::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Spinner::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_.start();
}

void Spinner::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

void Spinner::paintEvent(QPaintEvent* /*event*/) {
    const double lineWidth = std::max(1.5, diameter_ / 8.0);
    const double side = std::min(width(), height()) - lineWidth;
    const QRectF circle((width() - side) / 2, (height() - side) / 2, side, side);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(withOpacity(color_, 0.2), lineWidth));
    painter.drawEllipse(circle);
    painter.setPen(QPen(color_, lineWidth, Qt::SolidLine, Qt::RoundCap));
    // Qt counts sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawArc(circle, -angle_ * 16, arcDegrees * 16);
}
