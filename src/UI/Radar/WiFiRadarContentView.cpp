#include "UI/Radar/WiFiRadarContentView.h"

#include "UI/Ground/DiagonalGradient.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarSidebarView.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>
#include <cmath>

#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double sidebarShare = 0.4;

} // namespace

WiFiRadarContentView::WiFiRadarContentView(RadarDiscView::MonotonicClock clock, QWidget* parent)
    : QWidget(parent), sidebar_(new RadarSidebarView(this)),
      panel_(new RadarPanelView(std::move(clock), this)) {
    setContent(content_);
}

std::pair<double, double> WiFiRadarContentView::columnWidths(int windowWidth) {
    const double available = std::max(1.0, windowWidth - 2.0 * padding - columnGap);
    return {available * sidebarShare, available * (1 - sidebarShare)};
}

void WiFiRadarContentView::setContent(const WiFiRadarContent& content) {
    content_ = content;
    sidebar_->setContent(content);
    panel_->disc()->setReadout(content.score, content.qualityTint, content.statusSymbolName,
                               content.qualityMessage);
}

// The columns share the width by fixed fractions, whatever their contents
// would like; both take the full height inside the padding.
void WiFiRadarContentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const auto [sidebarWidth, panelWidth] = columnWidths(width());
    const int sidebar = static_cast<int>(std::lround(sidebarWidth));
    const int panel = static_cast<int>(std::lround(sidebarWidth + panelWidth)) - sidebar;
    const int height = std::max(1, this->height() - 2 * padding);
    sidebar_->setGeometry(padding, padding, sidebar, height);
    panel_->setGeometry(padding + sidebar + columnGap, padding, panel, height);
}

void WiFiRadarContentView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = background(painter.device()->devicePixelRatio());
    const qreal ratio = image.devicePixelRatio();
    for (const QRect& rect : event->region()) {
        painter.drawImage(QRectF(rect), image,
                          QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    }
}

const QImage& WiFiRadarContentView::background(qreal devicePixelRatio) {
    const QSize pixels = size() * devicePixelRatio;
    if (background_.size() != pixels || background_.devicePixelRatio() != devicePixelRatio) {
        background_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        background_.setDevicePixelRatio(devicePixelRatio);
        QPainter painter(&background_);
        fillDiagonalGradient(painter, rect(), WiFiRadarTheme::panelBackground(), Qt::black);
    }
    return background_;
}
