#pragma once

#include <QColor>
#include <QWidget>

// A 1 pt horizontal line in one colour, as wide as its container.
class HorizontalRule : public QWidget {
    Q_OBJECT
public:
    explicit HorizontalRule(const QColor& color, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};
