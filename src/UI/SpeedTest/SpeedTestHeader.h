#pragma once

#include "UI/Popover/BadgeContent.h"

#include <functional>
#include <optional>

#include <QWidget>

class OneLineLabel;
class SpeedTestPhaseBadge;
class WindowBorderedButton;

// The window's header: the speedometer, "Speed Test", the service's name and
// the phase badge over the explanatory line, and, at the trailing edge, the
// action button when the layout puts it there.
class SpeedTestHeader : public QWidget {
    Q_OBJECT
public:
    explicit SpeedTestHeader(std::function<void()> onAction, QWidget* parent = nullptr);

    // No badge hides it; no button title hides the button.
    void setContent(const std::optional<BadgeContent>& badge,
                    const std::optional<QString>& buttonTitle);

    SpeedTestPhaseBadge* badge() const { return badge_; }
    WindowBorderedButton* actionButton() const { return button_; }

private:
    SpeedTestPhaseBadge* badge_;
    WindowBorderedButton* button_;
};
