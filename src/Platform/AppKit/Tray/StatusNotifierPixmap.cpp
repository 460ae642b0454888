#include "Platform/AppKit/Tray/StatusNotifierPixmap.h"

#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace {

QList<QSize> sizesOf(const QIcon& icon) {
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) {
        for (const int side : {16, 22, 32, 48}) {
            sizes.append(QSize(side, side));
        }
    }
    return sizes;
}

StatusNotifierPixmap fromImage(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    StatusNotifierPixmap pixmap{image.width(), image.height(), {}};
    pixmap.bytes.resize(qsizetype(image.width()) * image.height() * 4);
    auto* out = reinterpret_cast<quint32*>(pixmap.bytes.data());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *out++ = qToBigEndian(row[x]);
        }
    }
    return pixmap;
}

} // namespace

QList<StatusNotifierPixmap> StatusNotifierPixmap::fromIcon(const QIcon& icon) {
    QList<StatusNotifierPixmap> pixmaps;
    if (icon.isNull()) {
        return pixmaps;
    }
    for (const QSize size : sizesOf(icon)) {
        const QImage image = icon.pixmap(size, 1.0).toImage();
        if (!image.isNull()) {
            pixmaps.append(fromImage(image));
        }
    }
    return pixmaps;
}

QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierPixmap& pixmap) {
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.bytes;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierPixmap& pixmap) {
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.bytes;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierToolTip& toolTip) {
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierToolTip& toolTip) {
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.description;
    argument.endStructure();
    return argument;
}
