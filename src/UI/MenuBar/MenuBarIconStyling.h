#pragma once

#include "Core/DomainModels.h"
#include "UI/MenuBar/MenuBarIconStyle.h"

// The badge for each health state, tinted per state only when the colourful
// icon is chosen.
namespace MenuBarIconStyling {

MenuBarIconStyle style(HealthState state, bool colorfulIconEnabled);

} // namespace MenuBarIconStyling
