#include "UI/Radar/RadarDiscView.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/MonospacedDigits.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Radar/RadarSweepShape.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int symbolSize = 34;
constexpr double readoutSpacing = 2;
constexpr double gradientStartRadius = 8;

const QFont& scoreFont() {
    static const QFont font = SystemFont::font(32, QFont::Bold);
    return font;
}

const QFont& messageFont() {
    static const QFont font = SystemFont::font(12, QFont::DemiBold);
    return font;
}

QRectF centredSquare(const QPointF& centre, double side) {
    return {centre.x() - side / 2, centre.y() - side / 2, side, side};
}

} // namespace

RadarDiscView::RadarDiscView(MonotonicClock clock, QWidget* parent)
    : QWidget(parent), clock_(std::move(clock)), sweepStart_(clock_()),
      tint_(WiFiRadarTheme::radarGreen()) {
    sweepTimer_.setInterval(frameInterval);
    // Only the disc is redrawn on every frame.
    connect(&sweepTimer_, &QTimer::timeout, this, [this] { update(); });
}

void RadarDiscView::setReadout(int score, const QColor& tint, const QString& statusSymbolName,
                               const QString& message) {
    score_ = score;
    tint_ = tint;
    statusSymbolName_ = statusSymbolName;
    message_ = message;
    update();
}

void RadarDiscView::freezeSweep(double elapsedSeconds) {
    frozenElapsedSeconds_ = elapsedSeconds;
    sweepTimer_.stop();
    update();
}

double RadarDiscView::sweepRotationDegrees() const {
    if (frozenElapsedSeconds_) {
        return RadarSweepShape::rotationDegrees(*frozenElapsedSeconds_);
    }
    const std::chrono::duration<double> elapsed = clock_() - sweepStart_;
    return RadarSweepShape::rotationDegrees(elapsed.count());
}

void RadarDiscView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sweepStart_ = clock_();
    if (!frozenElapsedSeconds_) {
        sweepTimer_.start();
    }
}

void RadarDiscView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    sweepTimer_.stop();
}

QRectF RadarDiscView::discRect() const {
    const double side = std::max(1.0, std::min(width(), height()) - 2.0 * ringOverhang);
    return centredSquare(QRectF(rect()).center(), side);
}

void RadarDiscView::paintEvent(QPaintEvent* /*event*/) {
    const QRectF disc = discRect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    QPainterPath clip;
    clip.addEllipse(disc);
    painter.setClipPath(clip);
    paintDisc(painter, disc);
    paintSweep(painter, disc);
    painter.restore();

    painter.setPen(QPen(withOpacity(tint_, 0.9), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);
    paintReadout(painter, disc);
}

void RadarDiscView::paintDisc(QPainter& painter, const QRectF& disc) const {
    const QPointF centre = disc.center();
    const double radius = disc.width() / 2;
    QRadialGradient background(centre, std::max(1.0, radius), centre, gradientStartRadius);
    background.setColorAt(0, QColor::fromRgbF(0.06F, 0.12F, 0.09F));
    background.setColorAt(1, QColor::fromRgbF(0.03F, 0.05F, 0.07F));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(disc);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(WiFiRadarTheme::radarGreen(), 0.16), 1));
    for (int ring = 1; ring <= 4; ++ring) {
        painter.drawEllipse(centredSquare(centre, ring * disc.width() / 4));
    }
    painter.setPen(QPen(withOpacity(WiFiRadarTheme::radarGreen(), 0.12), 1));
    painter.drawLine(QPointF(disc.left(), centre.y()), QPointF(disc.right(), centre.y()));
    painter.drawLine(QPointF(centre.x(), disc.top()), QPointF(centre.x(), disc.bottom()));
}

// The wedge's straight leading edge is brightest; the gradient fades across
// the disc behind it.
void RadarDiscView::paintSweep(QPainter& painter, const QRectF& disc) const {
    const double radius = disc.width() / 2;
    painter.save();
    painter.translate(disc.center());
    painter.rotate(sweepRotationDegrees());
    QLinearGradient fade(QPointF(radius, 0), QPointF(-radius, 0));
    fade.setColorAt(0, withOpacity(tint_, 0.28));
    fade.setColorAt(1, withOpacity(tint_, 0.03));
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fade);
    painter.drawPath(RadarSweepShape::path(QRectF(-radius, -radius, disc.width(), disc.width())));
    painter.restore();
}

void RadarDiscView::paintReadout(QPainter& painter, const QRectF& disc) const {
    const QFontMetricsF scoreMetrics(scoreFont());
    const QFontMetricsF messageMetrics(messageFont());
    const double height = symbolSize + readoutSpacing + scoreMetrics.height() + readoutSpacing +
                          messageMetrics.height();
    double top = disc.center().y() - height / 2;
    const double left = disc.left();
    const double width = disc.width();

    if (const auto symbol = SymbolImage::named(statusSymbolName_, symbolSize)) {
        symbol->paint(painter,
                      QRectF(disc.center().x() - symbolSize / 2.0, top, symbolSize, symbolSize),
                      tint_);
    }
    top += symbolSize + readoutSpacing;
    // Digits on a fixed advance, so that the score does not shift sideways as
    // it changes four times a second.
    const QString score = QString::number(score_);
    const double scoreWidth = MonospacedDigits::width(score, scoreFont());
    painter.setPen(WiFiRadarTheme::primaryText());
    MonospacedDigits::draw(painter,
                           QPointF(disc.center().x() - scoreWidth / 2, top + scoreMetrics.ascent()),
                           score, scoreFont());
    top += scoreMetrics.height() + readoutSpacing;
    painter.setFont(messageFont());
    painter.setPen(WiFiRadarTheme::secondaryText());
    painter.drawText(QRectF(left, top, width, messageMetrics.height()), Qt::AlignCenter,
                     messageMetrics.elidedText(message_, Qt::ElideRight, width));
}
