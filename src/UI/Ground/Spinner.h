#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// An indeterminate progress indicator: an arc turning once a second. It turns
// only while it is visible.
class Spinner : public QWidget {
    Q_OBJECT
public:
    explicit Spinner(int diameter, const QColor& color, QWidget* parent = nullptr);

    bool isTurning() const { return timer_.isActive(); }

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    QSize sizeHint() const override { return {diameter_, diameter_}; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int diameter_;
    QColor color_;
    int angle_ = 0;
    QTimer timer_;
};
