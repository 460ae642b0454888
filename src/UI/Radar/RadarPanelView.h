#pragma once

#include "UI/Radar/RadarDiscView.h"

#include <QWidget>

// The radar window's right-hand column: a rounded surface holding the radar
// disc, as large as fits 14 pt inside it on every side, in its centre.
class RadarPanelView : public QWidget {
    Q_OBJECT
public:
    static constexpr int discInset = 14;

    explicit RadarPanelView(RadarDiscView::MonotonicClock clock = std::chrono::steady_clock::now,
                            QWidget* parent = nullptr);

    RadarDiscView* disc() const { return disc_; }
    // The disc's diameter at the panel's current size; at least 1.
    double discDiameter() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    RadarDiscView* disc_;
};
