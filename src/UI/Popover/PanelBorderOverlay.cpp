#include "UI/Popover/PanelBorderOverlay.h"

#include "UI/Ground/PopoverTheme.h"
#include "UI/Popover/PopoverChrome.h"

#include <cmath>

#include <QEvent>
#include <QPainter>

PanelBorderOverlay::PanelBorderOverlay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    if (parent != nullptr) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
}

// Everything the overlay draws lies within a corner radius of the edge:
// masked to that band, it is left out when the panel's inside is redrawn.
void PanelBorderOverlay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int band = static_cast<int>(std::ceil(PopoverChrome::cornerRadius)) + 1;
    const QRect inside = rect().adjusted(band, band, -band, -band);
    setMask(inside.isValid() ? QRegion(rect()).subtracted(QRegion(inside)) : QRegion(rect()));
}

bool PanelBorderOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void PanelBorderOverlay::paintEvent(QPaintEvent* /*event*/) {
    const QRectF bounds = rect();
    const QPainterPath shape = PopoverChrome::panelShape(bounds);
    QPainterPath outside;
    outside.addRect(bounds);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A 1 pt stroke centred on the edge, of which the panel keeps the inner half.
    painter.setPen(QPen(PopoverTheme::panelBorder(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    // Outside the rounded corners the popover is see-through, whatever
    // scrolled beneath them.
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(outside.subtracted(shape), Qt::transparent);
}
