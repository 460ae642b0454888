#pragma once

#include "UI/SpeedTest/SpeedTestCardSurface.h"

class OneLineLabel;

// The card of a result panel: its tracked title over the panel's content, on
// a rounded rectangle filled and outlined in the theme's panel colours.
class SpeedTestResultPanel : public SpeedTestCardSurface {
    Q_OBJECT
public:
    explicit SpeedTestResultPanel(const QString& title, QWidget* parent = nullptr);

    OneLineLabel* titleLabel() const { return title_; }

private:
    OneLineLabel* title_;
};
