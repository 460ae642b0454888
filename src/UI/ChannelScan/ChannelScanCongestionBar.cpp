#include "UI/ChannelScan/ChannelScanCongestionBar.h"

#include "UI/ChannelScan/ChannelScanWindowModel.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double cornerRadius = 4;

void fillRounded(QPainter& painter, const QRectF& rect, const QColor& color) {
    QPainterPath path;
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    painter.fillPath(path, color);
}

} // namespace

ChannelScanCongestionBar::ChannelScanCongestionBar(double congestion, const QColor& color,
                                                   QWidget* parent)
    : QWidget(parent), congestion_(congestion), color_(color) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(barHeight);
}

double ChannelScanCongestionBar::barWidth() const {
    return ChannelScanWindowModel::congestionBarWidth(congestion_, width());
}

void ChannelScanCongestionBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    fillRounded(painter, QRectF(0, 0, width(), barHeight), withOpacity(NamedColors::white, 0.07));
    fillRounded(painter, QRectF(0, 0, barWidth(), barHeight), color_);
}
