#include "UI/SpeedTest/SpeedTestTheme.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

namespace {

QColor white(double opacity) {
    return withOpacity(NamedColors::white, opacity);
}

} // namespace

namespace SpeedTestTheme {

const QColor& backgroundTop() {
    static const QColor color = QColor::fromRgbF(0.08F, 0.09F, 0.12F, 1.0F);
    return color;
}

const QColor& backgroundBottom() {
    static const QColor color = QColor::fromRgbF(0.04F, 0.05F, 0.07F, 1.0F);
    return color;
}

const QColor& panelBackground() {
    static const QColor color = white(0.04);
    return color;
}

const QColor& panelBorder() {
    static const QColor color = white(0.13);
    return color;
}

const QColor& primaryText() {
    static const QColor color = white(0.95);
    return color;
}

const QColor& secondaryText() {
    static const QColor color = white(0.72);
    return color;
}

const QColor& mutedText() {
    static const QColor color = white(0.52);
    return color;
}

const QColor& accent() {
    static const QColor color = NamedColors::accent;
    return color;
}

} // namespace SpeedTestTheme
