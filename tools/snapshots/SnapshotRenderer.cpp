#include "SnapshotRenderer.h"

#include "UI/Ground/PopoverTheme.h"

#include <QLayout>
#include <QLinearGradient>
#include <QPainter>

namespace {

QSize laidOutSize(QWidget& widget, const QSize& requested) {
    if (requested.width() <= 0) {
        return widget.sizeHint();
    }
    if (requested.height() > 0) {
        return requested;
    }
    const int height = widget.hasHeightForWidth() ? widget.heightForWidth(requested.width())
                                                  : widget.sizeHint().height();
    return {requested.width(), height};
}

void paintBackground(QImage& image, const QSizeF& size) {
    QPainter painter(&image);
    QLinearGradient gradient(QPointF(0, 0), QPointF(size.width(), size.height()));
    gradient.setColorAt(0, PopoverTheme::panelTop());
    gradient.setColorAt(1, PopoverTheme::panelBottom());
    painter.fillRect(QRectF(QPointF(0, 0), size), gradient);
}

} // namespace

namespace SnapshotRenderer {

QImage render(const Snapshot& snapshot, double scale) {
    const std::unique_ptr<QWidget> widget = snapshot.build();
    // Laid out and painted without ever being shown.
    widget->ensurePolished();
    if (QLayout* layout = widget->layout()) {
        layout->activate();
    }
    const QSize size = laidOutSize(*widget, snapshot.size);
    widget->resize(size);
    if (QLayout* layout = widget->layout()) {
        layout->activate();
    }

    const QSizeF canvas = size.grownBy(QMargins(margin, margin, margin, margin));
    QImage image((canvas * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    paintBackground(image, canvas);
    // Views that clear what lies outside their shape (the popover's rounded
    // panel) are drawn on a layer of their own, so the background shows there.
    QImage layer((size * scale), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(scale);
    layer.fill(Qt::transparent);
    widget->render(&layer, QPoint(), QRegion(), QWidget::DrawChildren);
    QPainter(&image).drawImage(QPoint(margin, margin), layer);
    return image;
}

} // namespace SnapshotRenderer
