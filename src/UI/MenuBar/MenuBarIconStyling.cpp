#include "UI/MenuBar/MenuBarIconStyling.h"

namespace MenuBarIconStyling {

MenuBarIconStyle style(HealthState state, bool colorfulIconEnabled) {
    const auto tinted = [colorfulIconEnabled](MenuBarBadgeTint tint) {
        return colorfulIconEnabled ? tint : MenuBarBadgeTint::none;
    };
    switch (state) {
    case HealthState::good:
        return {QStringLiteral("checkmark.circle.fill"), tinted(MenuBarBadgeTint::green)};
    case HealthState::warning:
        return {QStringLiteral("exclamationmark.circle.fill"), tinted(MenuBarBadgeTint::orange)};
    case HealthState::poor:
        return {QStringLiteral("xmark.circle.fill"), tinted(MenuBarBadgeTint::red)};
    case HealthState::disconnected:
        break;
    }
    return {QStringLiteral("pause.circle.fill"), tinted(MenuBarBadgeTint::gray)};
}

} // namespace MenuBarIconStyling
