#pragma once

#include <QWidget>

// The thin line between sections: 1 pt of white at 14 % opacity, as wide as
// its container.
class SectionDivider : public QWidget {
    Q_OBJECT
public:
    explicit SectionDivider(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
