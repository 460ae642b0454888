#include "UI/Ground/SwitchToggle.h"

#include "UI/Ground/ColorBlend.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SpringTransition.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize trackSize(32, 18);
constexpr double knobInset = 2;

// What a switch is to assistive technologies: a check box, as Qt gives any
// checkable button, whose "Toggle" action clicks it. Qt's own toggles the
// state without a click, so whatever acts on the click never hears of it.
class AccessibleSwitch final : public QAccessibleWidget {
public:
    explicit AccessibleSwitch(SwitchToggle* toggle)
        : QAccessibleWidget(toggle, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = toggle()->isChecked();
        state.pressed = toggle()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (toggle()->isEnabled()) {
            names.prepend(toggleAction());
        }
        return names;
    }

    void doAction(const QString& actionName) override {
        if (actionName == toggleAction()) {
            toggle()->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    SwitchToggle* toggle() const { return static_cast<SwitchToggle*>(widget()); }
};

QAccessibleInterface* accessibleSwitch(const QString& /*className*/, QObject* object) {
    auto* toggle = qobject_cast<SwitchToggle*>(object);
    return toggle != nullptr ? new AccessibleSwitch(toggle) : nullptr;
}

} // namespace

SwitchToggle::SwitchToggle(const QString& accessibleLabel, QWidget* parent)
    : QAbstractButton(parent), tint_(NamedColors::accent),
      offTint_(withOpacity(NamedColors::white, 0.18)), focusRing_(new FocusRing(this, tint_)) {
    // Before anything here tells assistive technologies of a change: that
    // makes and keeps the switch's interface.
    static const bool isFactoryInstalled = [] {
        QAccessible::installFactory(&accessibleSwitch);
        return true;
    }();
    Q_UNUSED(isFactoryInstalled);
    setCheckable(true);
    setAccessibleName(accessibleLabel);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::toggled, this, &SwitchToggle::moveKnob);
}

void SwitchToggle::moveKnob(bool checked) {
    if (!spring_ || !isVisible()) {
        return;
    }
    if (!transition_) {
        transition_ = new SpringTransition(this);
    }
    const double from = knobPosition_.value_or(checked ? 0.0 : 1.0);
    const double to = checked ? 1.0 : 0.0;
    transition_->finish();
    knobPosition_ = from;
    transition_->start(*spring_, [this, from, to](double progress) {
        knobPosition_ = from + (to - from) * progress;
        if (!transition_->isRunning()) {
            knobPosition_.reset();
        }
        update();
    });
}

void SwitchToggle::hideEvent(QHideEvent* event) {
    QAbstractButton::hideEvent(event);
    if (transition_) {
        transition_->finish();
    }
}

void SwitchToggle::setTint(const QColor& tint) {
    tint_ = tint;
    focusRing_->setColor(tint);
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
    focusRing_->setShape(track, radius);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double position = knobPosition_.value_or(isChecked() ? 1.0 : 0.0);
    QColor trackColor =
        knobPosition_ ? blended(offTint_, tint_, position) : (isChecked() ? tint_ : offTint_);
    if (!isEnabled()) {
        trackColor = withOpacity(trackColor, 0.5);
    }
    painter.fillPath(trackPath, trackColor);

    const double knobDiameter = track.height() - 2 * knobInset;
    const double travel = track.width() - 2 * knobInset - knobDiameter;
    const double knobX = track.left() + knobInset + travel * position;
    painter.setPen(Qt::NoPen);
    painter.setBrush(NamedColors::white);
    painter.drawEllipse(QRectF(knobX, track.top() + knobInset, knobDiameter, knobDiameter));
}
