#pragma once

#include <QWidget>

// The box under a panel's title: a rounded rectangle (radius 14) filled with
// the panel background and outlined by the panel border.
class DiagnosticsExportPanelBox : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsExportPanelBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
