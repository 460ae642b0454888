#include "UI/DiagnosticsExport/DiagnosticsExportDivider.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"

#include <QPainter>

DiagnosticsExportDivider::DiagnosticsExportDivider(QWidget* parent) : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DiagnosticsExportDivider::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), DiagnosticsExportTheme::panelBorder());
}
