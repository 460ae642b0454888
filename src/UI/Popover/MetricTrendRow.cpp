#include "UI/Popover/MetricTrendRow.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Popover/InlineSparklineView.h"

#include <QHBoxLayout>

MetricTrendRow::MetricTrendRow(const QString& title, const QString& value,
                               std::vector<double> samples, std::optional<ClosedRange> yDomain,
                               const QColor& strokeColor, QWidget* parent)
    : QWidget(parent), title_(new OneLineLabel(title, PopoverTheme::metricTitleFont(),
                                               PopoverTheme::secondaryText(), this)),
      value_(new OneLineLabel(value, PopoverTheme::metricValueFont(), PopoverTheme::primaryText(),
                              this)),
      sparkline_(new InlineSparklineView(std::move(samples), yDomain, strokeColor, this)) {
    // Fixed in both directions, so that a new value redraws the label without
    // laying the popover out again.
    title_->setFixedSize(titleWidth, title_->minimumSizeHint().height());
    value_->setFixedSize(valueWidth, value_->minimumSizeHint().height());
    value_->setHorizontalAlignment(Qt::AlignRight);
    value_->setMonospacedDigits(true);
    value_->setMinimumScale(0.8);
    sparkline_->setFixedSize(sparklineSize);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->addWidget(title_, 0, Qt::AlignVCenter);
    layout->addWidget(value_, 0, Qt::AlignVCenter);
    layout->addWidget(sparkline_, 0, Qt::AlignVCenter);
    setFixedWidth(rowWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MetricTrendRow::setTitle(const QString& title) {
    title_->setText(title);
}
void MetricTrendRow::setValue(const QString& value) {
    value_->setText(value);
}

void MetricTrendRow::setSeries(std::vector<double> samples, std::optional<ClosedRange> yDomain,
                               const QColor& strokeColor) {
    sparkline_->setSeries(std::move(samples), yDomain, strokeColor);
}

QString MetricTrendRow::title() const {
    return title_->text();
}
QString MetricTrendRow::value() const {
    return value_->text();
}
