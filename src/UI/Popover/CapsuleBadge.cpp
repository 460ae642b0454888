#include "UI/Popover/CapsuleBadge.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/PopoverTheme.h"

#include <cmath>

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
    content_ = std::move(content);
    setAccessibleName(content_.text);
    updateGeometry();
    update();
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

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(capsule, withOpacity(content_.tint, 0.2));
    painter.setFont(badgeFont());
    painter.setPen(content_.tint);
    painter.drawText(bounds, Qt::AlignCenter, content_.text);
}
