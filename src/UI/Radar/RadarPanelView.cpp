#include "UI/Radar/RadarPanelView.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double cornerRadius = 20;

} // namespace

RadarPanelView::RadarPanelView(RadarDiscView::MonotonicClock clock, QWidget* parent)
    : QWidget(parent), disc_(new RadarDiscView(std::move(clock), this)) {}

double RadarPanelView::discDiameter() const {
    return std::min(std::max(1.0, width() - 2.0 * discInset),
                    std::max(1.0, height() - 2.0 * discInset));
}

void RadarPanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int side = static_cast<int>(std::ceil(discDiameter())) + 2 * RadarDiscView::ringOverhang;
    disc_->setGeometry((width() - side) / 2, (height() - side) / 2, side, side);
}

void RadarPanelView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath surface;
    surface.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                           cornerRadius);
    painter.fillPath(surface, withOpacity(WiFiRadarTheme::panelSecondary(), 0.6));
    painter.setPen(QPen(WiFiRadarTheme::border(), 1));
    painter.drawPath(surface);
}
