#include "UI/MenuBar/StatusImageComposer.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/NamedColors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace StatusImageComposer {

namespace {
// The badge covers the lower right corner at 0.56 of the side and overhangs
// the canvas by 0.8 points to the right and at the bottom.
constexpr double badgeSide = 10.08;
constexpr double badgeOrigin = 8.72;

QColor labelColor() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}
} // namespace

std::optional<QColor> color(MenuBarBadgeTint tint) {
    switch (tint) {
    case MenuBarBadgeTint::none:
        return std::nullopt;
    case MenuBarBadgeTint::green:
        return NamedColors::green;
    case MenuBarBadgeTint::orange:
        return NamedColors::orange;
    case MenuBarBadgeTint::red:
        return NamedColors::red;
    case MenuBarBadgeTint::gray:
        break;
    }
    return NamedColors::gray;
}

QImage applicationIcon(int pixelSide) {
    QImage image(pixelSide, pixelSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pelmor/pelmor.svg"));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, pixelSide, pixelSide));
    }
    return image;
}

QImage makeStatusImage(const QString& badgeSymbolName, const std::optional<QColor>& badgeTint,
                       const QString& description, double scale) {
    const int side = int(canvasSide * scale);
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(QRectF(0, 0, side, side), applicationIcon(side));
    // Without its badge the icon is still shown: the tray never goes blank.
    if (const auto badge = SymbolImage::named(badgeSymbolName, int(badgeSide * scale + 0.5))) {
        const QRectF badgeRect(badgeOrigin * scale, badgeOrigin * scale, badgeSide * scale,
                               badgeSide * scale);
        badge->paint(painter, badgeRect, badgeTint.value_or(labelColor()));
    }
    painter.end();
    canvas.setDevicePixelRatio(scale);
    canvas.setText(QStringLiteral("Description"), description);
    return canvas;
}

std::optional<QIcon> makeStatusIcon(const MenuBarIconStyle& style, const QString& description) {
    return QIcon(QPixmap::fromImage(
        makeStatusImage(style.badgeSymbolName, color(style.badgeTint), description)));
}

} // namespace StatusImageComposer
