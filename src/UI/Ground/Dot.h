#pragma once

#include <QColor>
#include <QWidget>

// A filled circle of a fixed diameter.
class Dot : public QWidget {
    Q_OBJECT
public:
    Dot(int diameter, const QColor& color, QWidget* parent = nullptr);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};
