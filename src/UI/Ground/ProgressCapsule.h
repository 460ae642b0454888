#pragma once

#include <QColor>
#include <QWidget>

// A determinate linear progress bar: a track capsule across the full width
// and, over it, a fill capsule as wide as the fraction of the track. The bar
// is 6 points tall by default, the thickness of the platform's regular-size
// linear progress bar, and is centred vertically in a taller widget. A fill
// narrower than the bar is tall still draws as a capsule as wide as it is
// tall, so a small start stays round; a fraction of 0 draws no fill.
class ProgressCapsule : public QWidget {
    Q_OBJECT
public:
    static constexpr int defaultBarHeight = 6;

    ProgressCapsule(const QColor& track, const QColor& fill, QWidget* parent = nullptr);

    double fraction() const { return fraction_; }
    // Held to 0...1; a value that is not a number counts as 0.
    void setFraction(double fraction);

    const QColor& trackColor() const { return track_; }
    const QColor& fillColor() const { return fill_; }
    void setColors(const QColor& track, const QColor& fill);

    int barHeight() const { return barHeight_; }
    void setBarHeight(int height);

    // The fill's width in a bar `width` wide: 0 at a fraction of 0, else the
    // fraction of `width`, at least the bar's height and at most `width`.
    double fillWidth(double width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor track_;
    QColor fill_;
    double fraction_ = 0;
    int barHeight_ = defaultBarHeight;
};
