#pragma once

#include "UI/Radar/RadarMetricCardContent.h"

#include <QColor>
#include <QWidget>

class InlineSparklineView;
class OneLineLabel;

// A metric of the radar's sidebar: its title and current value above a
// sparkline of the recent values, on a faint rounded card. The value and
// the sparkline take the quality tint.
class RadarMetricCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int sparklineHeight = 15;

    explicit RadarMetricCard(QWidget* parent = nullptr);

    void setContent(const RadarMetricCardContent& content, const QColor& color);

    OneLineLabel* titleLabel() const { return title_; }
    OneLineLabel* valueLabel() const { return value_; }
    InlineSparklineView* sparkline() const { return sparkline_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OneLineLabel* title_;
    OneLineLabel* value_;
    InlineSparklineView* sparkline_;
};
