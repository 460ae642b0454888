#pragma once

#include <QColor>
#include <QWidget>

class QVBoxLayout;

// A card of the settings panel: a column of views, leading-aligned and 6 pt
// apart, padded 10 pt at the sides and `verticalPadding` above and below, on
// a rounded rectangle (radius 9 pt) of white at 6 % opacity, or of `fill`.
class CardSurface : public QWidget {
    Q_OBJECT
public:
    explicit CardSurface(int verticalPadding, QWidget* parent = nullptr);
    CardSurface(int verticalPadding, const QColor& fill, QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    QVBoxLayout* layout_;
};
