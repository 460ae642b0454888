#include "UI/Radar/WiFiRadarTheme.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

namespace WiFiRadarTheme {

const QColor& panelBackground() {
    static const QColor color = QColor::fromRgbF(0.07F, 0.08F, 0.11F);
    return color;
}

const QColor& panelSecondary() {
    static const QColor color = QColor::fromRgbF(0.10F, 0.12F, 0.15F);
    return color;
}

const QColor& radarGreen() {
    static const QColor color = QColor::fromRgbF(0.26F, 0.84F, 0.49F);
    return color;
}

const QColor& primaryText() {
    static const QColor color = withOpacity(NamedColors::white, 0.95);
    return color;
}

const QColor& secondaryText() {
    static const QColor color = withOpacity(NamedColors::white, 0.72);
    return color;
}

const QColor& border() {
    static const QColor color = withOpacity(NamedColors::white, 0.13);
    return color;
}

} // namespace WiFiRadarTheme
