#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

namespace DiagnosticsExportTheme {

const QColor& backgroundTop() {
    static const QColor color = QColor::fromRgbF(0.08f, 0.09f, 0.13f);
    return color;
}

const QColor& backgroundBottom() {
    static const QColor color = QColor::fromRgbF(0.04f, 0.05f, 0.08f);
    return color;
}

const QColor& panelBackground() {
    static const QColor color = withOpacity(NamedColors::white, 0.05);
    return color;
}

const QColor& panelBorder() {
    static const QColor color = withOpacity(NamedColors::white, 0.14);
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

const QColor& accent() {
    static const QColor color = withOpacity(NamedColors::green, 0.9);
    return color;
}

const QColor& success() {
    static const QColor color = withOpacity(NamedColors::green, 0.9);
    return color;
}

const QColor& error() {
    static const QColor color = withOpacity(NamedColors::red, 0.9);
    return color;
}

const QColor& messageColor(DiagnosticsExportMessageColor color) {
    switch (color) {
    case DiagnosticsExportMessageColor::secondaryText:
        return secondaryText();
    case DiagnosticsExportMessageColor::success:
        return success();
    case DiagnosticsExportMessageColor::error:
        return error();
    }
    return secondaryText();
}

} // namespace DiagnosticsExportTheme
