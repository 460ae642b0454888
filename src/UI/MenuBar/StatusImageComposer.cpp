#include "UI/MenuBar/StatusImageComposer.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/NamedColors.h"

#include <QPainter>
#include <QSvgRenderer>

namespace StatusImageComposer {

namespace {
// The badge covers the lower right corner at 0.56 of the side and overhangs
// the canvas by 0.8 points to the right and at the bottom.
constexpr double badgeSide = 10.08;
constexpr double badgeOrigin = 8.72;
// The circle of Material Icons' circled symbols spans 20 of the glyph's 24
// units; the untinted badge sits on a dark disc that much wider than it.
constexpr double symbolCircleShare = 20.0 / 24.0;
constexpr double outlineWidth = 0.9;

// A tray panel may be dark or light, and no tray says which: the untinted
// badge is a light glyph on a dark outline, legible on both.
void paintUntintedBadge(QPainter& painter, const SymbolImage& badge, const QRectF& rect,
                        double scale) {
    const double discDiameter = rect.width() * symbolCircleShare + 2 * outlineWidth * scale;
    QRectF disc(0, 0, discDiameter, discDiameter);
    disc.moveCenter(rect.center());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(badgeOutlineColor);
    painter.drawEllipse(disc);
    painter.restore();
    badge.paint(painter, rect, untintedBadgeColor);
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
        if (badgeTint) {
            badge->paint(painter, badgeRect, *badgeTint);
        } else {
            paintUntintedBadge(painter, *badge, badgeRect, scale);
        }
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
