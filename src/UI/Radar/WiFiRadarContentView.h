#pragma once

#include "UI/Radar/RadarDiscView.h"
#include "UI/Radar/WiFiRadarContent.h"

#include <QImage>
#include <QWidget>

class RadarPanelView;
class RadarSidebarView;

// What the radar window draws, given its content: the dark gradient, the
// sidebar on the left (0.4 of the width inside the padding) and the radar
// panel on the right (0.6), 24 pt apart and 24 pt from every edge. It reads
// nothing itself.
class WiFiRadarContentView : public QWidget {
    Q_OBJECT
public:
    static constexpr int padding = 24;
    static constexpr int columnGap = 24;

    explicit WiFiRadarContentView(
        RadarDiscView::MonotonicClock clock = std::chrono::steady_clock::now,
        QWidget* parent = nullptr);

    void setContent(const WiFiRadarContent& content);
    const WiFiRadarContent& content() const { return content_; }

    RadarSidebarView* sidebar() const { return sidebar_; }
    RadarPanelView* radarPanel() const { return panel_; }

    // The widths of the two columns at `windowWidth`.
    static std::pair<double, double> columnWidths(int windowWidth);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& background(qreal devicePixelRatio);

    WiFiRadarContent content_;
    // The gradient, drawn once per size and pixel ratio: the sidebar's cards
    // change several times a second, and each change repaints what lies
    // beneath them.
    QImage background_;
    RadarSidebarView* sidebar_;
    RadarPanelView* panel_;
};
