#include "UI/Popover/MetricRow.h"

#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"

#include <QHBoxLayout>

MetricRow::MetricRow(const QString& title, const QString& value, QWidget* parent)
    : QWidget(parent), title_(new OneLineLabel(title, PopoverTheme::metricTitleFont(),
                                               PopoverTheme::secondaryText(), this)),
      value_(new OneLineLabel(value, PopoverTheme::metricValueFont(), PopoverTheme::primaryText(),
                              this)) {
    value_->setMonospacedDigits(true);
    value_->setHorizontalAlignment(Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(title_);
    layout->addStretch(1);
    layout->addWidget(value_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString MetricRow::title() const {
    return title_->text();
}
QString MetricRow::value() const {
    return value_->text();
}
void MetricRow::setTitle(const QString& title) {
    title_->setText(title);
}
void MetricRow::setValue(const QString& value) {
    value_->setText(value);
}
