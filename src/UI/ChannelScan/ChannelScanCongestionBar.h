#pragma once

#include <QColor>
#include <QWidget>

// A channel's congestion: a track 10 high across the bar's width and, over
// it from the leading edge, the bar for the share of the track congested.
class ChannelScanCongestionBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int barHeight = 10;

    // `congestion` is the share of the track, 0 to 1.
    ChannelScanCongestionBar(double congestion, const QColor& color, QWidget* parent = nullptr);

    double congestion() const { return congestion_; }
    const QColor& color() const { return color_; }
    // The width the bar is drawn at, at the current width.
    double barWidth() const;

    QSize sizeHint() const override { return {120, barHeight}; }
    QSize minimumSizeHint() const override { return {0, barHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double congestion_;
    QColor color_;
};
