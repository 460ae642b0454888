#include "UI/Popover/InlineSparklineView.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Popover/SparklineGeometry.h"

#include <QPainter>

namespace {

constexpr double baselineWidth = 0.8;

} // namespace

InlineSparklineView::InlineSparklineView(std::vector<double> samples,
                                         std::optional<ClosedRange> yDomain,
                                         const QColor& strokeColor, QWidget* parent)
    : QWidget(parent), samples_(std::move(samples)), yDomain_(yDomain), strokeColor_(strokeColor) {}

void InlineSparklineView::setSeries(std::vector<double> samples, std::optional<ClosedRange> yDomain,
                                    const QColor& strokeColor) {
    // Every refresh hands over every series; only a changed one is redrawn.
    if (samples == samples_ && yDomain == yDomain_ && strokeColor == strokeColor_) {
        return;
    }
    samples_ = std::move(samples);
    yDomain_ = yDomain;
    strokeColor_ = strokeColor;
    update();
}

void InlineSparklineView::paintEvent(QPaintEvent* /*event*/) {
    const QSizeF size = this->size();
    const std::vector<double> values = SparklineGeometry::normalizedValues(samples_, yDomain_);
    const double baseline = SparklineGeometry::baselineY(size);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(SparklineGeometry::areaPath(values, size), withOpacity(strokeColor_, 0.2));

    // The 0.8 pt baseline with flat caps, filled as the rectangle it is: a
    // stroked line costs several times more to rasterize.
    painter.fillRect(QRectF(0, baseline - baselineWidth / 2, size.width(), baselineWidth),
                     withOpacity(strokeColor_, 0.35));

    QPen linePen(strokeColor_, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    linePen.setMiterLimit(10);
    painter.setPen(linePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(SparklineGeometry::linePath(values, size));
}
