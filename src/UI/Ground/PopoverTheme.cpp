#include "UI/Ground/PopoverTheme.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SystemFont.h"

namespace {

QColor white(double opacity) {
    return withOpacity(NamedColors::white, opacity);
}

} // namespace

namespace PopoverTheme {

const QFont& subtitleFont() {
    static const QFont font = SystemFont::font(13, QFont::Medium);
    return font;
}

const QFont& bodyFont() {
    static const QFont font = SystemFont::font(13, QFont::Medium);
    return font;
}

const QFont& sectionLabelFont() {
    static const QFont font = SystemFont::font(11, QFont::DemiBold);
    return font;
}

const QFont& metricTitleFont() {
    static const QFont font = SystemFont::font(12, QFont::DemiBold);
    return font;
}

const QFont& metricValueFont() {
    static const QFont font = SystemFont::font(12, QFont::Medium);
    return font;
}

const QFont& microFont() {
    static const QFont font = SystemFont::font(11, QFont::Medium);
    return font;
}

const QColor& primaryText() {
    static const QColor color = white(0.96);
    return color;
}

const QColor& secondaryText() {
    static const QColor color = white(0.72);
    return color;
}

const QColor& mutedText() {
    static const QColor color = white(0.55);
    return color;
}

const QColor& panelTop() {
    static const QColor color = QColor::fromRgbF(0.16F, 0.17F, 0.20F);
    return color;
}

const QColor& panelBottom() {
    static const QColor color = QColor::fromRgbF(0.11F, 0.12F, 0.15F);
    return color;
}

const QColor& panelBorder() {
    static const QColor color = white(0.16);
    return color;
}

const QColor& rowSurface() {
    static const QColor color = white(0.07);
    return color;
}

const QColor& capsuleSurface() {
    static const QColor color = white(0.12);
    return color;
}

} // namespace PopoverTheme
