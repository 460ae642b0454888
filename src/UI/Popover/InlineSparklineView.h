#pragma once

#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QWidget>

// A small trend line over a filled area and a faint baseline, drawn into the
// whole widget, against a fixed vertical range or fitted to the series.
class InlineSparklineView : public QWidget {
    Q_OBJECT
public:
    InlineSparklineView(std::vector<double> samples, std::optional<ClosedRange> yDomain,
                        const QColor& strokeColor, QWidget* parent = nullptr);

    void setSeries(std::vector<double> samples, std::optional<ClosedRange> yDomain,
                   const QColor& strokeColor);

    const std::vector<double>& samples() const { return samples_; }
    const std::optional<ClosedRange>& yDomain() const { return yDomain_; }
    const QColor& strokeColor() const { return strokeColor_; }

    QSize sizeHint() const override { return {164, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> samples_;
    std::optional<ClosedRange> yDomain_;
    QColor strokeColor_;
};
