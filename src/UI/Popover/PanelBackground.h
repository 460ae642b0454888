#pragma once

#include <QWidget>

// The popover panel's surface: a diagonal gradient from the theme's top
// colour at the top-leading corner to its bottom colour at the
// bottom-trailing corner, inside the panel's rounded shape.
class PanelBackground : public QWidget {
    Q_OBJECT
public:
    explicit PanelBackground(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
