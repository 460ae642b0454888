#include "Platform/AppKit/Xcb/ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>

namespace ScreenPixels {

QRect toLogical(QRect device, const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    const QPoint origin = screen.geometry().topLeft();
    return {origin + (device.topLeft() - origin) / ratio, device.size() / ratio};
}

QRect toLogical(QRect device) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        if (QRect(logical.topLeft(), logical.size() * screen->devicePixelRatio())
                .contains(device.topLeft())) {
            return toLogical(device, *screen);
        }
    }
    return device;
}

QPoint toLogical(QPoint device) {
    return toLogical(QRect(device, QSize(1, 1))).topLeft();
}

} // namespace ScreenPixels
