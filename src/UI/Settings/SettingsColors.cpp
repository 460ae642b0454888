#include "UI/Settings/SettingsColors.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <QPalette>

namespace {

// Secondary text is the primary colour, fainter; a little less faint on a
// dark background, where thin text loses more contrast.
constexpr double secondaryOpacityLight = 0.5;
constexpr double secondaryOpacityDark = 0.55;

} // namespace

bool SettingsColors::isDark(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Window).lightness() < 128;
}

SettingsColors SettingsColors::from(const QPalette& palette) {
    const bool dark = isDark(palette);
    const QColor primary = palette.color(QPalette::Active, QPalette::WindowText);
    return {
        .background = palette.color(QPalette::Active, QPalette::Window),
        .primary = primary,
        .secondary = withOpacity(primary, dark ? secondaryOpacityDark : secondaryOpacityLight),
        .accent = palette.color(QPalette::Active, QPalette::Highlight),
        .blue = dark ? NamedColors::blue : NamedColors::Light::blue,
        .orange = dark ? NamedColors::orange : NamedColors::Light::orange,
    };
}

QColor SettingsColors::cardFill() const {
    return withOpacity(primary, 0.05);
}

QColor SettingsColors::cardStroke() const {
    return withOpacity(primary, 0.09);
}

QColor SettingsColors::badgeFill() const {
    return withOpacity(primary, 0.08);
}

QColor SettingsColors::divider() const {
    return withOpacity(primary, 0.12);
}

QColor SettingsColors::switchOffTrack() const {
    return withOpacity(primary, 0.18);
}

QColor SettingsColors::selectedTabFill() const {
    return withOpacity(accent, 0.14);
}

QColor SettingsColors::updateCardFill() const {
    return withOpacity(blue, 0.08);
}

QColor SettingsColors::updateCardStroke() const {
    return withOpacity(blue, 0.2);
}
