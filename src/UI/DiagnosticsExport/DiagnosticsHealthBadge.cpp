#include "UI/DiagnosticsExport/DiagnosticsHealthBadge.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SystemFont.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double horizontalPadding = 8;
constexpr double verticalPadding = 4;

QFont badgeFont() {
    return SystemFont::font(10, QFont::Bold);
}

} // namespace

DiagnosticsHealthBadge::DiagnosticsHealthBadge(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DiagnosticsHealthBadge::setState(HealthState state, const QString& text) {
    state_ = state;
    text_ = text;
    updateGeometry();
    update();
}

QColor DiagnosticsHealthBadge::stateColor(HealthState state) {
    switch (state) {
    case HealthState::good:
        return NamedColors::green;
    case HealthState::warning:
        return NamedColors::yellow;
    case HealthState::poor:
        return NamedColors::orange;
    case HealthState::disconnected:
        return NamedColors::gray;
    }
    return NamedColors::gray;
}

QColor DiagnosticsHealthBadge::fill() const {
    return withOpacity(stateColor(state_), 0.95);
}

QSize DiagnosticsHealthBadge::sizeHint() const {
    const QFontMetricsF metrics(badgeFont());
    return {int(std::ceil(metrics.horizontalAdvance(text_) + 2 * horizontalPadding)),
            int(std::ceil(metrics.height() + 2 * verticalPadding))};
}

void DiagnosticsHealthBadge::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath capsule;
    const QRectF bounds = rect();
    capsule.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);
    painter.fillPath(capsule, fill());
    painter.setFont(badgeFont());
    painter.setPen(Qt::black);
    painter.drawText(bounds, Qt::AlignCenter, text_);
}
