#include "UI/DiagnosticsExport/DiagnosticsExportPanelBox.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"

#include <QPainter>
#include <QPainterPath>

DiagnosticsExportPanelBox::DiagnosticsExportPanelBox(QWidget* parent) : QWidget(parent) {}

void DiagnosticsExportPanelBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.fillPath(box, DiagnosticsExportTheme::panelBackground());
    painter.setPen(QPen(DiagnosticsExportTheme::panelBorder(), 1));
    painter.drawPath(box);
}
