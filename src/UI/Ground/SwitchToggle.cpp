#include "UI/Ground/SwitchToggle.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize trackSize(32, 18);
constexpr double knobInset = 2;

} // namespace

SwitchToggle::SwitchToggle(const QString& accessibleLabel, QWidget* parent)
    : QAbstractButton(parent), tint_(NamedColors::accent),
      offTint_(withOpacity(NamedColors::white, 0.18)) {
    setCheckable(true);
    setAccessibleName(accessibleLabel);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void SwitchToggle::setTint(const QColor& tint) {
    tint_ = tint;
    update();
}

void SwitchToggle::setOffTint(const QColor& offTint) {
    offTint_ = offTint;
    update();
}

QSize SwitchToggle::sizeHint() const {
    return trackSize;
}

void SwitchToggle::paintEvent(QPaintEvent* /*event*/) {
    const QRectF track =
        QRectF(QPointF(0, 0), trackSize)
            .translated((width() - trackSize.width()) / 2.0, (height() - trackSize.height()) / 2.0);
    const double radius = track.height() / 2;
    QPainterPath trackPath;
    trackPath.addRoundedRect(track, radius, radius);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor trackColor = isChecked() ? tint_ : offTint_;
    if (!isEnabled()) {
        trackColor = withOpacity(trackColor, 0.5);
    }
    painter.fillPath(trackPath, trackColor);

    const double knobDiameter = track.height() - 2 * knobInset;
    const double knobX =
        isChecked() ? track.right() - knobInset - knobDiameter : track.left() + knobInset;
    painter.setPen(Qt::NoPen);
    painter.setBrush(NamedColors::white);
    painter.drawEllipse(QRectF(knobX, track.top() + knobInset, knobDiameter, knobDiameter));
}
