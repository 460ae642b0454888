#include "Platform/AppKit/Xcb/ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Whether the screen's area in device pixels holds the point, reckoned in 64
// bits: a point near the ends of int overflows nothing.
bool holds(const QScreen& screen, QPoint device) {
    const QRect logical = screen.geometry();
    const qreal ratio = screen.devicePixelRatio();
    const qint64 right = qint64(device.x()) - logical.x();
    const qint64 down = qint64(device.y()) - logical.y();
    return right >= 0 && down >= 0 && right < qRound64(logical.width() * ratio) &&
           down < qRound64(logical.height() * ratio);
}

// The screen's area in device pixels.
QRect deviceArea(const QScreen& screen) {
    return {screen.geometry().topLeft(), screen.geometry().size() * screen.devicePixelRatio()};
}

const QScreen* screenHolding(QPoint device) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (holds(*screen, device)) {
            return screen;
        }
    }
    return nullptr;
}

} // namespace

namespace ScreenPixels {

QRect toLogical(QRect device, const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    const QPoint origin = screen.geometry().topLeft();
    return {origin + (device.topLeft() - origin) / ratio, device.size() / ratio};
}

QRect toLogical(QRect device) {
    const QScreen* screen = screenHolding(device.topLeft());
    return screen != nullptr ? toLogical(device, *screen) : device;
}

std::optional<QPoint> toLogical(QPoint device) {
    const QScreen* screen = screenHolding(device);
    if (screen == nullptr) {
        return std::nullopt;
    }
    const QPoint origin = screen->geometry().topLeft();
    return origin + (device - origin) / screen->devicePixelRatio();
}

const QScreen* screenShowing(QRect device) {
    if (const QScreen* holding = screenHolding(device.center())) {
        return holding;
    }
    const QScreen* overlapped = nullptr;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (deviceArea(*screen).intersects(device)) {
            overlapped = screen;
        }
    }
    return overlapped;
}

} // namespace ScreenPixels
