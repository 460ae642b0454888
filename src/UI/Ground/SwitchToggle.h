#pragma once

#include "UI/Ground/Spring.h"

#include <optional>

#include <QAbstractButton>
#include <QColor>

class FocusRing;
class SpringTransition;

// A switch-style toggle whose label is hidden: only the track and its knob
// show; the label is the accessible name. Clicking flips `isChecked()`.
class SwitchToggle : public QAbstractButton {
    Q_OBJECT
public:
    explicit SwitchToggle(const QString& accessibleLabel, QWidget* parent = nullptr);

    // The track's colour while on, and the focus ring's; the platform's
    // accent colour by default.
    void setTint(const QColor& tint);
    // The track's colour while off; white at 0.18 by default, for dark surfaces.
    void setOffTint(const QColor& offTint);
    // While shown, every change of position (a click or setChecked) moves the
    // knob and blends the track along `spring`; without one it jumps.
    void setTransitionSpring(std::optional<Spring> spring) { spring_ = spring; }
    bool isInTransition() const { return knobPosition_.has_value(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void moveKnob(bool checked);

    QColor tint_;
    QColor offTint_;
    std::optional<Spring> spring_;
    SpringTransition* transition_ = nullptr;
    // Where the knob is drawn during a transition: 0 off, 1 on.
    std::optional<double> knobPosition_;
    FocusRing* focusRing_;
};
