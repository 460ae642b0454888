#include "UI/Popover/CapsuleBadge.h"

#include "UI/Ground/ColorBlend.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SpringTransition.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double horizontalPadding = 10;
constexpr double verticalPadding = 4;

const QFont& badgeFont() {
    static const QFont font = [] {
        QFont bold = PopoverTheme::microFont();
        bold.setWeight(QFont::Bold);
        return bold;
    }();
    return font;
}

} // namespace

CapsuleBadge::CapsuleBadge(BadgeContent content, QWidget* parent)
    : QWidget(parent), content_(std::move(content)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(content_.text);
}

void CapsuleBadge::setContent(BadgeContent content) {
    if (content == content_) {
        return;
    }
    BadgeContent previous = std::exchange(content_, std::move(content));
    setAccessibleName(content_.text);
    updateGeometry();
    if (spring_ && isVisible()) {
        startTransition(std::move(previous));
    }
    update();
}

void CapsuleBadge::startTransition(BadgeContent previous) {
    if (!transition_) {
        transition_ = new SpringTransition(this);
    }
    // A change during a change starts from what was on show before it.
    transition_->finish();
    previous_ = std::move(previous);
    progress_ = 0;
    transition_->start(*spring_, [this](double progress) {
        progress_ = progress;
        if (!transition_->isRunning()) {
            previous_.reset();
        }
        update();
    });
}

void CapsuleBadge::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (transition_) {
        transition_->finish();
    }
}

QSize CapsuleBadge::sizeHint() const {
    const QFontMetricsF metrics(badgeFont());
    return {static_cast<int>(
                std::ceil(metrics.horizontalAdvance(content_.text) + 2 * horizontalPadding)),
            static_cast<int>(std::ceil(metrics.height() + 2 * verticalPadding))};
}

void CapsuleBadge::paintEvent(QPaintEvent* /*event*/) {
    const QRectF bounds = rect();
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);

    const double share = std::clamp(progress_, 0.0, 1.0);
    const QColor tint = previous_ ? blended(previous_->tint, content_.tint, share) : content_.tint;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(capsule, withOpacity(tint, 0.2));
    painter.setFont(badgeFont());
    painter.setPen(tint);
    if (previous_ && previous_->text != content_.text) {
        painter.setOpacity(1 - share);
        painter.drawText(bounds, Qt::AlignCenter, previous_->text);
        painter.setOpacity(share);
    }
    painter.drawText(bounds, Qt::AlignCenter, content_.text);
}
