#pragma once

#include "UI/Ground/OneLineLabel.h"

// The caption above a section of the popover: small semibold text, slightly
// tracked, in the muted colour.
class SectionLabel : public OneLineLabel {
    Q_OBJECT
public:
    explicit SectionLabel(const QString& text, QWidget* parent = nullptr);
};
