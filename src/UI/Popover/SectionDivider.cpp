#include "UI/Popover/SectionDivider.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

SectionDivider::SectionDivider(QWidget* parent)
    : HorizontalRule(withOpacity(NamedColors::white, 0.14), parent) {}
