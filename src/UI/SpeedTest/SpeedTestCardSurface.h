#pragma once

#include <optional>

#include <QColor>
#include <QMargins>
#include <QWidget>

class QVBoxLayout;

// A column of views, leading-aligned, inside `padding`, on a rounded
// rectangle filled with one colour and, when given, outlined by a 1-point
// stroke drawn over the fill. The tiles, latency cells and result panels of
// the Speed Test window stand on it.
class SpeedTestCardSurface : public QWidget {
    Q_OBJECT
public:
    SpeedTestCardSurface(double cornerRadius, const QColor& fill, std::optional<QColor> border,
                         const QMargins& padding, int spacing, QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double cornerRadius_;
    QColor fill_;
    std::optional<QColor> border_;
    QVBoxLayout* layout_;
};
