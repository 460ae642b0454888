#pragma once

#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QWidget>

class InlineSparklineView;
class OneLineLabel;

// A metric as one table row of fixed columns: the title (82 pt), the value
// (74 pt, flush right, shrinking to 80 % before it is cut) and its sparkline
// (164 by 20 pt), 8 pt apart, 336 pt in all: the dashboard's whole column.
// The value column is as wide as the column allows, because Inter is wider
// than the face the table was drawn for: at 64 pt "ICMP blocked" would be
// cut even at 80 %.
class MetricTrendRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int titleWidth = 82;
    static constexpr int valueWidth = 74;
    static constexpr QSize sparklineSize{164, 20};
    static constexpr int spacing = 8;
    static constexpr int rowWidth = titleWidth + spacing + valueWidth + spacing + 164;

    MetricTrendRow(const QString& title, const QString& value, std::vector<double> samples,
                   std::optional<ClosedRange> yDomain, const QColor& strokeColor,
                   QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setValue(const QString& value);
    void setSeries(std::vector<double> samples, std::optional<ClosedRange> yDomain,
                   const QColor& strokeColor);

    QString title() const;
    QString value() const;
    OneLineLabel* valueLabel() const { return value_; }
    InlineSparklineView* sparkline() const { return sparkline_; }

private:
    OneLineLabel* title_;
    OneLineLabel* value_;
    InlineSparklineView* sparkline_;
};
