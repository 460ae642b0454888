#include "UI/Radar/RadarDivider.h"

#include "UI/Radar/WiFiRadarTheme.h"

#include <QPainter>

RadarDivider::RadarDivider(QWidget* parent) : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RadarDivider::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), WiFiRadarTheme::border());
}
