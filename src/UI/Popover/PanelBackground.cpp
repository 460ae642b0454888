#include "UI/Popover/PanelBackground.h"

#include "UI/Ground/PopoverTheme.h"
#include "UI/Popover/PopoverChrome.h"

#include <QLinearGradient>
#include <QPainter>

PanelBackground::PanelBackground(QWidget* parent) : QWidget(parent) {}

void PanelBackground::paintEvent(QPaintEvent* /*event*/) {
    const QRectF bounds = rect();
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0, PopoverTheme::panelTop());
    gradient.setColorAt(1, PopoverTheme::panelBottom());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(PopoverChrome::panelShape(bounds), gradient);
}
