#pragma once

#include <QColor>
#include <QMargins>
#include <QWidget>

class QHBoxLayout;

// A capsule (corner radius half its height) filled with one colour behind a
// row of child widgets, which sit inside the given padding.
class Capsule : public QWidget {
    Q_OBJECT
public:
    Capsule(const QColor& fill, const QMargins& padding, QWidget* parent = nullptr);

    QHBoxLayout* contentLayout() const { return layout_; }

    const QColor& fill() const { return fill_; }
    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    QHBoxLayout* layout_;
};
