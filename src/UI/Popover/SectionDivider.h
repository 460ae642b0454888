#pragma once

#include "UI/Ground/HorizontalRule.h"

// The thin line between sections: 1 pt of white at 14 % opacity, as wide as
// its container.
class SectionDivider : public HorizontalRule {
    Q_OBJECT
public:
    explicit SectionDivider(QWidget* parent = nullptr);
};
