#pragma once

#include "UI/Ground/Capsule.h"
#include "UI/Popover/BadgeContent.h"

class OneLineLabel;

// The header's badge for an ended test: its text at 11 pt semibold in the
// phase colour on a capsule of that colour at 20 % opacity.
class SpeedTestPhaseBadge : public Capsule {
    Q_OBJECT
public:
    explicit SpeedTestPhaseBadge(QWidget* parent = nullptr);

    const BadgeContent& content() const { return content_; }
    void setContent(const BadgeContent& content);

private:
    BadgeContent content_;
    OneLineLabel* label_;
};
