#pragma once

#include <QWidget>

// A 1 pt line in the radar window's border colour, as wide as its container.
class RadarDivider : public QWidget {
    Q_OBJECT
public:
    explicit RadarDivider(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
