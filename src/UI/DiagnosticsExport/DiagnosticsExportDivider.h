#pragma once

#include <QWidget>

// A one-point horizontal rule in the window's panel border colour.
class DiagnosticsExportDivider : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsExportDivider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
