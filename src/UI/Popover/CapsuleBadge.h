#pragma once

#include "UI/Ground/Spring.h"
#include "UI/Popover/BadgeContent.h"

#include <optional>

#include <QWidget>

class SpringTransition;

// A badge: bold small text in its tint on a capsule of the tint at 20 %
// opacity, padded 10 pt left and right and 4 pt top and bottom.
class CapsuleBadge : public QWidget {
    Q_OBJECT
public:
    explicit CapsuleBadge(BadgeContent content, QWidget* parent = nullptr);

    const BadgeContent& content() const { return content_; }
    // Content equal to the shown one changes nothing, not even a repaint.
    void setContent(BadgeContent content);
    // While the badge is shown, a change of content is carried along
    // `spring`: the tint blends into the new one and the old text fades into
    // the new. Hidden, or without a spring, it changes at once.
    void setTransitionSpring(std::optional<Spring> spring) { spring_ = spring; }
    bool isInTransition() const { return previous_.has_value(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void startTransition(BadgeContent previous);

    BadgeContent content_;
    std::optional<Spring> spring_;
    SpringTransition* transition_ = nullptr;
    // What is fading out, and how far the change has come.
    std::optional<BadgeContent> previous_;
    double progress_ = 1;
};
